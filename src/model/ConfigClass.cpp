#include "model/ConfigClass.h"

#include "common/TraceCode.h"
#include "model/Archive.h"

#include <typeinfo>

namespace {

// The column lines are many; they are only built when the log keeps them.
bool Tracing()
{
    return g_Trace->Writes();
}

// What a criterion asks for: a new row with an id, or the existing row of an id.
struct CRowTarget
{
    bool Adds = false;
    qint64 ID = 0;
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
        if (numberAdds && id >= 0)
            return CRowTarget{true, id};
        return std::nullopt;
    }
    case QMetaType::QString: {
        // "IDProgramma=7", blanks allowed around the parts.
        const QString text = criterion.toString();
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        bool ok = false;
        const qint64 id = text.mid(equals + 1).trimmed().toLongLong(&ok);
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

void CConfigClass::RaiseNotFound(qint64 id, const QString &table) const
{
    RaiseArchiveError(aeRecordNotFound, QStringLiteral("Record non trovato con il criterio:") +
                                            IDCriterion(id) + QStringLiteral(" nella tabella ") + table);
}

void CConfigClass::SaveDataInADORS(const QVariant &criterion)
{
    const std::optional<CRowTarget> target = ParseCriterion(criterion, true);
    if (!target) {
        TraceOpening();
        g_Trace->BugAssert(false, QStringLiteral("Parametro di SaveDataInADORS(...) nella classe ") +
                                      m_ClassName + QStringLiteral(" non previsto"));
        return;
    }
    SaveRow(target->ID, target->Adds);
}

void CConfigClass::LoadDataFromADORS(const QVariant &criterion)
{
    const std::optional<CRowTarget> target = ParseCriterion(criterion, false);
    if (!target) {
        TraceOpening();
        g_Trace->BugAssert(false, QStringLiteral("Parametro di LoadVariableFromADORS(...) nella classe ") +
                                      m_ClassName + QStringLiteral(" non previsto"));
        return;
    }
    LoadRow(target->ID);
}

void CConfigClass::SaveRow(qint64 id, bool adds)
{
    TraceOpening();
    const QString table = CheckedTable();
    Platform::CArchiveRow row(g_Connection->Columns(table));
    m_LoadSaveADORS.SetRecordset(&row);
    CSaveColumns saver(m_LoadSaveADORS);
    VisitColumns(saver);
    m_LoadSaveADORS.SetRecordset(nullptr);
    if (adds)
        g_Connection->AddRow(table, id, row);
    else if (!g_Connection->UpdateRow(table, id, row))
        RaiseNotFound(id, table);
}

Platform::CArchiveRow CConfigClass::LoadRow(qint64 id)
{
    TraceOpening();
    const QString table = CheckedTable();
    Platform::CArchiveRow row;
    if (!g_Connection->ReadRow(table, id, row))
        RaiseNotFound(id, table);
    m_LoadSaveADORS.SetRecordset(&row);
    CLoadColumns loader(m_LoadSaveADORS);
    VisitColumns(loader);
    m_LoadSaveADORS.SetRecordset(nullptr);
    return row;
}

void CConfigClass::TraceOpening() const
{
    if (Tracing())
        g_Trace->BugMessage(QStringLiteral("Apertura tabella:") + m_ClassName);
}

QString IDCriterion(qint64 id)
{
    return QStringLiteral("IDProgramma=%1").arg(id);
}
