#pragma once

#include "common/CopyClass.h"
#include "common/LoadSaveADORS.h"
#include "model/ReportRecordset.h"
#include "platform/ArchiveRow.h"

// The stored columns of one configuration class, visited in their stored order: saving reads
// the members, loading writes them.
class CColumnVisitor
{
public:
    virtual ~CColumnVisitor() = default;
    virtual void Column(const QString &name, qint16 &member) = 0;
    virtual void Column(const QString &name, QString &member) = 0;
};

// The common shape of the archive-backed configuration classes: a class name that is also
// the archive table ("CAlarm1"), one row of that table per configuration keyed by
// "IDProgramma", the copy between two objects of one class and the report rows.
//   SaveDataInADORS(7)                 -> adds row 7 (CError when the table has one)
//   SaveDataInADORS("IDProgramma=7")   -> updates row 7 (CError when there is none)
//   LoadDataFromADORS("IDProgramma=7") -> reads row 7; context properties stay as they are
// A criterion of another kind is a programming error (fatal assertion). Only the thirteen
// archive tables are ever opened, and only those whose name starts with the class's own.
class CConfigClass : public ICopyClass
{
public:
    QString ClassName() const override { return m_ClassName; }
    void SetClassName(const QString &className) { m_ClassName = className; }

    // Either class name contains the other, letter case aside: "CAlarm" ~ "calarm3", while
    // "CAlarm1" and "CAlarm2" differ.
    bool VerifySameClass(const ICopyClass &dst, const ICopyClass &src) const override;

    void SaveDataInADORS(const QVariant &criterion) override;
    void LoadDataFromADORS(const QVariant &criterion) override;
    // The same for an id given as a number: the row added (adds) or rewritten, or read (the row
    // as the archive held it comes back).
    void SaveRow(qint64 id, bool adds);
    Platform::CArchiveRow LoadRow(qint64 id);

    // The columns of its archive table that the class stores, in their order (the key
    // "IDProgramma" aside): CDisplay -> "m_DisplayDigit", "m_DisplayColor", "m_Password".
    QStringList StoredColumns();

    // Appends this object's rows; the caller sets the context properties first.
    virtual void SetReport(CReportRecordset &report) const = 0;

    // Copy every copied member into other (GetData) or from other (SetData) when
    // VerifySameClass accepts the pair and both are of this class; otherwise nothing.
    void GetData(ICopyClass &other) const;
    void SetData(const ICopyClass &other);

protected:
    explicit CConfigClass(const QString &className);
    CConfigClass(const CConfigClass &) = default;
    CConfigClass &operator=(const CConfigClass &) = default;

    virtual void VisitColumns(CColumnVisitor &visitor) = 0;
    // source is of the same class as this object.
    virtual void CopyFrom(const CConfigClass &source) = 0;

private:
    QString CheckedTable() const;
    void TraceOpening() const;
    [[noreturn]] void RaiseNotFound(qint64 id, const QString &table) const;

    QString m_ClassName;
    QString m_OwnClassName;
    CLoadSaveADORS m_LoadSaveADORS;
};

// The criterion that finds the rows of an archived id: "IDProgramma=7".
QString IDCriterion(qint64 id);
