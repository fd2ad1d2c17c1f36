#pragma once

#include "common/INIManager.h"
#include "platform/SettingsStore.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

// The persistence contract of every configuration and settings class. The wizard engine, the
// main window and the memory-map managers hold the objects as ICopyClass and ask them for
// their name, to store and load themselves in their archive row, and to store and load their
// named values in the per-user settings store (FileName empty) or an INI file (FileName set).
//
// Named values come in six types. A stored text that does not convert keeps the variable's
// current value (the class default) and writes a trace line; numbers go out with ".".
class ICopyClass
{
public:
    virtual ~ICopyClass() = default;

    // The class's name: its archive table, its settings section, its key in the wizard.
    virtual QString ClassName() const { return {}; }

    virtual QString FileName() const { return m_INI.FileName(); }
    virtual void SetFileName(const QString &fileName) { m_INI.SetFileName(fileName); }

    // Plain objects and settings classes match on equal names (letter case counting).
    virtual bool VerifySameClass(const ICopyClass &dst, const ICopyClass &src) const;

    // Archive row: an id (a number) adds a new row, a text "IDProgramma=N" finds one.
    virtual void SaveDataInADORS(const QVariant &criterion) { Q_UNUSED(criterion); }
    virtual void LoadDataFromADORS(const QVariant &criterion) { Q_UNUSED(criterion); }

    // A non-empty name selects an INI file; implementers then read or write each member.
    virtual void LoadData(const QString &nomeFile);
    virtual void SaveData(const QString &nomeFile);

    // The section a named value goes to. A plain object uses the caller's section; a settings
    // class keeps every member in its own section, whatever section a caller passes.
    virtual QString SettingsSection(const QString &requested) const { return requested; }

    void SaveVariable(const QString &varName, qint16 value, const QString &section);
    void SaveVariable(const QString &varName, qint32 value, const QString &section);
    void SaveVariable(const QString &varName, float value, const QString &section);
    void SaveVariable(const QString &varName, const QDateTime &value, const QString &section);
    void SaveVariable(const QString &varName, const QString &value, const QString &section);
    void SaveVariable(const QString &varName, bool value, const QString &section);
    // Any other type (a double, an enumeration, a text literal that would bind to bool) is
    // refused when compiling instead of being stored as a neighbouring type.
    template <typename T> void SaveVariable(const QString &varName, T value, const QString &section) = delete;

    void LoadVariable(const QString &varName, qint16 &value, const QString &section);
    void LoadVariable(const QString &varName, qint32 &value, const QString &section);
    void LoadVariable(const QString &varName, float &value, const QString &section);
    void LoadVariable(const QString &varName, QDateTime &value, const QString &section);
    void LoadVariable(const QString &varName, QString &value, const QString &section);
    void LoadVariable(const QString &varName, bool &value, const QString &section);

private:
    // Into the open CSettingsWriteBatch, else straight into the store.
    static void WriteToStore(const QString &section, const QString &varName, const QString &text);
    template <typename T> void LoadFromStore(const QString &varName, T &value, const QString &section);

    CINIManager m_INI;
};

// Holds back what SaveVariable writes to the per-user settings store while it lives, so the
// values of several objects are stored in one replace of the store: all of them or none.
// Nothing is written before Commit, nor when it is not called.
//   CSettingsWriteBatch batch;
//   wizard.SaveData(QString());          // every object's SaveVariable
//   if (!batch.Commit(&fault)) ...       // none of them stored
class CSettingsWriteBatch
{
public:
    CSettingsWriteBatch();
    ~CSettingsWriteBatch();
    CSettingsWriteBatch(const CSettingsWriteBatch &) = delete;
    CSettingsWriteBatch &operator=(const CSettingsWriteBatch &) = delete;

    // False, with a trace line naming the sections and in `fault` the file's reason, when the
    // store could not be written.
    bool Commit(QString *fault = nullptr);

private:
    friend class ICopyClass;
    QList<Platform::CSettingWrite> m_Writes;
    CSettingsWriteBatch *m_Outer;
};
