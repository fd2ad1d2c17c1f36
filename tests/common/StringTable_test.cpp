#include "common/Error.h"
#include "common/ResString.h"
#include "support/TraceCapture.h"

#include <QDirIterator>
#include <QTimer>

#include <gmock/gmock.h>

TEST(StringTable, LooksUpTextsAsWrittenAndRefusesUnknownNumbers)
{
    EXPECT_EQ(LoadResString(383), "Without name");
    EXPECT_TRUE(LoadResString(795).contains("\n\r"));
    EXPECT_THAT([] { LoadResString(199); },
                ::testing::Throws<CError>(::testing::Property(&CError::Number, 326)));
}

TEST(StringTable, FillsPlaceholdersInOnePassInTheUsersLocale)
{
    const std::tuple<const char *, QVariantList, const char *> cases[] = {
        {"|1-|1", {7}, "7-7"},
        {"a |1 b |2 |3", {1, 2}, "a 1 b 2 |3"},
        // Inserted text is never scanned again; "|10" is the tenth, not the first and a 0.
        {"|1 and |2", {"|2", "x"}, "|2 and x"},
        {"|2 |1", {"a", "|1"}, "|1 a"},
        {"|10 |1 |11", {1, 2, 3, 4, 5, 6, 7, 8, 9, "t"}, "t 1 11"},
        {"|1 |2 |3 |4", {1234.5, 0.1f, -7, true}, "1234,5 0,1 -7 True"},
    };
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    for (const auto &[text, args, expected] : cases)
        EXPECT_EQ(ReplaceArgs(text, args), expected) << text;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(LoadResStringArgs(222, {5}), "Network address 5");
}

TEST(Pause, ProcessesEventsUntilItEndsAndTracesItsLength)
{
    QLocale::setDefault(QLocale::c());
    TraceCapture capture;
    bool timerRan = false;
    QTimer::singleShot(0, [&timerRan] { timerRan = true; });
    Pause(0.05f);
    EXPECT_TRUE(timerRan);
    EXPECT_THAT(capture.Lines(), ::testing::ElementsAre("Inizio pausa 0.05 sec.", "Fine pausa 0.05 sec."));
}

// Every number that the program's code passes to the table must be there: a missing one
// would only show up as an error in front of a user.
TEST(StringTable, HoldsEveryIdTheCodeUses)
{
    const QRegularExpression use(
        QStringLiteral(R"((?:LoadResString|LoadResStringArgs|ResText|ShowMessage\w*)\(\s*(\d{3,4})\b)"));
    QStringList missing, used;
    for (QDirIterator it(IXO_SOURCE_DIR "/src", {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString file = it.next();
        for (auto m = use.globalMatch(QString::fromUtf8(ReadFile(file))); m.hasNext();)
            (HasResString(m.peekNext().captured(1).toInt()) ? used : missing)
                << m.next().captured(1) + " in " + file;
    }
    EXPECT_FALSE(used.isEmpty());
    EXPECT_TRUE(missing.isEmpty()) << missing.join('\n').toStdString();
}
