#include "common/LoadSaveADORS.h"

#include "common/ValueText.h"
#include "platform/ArchiveRow.h"

#include <utility>

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
    // The archive hands numbers and texts over as they are; a number that fits is taken
    // without going through its text.
    if constexpr (std::is_same_v<T, qint16> || std::is_same_v<T, qint32>) {
        if (field.typeId() == QMetaType::LongLong && std::in_range<T>(field.toLongLong())) {
            value = T(field.toLongLong());
            return;
        }
    }
    if constexpr (std::is_same_v<T, QString>) {
        if (field.typeId() == QMetaType::QString) {
            value = field.toString();
            return;
        }
    }
    const QString text = field.toString();
    const std::optional<T> parsed = ValueText::Parse<T>(text);
    value =
        parsed ? *parsed : ValueText::ValueOrKept(parsed, text, value, QStringLiteral("campo ") + fieldName);
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
