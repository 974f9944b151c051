// Whole runs through the real interpreter library: what the user sees during
// and after a run, stopping a run, and leaving the program during one.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>

#include "RunFixture.h"
#include "output/CNuvOutput.h"
#include "platform/CommandEvent.h"
#include "res/CommandIds.h"

namespace {

// About two seconds of polling unless something stops it first.
const char* const kLoop = "i = 0;\nwhile (i < 400) { sleep 5; i++; }\nprint \"done\\n\";\n";

struct Seen {
    QString title;
    QStringList menu;
    BOOL button = FALSE;
    bool waitCursor = false;
    BOOL running = FALSE;
};

}  // namespace

class RunTest : public RunFixture {
protected:
    Seen Look()
    {
        const QCursor* cursor = QApplication::overrideCursor();
        return {frame.windowTitle(), RunMenuTexts(), frame.runButtonTerminate,
                cursor && cursor->shape() == Qt::WaitCursor, output->m_bRunning};
    }
};

TEST_F(RunTest, APrintingRunShowsItsOutputAndTheRunningState)
{
    const std::string model = WriteModel("hello.nuv", "print \"one\\n\";\nsleep 40;\nprint \"two\\n\";\n");
    frame.setWindowTitle("NUV");
    Seen during;
    During(15, [&] { during = Look(); });
    ASSERT_TRUE(Run(model));

    EXPECT_EQ(during.title, "NUV - < Running hello.nuv >");
    EXPECT_EQ(during.menu, QStringList({"&Run Active\tCtrl+R", "&Pick model...\tCtrl+P", "Run &Debugger", "-",
                                        "Ne&xt Error\tF8", "Pre&vious Error\tShift+F8", "-",
                                        "Terminate\tCTRL+BREAK"}));
    EXPECT_TRUE(during.button);
    EXPECT_TRUE(during.waitCursor);
    EXPECT_TRUE(during.running);
    EXPECT_GT(idlePasses, 0);  // the pump runs the idle step

    EXPECT_EQ(OutputLines(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(frame.messageText.toStdString(), "The model '" + model + "' has finished");
    ASSERT_FALSE(prompts.Beeps().empty());
    EXPECT_EQ(prompts.Beeps().back(), static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_EQ(output->m_nRunStatus, 3);
    EXPECT_FALSE(output->m_bHidden);
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), output);
    const Seen after = Look();
    EXPECT_EQ(after.title, "NUV");
    EXPECT_EQ(after.menu.size(), 8);
    EXPECT_EQ(after.menu.back().toStdString(), model + "\tCtrl+K");
    EXPECT_FALSE(after.button);
    EXPECT_FALSE(after.waitCursor);
    EXPECT_FALSE(after.running);
}

TEST_F(RunTest, LaterRunsSwapTheLastRunMenuEntry)
{
    const std::string first = WriteModel("a&b.nuv", "print 1;\n");
    const std::string second = WriteModel("second.nuv", "sleep 30;\n");
    ASSERT_TRUE(Run(first));
    EXPECT_EQ(RunMenuTexts().back().toStdString(), PathOf("a&&b.nuv") + "\tCtrl+K");  // '&' is not a mnemonic
    QStringList during;
    During(10, [&] { during = RunMenuTexts(); });
    ASSERT_TRUE(Run(second));
    EXPECT_EQ(during.size(), 8);
    EXPECT_EQ(during.back(), "Terminate\tCTRL+BREAK");
    const QStringList after = RunMenuTexts();
    EXPECT_EQ(after.size(), 8);
    EXPECT_EQ(after[6], "-");
    EXPECT_EQ(after.back().toStdString(), second + "\tCtrl+K");
}

TEST_F(RunTest, ARunWithErrorsEnablesGotoErrorAndPrintsNoTime)
{
    settings.m_bTimer = TRUE;
    controller.SetClockInterval(5);
    const std::string model = WriteModel("bad.nuv", "print \"before\\n\";\nsleep 30;\nprint 1 / 0;\n");
    ASSERT_TRUE(Run(model));
    const std::vector<std::string> lines = OutputLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "before");
    EXPECT_EQ(lines[1].rfind(model + "(3)", 0), 0u) << lines[1];
    EXPECT_EQ(output->m_nRunStatus, 1);
    EXPECT_EQ(prompts.Beeps().back(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_NE(frame.panes[ID_INDICATOR_CLOCK], "00:00:00");  // the clock did run
}

TEST_F(RunTest, ATimedRunEndsWithTheTicksCounted)
{
    settings.m_bTimer = TRUE;
    controller.SetClockInterval(5);
    ASSERT_TRUE(Run(WriteModel("slow.nuv", "print \"x\\n\";\nsleep 150;\n")));
    const std::vector<std::string> lines = OutputLines();
    ASSERT_EQ(lines.size(), 2u);
    const int seconds = settings.m_nSeconds;
    EXPECT_GE(seconds, 3);
    EXPECT_EQ(lines[1], "  . . . Execution time was 0 hours 0 minutes " + std::to_string(seconds) + " seconds");
    EXPECT_EQ(frame.panes[ID_INDICATOR_CLOCK], QString::asprintf("00:00:%02d", seconds));

    // Without the timer the pane keeps the last time and no line is printed.
    settings.m_bTimer = FALSE;
    ASSERT_TRUE(Run(WriteModel("quick.nuv", "print \"y\\n\";\nsleep 30;\n")));
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"y"});
    EXPECT_EQ(frame.panes[ID_INDICATOR_CLOCK], QString::asprintf("00:00:%02d", seconds));
}

TEST_F(RunTest, TerminateAsksAndOnlyYesStopsTheRun)
{
    const std::string model = WriteModel("loop.nuv", kLoop);
    prompts.ExpectMessageBox(IDNO);
    prompts.ExpectMessageBox(IDYES);
    BOOL runningAfterNo = FALSE;
    During(20, [&] { ::PostCommand(&frame, ID_RUN_TERMINATE); });
    During(60, [&] {
        runningAfterNo = output->m_bRunning;
        ::PostCommand(&frame, ID_RUN_TERMINATE);
    });
    ASSERT_TRUE(Run(model));
    EXPECT_TRUE(runningAfterNo);
    ASSERT_EQ(prompts.Records().size(), 2u);
    for (const auto& record : prompts.Records()) {
        EXPECT_EQ(record.text.toStdString(), "Terminate processing of " + model + "?");
        EXPECT_EQ(record.style, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    }
    EXPECT_EQ(output->m_nRunStatus, 2);
    EXPECT_TRUE(OutputLines().empty());  // "done" never printed
}

TEST_F(RunTest, CtrlBreakAndCancelKeysAskToTerminate)
{
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 keysym;
    } keys[] = {{Qt::Key_Pause, Qt::ControlModifier, 0},
                {Qt::Key_Cancel, Qt::NoModifier, 0},
                {0, Qt::ControlModifier, 0xff6b}};  // X11: Ctrl+Pause arrives as the Break keysym
    for (const auto& k : keys) {
        prompts.ExpectMessageBox(IDYES);
        During(20, [&] {
            QCoreApplication::postEvent(output, new QKeyEvent(QEvent::KeyPress, k.key, k.modifiers, 0, k.keysym, 0));
        });
        ASSERT_TRUE(Run(WriteModel("loop.nuv", kLoop)));
        EXPECT_EQ(output->m_nRunStatus, 2) << k.key;
        EXPECT_TRUE(prompts.Last().text.startsWith("Terminate processing of "));
    }
}

TEST_F(RunTest, ExitDuringARunAsksAndYesClosesTheProgramAfterTheRun)
{
    const std::string model = WriteModel("loop.nuv", kLoop);
    prompts.ExpectMessageBox(IDNO);
    prompts.ExpectMessageBox(IDYES);
    During(15, [&] { output->HideOutputWindow(); });
    During(30, [&] { ::PostCommand(&frame, ID_APP_EXIT); });
    During(70, [&] {
        EXPECT_TRUE(frame.isVisible());  // No left the program as it was
        frame.close();
    });
    ASSERT_TRUE(Run(model));
    ASSERT_EQ(prompts.Records().size(), 2u);
    for (const auto& record : prompts.Records()) {
        EXPECT_EQ(record.text, "The running model will be terminated. Are you sure you want to exit NUV ?");
        EXPECT_EQ(record.style, MB_YESNO | MB_ICONQUESTION);
    }
    EXPECT_FALSE(output->m_bHidden);  // hidden during the run, brought back for the question
    EXPECT_EQ(output->m_nRunStatus, 2);
    EXPECT_TRUE(output->m_bExitRequested);
    EXPECT_TRUE(frame.isVisible());  // not from inside the run
    DeliverPosted();
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(RunTest, AnExitAnsweredNoLetsTheModelFinish)
{
    prompts.ExpectMessageBox(IDNO);
    During(20, [&] { ::PostCommand(&frame, ID_APP_EXIT); });
    ASSERT_TRUE(Run(WriteModel("short.nuv", "sleep 60;\nprint \"done\\n\";\n")));
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"done"});
    EXPECT_EQ(output->m_nRunStatus, 3);
    EXPECT_FALSE(output->m_bExitRequested);
    DeliverPosted();
    EXPECT_TRUE(frame.isVisible());
}
