#include "App_fixture.h"

namespace {

// New, Modify, Delete and the configuration wizard on record 2, one case of
// tests/data/archive_commands.tsv each.
using ArchiveCommand = Cases<AppTest, QStringList>;

TEST_P(ArchiveCommand, StoresWhatTheWizardEndedWithElseNothing)
{
    const QStringList &c = GetParam();
    const bool record2 = c[1] == "2";
    ASSERT_EQ(AddProgrammi({"Caldaia"}), QList<qint64>{3});
    Open();
    if (c[2] != "-")
        g_Connection->Run(c[2]);
    const QStringList before = Dump();
    MessageRecorder messages({c[5] == "Yes" ? QMessageBox::Yes : QMessageBox::No});
    WizardUser user({}, c[4] == "End" ? IWizardPage::brEnd : IWizardPage::brCancel);
    user.Options = c[3].split(' ');
    if (record2)
        EXPECT_EQ(window->EditNewProgramma(2), c[7] != "-");
    else
        Trigger(qPrintable(c[1]));

    // Every page under the caption of its mode: new, the name of the one modified, record 2.
    const QString caption = record2                 ? LoadResString(792)
                            : c[1].contains("Edit") ? LoadResStringArgs(790, {"Caldaia"})
                                                    : LoadResString(791);
    QString pages;
    for (const QString &page : user.Pages)
        pages += (page.endsWith(' ' + caption) ? page.section(' ', 0, 0) : '<' + page + '>') + ' ';
    EXPECT_TRUE(c[6] == "*" ? !pages.contains('<') : pages.trimmed() == QString(c[6]).remove('-'))
        << qPrintable(pages);
    EXPECT_TRUE(user.Pages.isEmpty() || user.ModInstrAction == (record2 ? 1 : 0));

    QStringList changed = Dump().filter(QRegularExpression("^CModInstr"));
    changed.removeIf([&](const QString &row) { return before.contains(row); });
    const QString outcome = QString("%1|%2|%3|")
                                .arg(Listed().join(','), window->NomeProgramma())
                                .arg(Dump().size() - before.size());
    EXPECT_EQ(outcome + changed.join(','), c[7] == "-" ? "Caldaia|Caldaia|0|" : c[7]);
    EXPECT_TRUE(c[7] != "-" || Dump() == before);
    EXPECT_EQ(Action("EditProg")->isEnabled(), !Listed().isEmpty());

    QStringList expected, shown;
    for (const QString &id : QString(c[8]).remove('-').split(' ', Qt::SkipEmptyParts))
        expected << (id == "823"  ? "3 823"
                     : id == "id" ? "3 " + LoadResStringArgs(821, {"New file", LoadResString(824)})
                     // Record 2 in the wizard's own words; Modify refused as every command on
                     // the current configuration is.
                     : id == "808" && record2 ? "3 " + LoadResStringArgs(808, {LoadResString(617)})
                     : id == "808"            ? "3 " + LoadResStringArgs(820, {"Modify file", "Caldaia",
                                                                               LoadResStringArgs(808, {"Caldaia"})})
                     : id == "822"
                         ? "3 " + LoadResStringArgs(820, {"Modify file", "Caldaia", LoadResString(822)})
                         : QString(id == "799" ? "4 " : "1 ") + LoadResString(id.toInt()) + " Yes|No");
    for (const CMessage &m : messages.Shown())
        shown << QString::number(m.Icon) + ' ' + (m.Text.endsWith(LoadResString(823)) ? "823" : m.Text) +
                     (m.Buttons == (QMessageBox::Yes | QMessageBox::No) ? " Yes|No" : "");
    EXPECT_EQ(shown, c[8] == "-" ? QStringList() : expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ArchiveCommand, ::testing::ValuesIn(ReadDataTable("archive_commands.tsv")),
                         CaseName());

} // namespace
