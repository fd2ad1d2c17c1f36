#pragma once

#include "model/Archive.h"
#include "model/ArchiveTransaction.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

// The user folders of a benchmark's own process, thrown away at its end, and the offscreen
// platform unless QT_QPA_PLATFORM names another; made before the application object.
class CBenchHome
{
public:
    CBenchHome()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_DATA_HOME", (m_Home.path() + QStringLiteral("/data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (m_Home.path() + QStringLiteral("/config")).toLocal8Bit());
    }

private:
    QTemporaryDir m_Home;
};

// An archive of `configurations` configurations at `path`, made by the program (schema, record 2)
// and filled by bulk statements: ids from 3 on, named "Configurazione n" in a scrambled order,
// every other column its default, the id counter at the last id. Closed when made.
inline void FillArchive(const QString &path, int configurations)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    g_Connection->Open(path);
    {
        CArchiveTransaction transaction(g_Connection->Database());
        const QString numbers =
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
                .arg(configurations + 2);
        g_Connection->Run(numbers + QStringLiteral("INSERT INTO CounterProgrammi SELECT i FROM n"));
        for (const QString &table : CArchive::ConfigurationTables()) {
            const QString rows =
                table == QLatin1String("CModInstr")
                    ? QStringLiteral("(IDProgramma, m_NomeProgramma) SELECT i, 'Configurazione ' || "
                                     "((i * 7919) % %1) FROM n")
                          .arg(configurations)
                    : QStringLiteral("(IDProgramma) SELECT i FROM n");
            g_Connection->Run(numbers + QStringLiteral("INSERT INTO ") + table + ' ' + rows);
        }
        transaction.Commit();
    }
    g_Connection->Close();
}
