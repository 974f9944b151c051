// New, Open, the recent files and the command line, against the fake frame.
#include <QDir>
#include <unistd.h>

#include "EditorTestSupport.h"
#include "editor/CFileCommands.h"
#include "editor/CRecentFileList.h"

namespace {

class FileCommandsTest : public EditorWidgetTest {
protected:
    void SetUp() override
    {
        EditorWidgetTest::SetUp();
        frame->recentFiles.clear();
    }
    void TearDown() override
    {
        CNuvEdit::FailAllocationsAfterForTests(-1);
        EditorWidgetTest::TearDown();
    }
    CNuvEdit* Active() const { return qobject_cast<CNuvEdit*>(frame->MdiArea()->activeSubWindow()); }

    CRecentFileList recent;
    CFileCommands commands{recent};
};

TEST_F(FileCommandsTest, NewFollowsTheActiveWindowsMaximisedState)
{
    commands.New();
    ASSERT_NE(Active(), nullptr);
    EXPECT_FALSE(Active()->isMaximized());
    EXPECT_EQ(frame->ActiveChild(), Active());
    Active()->showMaximized();
    commands.New();
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_TRUE(Active()->isMaximized());
}

TEST_F(FileCommandsTest, OpenLoadsOrActivatesTheWindowThatShowsTheFile)
{
    const std::string a = File("a.nuv", "a");
    prompts->ExpectFile(QString::fromStdString(a));
    commands.Open();
    CNuvEdit* opened = Active();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->FileName(), a);
    EXPECT_EQ(frame->recentFiles, QStringList{QString::fromStdString(a)});

    commands.New();
    ASSERT_NE(Active(), opened);
    prompts->ExpectFile(QString::fromStdString(a));
    commands.Open();
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(Active(), opened);
    EXPECT_EQ(frame->messageText, QString::fromStdString("File " + a + " already loaded"));
    EXPECT_EQ(prompts->Beeps(), std::vector<UINT>{static_cast<UINT>(MB_ICONASTERISK)});

    prompts->ExpectFile(QString::fromStdString(Path("missing.nuv")));
    prompts->ExpectMessageBox(IDOK);
    commands.Open();
    FlushDeletes();
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(frame->recentFiles.size(), 1);

    prompts->ExpectFileCancel();
    commands.Open();
    EXPECT_EQ(WindowCount(), 2);
}

TEST_F(FileCommandsTest, RecentFiles)
{
    const std::string a = File("a.nuv", "a");
    const std::string b = File("b.nuv", "b");
    const std::string c = File("c.nuv", "c");
    const std::string gone = Path("gone.nuv");
    for (const std::string& name : {gone, c, b, a})
        recent.Add(name.c_str());  // a, b, c, gone

    commands.OpenRecent(2);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->FileName(), c);
    EXPECT_EQ(recent.entries(), (std::array<std::string, 4>{c, a, b, gone}));

    prompts->ExpectMessageBox(IDOK);
    commands.OpenRecent(3);
    FlushDeletes();
    EXPECT_TRUE(prompts->Last().text.startsWith("Cannot open the file"));
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(recent.entries(), (std::array<std::string, 4>{c, a, b, gone}));

    commands.OpenRecent(1);
    commands.OpenRecent(1);  // c is shown already
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(Active()->FileName(), c);
    EXPECT_EQ(frame->messageText, QString::fromStdString("File " + c + " already loaded"));

    CNuvEdit::FailAllocationsAfterForTests(0);
    prompts->ExpectMessageBox(IDOK);
    commands.OpenRecent(2);
    EXPECT_EQ(prompts->Last().text, QString::fromStdString("Not enough memory to create window for '" + b + "'"));
    EXPECT_EQ(prompts->Last().style, MB_ICONEXCLAMATION);
}

TEST_F(FileCommandsTest, CommandLine)
{
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    File("one.nuv", "1");
    File("two.nuv", "2");
    const std::string longName(300, 'n');
    prompts->ExpectMessageBox(IDOK);  // missing.nuv
    prompts->ExpectMessageBox(IDOK);  // the name too long for the buffers
    CFileCommands::OpenCommandLineFiles({"one", "missing", "two", longName});
    FlushDeletes();
    ASSERT_EQ(WindowCount(), 2);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->FileName(), QDir::currentPath().toStdString() + "/two.nuv");
    EXPECT_TRUE(prompts->Last().text.startsWith("Cannot open the file /"));
    EXPECT_TRUE(frame->recentFiles.isEmpty());

    // No already-loaded check; a window that cannot be made stops the rest.
    CNuvEdit::FailAllocationsAfterForTests(1);
    prompts->ExpectMessageBox(IDOK);
    CFileCommands::OpenCommandLineFiles({"one", "one", "two"});
    EXPECT_EQ(WindowCount(), 3);
    EXPECT_EQ(prompts->Last().text, "Not enough memory to load all the files.");
    EXPECT_EQ(prompts->Last().style, MB_ICONEXCLAMATION);
    QDir::setCurrent(saved);
}

}  // namespace

namespace {

// New windows open wholly inside the MDI area, cascading down from its
// top-left corner and starting there again when the next place would not fit.
TEST_F(FileCommandsTest, NewWindowsCascadeInsideTheArea)
{
    frame->resize(800, 600);
    const QRect area(QPoint(0, 0), frame->MdiArea()->viewport()->size());
    QList<QPoint> places;
    for (int i = 0; i < 12; ++i) {
        commands.New();
        ASSERT_NE(Active(), nullptr);
        EXPECT_TRUE(area.contains(Active()->geometry())) << i;
        places << Active()->pos();
    }
    EXPECT_EQ(places.front(), QPoint(0, 0));
    EXPECT_GT(places[1].x(), 0);
    EXPECT_GT(places[1].y(), 0);
    EXPECT_GT(places.count(QPoint(0, 0)), 1) << "the cascade started again at the corner";
}

// A maximised child stays maximised: the window that takes its place when it
// closes, or when an Open made maximised fails, is maximised too.
TEST_F(FileCommandsTest, TheMaximisedStatePassesToTheNextWindow)
{
    commands.New();
    CNuvEdit* first = Active();
    commands.New();
    CNuvEdit* second = Active();
    second->showMaximized();
    second->close();
    FlushDeletes();
    ASSERT_EQ(Active(), first);
    EXPECT_TRUE(first->isMaximized());

    prompts->ExpectFile(QString::fromStdString(Path("missing.nuv")));
    prompts->ExpectMessageBox(IDOK);
    commands.Open();
    FlushDeletes();
    EXPECT_EQ(WindowCount(), 1);
    ASSERT_EQ(Active(), first);
    EXPECT_TRUE(first->isMaximized());
}

}  // namespace
