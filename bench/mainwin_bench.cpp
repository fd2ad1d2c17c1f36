// The start of the program and the list of the main window over an archive of 10,000
// configurations. The list's requery (up to its rows being in the view) is measured against
// listing "Programmi" with a bare prepared statement on the same connection in the same run.
// Aim: the requery within 1.5x of the bare listing. The start-up, splash pause aside, is
// printed in milliseconds with the memory the process then holds.
#include "Clock.h"
#include "app/widgets/Avvio.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"
#include "model/Configuration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kConfigurations = 10000;

// Resident memory of the process in KB, as the kernel reports it.
long ResidentKB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void FillArchive()
{
    g_Connection->Open();
    CConfiguration configuration;
    CArchiveTransaction transaction(g_Connection->Database());
    for (int i = 0; i < kConfigurations; ++i) {
        configuration.ModInstr().SetNomeProgramma(
            QStringLiteral("Configurazione %1").arg((i * 7919) % kConfigurations));
        configuration.Add(g_Connection->NewID());
    }
    transaction.Commit();
    g_Connection->Close();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);
    try {
        InitGlobalScale();
        FillArchive();
        const long before = ResidentKB();

        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<FMain> window = StartUp(0);
        if (!window)
            return 1;
        QApplication::processEvents(); // the first paint of the window
        const double startMs = double(clock.nsecsElapsed()) / 1e6;
        std::printf("start-up to the main window shown (%d configurations): %8.1f ms, resident %ld KB "
                    "(%ld KB before)\n",
                    kConfigurations, startMs, ResidentKB(), before);

        const int rounds = argc > 1 ? QString(argv[1]).toInt() : 20;
        auto *list = window->findChild<QTableView *>(QStringLiteral("dgProgrammi"));
        const double requery = Milliseconds(rounds, [&] {
            window->RequeryProgrammi();
            if (list->verticalHeader()->count() != kConfigurations)
                std::exit(2);
        });
        QSqlQuery *bare = g_Connection->Database().Prepared(
            QStringLiteral("SELECT IDProgramma, m_NomeProgramma FROM CModInstr WHERE IDProgramma <> 2 "
                           "ORDER BY m_NomeProgramma COLLATE NOCASE, IDProgramma"));
        if (bare == nullptr)
            return 1;
        const double listing = Milliseconds(rounds, [bare] {
            bare->exec();
            QList<CProgrammaItem> items;
            while (bare->next())
                items.append({bare->value(0).toInt(), bare->value(1).toString()});
            bare->finish();
        });
        std::printf("%-34s list %8.3f ms   bare %8.3f ms   ratio %.2f\n", "requery of the list (10,000 rows)",
                    requery, listing, requery / listing);
        window->close();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
