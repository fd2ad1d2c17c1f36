#pragma once

#include "model/Archive.h"
#include "model/ArchiveTransaction.h"

#include <QDir>
#include <QFileInfo>

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
