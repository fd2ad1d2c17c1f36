#include "common/LoadSaveADORS.h"

#include "common/ValueText.h"
#include "platform/ArchiveRow.h"

void CLoadSaveADORS::SaveVariable(const QString &fieldName, qint16 value)
{
    if (m_Recordset)
        m_Recordset->SetValue(fieldName, int(value));
}

void CLoadSaveADORS::SaveVariable(const QString &fieldName, qint32 value)
{
    if (m_Recordset)
        m_Recordset->SetValue(fieldName, value);
}

void CLoadSaveADORS::SaveVariable(const QString &fieldName, float value)
{
    if (m_Recordset)
        m_Recordset->SetValue(fieldName, double(value));
}

void CLoadSaveADORS::SaveVariable(const QString &fieldName, const QDateTime &value)
{
    if (m_Recordset)
        m_Recordset->SetValue(fieldName, ValueText::ToSettingText(value));
}

void CLoadSaveADORS::SaveVariable(const QString &fieldName, const QString &value)
{
    // A null text is still a text: stored empty, never as a database NULL.
    if (m_Recordset)
        m_Recordset->SetValue(fieldName, value.isNull() ? QString(QLatin1String("")) : value);
}

void CLoadSaveADORS::SaveVariable(const QString &fieldName, bool value)
{
    if (m_Recordset)
        m_Recordset->SetValue(fieldName, value ? 1 : 0);
}

template <typename T> void CLoadSaveADORS::Load(const QString &fieldName, T &value) const
{
    if (!m_Recordset)
        return;
    const QVariant field = m_Recordset->Value(fieldName);
    if (field.isNull())
        return;
    const QString text = field.toString();
    value =
        ValueText::ValueOrKept(ValueText::Parse<T>(text), text, value, QStringLiteral("campo ") + fieldName);
}

void CLoadSaveADORS::LoadVariable(const QString &fieldName, qint16 &value) const
{
    Load(fieldName, value);
}
void CLoadSaveADORS::LoadVariable(const QString &fieldName, qint32 &value) const
{
    Load(fieldName, value);
}
void CLoadSaveADORS::LoadVariable(const QString &fieldName, float &value) const
{
    Load(fieldName, value);
}
void CLoadSaveADORS::LoadVariable(const QString &fieldName, QDateTime &value) const
{
    Load(fieldName, value);
}
void CLoadSaveADORS::LoadVariable(const QString &fieldName, QString &value) const
{
    Load(fieldName, value);
}
void CLoadSaveADORS::LoadVariable(const QString &fieldName, bool &value) const
{
    Load(fieldName, value);
}
