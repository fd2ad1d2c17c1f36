#include "App_fixture.h"

namespace {

// Each kind of file starts where its own last file was chosen in this run; a proposed path
// starts in its folder, or, when that folder is gone, in the kind's folder with no name.
TEST(FileChooser, EachKindStartsWhereItsLastFileWasChosen)
{
    TempUserDirs dirs;
    QTemporaryDir programs, printouts;
    const auto choose = [](EFileRole role, const QString &answer, const QString &proposed = {}) {
        FileDialogUser user(answer);
        const QString chosen = ChooseFile(nullptr, {role, true, false, {}, "PDF (*.pdf)", "pdf", proposed});
        return QStringList{chosen, user.Shown.value(1), user.Shown.value(2)};
    };
    EXPECT_EQ(choose(EFileRole::ProgramFile, programs.filePath("a.IXO"))[0], programs.filePath("a.IXO"));
    EXPECT_EQ(choose(EFileRole::PdfFile, printouts.filePath("b"))[0], printouts.filePath("b.pdf"));
    EXPECT_EQ(choose(EFileRole::ProgramFile, {}, "c.IXO"), QStringList({"", programs.path(), "c.IXO"}));
    EXPECT_EQ(choose(EFileRole::PdfFile, {}), QStringList({"", printouts.path(), ""}));
    EXPECT_EQ(choose(EFileRole::PdfFile, {}, programs.filePath("d.pdf")),
              QStringList({"", programs.path(), "d.pdf"}));
    EXPECT_EQ(choose(EFileRole::PdfFile, {}, programs.filePath("gone/e.pdf")),
              QStringList({"", printouts.path(), ""}));
}

} // namespace
