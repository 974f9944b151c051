// Models whose file names are not UTF-8: opened by their bytes from the command
// line, an error line, the workspace and the recent-file list, and shown as
// Latin-1 wherever a name shows. The same test runs under a C and a UTF-8 locale.
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <fstream>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "res/CommandIds.h"

namespace {

class FileNameE2e : public FrameFixture {
protected:
    // A file named by its bytes (the fixture's writer takes names as text).
    std::string WriteNamed(const std::string& name, const std::string& text)
    {
        const std::string path = dir.path().toStdString() + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // How a name in the directory reads, given as UTF-8.
    QString Shown(const char* utf8) const { return dir.path() + "/" + QString::fromUtf8(utf8); }
    QMenu* FileMenu() const { return Frame().menuBar()->actions().first()->menu(); }
};

TEST_F(FileNameE2e, NamesThatAreNotUtf8OpenByTheirBytesAndReadAsLatin1)
{
    const std::string cafe = WriteNamed("caf\xE9.nuv", "print \"d\xE9j\xE0.inc(2): see here\\n\";\n");
    const std::string deja = WriteNamed("d\xE9j\xE0.inc", "one\ntwo\n");

    // The command line, relative names as the shell hands them over.
    prompts.ExpectMessageBox(IDOK);
    Start({"caf\xE9.nuv", "gon\xE9"});
    EXPECT_EQ(prompts.Last().text, "Cannot open the file " + Shown("gon\u00E9.nuv"));
    ASSERT_NE(ActiveEditor(), nullptr);
    EXPECT_EQ(ActiveEditor()->FileName(), cafe);
    EXPECT_EQ(ActiveEditor()->windowTitle(), Shown("caf\u00E9.nuv"));

    // A run names it in the output window; its error line opens the other file.
    Frame().OnCommand(ID_RUN_ACTIVE);
    DeliverPosted();
    EXPECT_EQ(Output()->windowTitle(), "Output - " + Shown("caf\u00E9.nuv"));
    Frame().OnCommand(ID_RUN_NEXT_ERROR);
    ASSERT_NE(ActiveEditor(), nullptr);
    EXPECT_EQ(ActiveEditor()->FileName(), deja);
    EXPECT_EQ(ActiveEditor()->windowTitle(), Shown("d\u00E9j\u00E0.inc"));
    EXPECT_EQ(ActiveEditor()->Edit().GetSelectedText(), "two");

    // The workspace and the recent-file list bring both back in the next session.
    Frame().AddToRecentFileList(deja.c_str());
    Frame().OnCommand(ID_OPTIONS_SAVE_SETTINGS);
    Frame().OnCommand(ID_APP_EXIT);
    DeliverPosted();
    app->ExitInstance();
    Start();
    ASSERT_NE(Frame().FindEditorWindow(cafe.c_str()), nullptr);
    CNuvChild* restored = Frame().FindEditorWindow(deja.c_str());
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(MenuTexts(FileMenu()).contains("&1 " + Shown("d\u00E9j\u00E0.inc")));
    restored->close();
    DeliverPosted();
    ASSERT_EQ(Frame().FindEditorWindow(deja.c_str()), nullptr);
    Frame().OnCommand(ID_FILE_MRU_FILE1);
    ASSERT_NE(ActiveEditor(), nullptr);
    EXPECT_EQ(ActiveEditor()->FileName(), deja);
}

}  // namespace
