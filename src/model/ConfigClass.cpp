#include "model/ConfigClass.h"

#include "common/TraceCode.h"
#include "model/Archive.h"

#include <limits>
#include <typeinfo>

namespace {

// The column lines are many; they are only built when the log keeps them.
bool Tracing()
{
    return g_Trace->BugTraceMode() != CTraceCode::tmNoTrace;
}

// What a criterion asks for: a new row with an id, or the existing row of an id.
struct CRowTarget
{
    bool Adds = false;
    qint32 ID = 0;
};

std::optional<CRowTarget> ParseCriterion(const QVariant &criterion, bool numberAdds)
{
    switch (criterion.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        // A number read from a query arrives as a 64-bit one.
        const qlonglong id = criterion.toLongLong();
        if (numberAdds && id >= 0 && id <= std::numeric_limits<qint32>::max())
            return CRowTarget{true, qint32(id)};
        return std::nullopt;
    }
    case QMetaType::QString: {
        // "IDProgramma=7", blanks allowed around the parts.
        const QString text = criterion.toString();
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        bool ok = false;
        const qint32 id = text.mid(equals + 1).trimmed().toInt(&ok);
        if (equals > 0 && ok && id >= 0 &&
            QStringView(text).left(equals).trimmed() == QLatin1String("IDProgramma"))
            return CRowTarget{false, id};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

class CSaveColumns : public CColumnVisitor
{
public:
    explicit CSaveColumns(CLoadSaveADORS &fields) : m_Fields(fields) {}
    void Column(const QString &name, qint16 &member) override
    {
        if (Tracing())
            g_Trace->BugMessage(QStringLiteral("SaveVariable ") + name + QLatin1Char('=') +
                                QString::number(member));
        m_Fields.SaveVariable(name, member);
    }
    void Column(const QString &name, QString &member) override
    {
        if (Tracing())
            g_Trace->BugMessage(QStringLiteral("SaveVariable ") + name + QLatin1Char('=') + member);
        m_Fields.SaveVariable(name, member);
    }

private:
    CLoadSaveADORS &m_Fields;
};

class CLoadColumns : public CColumnVisitor
{
public:
    explicit CLoadColumns(const CLoadSaveADORS &fields) : m_Fields(fields) {}
    void Column(const QString &name, qint16 &member) override { Load(name, member); }
    void Column(const QString &name, QString &member) override { Load(name, member); }

private:
    template <typename T> void Load(const QString &name, T &member)
    {
        if (Tracing())
            g_Trace->BugMessage(QStringLiteral("LoadVariable ") + name);
        m_Fields.LoadVariable(name, member);
    }
    const CLoadSaveADORS &m_Fields;
};

class CColumnNames : public CColumnVisitor
{
public:
    void Column(const QString &name, qint16 &) override { Names << name; }
    void Column(const QString &name, QString &) override { Names << name; }
    QStringList Names;
};

} // namespace

CConfigClass::CConfigClass(const QString &className) : m_ClassName(className), m_OwnClassName(className) {}

bool CConfigClass::VerifySameClass(const ICopyClass &dst, const ICopyClass &src) const
{
    const QString a = dst.ClassName();
    const QString b = src.ClassName();
    return a.contains(b, Qt::CaseInsensitive) || b.contains(a, Qt::CaseInsensitive);
}

void CConfigClass::GetData(ICopyClass &other) const
{
    if (VerifySameClass(other, *this) && typeid(other) == typeid(*this))
        static_cast<CConfigClass &>(other).CopyFrom(*this);
}

void CConfigClass::SetData(const ICopyClass &other)
{
    if (VerifySameClass(other, *this) && typeid(other) == typeid(*this))
        CopyFrom(static_cast<const CConfigClass &>(other));
}

QStringList CConfigClass::StoredColumns()
{
    CColumnNames names;
    VisitColumns(names);
    return names.Names;
}

QString CConfigClass::CheckedTable() const
{
    // "CAlarm" may keep its rows in "CAlarm1" to "CAlarm4", every other class only in its own.
    if (!CArchive::IsConfigurationTable(m_ClassName) || !m_ClassName.startsWith(m_OwnClassName))
        RaiseArchiveError(aeUnknownTable, QStringLiteral("Tabella ") + m_ClassName +
                                              QStringLiteral(" non prevista per ") + m_OwnClassName);
    return m_ClassName;
}

void CConfigClass::RaiseNotFound(const QVariant &criterion, const QString &table) const
{
    RaiseArchiveError(aeRecordNotFound, QStringLiteral("Record non trovato con il criterio:") +
                                            criterion.toString() + QStringLiteral(" nella tabella ") + table);
}

void CConfigClass::SaveDataInADORS(const QVariant &criterion)
{
    g_Trace->BugMessage(QStringLiteral("Apertura tabella:") + m_ClassName);
    const std::optional<CRowTarget> target = ParseCriterion(criterion, true);
    g_Trace->BugAssert(target.has_value(), QStringLiteral("Parametro di SaveDataInADORS(...) nella classe ") +
                                               m_ClassName + QStringLiteral(" non previsto"));
    const QString table = CheckedTable();
    Platform::CArchiveRow row;
    m_LoadSaveADORS.SetRecordset(&row);
    CSaveColumns saver(m_LoadSaveADORS);
    VisitColumns(saver);
    m_LoadSaveADORS.SetRecordset(nullptr);
    if (target->Adds)
        g_Connection->AddRow(table, target->ID, row);
    else if (!g_Connection->UpdateRow(table, target->ID, row))
        RaiseNotFound(criterion, table);
}

void CConfigClass::LoadDataFromADORS(const QVariant &criterion)
{
    g_Trace->BugMessage(QStringLiteral("Apertura tabella:") + m_ClassName);
    const std::optional<CRowTarget> target = ParseCriterion(criterion, false);
    g_Trace->BugAssert(target.has_value(),
                       QStringLiteral("Parametro di LoadVariableFromADORS(...) nella classe ") + m_ClassName +
                           QStringLiteral(" non previsto"));
    const QString table = CheckedTable();
    Platform::CArchiveRow row(StoredColumns());
    if (!g_Connection->ReadRow(table, target->ID, row))
        RaiseNotFound(criterion, table);
    m_LoadSaveADORS.SetRecordset(&row);
    CLoadColumns loader(m_LoadSaveADORS);
    VisitColumns(loader);
    m_LoadSaveADORS.SetRecordset(nullptr);
}
