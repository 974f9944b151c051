// Runs started the ways a user starts them, through the real main frame and the
// real interpreter library: what the output window, the status pane, the menus
// and the tool bar show, and how Terminate and Exit meet a running model.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QToolBar>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "res/CommandIds.h"

namespace {

// About a second of polling unless something stops it first.
const char* const kLoop = "i = 0;\nwhile (i < 200) { sleep 5; i++; }\nprint \"done\\n\";\n";
// The tool-bar button that is Run last, and Terminate during a run.
constexpr int kRunButton = 21;

}  // namespace

using RunE2e = FrameFixture;

TEST_F(RunE2e, AModelOpenedFromTheCommandLineRunsWithCtrlR)
{
    const std::string model =
        WriteModel("hello.nuv", "print \"Hello\\n\";\nsleep 30;\nfor (n = 1; n <= 3; n++) { print n, \" \", n * n, \"\\n\"; }\n");
    Start({model});
    CNuvEdit* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr) << "the command-line file is shown in an editor";
    EXPECT_EQ(std::string(editor->m_szFileName), model);
    EXPECT_EQ(editor->Edit().Widget()->toPlainText(), ReadFile(model));
    EXPECT_EQ(RunMenuTexts().size(), 6);

    QString titleDuring;
    int buttonDuring = 0;
    During(10, [&] {
        titleDuring = Frame().windowTitle();
        buttonDuring = ToolBarCommand(kRunButton);
    });
    PressInEditor(Qt::Key_R, Qt::ControlModifier);
    DeliverPosted();

    EXPECT_EQ(titleDuring, "NUV - < Running hello.nuv >");
    EXPECT_EQ(buttonDuring, ID_RUN_TERMINATE);
    EXPECT_EQ(OutputLines(), (std::vector<std::string>{"Hello", "1 1", "2 4", "3 9"}));
    EXPECT_EQ(StatusText(), "The model '" + model + "' has finished");
    const QStringList menu = RunMenuTexts();
    ASSERT_EQ(menu.size(), 8);
    EXPECT_EQ(menu[6], "-");
    EXPECT_EQ(menu.back().toStdString(), model + "\tCtrl+K");
    EXPECT_EQ(ToolBarCommand(kRunButton), ID_RUN_LAST);
    EXPECT_EQ(Frame().windowTitle(), "NUV");
    ASSERT_NE(Output(), nullptr);
    EXPECT_FALSE(Output()->m_bHidden);
    EXPECT_EQ(Frame().MdiArea()->activeSubWindow(), Output());

    // Run last (Ctrl+K) runs it again: fresh output, still one last-run entry.
    Frame().PostCommand(ID_RUN_LAST);
    DeliverPosted();
    EXPECT_EQ(OutputLines(), (std::vector<std::string>{"Hello", "1 1", "2 4", "3 9"}));
    EXPECT_EQ(RunMenuTexts().size(), 8);
    EXPECT_EQ(RunMenuTexts().back().toStdString(), model + "\tCtrl+K");
    EXPECT_EQ(ToolBarCommand(kRunButton), ID_RUN_LAST);
    EXPECT_TRUE(prompts.Records().empty());
}

// A run picked from the file dialog ends with its status; only a run with
// errors makes Go to error available.
TEST_F(RunE2e, TheRunOutcomeDecidesWhetherGotoErrorIsAvailable)
{
    const struct {
        const char* name;
        const char* text;
        int runStatus;
        bool gotoError;
        int errorLine;  // 0: no error line expected
    } cases[] = {
        {"fine.nuv", "print \"before\\n\";\nprint 6 * 7, \"\\n\";\n", 3, false, 0},
        {"runtime.nuv", "print \"before\\n\";\nprint 1 / 0;\n", 1, true, 2},
        {"syntax.nuv", "x = 1;\n\ny = ;\n", 1, true, 3},
    };
    Start();
    Frame().OnIdle();
    EXPECT_FALSE(Frame().CommandAction(ID_SEARCH_GOTO_ERROR)->isEnabled()) << "no run yet";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string model = WriteModel(c.name, c.text);
        prompts.ExpectFile(QString::fromStdString(model));
        Frame().OnCommand(ID_RUN_PICK);
        ASSERT_NE(Output(), nullptr);
        EXPECT_EQ(Output()->m_nRunStatus, c.runStatus);
        const std::vector<std::string> lines = OutputLines();
        ASSERT_FALSE(lines.empty());
        if (c.errorLine) {
            const std::string prefix = model + "(" + std::to_string(c.errorLine) + ")";
            EXPECT_EQ(lines.back().rfind(prefix, 0), 0u) << lines.back();
        } else {
            EXPECT_EQ(lines, (std::vector<std::string>{"before", "42"}));
        }
        Frame().OnIdle();
        EXPECT_EQ(Frame().CommandAction(ID_SEARCH_GOTO_ERROR)->isEnabled(), c.gotoError);
    }
}

// Exit answered No leaves the run alone; Yes stops it, and the program closes
// once the run has returned, through the normal closing of every window.
TEST_F(RunE2e, ExitDuringARunAsksAndYesClosesTheProgramAfterTheRun)
{
    const std::string model = WriteModel("loop.nuv", kLoop);
    Start({model});
    const QString settingsFile = QDir(Frame().m_startDirectory).filePath("_nuv_.cfg");
    QFile file(settingsFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    prompts.ExpectMessageBox(IDNO);
    prompts.ExpectMessageBox(IDYES);
    BOOL runningAfterNo = FALSE;
    bool visibleAfterNo = false;
    During(15, [&] { Frame().OnCommand(ID_APP_EXIT); });
    During(50, [&] {
        runningAfterNo = Output()->m_bRunning;
        visibleAfterNo = Frame().isVisible();
        Frame().PostCommand(ID_APP_EXIT);
    });
    Frame().OnCommand(ID_RUN_ACTIVE);

    ASSERT_EQ(prompts.Records().size(), 2u);
    for (const auto& record : prompts.Records()) {
        EXPECT_EQ(record.text, "The running model will be terminated. Are you sure you want to exit NUV ?");
        EXPECT_EQ(record.style, MB_YESNO | MB_ICONQUESTION);
    }
    EXPECT_TRUE(runningAfterNo);
    EXPECT_TRUE(visibleAfterNo);
    ASSERT_NE(Output(), nullptr);
    EXPECT_EQ(Output()->m_nRunStatus, 2);
    EXPECT_TRUE(OutputLines().empty()) << "the loop never reached its end";
    EXPECT_TRUE(Frame().isVisible()) << "the frame closes after the run, not inside it";

    DeliverPosted();
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(Frame().Output(), nullptr);
    EXPECT_FALSE(QFile::exists(settingsFile));
}

TEST_F(RunE2e, TerminateFromTheToolBarAsksAndOnlyYesStopsTheRun)
{
    const std::string model = WriteModel("loop.nuv", kLoop);
    Start({model});
    prompts.ExpectMessageBox(IDNO);
    prompts.ExpectMessageBox(IDYES);
    BOOL runningAfterNo = FALSE;
    const auto pressTerminate = [this] {
        QAction* button = Frame().ToolBar()->actions().value(kRunButton);
        ASSERT_NE(button, nullptr);
        ASSERT_EQ(button->data().toInt(), ID_RUN_TERMINATE);
        button->trigger();
    };
    During(15, pressTerminate);
    During(50, [&] {
        runningAfterNo = Output()->m_bRunning;
        pressTerminate();
    });
    Frame().OnCommand(ID_RUN_ACTIVE);

    EXPECT_TRUE(runningAfterNo);
    ASSERT_EQ(prompts.Records().size(), 2u);
    for (const auto& record : prompts.Records()) {
        EXPECT_EQ(record.text.toStdString(), "Terminate processing of " + model + "?");
        EXPECT_EQ(record.style, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    }
    EXPECT_EQ(Output()->m_nRunStatus, 2);
    EXPECT_TRUE(OutputLines().empty());
    EXPECT_EQ(ToolBarCommand(kRunButton), ID_RUN_LAST);
    DeliverPosted();
    EXPECT_TRUE(Frame().isVisible()) << "stopping a run does not end the program";
}

// While a model runs nothing may start a second run or change its settings;
// the pump's idle step applies the rules without waiting for the run to end.
TEST_F(RunE2e, RunCommandsAreDisabledWhileAModelRuns)
{
    const std::string model = WriteModel("short.nuv", "sleep 60;\n");
    Start({model});
    const struct {
        int id;
        bool before;
        bool during;
        bool after;  // the output window is active after the run: no editor to run
    } rules[] = {
        {ID_RUN_ACTIVE, true, false, false},
        {ID_RUN_PICK, true, false, true},
        {ID_OPTIONS_ENVIRONMENT, true, false, true},
        {ID_RUN_TERMINATE, true, true, true},
    };
    const auto enabled = [this](int id) { return Frame().CommandAction(id)->isEnabled(); };
    Frame().OnIdle();
    std::vector<bool> before;
    for (const auto& rule : rules)
        before.push_back(enabled(rule.id));
    std::vector<bool> during;
    During(25, [&] {
        for (const auto& rule : rules)
            during.push_back(enabled(rule.id));
    });
    Frame().OnCommand(ID_RUN_ACTIVE);
    ASSERT_EQ(during.size(), std::size(rules));
    Frame().OnIdle();
    for (std::size_t i = 0; i < std::size(rules); ++i) {
        SCOPED_TRACE(rules[i].id);
        EXPECT_EQ(before[i], rules[i].before);
        EXPECT_EQ(during[i], rules[i].during);
        EXPECT_EQ(enabled(rules[i].id), rules[i].after);
    }
}

// A command whose rule says disabled does nothing, whatever brings it: here
// the keys of the real frame.
TEST_F(RunE2e, DisabledCommandsDoNothingFromTheKeyboard)
{
    const std::string model = WriteModel("keys.nuv", "print \"ran\\n\";\n");
    Start({model});
    Frame().OnCommand(ID_RUN_ACTIVE);
    ASSERT_EQ(OutputLines(), std::vector<std::string>{"ran"});

    // An empty editor: Ctrl+R neither clears the last output nor runs anything.
    Frame().OnCommand(ID_FILE_NEW);
    DeliverPosted();
    CNuvEdit* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->Edit().GetText().isEmpty());
    PressInEditor(Qt::Key_R, Qt::ControlModifier);
    DeliverPosted();
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"ran"});
    EXPECT_EQ(std::string(Output()->m_szModelPath), model);

    // A minimised editor with a selection, something to undo and text on the
    // clipboard: the editing keys leave its text alone.
    editor->Edit().ReplaceSel("typed text");
    editor->Edit().SetSel(0, 5);
    QGuiApplication::clipboard()->setText("pasted");
    Frame().MdiArea()->setActiveSubWindow(editor);
    editor->showMinimized();
    DeliverPosted();
    ASSERT_EQ(Frame().ActiveChild(), editor);
    for (const int key : {Qt::Key_X, Qt::Key_D, Qt::Key_V, Qt::Key_Z}) {
        PressKey(key, Qt::ControlModifier);
        DeliverPosted();
        EXPECT_EQ(editor->Edit().GetText(), "typed text") << key;
    }
    // Restored, the same keys work again.
    editor->showNormal();
    DeliverPosted();
    PressKey(Qt::Key_D, Qt::ControlModifier);
    DeliverPosted();
    EXPECT_EQ(editor->Edit().GetText(), " text");
}
