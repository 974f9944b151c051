// Copying from the output window, as a modeller takes a table of results or an
// error message into a report: the real frame runs a model, the mouse drags
// over its output, Edit > Copy, and the text is pasted into a new window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMouseEvent>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "output/COutputView.h"
#include "res/CommandIds.h"

namespace {

class OutputCopyE2e : public FrameFixture {
protected:
    COutputView* View() const { return Output()->View(); }
    // The middle of the cell of character `column` of output line `line`.
    QPoint Cell(int line, int column) const
    {
        const COutputGeometry& g = View()->Geometry();
        return {g.m_nCharWidth * (1 + column - g.m_nLeftColumn) + g.m_nCharWidth / 2,
                g.m_nLineHeight * (line - g.m_nTopLine) + g.m_nLineHeight / 2};
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, View()->viewport()->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(View()->viewport(), &event);
    }
    // Presses on one cell and lets go on another, passing the cells between.
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        Mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    bool Enabled(int id)
    {
        Frame().OnIdle();
        return Frame().CommandAction(id)->isEnabled();
    }
    // The menu item, as enabled at the idle pass before the menu opens.
    void Command(int id)
    {
        Frame().OnIdle();
        Frame().CommandAction(id)->trigger();
        DeliverPosted();
    }
};

}  // namespace

TEST_F(OutputCopyE2e, DraggedOutputIsCopiedAndPastedElsewhere)
{
    const std::string model = WriteModel("table.nuv",
                                         "print \"Results\\n\";\n"
                                         "print \"caf\\xc3\\xa9\\t1.5 \\xf0\\x9f\\x98\\x80\\n\";\n"
                                         "print \"\\xe9t\\xe9\\t2.25\\n\";\n"
                                         "print \"end\\n\";\n");
    Start({model});
    PressInEditor(Qt::Key_R, Qt::ControlModifier);
    DeliverPosted();
    ASSERT_EQ(OutputLines().size(), 4u);
    ASSERT_EQ(Frame().MdiArea()->activeSubWindow(), Output());
    EXPECT_FALSE(Enabled(ID_EDIT_COPY)) << "nothing selected yet";
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
    QGuiApplication::clipboard()->setText("before");

    // From the "é" of "café" to just after "2.2": a line of UTF-8 with a tab
    // and an emoji, then one of Latin-1 ("été", whose tab is one space).
    Drag(Cell(1, 3), Cell(2, 7) - QPoint(View()->Geometry().m_nCharWidth / 4, 0));
    EXPECT_TRUE(Output()->HasSelection());
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    for (int id : {ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_UNDO})
        EXPECT_FALSE(Enabled(id)) << "the output stays read only: " << id;
    Command(ID_EDIT_COPY);
    const QString copied = QString::fromUtf8("\xc3\xa9    1.5 \xf0\x9f\x98\x80\n\xc3\xa9t\xc3\xa9 2.2");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), copied);

    Frame().OnCommand(ID_FILE_NEW);
    CNuvEdit* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(editor->Edit().GetText(), QString(copied).replace("\n", "\r\n"));

    // Select All takes every line, each with its break.
    Frame().MdiArea()->setActiveSubWindow(Output());
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("Results\ncaf\xc3\xa9    1.5 \xf0\x9f\x98\x80\n\xc3\xa9t\xc3\xa9 2.25\nend\n"));
    EXPECT_EQ(Output()->m_pStore->m_nCount, 4) << "nothing changed in the output";
}

// A selection made while a model still prints stays on its text and in view;
// clicking it away lets the view follow the output again.
TEST_F(OutputCopyE2e, ASelectionMadeDuringARunStaysWhereItIs)
{
    const std::string model = WriteModel("slow.nuv",
                                         "i = 0;\n"
                                         "while (i < 100) { print \"row \", i, \"\\n\"; sleep 10; i++; }\n");
    Start({model});
    int topWhileSelected = -1, topAfterwards = -1;
    QString selectedThen, selectedLater;
    During(150, [&] {
        Output()->resize(400, 200);
        const int shown = View()->Geometry().m_nTopLine;
        Drag(Cell(shown, 0), Cell(shown + 1, 3));
        topWhileSelected = View()->Geometry().m_nTopLine;
        Frame().OnCommand(ID_EDIT_COPY);
        selectedThen = QGuiApplication::clipboard()->text();
    });
    During(450, [&] {
        Frame().OnCommand(ID_EDIT_COPY);
        selectedLater = QGuiApplication::clipboard()->text();
        EXPECT_EQ(View()->ShownGeometry().m_nTopLine, topWhileSelected) << "the view did not follow the output away";
        Mouse(QEvent::MouseButtonPress, Cell(topWhileSelected, 0), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, Cell(topWhileSelected, 0), Qt::NoButton);
        EXPECT_FALSE(Output()->HasSelection());
    });
    During(750, [&] { topAfterwards = View()->ShownGeometry().m_nTopLine; });
    PressInEditor(Qt::Key_R, Qt::ControlModifier);
    DeliverPosted();
    ASSERT_EQ(OutputLines().size(), 100u);
    ASSERT_GE(topWhileSelected, 0) << "the drag took place during the run";
    EXPECT_TRUE(selectedThen.startsWith("row ")) << selectedThen.toStdString();
    EXPECT_EQ(selectedLater, selectedThen) << "the same text stayed selected";
    EXPECT_GT(topAfterwards, topWhileSelected + 10) << "following again once the selection is gone";
}
