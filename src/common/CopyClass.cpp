#include "common/CopyClass.h"

#include "common/TraceCode.h"
#include "common/ValueText.h"
#include "platform/SettingsStore.h"

#include <utility>

bool ICopyClass::VerifySameClass(const ICopyClass &dst, const ICopyClass &src) const
{
    return dst.ClassName() == src.ClassName();
}

void ICopyClass::LoadData(const QString &nomeFile)
{
    if (!nomeFile.isEmpty())
        SetFileName(nomeFile);
}

void ICopyClass::SaveData(const QString &nomeFile)
{
    if (!nomeFile.isEmpty())
        SetFileName(nomeFile);
}

namespace {

// The batch the store's writes go to; none writes each at once.
CSettingsWriteBatch *g_OpenBatch = nullptr;

} // namespace

CSettingsWriteBatch::CSettingsWriteBatch() : m_Outer(std::exchange(g_OpenBatch, this)) {}

CSettingsWriteBatch::~CSettingsWriteBatch()
{
    g_OpenBatch = m_Outer;
}

bool CSettingsWriteBatch::Commit(QString *fault)
{
    const QList<Platform::CSettingWrite> writes = std::exchange(m_Writes, {});
    if (Platform::WriteSettings(writes, fault))
        return true;
    QStringList sections;
    for (const Platform::CSettingWrite &write : writes) {
        if (!sections.contains(write.Section))
            sections << write.Section;
    }
    g_Trace->BugMessage(QStringLiteral("Impossibile scrivere le impostazioni ") +
                        sections.join(QStringLiteral(", ")));
    return false;
}

void ICopyClass::WriteToStore(const QString &section, const QString &varName, const QString &text)
{
    if (g_OpenBatch) {
        g_OpenBatch->m_Writes.append({section, varName, text});
        return;
    }
    if (!Platform::WriteSetting(section, varName, text))
        g_Trace->BugMessage(QStringLiteral("Impossibile scrivere l'impostazione ") + section +
                            QLatin1Char('.') + varName);
}

template <typename T> void ICopyClass::LoadFromStore(const QString &varName, T &value, const QString &section)
{
    if (!Platform::HasSetting(section, varName))
        return;
    const QString text = Platform::ReadSetting(section, varName, QString());
    value =
        ValueText::ValueOrKept(ValueText::Parse<T>(text), text, value, section + QLatin1Char('.') + varName);
}

#define IXO_SAVE_VARIABLE(Type, Writer)                                                                      \
    void ICopyClass::SaveVariable(const QString &varName, Type value, const QString &section)                \
    {                                                                                                        \
        if (!FileName().isEmpty())                                                                           \
            m_INI.Writer(SettingsSection(section), varName, value);                                          \
        else                                                                                                 \
            WriteToStore(SettingsSection(section), varName, ValueText::ToSettingText(value));                \
    }

IXO_SAVE_VARIABLE(qint16, INIAddKeyInt)
IXO_SAVE_VARIABLE(qint32, INIAddKeyLong)
IXO_SAVE_VARIABLE(float, INIAddKeySingle)
IXO_SAVE_VARIABLE(const QDateTime &, INIAddKeyDate)
IXO_SAVE_VARIABLE(const QString &, INIAddKeyString)
IXO_SAVE_VARIABLE(bool, INIAddKeyBool)
#undef IXO_SAVE_VARIABLE

#define IXO_LOAD_VARIABLE(Type, Reader)                                                                      \
    void ICopyClass::LoadVariable(const QString &varName, Type &value, const QString &section)               \
    {                                                                                                        \
        if (!FileName().isEmpty())                                                                           \
            value = m_INI.Reader(SettingsSection(section), varName, value);                                  \
        else                                                                                                 \
            LoadFromStore(varName, value, SettingsSection(section));                                         \
    }

IXO_LOAD_VARIABLE(qint16, INIGetInt)
IXO_LOAD_VARIABLE(qint32, INIGetLong)
IXO_LOAD_VARIABLE(float, INIGetSingle)
IXO_LOAD_VARIABLE(QDateTime, INIGetDate)
IXO_LOAD_VARIABLE(bool, INIGetBool)
#undef IXO_LOAD_VARIABLE

void ICopyClass::LoadVariable(const QString &varName, QString &value, const QString &section)
{
    if (!FileName().isEmpty())
        value = m_INI.INIGetString(SettingsSection(section), varName, value);
    else
        value = Platform::ReadSetting(SettingsSection(section), varName, value);
}
