// The workspace through the real main frame: what an exit writes to _nuv_.cfg
// and what the next start puts back, with every question answered by script.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QToolBar>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "FrameFixture.h"
#include "app/CFrameStatusBar.h"
#include "app/CMainFrame.h"
#include "config/CConfigFile.h"
#include "config/CFrameOnScreen.h"
#include "config/CWorkspaceReader.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "platform/Profile.h"
#include "res/CommandIds.h"

namespace {

const char* const kLoop = "i = 0;\nwhile (i < 200) { sleep 5; i++; }\nprint \"done\\n\";\n";

LOGFONTA ChosenFont()
{
    LOGFONTA font{};
    font.lfHeight = -17;
    font.lfWeight = 700;
    font.lfPitchAndFamily = FIXED_PITCH;
    std::strcpy(font.lfFaceName, "DejaVu Sans Mono");
    return font;
}

WINDOWPLACEMENT Placement(std::uint32_t showCmd, int left, int top, int width, int height)
{
    return {44, 0, showCmd, {-1, -1}, {-1, -1}, {left, top, left + width, top + height}};
}

// An editor's description: its name and where its caret is, as a person reads them.
struct EditorState {
    std::string name;
    int line;    // from 1
    int column;  // from 1
    bool operator==(const EditorState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const EditorState& e)
{
    return out << e.name << " " << e.line << ":" << e.column;
}

class WorkspaceE2e : public FrameFixture {
protected:
    WorkspaceE2e()
    {
        Profile::RemoveKey("Options", "Timer");
        Profile::RemoveKey("Options", "RangeCheck");
    }
    ~WorkspaceE2e() override { CNuvEdit::FailAllocationsAfterForTests(-1); }

    QString ConfigPath() const { return dir.path() + "/_nuv_.cfg"; }
    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // What lies at _nuv_.cfg itself, links not followed.
    mode_t EntryType() const
    {
        struct stat st {};
        return ::lstat(QFile::encodeName(ConfigPath()).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    }

    CNuvEdit* Editor(const std::string& path) const
    {
        return static_cast<CNuvEdit*>(Frame().FindEditorWindow(path.c_str()));
    }

    // The children bottom to top: editors by name, the output window as "output".
    std::vector<std::string> Stack() const
    {
        std::vector<std::string> names;
        for (QMdiSubWindow* w : Frame().MdiArea()->subWindowList(QMdiArea::StackingOrder)) {
            auto* editor = qobject_cast<CNuvEdit*>(w);
            names.push_back(editor ? std::string(editor->FileName()) : "output");
        }
        return names;
    }

    std::vector<EditorState> Carets() const
    {
        std::vector<EditorState> carets;
        for (QMdiSubWindow* w : Frame().MdiArea()->subWindowList(QMdiArea::StackingOrder)) {
            // Read from the control, leaving the window's own position alone.
            if (auto* editor = qobject_cast<CNuvEdit*>(w)) {
                CEditControl& edit = editor->Edit();
                const int caret = edit.GetCaret();
                const int line = edit.LineFromChar(caret);
                const QString before = edit.GetLine(line).left(caret - edit.LineIndex(line));
                carets.push_back({editor->FileName(), line + 1, static_cast<int>(before.toUcs4().size()) + 1});
            }
        }
        return carets;
    }

    // Section 7 of the file as written: "output", or the editor's name.
    std::vector<std::string> SavedWindows() const
    {
        CConfigFile reader(QFile::encodeName(dir.path()).constData(), "_nuv_.cfg", CConfigFile::kRead);
        std::vector<std::string> names;
        if (reader.m_status != CFG_OK || !reader.FindSection(7))
            return {"<no file>"};
        while (const unsigned char* bytes = reader.ReadRecord()) {
            const ConfigRecord record = ConfigRecord::Decode(bytes);
            names.push_back(record.type == 10 ? std::string("output") : std::string(record.name));
        }
        return names;
    }

    void SaveSettingsOn()
    {
        if (!Frame().m_bSaveSettings)
            Frame().OnCommand(ID_OPTIONS_SAVE_SETTINGS);
        ASSERT_TRUE(Frame().m_bSaveSettings);
    }

    void Exit()
    {
        Frame().OnCommand(ID_APP_EXIT);
        DeliverPosted();
    }

    // A file the program's own writer makes, for starts from a given workspace.
    void WriteWorkspace(const std::function<void(CConfigFile&)>& records)
    {
        CConfigFile writer(QFile::encodeName(dir.path()).constData(), "_nuv_.cfg", CConfigFile::kWrite);
        ASSERT_EQ(writer.m_status, CFG_OK);
        records(writer);
        ASSERT_TRUE(writer.Commit());
    }
};

}  // namespace

// Models open, windows moved, minimised and maximised, the tool bar hidden, a new
// font, carets somewhere: exit with Save Settings on Exit, start again, and
// everything is as it was. A second exit right away (the windows restored and
// never touched since) writes the same workspace again.
TEST_F(WorkspaceE2e, TheWorkspaceComesBackAsItWasLeft)
{
    const std::string a = WriteModel("café.nuv", "x = 1;\nprint \"é€😀\", x;\n");
    const std::string b = WriteModel("b.nuv", "line 0\nline 1\nline 2\n");
    const std::string c = WriteModel("c.nuv", "one\ntwo\n");
    Start({a, b, c});
    ASSERT_FALSE(Frame().m_bSaveSettings) << "no workspace file at the first start";
    SaveSettingsOn();
    Frame().setGeometry(30, 40, 700, 560);
    Frame().OnCommand(ID_VIEW_TOOLBAR);
    prompts.ExpectFont(ChosenFont());
    Frame().OnCommand(ID_OPTIONS_FONTS);
    Frame().m_settings.m_bTimer = TRUE;
    Frame().m_settings.m_bRangeCheck = FALSE;

    Frame().OnCommand(ID_WINDOW_OUTPUT);
    Output()->setGeometry(10, 300, 500, 150);
    Frame().OnCommand(ID_FILE_NEW);
    CNuvEdit* untitled = ActiveEditor();
    ASSERT_NE(untitled, nullptr);
    const struct {
        CNuvEdit* editor;
        QRect normal;
        int line0, column;
    } places[] = {
        {Editor(a), QRect(5, 5, 300, 200), 1, 11},  // after the emoji
        {untitled, QRect(40, 30, 280, 180), 0, 1},
        {Editor(b), QRect(60, 50, 250, 150), 2, 4},
        {Editor(c), QRect(20, 20, 320, 240), 1, 2},
    };
    for (const auto& p : places) {
        ASSERT_NE(p.editor, nullptr);
        Frame().MdiArea()->setActiveSubWindow(p.editor);
        p.editor->setGeometry(p.normal);
        p.editor->SetCaret(p.line0, p.column);
    }
    Editor(b)->showMinimized();  // goes to the bottom
    Frame().MdiArea()->setActiveSubWindow(Editor(c));
    Editor(c)->showMaximized();
    const std::vector<std::string> stack = {b, "output", a, "Untitled", c};
    const std::vector<EditorState> carets = {{b, 3, 4}, {a, 2, 11}, {"Untitled", 1, 1}, {c, 2, 2}};
    ASSERT_EQ(Stack(), stack);
    ASSERT_EQ(Carets(), carets);

    Exit();
    ASSERT_FALSE(Frame().isVisible());
    EXPECT_EQ(SavedWindows(), stack) << "bottom to top";
    EXPECT_EQ(Profile::GetInt("Options", "Timer", -1), 1);
    EXPECT_EQ(Profile::GetInt("Options", "RangeCheck", -1), 0);

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        Start();
        EXPECT_TRUE(Frame().m_bSaveSettings);
        EXPECT_EQ(Frame().geometry(), QRect(30, 40, 700, 560));
        EXPECT_TRUE(Frame().ToolBar()->isHidden());
        EXPECT_FALSE(Frame().StatusBar()->isHidden());
        const LOGFONTA chosen = ChosenFont();
        EXPECT_EQ(std::memcmp(&Frame().m_logFont, &chosen, sizeof(LOGFONTA)), 0);
        EXPECT_TRUE(Frame().m_settings.m_bTimer);
        EXPECT_FALSE(Frame().m_settings.m_bRangeCheck);

        std::vector<std::string> expectedStack = stack;
        if (round == 2)
            expectedStack.erase(expectedStack.begin() + 1);  // the output window was hidden
        ASSERT_EQ(Stack(), expectedStack);
        EXPECT_EQ(Carets(), carets);
        EXPECT_EQ(Frame().ActiveChild(), Editor(c)) << "the formerly active window on top and active";
        EXPECT_TRUE(Editor(c)->isMaximized());
        EXPECT_EQ(Editor(c)->NormalGeometry(), QRect(20, 20, 320, 240));
        EXPECT_TRUE(Editor(b)->isMinimized());
        EXPECT_EQ(Editor(b)->NormalGeometry(), QRect(60, 50, 250, 150));
        EXPECT_EQ(Editor(a)->geometry(), QRect(5, 5, 300, 200));
        CNuvEdit* empty = static_cast<CNuvEdit*>(Frame().MdiArea()->subWindowList(QMdiArea::StackingOrder)[round == 1 ? 3 : 2]);
        EXPECT_TRUE(empty->m_bUntitled);
        EXPECT_TRUE(empty->Edit().GetText().isEmpty());
        EXPECT_EQ(Editor(a)->Edit().Widget()->font().pixelSize(), 17) << "the editors have the restored font";
        EXPECT_EQ(Editor(a)->Edit().GetLine(1), QString::fromUtf8("print \"é€😀\", x;"));
        if (round == 1) {
            ASSERT_FALSE(Output()->m_bHidden);
            EXPECT_EQ(Output()->geometry(), QRect(10, 300, 500, 150));
            EXPECT_FALSE(MenuTexts(Frame().WindowMenu()).contains("&Output Window"));
            Output()->close();  // hidden at the next exit: no record
        } else {
            EXPECT_TRUE(Output()->m_bHidden) << "hidden at exit, hidden after the start";
        }
        Exit();
        ASSERT_FALSE(Frame().isVisible());
    }
}

// A cancelled exit (Cancel at a question, or a save that fails) closes what it
// closed, keeps the rest, and leaves the workspace file as it was: nothing is
// written before an exit ends. Save Settings on Exit stays on.
TEST_F(WorkspaceE2e, ACancelledExitLeavesTheWorkspaceFileAsItWas)
{
    const struct {
        const char* name;
        bool failingSave;
    } cases[] = {{"Cancel at the second question", false}, {"the second save fails", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(dir.path()).mkpath("sub"));
        const std::string first = WriteModel("first.nuv", "1\n");
        const std::string second = WriteModel("sub/second.nuv", "2\n");
        const std::string third = WriteModel("third.nuv", "3\n");
        Start({first, second, third});
        SaveSettingsOn();
        for (const std::string& path : {first, second, third})
            Editor(path)->Edit().ReplaceSel("typed ");
        WriteWorkspace([](CConfigFile& w) { w.WriteToolBarRecord(FALSE); });  // the file of an earlier session
        const QByteArray earlier = Bytes(ConfigPath());
        if (c.failingSave) {
            ASSERT_TRUE(QDir(dir.path() + "/sub").removeRecursively());
        }
        prompts.ExpectMessageBox(IDNO);  // third, on top
        if (c.failingSave) {
            prompts.ExpectMessageBox(IDYES);
            prompts.ExpectMessageBox(IDOK);  // "Cannot write the file ..."
        } else {
            prompts.ExpectMessageBox(IDCANCEL);
        }

        Exit();

        EXPECT_TRUE(Frame().isVisible());
        EXPECT_EQ(Editor(third), nullptr) << "closed before the cancel";
        ASSERT_NE(Editor(second), nullptr);
        EXPECT_TRUE(Editor(second)->Edit().GetText().startsWith("typed "));
        EXPECT_NE(Editor(first), nullptr);
        EXPECT_EQ(Bytes(ConfigPath()), earlier);
        EXPECT_TRUE(Frame().m_bSaveSettings);
        EXPECT_NE(Output(), nullptr);
        prompts.ExpectMessageBox(IDNO);
        prompts.ExpectMessageBox(IDNO);
        Exit();
        EXPECT_FALSE(Frame().isVisible());
        EXPECT_EQ(SavedWindows(), std::vector<std::string>{}) << "changes not saved: no records";
    }
}

// Which editors leave a record: one saved or unchanged does, one whose changes
// were answered No does not. An unchanged "Untitled" comes back empty.
TEST_F(WorkspaceE2e, OnlySavedOrUnchangedEditorsAreRecorded)
{
    const std::string kept = WriteModel("kept.nuv", "kept\n");
    const std::string declined = WriteModel("declined.nuv", "declined\n");
    const std::string saved = WriteModel("saved.nuv", "saved\n");
    Start({kept, declined, saved});
    Frame().OnCommand(ID_FILE_NEW);
    SaveSettingsOn();
    Editor(declined)->Edit().ReplaceSel("lost ");
    Editor(saved)->Edit().ReplaceSel("new ");
    prompts.ExpectMessageBox(IDYES);  // saved.nuv
    prompts.ExpectMessageBox(IDNO);   // declined.nuv

    Exit();

    EXPECT_EQ(SavedWindows(), (std::vector<std::string>{kept, saved, "Untitled"}));
    EXPECT_EQ(ReadFile(saved), QString("new saved\n") + QChar(0));
    Start();
    EXPECT_EQ(Stack(), (std::vector<std::string>{kept, saved, "Untitled"}));
    EXPECT_TRUE(ActiveEditor() && ActiveEditor()->m_bUntitled && ActiveEditor()->Edit().GetText().isEmpty());
}

// The profile keys are written only with Save Settings on Exit, and read only
// when a valid workspace file was found; without one the settings keep their
// defaults (no timer, range checking on).
TEST_F(WorkspaceE2e, ProfileKeysOnlyWithSaveSettingsAndAValidFile)
{
    const struct {
        const char* name;
        bool fileAtStart;
        bool saveAtExit;
    } cases[] = {{"no file, off", false, false}, {"no file, turned on", false, true}, {"file, turned off", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Profile::WriteInt("Options", "Timer", 1);
        Profile::WriteInt("Options", "RangeCheck", 0);
        if (c.fileAtStart)
            WriteWorkspace([](CConfigFile&) {});
        else
            QFile::remove(ConfigPath());
        Start();
        EXPECT_EQ(Frame().m_bSaveSettings, c.fileAtStart);
        EXPECT_EQ(Frame().m_settings.m_bTimer, c.fileAtStart ? TRUE : FALSE);
        EXPECT_EQ(Frame().m_settings.m_bRangeCheck, c.fileAtStart ? FALSE : TRUE);
        Frame().OnIdle();
        EXPECT_EQ(Frame().CommandAction(ID_OPTIONS_SAVE_SETTINGS)->isChecked(), c.fileAtStart);
        if (Frame().m_bSaveSettings != (c.saveAtExit ? TRUE : FALSE))
            Frame().OnCommand(ID_OPTIONS_SAVE_SETTINGS);
        Frame().m_settings.m_bTimer = FALSE;
        Frame().m_settings.m_bRangeCheck = TRUE;

        Exit();

        EXPECT_EQ(QFile::exists(ConfigPath()), c.saveAtExit);
        EXPECT_EQ(Profile::GetInt("Options", "Timer", -1), c.saveAtExit ? 0 : 1);
        EXPECT_EQ(Profile::GetInt("Options", "RangeCheck", -1), c.saveAtExit ? 1 : 0);
    }
}

// What lies at _nuv_.cfg may not be ours. Leaving with Save Settings on Exit
// off writes nothing: a link goes, never the file it names. Starting with
// names on the command line does the same. Leaving with it on writes as saves
// do: the file a link names is replaced whole, keeping its permission bits. A
// FIFO is neither waited for at the start nor replaced at the end.
TEST_F(WorkspaceE2e, FilesThatAreNotOursInThePlaceOfTheWorkspace)
{
    const QString notes = dir.path() + "/notes.txt";
    const QString real = dir.path() + "/ws/real.cfg";
    ASSERT_TRUE(QDir(dir.path()).mkpath("ws"));
    const auto linkTo = [&](const QString& target) {
        QFile::remove(ConfigPath());
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(ConfigPath()).constData()), 0);
    };
    {
        SCOPED_TRACE("a link to notes, Save Settings off");
        WriteModel("notes.txt", "my notes\n");
        linkTo(notes);
        Start();
        EXPECT_FALSE(Frame().m_bSaveSettings) << "notes are no workspace";
        Exit();
        EXPECT_EQ(Bytes(notes), QByteArray("my notes\n"));
        EXPECT_EQ(EntryType(), 0u) << "the link went";
    }
    {
        SCOPED_TRACE("a link to a workspace, names on the command line");
        linkTo(real);
        WriteWorkspace([](CConfigFile& w) { w.WriteToolBarRecord(FALSE); });
        const QByteArray saved = Bytes(real);
        Start({WriteModel("m.nuv", "1\n")});
        EXPECT_EQ(EntryType(), 0u) << "the link went";
        EXPECT_EQ(Bytes(real), saved);
        Exit();
    }
    {
        SCOPED_TRACE("a link to a workspace, Save Settings on");
        linkTo(real);
        WriteWorkspace([](CConfigFile& w) { w.WriteToolBarRecord(FALSE); });
        ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
        Start();
        EXPECT_TRUE(Frame().m_bSaveSettings);
        Frame().OnCommand(ID_FILE_NEW);
        Exit();
        EXPECT_EQ(EntryType(), static_cast<mode_t>(S_IFLNK));
        EXPECT_EQ(SavedWindows(), std::vector<std::string>{"Untitled"}) << "read through the link";
        EXPECT_EQ(QFile::permissions(real), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                QFile::WriteUser | QFile::ReadGroup);
    }
    {
        SCOPED_TRACE("a FIFO");
        QFile::remove(ConfigPath());
        ASSERT_EQ(::mkfifo(QFile::encodeName(ConfigPath()).constData(), 0644), 0);
        for (const bool save : {true, false}) {
            Start();
            EXPECT_FALSE(Frame().m_bSaveSettings);
            if (save) {
                SaveSettingsOn();
                prompts.ExpectMessageBox(IDOK);
            }
            Exit();
            EXPECT_EQ(prompts.Records().size(), save ? 1u : 0u);
            if (save) {
                EXPECT_EQ(prompts.Last().text, "Error writting configuration file. Current configuration is not saved");
            }
            EXPECT_EQ(EntryType(), static_cast<mode_t>(S_IFIFO));
            prompts.Clear();
        }
    }
}

// Close All hides the output window and closes the editors; it writes no
// records and leaves the workspace file alone.
TEST_F(WorkspaceE2e, CloseAllLeavesTheWorkspaceFileAlone)
{
    const std::string model = WriteModel("m.nuv", "print 1;\n");
    WriteWorkspace([](CConfigFile& w) { w.WriteToolBarRecord(FALSE); });
    const QByteArray before = ReadFile(ConfigPath().toStdString()).toLatin1();
    Start();
    Frame().OnCommand(ID_FILE_NEW);
    Frame().OnCommand(ID_WINDOW_OUTPUT);
    Frame().OnCommand(ID_WINDOW_CLOSE_ALL);
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(Output()->m_bHidden);
    EXPECT_EQ(ReadFile(ConfigPath().toStdString()).toLatin1(), before);
}

// On a screen smaller than the frame's default size, or than the screen a
// workspace was written on, the frame starts wholly on the screen's available
// area, border included; a place that is on the screen stays as it was.
TEST_F(WorkspaceE2e, TheFrameStartsWhollyOnTheScreen)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LT(available.width(), 900 + 16) << "the test needs a screen narrower than the default frame";
    const struct {
        const char* name;
        QRect saved;     // empty: no workspace file
        QRect expected;  // empty: anywhere wholly on the screen
    } cases[] = {
        {"first start", QRect(), QRect()},
        {"from a larger screen", QRect(40, 40, 1200, 900), QRect()},
        {"hanging off the right", QRect(available.right() - 100, 100, 400, 300),
         QRect(available.right() + 1 - CFrameOnScreen::kEstimatedBorder.right() - 400, 100, 400, 300)},
        {"on the screen", QRect(30, 40, 700, 560), QRect(30, 40, 700, 560)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(ConfigPath());
        if (!c.saved.isEmpty())
            WriteWorkspace([&](CConfigFile& w) {
                w.WriteFrameRecord(Placement(1, c.saved.x(), c.saved.y(), c.saved.width(), c.saved.height()),
                                   ChosenFont());
            });
        Start();
        const QRect placed = Frame().geometry();
        EXPECT_TRUE(available.contains(placed.marginsAdded(CFrameOnScreen::kEstimatedBorder))) << placed.x() << ","
            << placed.y() << " " << placed.width() << "x" << placed.height();
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(placed, c.expected);
        }
        if (c.saved.isEmpty()) {
            EXPECT_EQ(placed.height(), 640) << "the default height, which fits";
        }
    }
}

// What a start restores from a given file, and what it does not.
TEST_F(WorkspaceE2e, StartUpRestoresWhatTheFileAllows)
{
    const std::string one = WriteModel("one.nuv", "1\n2\n3\n");
    const std::string two = WriteModel("two.nuv", "two\n");
    const std::string gone = dir.path().toStdString() + "/gone.nuv";
    const LOGFONTA font = ChosenFont();
    const auto editors = [&](CConfigFile& w) {
        w.WriteEditorRecord(Placement(1, 10, 10, 200, 150), FALSE, two.c_str(), 1, 0, font);
        w.WriteEditorRecord(Placement(1, 0, 0, 200, 150), FALSE, gone.c_str(), 1, 0, font);
        w.WriteEditorRecord(Placement(1, 5000, -9000, 200, 150), TRUE, one.c_str(), 2, 40, font);  // line gone
    };
    const auto frame = [&](CConfigFile& w) {
        w.WriteFrameRecord(Placement(1, -90000, 90000, 640, 480), font);
        w.WriteStatusBarRecord(FALSE);
        w.WriteToolBarRecord(FALSE);
    };
    struct Case {
        const char* name;
        std::function<void(CConfigFile&)> records;
        std::vector<std::string> arguments;
        int editorAllocations = -1;
        std::vector<QString> messages;
        std::vector<std::string> stack;
        bool frameRestored;
        bool barsHidden;
        bool fileStays = true;
    };
    const Case cases[] = {
        {"whole file", [&](CConfigFile& w) { frame(w); editors(w); }, {}, -1,
         {"Cannot open the file " + QString::fromStdString(gone)}, {one, two}, true, true},
        {"bars without a frame record",
         [&](CConfigFile& w) { w.WriteStatusBarRecord(FALSE); w.WriteToolBarRecord(FALSE); editors(w); }, {}, -1,
         {"Cannot open the file " + QString::fromStdString(gone)}, {one, two}, false, false},
        {"command line", [&](CConfigFile& w) { frame(w); editors(w); }, {"two"}, -1, {}, {two}, true, true, false},
        {"no memory for the first window", [&](CConfigFile& w) { editors(w); }, {}, 0,
         {"Not enough memory to create window for '" + QString::fromStdString(one) + "'",
          "Not enough memory to create window for '" + QString::fromStdString(gone) + "'",
          "Not enough memory to create window for '" + QString::fromStdString(two) + "'"},
         {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteWorkspace(c.records);
        prompts.Clear();
        for (std::size_t i = 0; i < c.messages.size(); ++i)
            prompts.ExpectMessageBox(IDOK);
        CNuvEdit::FailAllocationsAfterForTests(c.editorAllocations);
        Start(c.arguments);
        CNuvEdit::FailAllocationsAfterForTests(-1);

        EXPECT_TRUE(Frame().m_bSaveSettings);
        ASSERT_EQ(prompts.Records().size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i)
            EXPECT_EQ(prompts.Records()[i].text, c.messages[i]);
        EXPECT_EQ(Stack(), c.stack);
        EXPECT_EQ(Frame().ToolBar()->isHidden(), c.barsHidden);
        EXPECT_EQ(Frame().StatusBar()->isHidden(), c.barsHidden);
        EXPECT_EQ(Frame().m_logFont.lfHeight == -17, c.frameRestored);
        const QRect screen = Frame().screen()->availableGeometry();
        EXPECT_TRUE(screen.intersects(Frame().geometry())) << "a frame far outside the screens comes onto one";
        if (c.frameRestored) {
            EXPECT_EQ(Frame().size(), QSize(640, 480));
        }
        if (CNuvEdit* restored = Editor(one)) {
            EXPECT_TRUE(QRect(QPoint(0, 0), Frame().screen()->virtualSize()).intersects(restored->geometry()));
            EXPECT_EQ(Carets().front(), (EditorState{one, 1, 1})) << "a line that is gone puts no caret";
        }
        EXPECT_EQ(QFile::exists(ConfigPath()), c.fileStays);
    }
}

// Nothing at all, and no message, from a damaged file.
TEST_F(WorkspaceE2e, ADamagedFileIsIgnoredSilently)
{
    QFile file(ConfigPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(380, '\3'));  // a header without its mark
    file.close();
    Start();
    EXPECT_FALSE(Frame().m_bSaveSettings);
    EXPECT_TRUE(prompts.Records().empty());
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
}

// The desktop session ending during a run asks whether to stop it; Yes writes
// the output window's record then, and again in the exit that follows the run.
// The start after it shows one output window, on top, and the Window menu as
// it should be.
TEST_F(WorkspaceE2e, TheSessionEndingDuringARunRestoresOneOutputWindow)
{
    const std::string model = WriteModel("loop.nuv", kLoop);
    Start({model});
    SaveSettingsOn();
    prompts.ExpectMessageBox(IDYES);
    BOOL closedDuringRun = TRUE;
    // What the session manager's request does (the frame's end-of-session handler).
    During(20, [&] { closedDuringRun = Frame().CloseAllWindows(2); });
    Frame().OnCommand(ID_RUN_ACTIVE);
    EXPECT_FALSE(closedDuringRun);
    DeliverPosted();
    ASSERT_FALSE(Frame().isVisible()) << "the program closed once the run ended";
    EXPECT_EQ(SavedWindows(), (std::vector<std::string>{model, "output", "output"}));

    Start();
    EXPECT_EQ(Stack(), (std::vector<std::string>{model, "output"}));
    EXPECT_EQ(Frame().ActiveChild(), Output());
    const QStringList shown = MenuTexts(Frame().WindowMenu());
    EXPECT_FALSE(shown.contains("&Output Window"));
    Output()->close();
    const QStringList hidden = MenuTexts(Frame().WindowMenu());
    EXPECT_EQ(hidden.count("&Output Window"), 1);
    EXPECT_EQ(hidden.indexOf("&Output Window"), 5);
    EXPECT_EQ(hidden.size(), shown.size() + 2);
}

// A workspace that cannot be written (a directory in its place, or a start
// directory so deep that the file's path would not fit 260 characters) is
// reported once when the exit ends; the program still closes, and a file
// there is neither read at the start nor touched.
TEST_F(WorkspaceE2e, AWorkspaceThatCannotBeWrittenIsReportedOnceAtTheEnd)
{
    QString deep = dir.path();
    while (deep.size() < 300)
        deep += "/directory";
    for (const QString& start : {dir.path(), deep}) {
        SCOPED_TRACE(start.size());
        ASSERT_TRUE(QDir().mkpath(start + (start == deep ? "" : "/_nuv_.cfg")));
        if (start == deep) {
            QFile file(deep + "/_nuv_.cfg");
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(380, '\0'));
        }
        ASSERT_TRUE(QDir::setCurrent(start));
        Start();
        EXPECT_FALSE(Frame().m_bSaveSettings);
        SaveSettingsOn();
        prompts.ExpectMessageBox(IDOK);
        Exit();
        EXPECT_FALSE(Frame().isVisible());
        ASSERT_EQ(prompts.Records().size(), 1u);
        EXPECT_EQ(prompts.Records()[0].text, "Error writting configuration file. Current configuration is not saved");
        const QFileInfo left(start + "/_nuv_.cfg");
        EXPECT_TRUE(start == deep ? left.size() == 380 : left.isDir()) << "nothing there was touched";
        prompts.Clear();
    }
}
