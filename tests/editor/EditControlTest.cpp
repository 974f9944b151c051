// The edit control's positions count each line break as CR LF, as the editor's
// arithmetic (caret panes, find, braces, workspace caret) assumes.
#include <gtest/gtest.h>

#include "platform/EditControl.h"

namespace {

// Lines: "ab" at 0, "cde" at 4, "" at 9, "f" at 11; length 12.
const QString kText = QStringLiteral("ab\r\ncde\r\n\r\nf");

class EditControlTest : public ::testing::Test {
protected:
    void SetUp() override { edit.SetText(kText); }
    CEditControl edit;
};

TEST_F(EditControlTest, CountsLineBreaksAsTwoCharacters)
{
    EXPECT_EQ(edit.GetTextLength(), 12);
    EXPECT_EQ(edit.GetLineCount(), 4);
    EXPECT_EQ(edit.GetText(), kText);
    EXPECT_EQ(edit.GetLine(1), "cde");
}

TEST_F(EditControlTest, LineIndex)
{
    const std::vector<std::pair<int, int>> cases = {{0, 0}, {1, 4}, {2, 9}, {3, 11}, {4, -1}, {-2, -1}, {1000, -1}};
    for (auto [line, index] : cases)
        EXPECT_EQ(edit.LineIndex(line), index) << "line " << line;
    edit.SetSel(6, 6);
    EXPECT_EQ(edit.LineIndex(-1), 4);
}

TEST_F(EditControlTest, LineFromChar)
{
    const std::vector<std::pair<int, int>> cases = {{0, 0},  {2, 0},  {3, 0},  {4, 1},   {8, 1},
                                                    {9, 2},  {10, 2}, {11, 3}, {12, 3}, {500, 3}};
    for (auto [pos, line] : cases)
        EXPECT_EQ(edit.LineFromChar(pos), line) << "pos " << pos;
    edit.SetSel(10, 5);  // the caret on line 1, the selection starting on line 1
    EXPECT_EQ(edit.LineFromChar(-1), 1);
    edit.SetSel(11, 11);
    EXPECT_EQ(edit.LineFromChar(-1), 3);
}

TEST_F(EditControlTest, LineLength)
{
    const std::vector<std::pair<int, int>> cases = {{0, 2}, {3, 2}, {5, 3}, {9, 0}, {12, 1}, {13, 0}};
    for (auto [pos, length] : cases)
        EXPECT_EQ(edit.LineLength(pos), length) << "pos " << pos;
    edit.SetSel(1, 6);  // "b" of line 0 to "cd" of line 1: "a" and "e" stay unselected
    EXPECT_EQ(edit.LineLength(-1), 2);
    edit.SetSel(5, 5);
    EXPECT_EQ(edit.LineLength(-1), 3);
}

TEST_F(EditControlTest, SelectionInDesktopPositions)
{
    struct Case {
        int start, end, gotStart, gotEnd;
    };
    const std::vector<Case> cases = {
        {6, 1, 1, 6},        // ordered on return
        {3, 3, 2, 2},        // between CR and LF: the end of the line
        {0, -1, 0, 12},      // -1: the end of the text
        {0, 0xE000, 0, 12},  // clamped to the text
        {11, 12, 11, 12},
    };
    for (const Case& c : cases) {
        edit.SetSel(c.start, c.end);
        int start = -5;
        int end = -5;
        edit.GetSel(&start, &end);
        EXPECT_EQ(start, c.gotStart) << c.start << ".." << c.end;
        EXPECT_EQ(end, c.gotEnd) << c.start << ".." << c.end;
    }
    edit.SetSel(1, 6);
    EXPECT_EQ(edit.GetSelectedText(), "b\r\ncd");
    edit.SetSel(-1, 0);  // removes the selection, keeps the caret
    int start = 0;
    int end = 0;
    edit.GetSel(&start, &end);
    EXPECT_EQ(start, end);
}

TEST_F(EditControlTest, ChangeNotificationForEditsNotForSetText)
{
    int changes = 0;
    edit.SetChangeHandler([&] { ++changes; });
    edit.SetText("new");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(edit.CanUndo());
    edit.SetSel(3, 3);
    edit.ReplaceSel("\r\nline");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit.GetText(), "new\r\nline");
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    EXPECT_EQ(edit.GetText(), "new");
    EXPECT_EQ(changes, 2);
    edit.SetFont(QFont("Monospace", 20));
    EXPECT_EQ(changes, 2);
}

TEST(EditControl, PositionsAgreeWithTheTextOnALongText)
{
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += QString("line %1\r\n").arg(i);
    CEditControl edit;
    edit.SetText(text);
    ASSERT_EQ(edit.GetTextLength(), text.size());
    for (int line : {0, 1, 999, 2999, 3000}) {
        const int index = edit.LineIndex(line);
        const int expected = line == 0 ? 0 : static_cast<int>(text.indexOf("line " + QString::number(line) + "\r"));
        EXPECT_EQ(index, line == 3000 ? text.size() : expected) << line;
        EXPECT_EQ(edit.LineFromChar(index), line);
    }
}

}  // namespace
