// From error lines in the output to the source, as a modeller fixing a model
// does: the real frame runs a model through the real interpreter library, and
// Go to error, Enter, a double-click, Next Error and Previous Error bring up the
// named lines.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QTest>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "output/COutputView.h"
#include "res/CommandIds.h"

namespace {

class ErrorE2e : public FrameFixture {
protected:
    // The model prints two error lines of its own about itself, then divides
    // by zero on its line 5.
    std::string ModelWithErrorLines()
    {
        model = dir.path().toStdString() + "/walk.nuv";
        const std::string text = "print \"start\\n\";\n"
                                 "print \"" + model + "(3): made up\\n\";\n"
                                 "print \"plain\\n\";\n"
                                 "print \"" + model + "(1): made up too\\n\";\n"
                                 "x = 1 / 0;\n";
        return WriteModel("walk.nuv", text.c_str());
    }
    std::string SelectedInEditor() const
    {
        CNuvEdit* editor = ActiveEditor();
        return editor ? editor->Edit().GetSelectedText().toStdString() : "<no editor>";
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        PressKey(key, modifiers);
        DeliverPosted();
    }
    bool Enabled(int id)
    {
        Frame().OnIdle();
        return Frame().CommandAction(id)->isEnabled();
    }

    std::string model;
};

}  // namespace

TEST_F(ErrorE2e, NextAndPreviousErrorWalkTheErrorLines)
{
    Start({ModelWithErrorLines()});
    CNuvEdit* source = ActiveEditor();
    ASSERT_NE(source, nullptr);
    EXPECT_FALSE(Enabled(ID_RUN_NEXT_ERROR)) << "no output yet";
    PressInEditor(Qt::Key_R, Qt::ControlModifier);
    DeliverPosted();
    ASSERT_EQ(OutputLines().size(), 5u);
    EXPECT_TRUE(Enabled(ID_RUN_NEXT_ERROR));

    // The run leaves the caret below the last line: Go to error has no line there.
    prompts.Clear();
    Press(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(Frame().MdiArea()->activeSubWindow(), Output());

    // F8 from there goes to the first error line, and on down.
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int outputLine;
        const char* selected;
    } steps[] = {
        {Qt::Key_F8, Qt::NoModifier, 1, "print \"plain\\n\";"},
        {Qt::Key_F8, Qt::NoModifier, 3, "print \"start\\n\";"},
        {Qt::Key_F8, Qt::NoModifier, 4, "x = 1 / 0;"},
        {Qt::Key_F8, Qt::ShiftModifier, 3, "print \"start\\n\";"},
        {Qt::Key_F8, Qt::ShiftModifier, 1, "print \"plain\\n\";"},
    };
    prompts.Clear();
    for (const auto& step : steps) {
        Press(step.key, step.modifiers);
        EXPECT_EQ(Output()->CaretLineIndex(), step.outputLine);
        EXPECT_EQ(ActiveEditor(), source) << "the open window is used, not a new one";
        EXPECT_EQ(SelectedInEditor(), step.selected);
    }
    EXPECT_TRUE(prompts.Beeps().empty());

    // At the first one Previous Error beeps and stays; a resize keeps the caret.
    Press(Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(Output()->CaretLineIndex(), 1);
    Output()->resize(Output()->size() + QSize(0, 40));
    QApplication::processEvents();
    EXPECT_EQ(Output()->CaretLineIndex(), 1);
}

TEST_F(ErrorE2e, EnterAndDoubleClickInTheOutputOpenTheNamedFile)
{
    WriteModel("table.inc", "t = 1;\nt = t / 0;\n");
    const std::string main = WriteModel("main.nuv", "print \"one\\n\";\n#include \"table.inc\"\n");
    Start({main});
    CNuvEdit* mainWindow = ActiveEditor();
    ASSERT_NE(mainWindow, nullptr);
    mainWindow->showMaximized();
    PressInEditor(Qt::Key_R, Qt::ControlModifier);
    DeliverPosted();
    ASSERT_EQ(OutputLines().size(), 2u);
    const std::string include = dir.path().toStdString() + "/table.inc";

    // A double-click on the error line: the included file opens in a new
    // window, maximised as the active window is.
    COutputView* view = Output()->View();
    const COutputGeometry& g = view->Geometry();
    const QPoint onLine1(g.m_nCharWidth * 3, (1 - g.m_nTopLine) * g.m_nLineHeight + g.m_nLineHeight / 2);
    ASSERT_TRUE(Output()->isMaximized());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, onLine1);
    DeliverPosted();
    CNuvEdit* table = ActiveEditor();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(std::string(table->FileName()), include);
    EXPECT_TRUE(table->isMaximized());
    EXPECT_EQ(SelectedInEditor(), "t = t / 0;");

    // Enter on the line above, which is no error line, only beeps.
    Frame().MdiArea()->setActiveSubWindow(Output());
    view->setFocus();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, onLine1 - QPoint(0, g.m_nLineHeight));
    prompts.Clear();
    Press(Qt::Key_Return);
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_EQ(Frame().MdiArea()->activeSubWindow(), Output());
}
