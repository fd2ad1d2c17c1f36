#include "support/TraceCapture.h"
#include "common/Error.h"
#include "common/ResString.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <gmock/gmock.h>

namespace {

// The user's locale for one test.
class ScopedLocale
{
public:
    explicit ScopedLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~ScopedLocale() { QLocale::setDefault(m_Old); }

private:
    QLocale m_Old;
};

} // namespace

TEST(StringTable, LooksUpTextsAndRefusesUnknownNumbers)
{
    EXPECT_EQ(LoadResString(383), "Without name");
    EXPECT_EQ(LoadResString(301), "IxoSoft");
    EXPECT_TRUE(LoadResString(795).contains("\n\r"));
    try {
        LoadResString(199);
        FAIL() << "a missing number must raise";
    } catch (const CError &error) {
        EXPECT_EQ(error.Number(), 326);
        EXPECT_TRUE(error.Source().endsWith(".VBError"));
    }
}

TEST(StringTable, FillsPlaceholdersInOnePass)
{
    EXPECT_EQ(LoadResStringArgs(222, {5}), "Network address 5");
    EXPECT_EQ(ReplaceArgs("|1-|1", {7}), "7-7");
    EXPECT_EQ(ReplaceArgs("a |1 b |2 |3", {1, 2}), "a 1 b 2 |3");
    EXPECT_EQ(ReplaceArgs("plain", {1, 2}), "plain");
    EXPECT_EQ(ReplaceArgs("|1 |2", {}), "|1 |2");
    // Inserted text is never scanned again.
    EXPECT_EQ(ReplaceArgs("|1 and |2", {"|2", "x"}), "|2 and x");
    // Ten arguments: "|10" is the tenth, not the first followed by 0.
    QVariantList ten;
    for (int i = 1; i <= 10; ++i)
        ten << QStringLiteral("v%1").arg(i);
    EXPECT_EQ(ReplaceArgs("|10 |1 |11", ten), "v10 v1 v11");
}

TEST(StringTable, ArgumentsReadAsTheRunTimeWritesThemInTheUsersLocale)
{
    const ScopedLocale italian{QLocale(QLocale::Italian, QLocale::Italy)};
    EXPECT_EQ(ReplaceArgs("|1 |2 |3 |4 |5", {1234.5, 0.1f, -7, true, QStringLiteral("COM1")}),
              "1234,5 0,1 -7 True COM1");
    const ScopedLocale english{QLocale(QLocale::English, QLocale::UnitedStates)};
    EXPECT_EQ(ReplaceArgs("m_NetworkAdd=|1 dp=|2 Value=|3", {qint16(12), 2, 98765.25f}),
              "m_NetworkAdd=12 dp=2 Value=98765.25");
}

TEST(Pause, ProcessesEventsUntilItEndsAndTracesItsLength)
{
    const ScopedLocale english{QLocale(QLocale::English, QLocale::UnitedStates)};
    TraceCapture capture;
    bool timerRan = false;
    QTimer::singleShot(0, [&timerRan] { timerRan = true; });
    Pause(0.05f);
    EXPECT_TRUE(timerRan);
    Pause(0.0f);
    EXPECT_THAT(capture.Lines(), ::testing::ElementsAre("Inizio pausa 0.05 sec.", "Fine pausa 0.05 sec.",
                                                        "Inizio pausa 0 sec.", "Fine pausa 0 sec."));
}

// Every number that the program's code passes to the table must be there: a missing one
// would only show up as an error in front of a user.
TEST(StringTable, HoldsEveryIdTheCodeUses)
{
    const QRegularExpression use(
        QStringLiteral(R"((?:LoadResString|LoadResStringArgs|ResText|ShowMessage\w*)\(\s*(\d{3,4})\b)"));
    QStringList missing;
    QDirIterator it(QStringLiteral(IXO_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    int uses = 0;
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto m = use.globalMatch(text); m.hasNext();) {
            const int id = m.next().captured(1).toInt();
            ++uses;
            if (!HasResString(id))
                missing << QStringLiteral("%1 in %2").arg(id).arg(file.fileName());
        }
    }
    EXPECT_GT(uses, 0);
    EXPECT_TRUE(missing.isEmpty()) << missing.join('\n').toStdString();
}
