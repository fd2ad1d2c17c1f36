#pragma once

#include <QDateTime>
#include <QString>

namespace Platform {
class CArchiveRow;
}

// Writes and reads one named, typed field of the current row of a recordset (the archive
// row stand-in of the platform layer). Each archive-backed configuration class owns one and
// points it at the row of its own table before it writes or reads its members.
// Six types, as for the settings store. Writing sets the field (an empty text too). Reading
// keeps the variable as it is when the field is missing or NULL, and when its value does not
// convert to the variable's type (that case with a trace line).
//   SaveVariable("m_SlotA", qint16(3))               -> field m_SlotA = 3
//   LoadVariable("m_SlotA", slot) with field "x"     -> slot unchanged, trace line
class CLoadSaveADORS
{
public:
    Platform::CArchiveRow *Recordset() const { return m_Recordset; }
    void SetRecordset(Platform::CArchiveRow *recordset) { m_Recordset = recordset; }

    void SaveVariable(const QString &fieldName, qint16 value);
    void SaveVariable(const QString &fieldName, qint32 value);
    void SaveVariable(const QString &fieldName, float value);
    void SaveVariable(const QString &fieldName, const QDateTime &value);
    void SaveVariable(const QString &fieldName, const QString &value);
    void SaveVariable(const QString &fieldName, bool value);
    // Any other type is refused when compiling, as in ICopyClass.
    template <typename T> void SaveVariable(const QString &fieldName, T value) = delete;

    void LoadVariable(const QString &fieldName, qint16 &value) const;
    void LoadVariable(const QString &fieldName, qint32 &value) const;
    void LoadVariable(const QString &fieldName, float &value) const;
    void LoadVariable(const QString &fieldName, QDateTime &value) const;
    void LoadVariable(const QString &fieldName, QString &value) const;
    void LoadVariable(const QString &fieldName, bool &value) const;

private:
    template <typename T> void Load(const QString &fieldName, T &value) const;

    Platform::CArchiveRow *m_Recordset = nullptr;
};
