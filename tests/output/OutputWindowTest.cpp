// The output window: its lifecycle, the Window-menu item, the run hooks and the
// view's events, on an offscreen frame.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "FakeFrame.h"
#include "FaultInjection.h"
#include "ScriptedPrompts.h"
#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "output/COutputView.h"
#include "shell/PrintHandler.h"
#include "res/CommandIds.h"

namespace {

class OutputWindowTest : public ::testing::Test {
protected:
    OutputWindowTest()
    {
        // The frame builds the Window menu with "&Output Window" at 5 and a
        // separator at 6, since the output window starts hidden.
        QMenu* menu = frame.WindowMenu();
        item = menu->actions().at(5);
        separator = menu->actions().at(6);
        frame.show();
        output = std::make_unique<CNuvOutput>(FALSE, nullptr);
    }
    ~OutputWindowTest() override { output.reset(); }

    // Shows the window with a client area of `width` x `height`.
    void ShowSized(int width, int height)
    {
        output->ShowOutputWindow(nullptr);
        COutputView* view = output->View();
        const QSize frameExtra = output->size() - view->viewport()->size();
        output->resize(QSize(width, height) + frameExtra);
        QApplication::processEvents();
    }
    // Runs the event loop until the view has painted its last state.
    bool Settle()
    {
        QElapsedTimer waited;
        waited.start();
        while (output->View()->RepaintPending() && waited.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return !output->View()->RepaintPending();
    }
    const COutputGeometry& Geometry() const { return output->View()->Geometry(); }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, key >= Qt::Key_A && key <= Qt::Key_Z ? "a" : "");
        QApplication::sendEvent(output->View(), &event);
    }
    void AddLines(int count, const char* text = "line")
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(output->AddOutput(text));
            ASSERT_TRUE(output->AddOutput("\n"));
        }
    }
    bool ItemAtPlace()
    {
        const QList<QAction*> actions = frame.WindowMenu()->actions();
        return actions.size() == 9 && actions[5] == item && item->data().toInt() == ID_WINDOW_OUTPUT && actions[6] == separator;
    }
    bool ItemAbsent()
    {
        const QList<QAction*> actions = frame.WindowMenu()->actions();
        return actions.size() == 7 && !actions.contains(item) && !actions.contains(separator);
    }

    ScriptedPrompts prompts;
    FakeFrame frame;
    std::unique_ptr<CNuvOutput> output;
    QAction* item = nullptr;
    QAction* separator = nullptr;
};

TEST_F(OutputWindowTest, StartsHiddenAndRegistered)
{
    EXPECT_TRUE(output->m_bCreated);
    EXPECT_TRUE(output->m_bHidden);
    EXPECT_EQ(frame.Output(), output.get());
    EXPECT_TRUE(output->IsWindowClass(g_outputClass));
    EXPECT_FALSE(output->IsWindowClass(g_editorClass));
    EXPECT_FALSE(output->m_bRunning);
    EXPECT_EQ(output->m_nRunStatus, 3);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(ItemAtPlace());
    output.reset();
    EXPECT_EQ(frame.Output(), nullptr) << "the frame never points at a deleted output window";
}

TEST_F(OutputWindowTest, WindowMenuItemWhileHidden)
{
    struct Step {
        const char* name;
        std::function<void(CNuvOutput&)> action;
        bool hidden;
    } steps[] = {
        {"show", [](CNuvOutput& o) { o.ShowOutputWindow(nullptr); }, false},
        {"show again", [](CNuvOutput& o) { o.ShowOutputWindow(nullptr); }, false},
        {"hide", [](CNuvOutput& o) { o.HideOutputWindow(); }, true},
        {"hide again", [](CNuvOutput& o) { o.HideOutputWindow(); }, true},
        {"show", [](CNuvOutput& o) { o.ShowOutputWindow(nullptr); }, false},
        {"close box or Ctrl+F4", [](CNuvOutput& o) { o.close(); }, true},
        {"show", [](CNuvOutput& o) { o.ShowOutputWindow(nullptr); }, false},
        {"Close All", [this](CNuvOutput&) { frame.MdiArea()->closeAllSubWindows(); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.action(*output);
        EXPECT_EQ(output->m_bHidden, step.hidden ? TRUE : FALSE);
        EXPECT_EQ(frame.MdiArea()->subWindowList().size(), step.hidden ? 0 : 1);
        EXPECT_TRUE(step.hidden ? ItemAtPlace() : ItemAbsent());
    }
}

TEST_F(OutputWindowTest, HidingKeepsTextOptionsAndModelPath)
{
    output->SetOption(CNuvOutput::kOptionSendToFile, TRUE);
    output->StartOutput("/models/demo.nuv");
    ShowSized(400, 200);
    EXPECT_EQ(output->windowTitle(), "Output - /models/demo.nuv");
    AddLines(30);
    output->HideOutputWindow();
    AddLines(20, "while hidden");
    ASSERT_TRUE(output->AddOutput("open"));
    output->ShowOutputWindow(nullptr);
    EXPECT_EQ(output->m_pStore->m_nCount, 51);
    EXPECT_STREQ(output->m_pStore->GetLine(49), "while hidden");
    EXPECT_EQ(output->GetOption(CNuvOutput::kOptionSendToFile), TRUE);
    EXPECT_STREQ(output->m_szModelPath, "/models/demo.nuv");
    EXPECT_EQ(output->windowTitle(), "Output - /models/demo.nuv");
    const COutputGeometry& g = Geometry();
    EXPECT_EQ(g.m_nCaretY, g.m_nLineHeight * (51 - g.m_nTopLine)) << "shown scrolled to the end";
    EXPECT_LT(g.m_nCaretY, g.m_nHeight);
    EXPECT_GT(g.m_nTopLine, 0);
}

// The window opens wholly inside the MDI area, and a maximised child stays
// maximised: showing it over one makes it maximised, hiding it hands the
// state back.
TEST_F(OutputWindowTest, OpensInsideTheAreaAndKeepsTheMaximisedState)
{
    frame.resize(800, 600);
    QApplication::processEvents();
    output->ShowOutputWindow(nullptr);
    const QRect area(QPoint(0, 0), frame.MdiArea()->viewport()->size());
    EXPECT_TRUE(area.contains(output->geometry()));
    output->HideOutputWindow();

    auto* other = new QMdiSubWindow;
    other->setWidget(new QWidget);
    frame.MdiArea()->addSubWindow(other);
    other->showMaximized();
    output->ShowOutputWindow(nullptr);
    EXPECT_TRUE(output->isMaximized());
    output->HideOutputWindow();
    EXPECT_TRUE(other->isMaximized());
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), other);
}

TEST_F(OutputWindowTest, EmptyWindow)
{
    ShowSized(400, 200);
    EXPECT_EQ(output->windowTitle(), "Output - Untitled");
    EXPECT_EQ(output->View()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(output->View()->horizontalScrollBar()->maximum(), 0);
    for (int key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown}) {
        Press(key);
        EXPECT_EQ(Geometry().m_nCaretX, Geometry().m_nCharWidth);
        EXPECT_EQ(Geometry().m_nCaretY, 0);
    }
    EXPECT_TRUE(prompts.Beeps().empty());
}

TEST_F(OutputWindowTest, KeysAndClicksThroughEvents)
{
    ShowSized(300, 200);
    AddLines(40, "a line of text");
    ASSERT_TRUE(Settle()) << "the coalesced repaint comes without further output";
    const COutputGeometry& g = Geometry();
    const int w = g.m_nCharWidth, h = g.m_nLineHeight;
    EXPECT_EQ(g.m_nCaretY, h * (40 - g.m_nTopLine));
    EXPECT_GT(output->View()->verticalScrollBar()->maximum(), 0) << "the bar shows when the text does not fit";

    Press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g.m_nTopLine, 0);
    EXPECT_EQ(g.m_nCaretY, 0);
    Press(Qt::Key_Down);
    Press(Qt::Key_End);
    EXPECT_EQ(g.m_nCaretX, 15 * w);
    EXPECT_EQ(output->CaretLineIndex(), 1);

    Press(Qt::Key_X);
    Press(Qt::Key_X, Qt::ShiftModifier);
    Press(Qt::Key_X, Qt::ControlModifier);
    Press(Qt::Key_Shift);
    Press(Qt::Key_Return);
    EXPECT_EQ(prompts.Beeps(), (std::vector<UINT>{BEEP_SIMPLE, MB_ICONASTERISK}));

    QMouseEvent click(QEvent::MouseButtonPress, QPointF(5.5 * w, 2.5 * h), QPointF(), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(output->View()->viewport(), &click);
    EXPECT_EQ(g.m_nCaretX, 5 * w + 1);
    EXPECT_EQ(g.m_nCaretY, 2 * h);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(200, 3.5 * h), QPointF(), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(output->View()->viewport(), &doubleClick);
    EXPECT_EQ(g.m_nCaretX, 15 * w) << "no further than just after the line";
    EXPECT_EQ(output->CaretLineIndex(), 3);
    EXPECT_EQ(prompts.Beeps().back(), static_cast<UINT>(MB_ICONASTERISK));

    Press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.m_nTopLine, 39);
    EXPECT_EQ(g.m_nCaretY, h);
}

// After a run the user points at a line; resizing the window in any way
// keeps the caret on that line (Enter and Ctrl+E read it), in view.
TEST_F(OutputWindowTest, ResizingKeepsTheCaretOnItsLine)
{
    ShowSized(300, 200);
    output->StartOutput("/models/resize.nuv");
    AddLines(60, "a line of text");
    output->EndOutput(3);
    ASSERT_TRUE(Settle());
    const COutputGeometry& g = Geometry();
    const int w = g.m_nCharWidth, h = g.m_nLineHeight;
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(4.5 * w, 3.5 * h), QPointF(), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(output->View()->viewport(), &click);
    const int line = output->CaretLineIndex();
    const int column = g.CaretColumnNumber();
    ASSERT_LT(line, 60);

    auto* editor = frame.MdiArea()->addSubWindow(new QWidget);
    editor->show();
    const QSize extra = output->size() - output->View()->viewport()->size();
    const struct Step {
        const char* name;
        std::function<void()> action;
    } steps[] = {
        {"larger", [&] { output->resize(QSize(500, 400) + extra); }},
        {"maximised", [&] { output->showMaximized(); }},
        {"restored", [&] { output->showNormal(); }},
        {"the frame resized", [&] { frame.resize(frame.size() + QSize(80, 60)); }},
        {"tiled", [&] { frame.MdiArea()->tileSubWindows(); }},
        {"cascaded", [&] { frame.MdiArea()->cascadeSubWindows(); }},
        {"lower than the caret's row", [&] { output->resize(QSize(300, 2 * h) + extra); }},
        {"narrower than the caret's column", [&] { output->resize(QSize(2 * w, 200) + extra); }},
        {"back to the first size", [&] { output->resize(QSize(300, 200) + extra); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.action();
        QApplication::processEvents();
        EXPECT_EQ(output->CaretLineIndex(), line);
        EXPECT_EQ(g.CaretColumnNumber(), column);
        EXPECT_GE(g.m_nCaretY, 0);
        EXPECT_LE(g.m_nCaretY + h, std::max(g.m_nHeight, h)) << "the caret's row is in view";
        EXPECT_GE(g.m_nCaretX, w);
    }
}

// Whether any pixel of `rect` in `image` is not white.
bool HasInk(const QImage& image, const QRect& rect)
{
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != Qt::white)
                return true;
    return false;
}

// What the view shows, where the caret goes and what the panes say agree, in
// characters: End, a click beyond the end, the column pane, the fit check and
// the drawing, for lines of accents, euros and an emoji, a Latin-1 line and a
// long ASCII line (whose glyphs must not drift from the caret's columns).
TEST_F(OutputWindowTest, LinesAreShownAndPointedAtInCharacters)
{
    const struct Case {
        const char* name;
        std::string bytes;
        int characters;
    } cases[] = {
        {"accents, euros and an emoji",
         "caf\xc3\xa9 \xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9 \xe2\x82\xac\xe2\x82\xac\xe2\x82\xac \xf0\x9f\x98\x80 end", 19},
        {"Latin-1", "caf\xe9 \xe9\xe9\xe9\xe9 fin", 13},
        {"long ASCII", "0123456789abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRS", 65},
    };
    const int w = Geometry().m_nCharWidth, h = Geometry().m_nLineHeight;
    ShowSized(w * 24, h * 6);  // room for 23 columns: the first two lines fit
    output->StartOutput("/models/text.nuv");
    for (const Case& c : cases)
        AddLines(1, c.bytes.c_str());
    output->EndOutput(3);
    ASSERT_TRUE(Settle());
    COutputView* view = output->View();
    const COutputGeometry& g = Geometry();
    EXPECT_EQ(output->m_pStore->m_nLongest, 65);
    EXPECT_STREQ(output->m_pStore->GetLine(0), cases[0].bytes.c_str()) << "the store keeps the bytes";

    for (int row = 0; row < 3; ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.name);
        Press(Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < row; ++i)
            Press(Qt::Key_Down);
        Press(Qt::Key_End);
        output->UpdatePositionPanes();
        EXPECT_EQ(g.CaretColumnNumber(), c.characters + 1);
        const QString column = QString("%1").arg(c.characters + 1, 3, 10, QChar('0'));
        EXPECT_EQ(frame.panes[ID_INDICATOR_COLUMN].toStdString(), column.toStdString());
        const int caretX = g.m_nCaretX;
        EXPECT_EQ(caretX, w * (1 + c.characters - g.m_nLeftColumn));
        EXPECT_LE(caretX, g.m_nWidth - w) << "End keeps the caret in view";
        QMouseEvent click(QEvent::MouseButtonPress, QPointF(g.m_nWidth - 2, row * h + 2), QPointF(), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &click);
        EXPECT_EQ(g.m_nCaretX, caretX) << "a click beyond the end stops where End does";

        view->clearFocus();  // no caret in the picture
        const QImage image = view->viewport()->grab().toImage();
        const int y = row * h;
        EXPECT_TRUE(HasInk(image, QRect(caretX - w, y, w, h))) << "the last character is drawn in its cell";
        EXPECT_FALSE(HasInk(image, QRect(caretX, y, g.m_nWidth - caretX, h))) << "nothing is drawn beyond it";
        view->setFocus();
    }
    // Scrolled sideways by four characters, "é" is drawn in the first column.
    Press(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 4; ++i)
        view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(g.m_nLeftColumn, 4);
    view->clearFocus();
    const QImage shifted = view->viewport()->grab().toImage();
    view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    ASSERT_EQ(g.m_nLeftColumn, 0);
    const QImage unshifted = view->viewport()->grab().toImage();
    EXPECT_EQ(shifted.copy(w, 0, w * 16, h), unshifted.copy(w * 5, 0, w * 16, h));
}

TEST_F(OutputWindowTest, WindowLowerThanOneLine)
{
    ShowSized(300, output->View()->Geometry().m_nLineHeight / 2);
    AddLines(5);
    EXPECT_EQ(Geometry().m_nTopLine, 5) << "only the row after the last line is in view";
    EXPECT_EQ(Geometry().m_nCaretY, 0);
}

TEST_F(OutputWindowTest, PositionPanes)
{
    struct Case {
        int top, left, row, column;
        const char* line;
        const char* columnText;
    } cases[] = {
        {0, 0, 0, 0, "000001", "001"},
        {0, 40, 2, 3, "000003", "044"},
        {999990, 0, 8, 98, "999999", "099"},
        // Numbers longer than the padding show whole, never cut to their first digits.
        {1000000, 0, 0, 0, "1000001", "001"},
        {1234560, 0, 6, 0, "1234567", "001"},
        {0, 999, 0, 0, "000001", "1000"},
        {0, 5040000, 0, 0, "000001", "5040001"},
        {2147483000, 2147483000, 6, 6, "2147483007", "2147483007"},
    };
    ShowSized(300, 200);
    COutputGeometry& g = output->View()->Geometry();
    for (const Case& c : cases) {
        g.m_nTopLine = c.top;
        g.m_nLeftColumn = c.left;
        g.m_nCaretX = g.m_nCharWidth * (1 + c.column);
        g.m_nCaretY = g.m_nLineHeight * c.row;
        output->UpdatePositionPanes();
        EXPECT_EQ(frame.panes[ID_INDICATOR_LINE].toStdString(), c.line);
        EXPECT_EQ(frame.panes[ID_INDICATOR_COLUMN].toStdString(), c.columnText);
    }
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// The view follows a chunk to its end however many lines it holds, and the
// chunk's last state is painted, an open line that only grew included.
TEST_F(OutputWindowTest, ChunksFollowToTheirEnd)
{
    std::string many = "\n";  // ends the open line
    for (int i = 0; i < 3000; ++i)
        many += "row " + std::to_string(i) + "\n";
    const struct Case {
        const char* name;
        std::string chunk;
        int lines;  // stored after the chunk
    } cases[] = {
        {"lines", "a\nb\nc\n", 3},
        {"an open line", "open", 4},
        {"the open line grows", " and more", 4},
        {"more lines than are followed at a time", many, 3004},
    };
    ShowSized(300, 200);
    PaintCounter counter;
    output->View()->viewport()->installEventFilter(&counter);
    output->StartOutput("/models/follow.nuv");
    const COutputGeometry& g = Geometry();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int paintsBefore = counter.paints;
        ASSERT_TRUE(output->AddOutput(c.chunk.c_str()));
        EXPECT_EQ(output->m_pStore->m_nCount, c.lines);
        Geometry();  // asking where the view stands applies the follow at once
        EXPECT_EQ(g.m_nCaretY, g.m_nLineHeight * (c.lines - g.m_nTopLine)) << "the row after the last line";
        ASSERT_TRUE(Settle());
        EXPECT_GT(counter.paints, paintsBefore);
        output->UpdatePositionPanes();
        const QString line = QString("%1").arg(c.lines + 1, 6, 10, QChar('0'));
        EXPECT_EQ(frame.panes[ID_INDICATOR_LINE].toStdString(), line.toStdString()) << "the pane shows the painted caret";
    }
    EXPECT_GT(g.m_nTopLine, 0);
    EXPECT_GT(output->View()->verticalScrollBar()->maximum(), 0);
    EXPECT_STREQ(output->m_pStore->GetLine(3), "open and more");
    EXPECT_STREQ(output->m_pStore->GetLine(3003), "row 2999");
    output->View()->viewport()->removeEventFilter(&counter);
    output->EndOutput(3);
}

class RunTest : public OutputWindowTest {
protected:
    RunTest() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~RunTest() override { QDir::setCurrent(previous); }
    QByteArray Read(const QString& name) const
    {
        QFile file(QDir(dir.path()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir;
    QString previous;
};

TEST_F(RunTest, EndOfRunByResultKind)
{
    struct Case {
        DWORD result;
        int status;
        UINT beep;
    } cases[] = {
        {1, 1, MB_ICONEXCLAMATION}, {2, 2, MB_ICONEXCLAMATION},      {3, 3, MB_ICONASTERISK},
        {4, 4, MB_ICONEXCLAMATION}, {0x70001, 1, MB_ICONEXCLAMATION}, {9, 3, MB_ICONEXCLAMATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        prompts.Clear();
        output->StartOutput("/models/run.nuv");
        EXPECT_TRUE(output->m_bRunning);
        EXPECT_EQ(output->m_nRunStatus, 3);
        output->AddOutput("result\n");
        output->EndOutput(c.result);
        EXPECT_FALSE(output->m_bRunning);
        EXPECT_EQ(output->m_nRunStatus, c.status);
        EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{c.beep});
        EXPECT_EQ(frame.messageText, "The model '/models/run.nuv' has finished");
        EXPECT_EQ(output->m_pStore->m_nCapacity, 1) << "the slack is returned";
    }
    EXPECT_EQ(Read("run.out"), QByteArray("<missing>")) << "no file without Send To File";
}

TEST_F(RunTest, OutputFileAtTheEndOfARun)
{
    output->SetOption(CNuvOutput::kOptionSendToFile, TRUE);
    output->StartOutput("/models/demo.v2.nuv");
    output->AddOutput("one\ntwo");
    output->EndOutput(3);
    EXPECT_EQ(Read("demo.out"), QByteArray("one\r\ntwo\r\n"));
    EXPECT_EQ(frame.messageText, "The model '/models/demo.v2.nuv' has finished. Output saved in the file 'demo.out'");

    output->SetOption(CNuvOutput::kOptionAppend, TRUE);
    output->StartOutput("/models/demo.nuv");
    output->AddOutput("three\n");
    output->EndOutput(3);
    EXPECT_EQ(Read("demo.out"), QByteArray("one\r\ntwo\r\nthree\r\n"));

    // Preprocess only: the listing service writes its own file.
    frame.preprocessOnly = TRUE;
    output->StartOutput("/models/demo.nuv");
    output->EndOutput(3);
    EXPECT_EQ(Read("demo.prp"), QByteArray("<missing>"));
    EXPECT_EQ(frame.messageText, "The model '/models/demo.nuv' has finished. Output saved in the file 'demo.prp'");
    frame.preprocessOnly = FALSE;

    // A file that cannot be made: message 133, the status stays, the beep sounds.
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked.out"));
    frame.messageText = "before";
    prompts.Clear();
    prompts.ExpectMessageBox(IDOK);
    output->StartOutput("/models/blocked.nuv");
    output->EndOutput(3);
    EXPECT_EQ(prompts.Last().text, "Cannot create the file blocked.out");
    EXPECT_EQ(frame.messageText, "before");
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
}

TEST_F(RunTest, LeavingDuringARun)
{
    output->StartOutput("/models/long.nuv");
    prompts.ExpectMessageBox(IDNO);
    EXPECT_FALSE(output->QueryCloseOutput());
    EXPECT_EQ(prompts.Last().style, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(frame.postedCommands.empty());
    EXPECT_FALSE(output->m_bExitRequested);

    prompts.ExpectMessageBox(IDYES);
    EXPECT_FALSE(output->QueryCloseOutput());
    EXPECT_EQ(frame.postedCommands, std::vector<int>{ID_RUN_TERMINATE});
    EXPECT_TRUE(output->m_bExitRequested);
    EXPECT_TRUE(frame.isVisible());

    output->EndOutput(3);
    EXPECT_TRUE(frame.isVisible()) << "the close waits until the run has returned";
    EXPECT_TRUE(prompts.Beeps().empty());
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
}

// An exit agreed to during a run whose shutdown was then cancelled (at a
// save question) must not reach into the next run: that run's end does not
// close the program.
TEST_F(RunTest, ACancelledExitDoesNotCarryIntoTheNextRun)
{
    output->StartOutput("/models/first.nuv");
    prompts.ExpectMessageBox(IDYES);
    EXPECT_FALSE(output->QueryCloseOutput());
    output->EndOutput(3);
    QApplication::processEvents();
    ASSERT_FALSE(frame.isVisible()) << "the close came";
    frame.show();  // ...and was cancelled

    prompts.Clear();
    output->StartOutput("/models/second.nuv");
    EXPECT_FALSE(output->m_bExitRequested);
    output->EndOutput(3);
    QApplication::processEvents();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
}

TEST_F(RunTest, LeavingWhenIdle)
{
    output->ShowOutputWindow(nullptr);
    EXPECT_TRUE(output->QueryCloseOutput());
    EXPECT_TRUE(output->m_bHidden);
    EXPECT_TRUE(ItemAtPlace());
    output.reset();  // the caller deletes the object
    EXPECT_EQ(frame.Output(), nullptr);
}

TEST_F(RunTest, CommandsOfTheWindow)
{
    output->StartOutput("/models/m.nuv");
    output->AddOutput("alpha\n\nbeta\n");
    output->EndOutput(3);

    for (int i = 0; i < 3; ++i)
        prompts.ExpectMessageBox(IDOK);
    EXPECT_FALSE(output->FindText("alpha", TRUE, FALSE));
    output->ReplaceAll("a", "b", TRUE, FALSE);
    output->ReplaceSelection("b");
    ASSERT_EQ(prompts.Records().size(), 3u);
    for (const auto& record : prompts.Records()) {
        EXPECT_EQ(record.text, "Couldn't search the Output window!");
        EXPECT_EQ(record.style, MB_ICONINFORMATION);
    }
    EXPECT_EQ(frame.messageText, "Couldn't search the Output window!");
    EXPECT_EQ(output->m_pStore->m_nCount, 3);

    const QString saved = QDir(dir.path()).filePath("saved.out");
    prompts.ExpectFile(saved);
    EXPECT_TRUE(output->SaveAs());
    EXPECT_EQ(Read("saved.out"), QByteArray("alpha\r\n\r\nbeta\r\n"));
    EXPECT_EQ(frame.messageText, "File " + saved + " saved");
    prompts.ExpectFileCancel();
    EXPECT_FALSE(output->SaveAs());

    std::string printed, title;
    SetPrintHandler([&](const char* text, const char* name) {
        printed = text;
        title = name;
    });
    output->PrintText(TRUE);
    EXPECT_EQ(printed, "alpha\r\n\r\nbeta\r\n");
    EXPECT_EQ(title, "m.out");
    {
        AllocationFailure failure(1);
        prompts.ExpectMessageBox(IDOK);
        printed.clear();
        output->PrintText(FALSE);
        EXPECT_TRUE(printed.empty());
        EXPECT_EQ(prompts.Last().text, "Not enough memory.");
        EXPECT_EQ(prompts.Last().style, MB_ICONEXCLAMATION);
    }
    output->StartOutput(nullptr);
    output->PrintText(FALSE);
    EXPECT_TRUE(printed.empty()) << "nothing to print";
    SetPrintHandler(nullptr);
}

TEST_F(OutputWindowTest, Options)
{
    struct Case {
        int id;
        int initial;
    } cases[] = {{332, FALSE}, {333, TRUE}, {334, FALSE}, {335, FALSE}, {336, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(output->GetOption(c.id), c.initial);
        output->SetOption(c.id, 1);
        EXPECT_EQ(output->GetOption(c.id), c.id == 336 ? 0 : 1);
    }
    EXPECT_EQ(output->m_pStore->m_bAppend, TRUE);
}

TEST_F(OutputWindowTest, MemoryMessagesOfAddOutput)
{
    output->AddOutput("kept\n");
    {
        // A chunk that needs the work buffer (a whole plain line does not).
        AllocationFailure failure(1);
        prompts.ExpectMessageBox(IDOK);
        EXPECT_FALSE(output->AddOutput("lost\tline\n"));
        EXPECT_EQ(prompts.Last().text, "Not enough memory.");
        EXPECT_EQ(prompts.Last().style, MB_ICONINFORMATION);
    }
    {
        // The block of a line too long for the arena's chunks.
        const std::string big(70000, 'b');
        AllocationFailure failure(1);
        prompts.ExpectMessageBox(IDOK);
        EXPECT_FALSE(output->AddOutput((big + "\n").c_str()));
        EXPECT_EQ(prompts.Last().text, "Not enough memory to accumulate output.");
        EXPECT_EQ(prompts.Last().style, MB_ICONSTOP);
    }
    EXPECT_EQ(output->m_pStore->m_nCount, 1);
    output->AddOutput("\a");
    EXPECT_EQ(prompts.Beeps().back(), BEEP_SIMPLE);
}

TEST_F(OutputWindowTest, ScrollBarsDriveTheView)
{
    ShowSized(300, 200);
    AddLines(100, "a line longer than the window is wide, so that the horizontal bar shows as well");
    ASSERT_TRUE(Settle());
    const COutputGeometry& g = Geometry();
    QScrollBar* vertical = output->View()->verticalScrollBar();
    QScrollBar* horizontal = output->View()->horizontalScrollBar();
    const int top = g.m_nTopLine;
    EXPECT_EQ(vertical->value(), top);

    vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(g.m_nTopLine, top - 1);
    EXPECT_EQ(vertical->value(), top - 1);
    vertical->setSliderDown(true);
    vertical->setSliderPosition(10);  // dragging the thumb follows at once
    EXPECT_EQ(g.m_nTopLine, 10);
    vertical->setSliderDown(false);

    horizontal->setSliderDown(true);
    horizontal->setSliderPosition(6);
    EXPECT_EQ(g.m_nLeftColumn, 0) << "the text waits for the release";
    horizontal->setSliderDown(false);
    EXPECT_EQ(g.m_nLeftColumn, 6);
    EXPECT_EQ(horizontal->value(), 6);
    horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(g.m_nLeftColumn, 14);
}

// Dragging the vertical thumb with the mouse moves the text while it is held
// and leaves it there, over ten million lines as over a hundred: the first,
// a middle and the last line come to the top.
TEST_F(OutputWindowTest, TheVerticalThumbReachesEveryPartOfTenMillionLines)
{
    constexpr int kLines = 10'000'000;
    for (int i = 0; i < kLines; ++i)
        ASSERT_TRUE(output->m_pStore->AddEmptyLine());
    ShowSized(300, 200);
    ASSERT_TRUE(Settle());
    const COutputGeometry& g = Geometry();
    QScrollBar* bar = output->View()->verticalScrollBar();
    ASSERT_EQ(bar->maximum(), kLines - 1);
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    const auto mouse = [bar](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, bar->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    };
    const QPoint grip = thumb.center();
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    const struct Step {
        const char* name;
        int y;
        int top;  // expected top line; -1: within a thumb's step of the middle
    } steps[] = {
        {"to the top", groove.top() - 50, 0},
        {"to the middle", grip.y() + (groove.height() - thumb.height()) / 2 - (thumb.top() - groove.top()), -1},
        {"to the bottom", groove.bottom() + 50, kLines - 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        mouse(QEvent::MouseMove, QPoint(grip.x(), step.y), Qt::LeftButton);
        if (step.top >= 0)
            EXPECT_EQ(g.m_nTopLine, step.top);
        else
            EXPECT_NEAR(g.m_nTopLine, kLines / 2, kLines / std::max(groove.height() - thumb.height(), 1) + 1);
        EXPECT_EQ(bar->value(), g.m_nTopLine);
    }
    mouse(QEvent::MouseButtonRelease, QPoint(grip.x(), groove.bottom() + 50), Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(g.m_nTopLine, kLines - 1) << "the text stays where the thumb was let go";
    EXPECT_EQ(bar->value(), kLines - 1);
}

// Shift extends a selection from where the caret was last put, as in an
// editor: scrolling in between does not move that place, following the
// output does.
TEST_F(OutputWindowTest, ShiftSelectsFromWhereTheCaretWasPut)
{
    ShowSized(300, 200);
    AddLines(100, "a line of text");
    ASSERT_TRUE(Settle());
    COutputView* view = output->View();
    const COutputGeometry& g = Geometry();
    using Point = COutputSelection::Point;
    Press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view->Selection().Begin(), (Point{99, 0}));
    EXPECT_EQ(view->Selection().End(), (Point{100, 0})) << "from the end, where following left the caret";

    Press(Qt::Key_Home, Qt::ControlModifier);
    const auto click = [&](int row, Qt::KeyboardModifiers modifiers) {
        const QPointF at(2.5 * g.m_nCharWidth, (row + 0.5) * g.m_nLineHeight);
        QMouseEvent press(QEvent::MouseButtonPress, at, QPointF(), Qt::LeftButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(view->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, QPointF(), Qt::LeftButton, Qt::NoButton, modifiers);
        QApplication::sendEvent(view->viewport(), &release);
    };
    click(2, Qt::NoModifier);
    EXPECT_FALSE(view->HasSelection());
    view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_GT(g.m_nTopLine, 2);
    click(1, Qt::ShiftModifier);
    EXPECT_EQ(view->Selection().Begin(), (Point{2, 1}));
    EXPECT_EQ(view->Selection().End(), (Point{g.m_nTopLine + 1, 1}));
    EXPECT_TRUE(output->HasSelection());
}

TEST_F(OutputWindowTest, CreatedShownForAModel)
{
    output.reset();
    output = std::make_unique<CNuvOutput>(TRUE, "/models/x.nuv");
    EXPECT_TRUE(output->m_bCreated);
    EXPECT_FALSE(output->m_bHidden);
    EXPECT_TRUE(output->m_bRunning);
    EXPECT_EQ(output->windowTitle(), "Output - /models/x.nuv");
    EXPECT_STREQ(output->m_pStore->m_szFileName, "x.out");
    EXPECT_TRUE(ItemAbsent());
}

}  // namespace
