// The editor's tools through real editor windows: the two brace commands, the
// search operations the find dialog calls, and Go to error's editor half. What
// a person sees: the caret and selection, the status text, beeps and boxes.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "EditorTestSupport.h"
#include "editor/CGotoLineDlg.h"
#include "editor/CMatchBrace.h"
#include "editor/GotoError.h"
#include "res/CommandIds.h"

namespace {

using EditorToolsTest = EditorWidgetTest;

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");

CNuvEdit* Window(const QString& text)
{
    CNuvEdit* window = CNuvEdit::Create(kPlaceDefault);
    EXPECT_NE(window, nullptr);
    window->SetText(text.toUtf8().constData(), "/m/t.nuv");
    return window;
}

std::pair<int, int> Selection(CNuvEdit* window)
{
    int start = 0;
    int end = 0;
    window->Edit().GetSel(&start, &end);
    return {start, end};
}

std::pair<int, int> At(int pos)
{
    return {pos, pos};
}

void PutCaret(CNuvEdit* window, int pos)
{
    window->Edit().SetSel(pos, pos);
    window->UpdatePositionPanes();  // the idle pass that records the caret
}

}  // namespace

TEST_F(EditorToolsTest, BraceCommandsMoveTheCaretAndReport)
{
    const struct {
        const char* what;
        QString text;
        int caret;
        int id;
        std::pair<int, int> selection;  // afterwards
        const char* status;
        std::vector<UINT> beeps;
    } cases[] = {
        {"to the partner", "f(a, (b))", 1, ID_SEARCH_BRACE, At(8), "Matching brace found", {}},
        {"and back", "f(a, (b))", 8, ID_SEARCH_UNCOMMENTED_BRACE, At(1), "Matching brace found", {}},
        {"not a brace", "f(a)", 2, ID_SEARCH_BRACE, At(2), "This character is not a brace", {MB_ICONASTERISK}},
        {"end of a line", "f(a)\r\n(", 4, ID_SEARCH_BRACE, At(4), "This character is not a brace", {MB_ICONASTERISK}},
        {"no partner", "x) (y", 1, ID_SEARCH_BRACE, At(1), "There is no match for this brace", {MB_ICONASTERISK}},
        {"plain counts a comment", "{ /* } */ }", 0, ID_SEARCH_BRACE, At(5), "Matching brace found", {}},
        {"uncommented skips it", "{ /* } */ }", 0, ID_SEARCH_UNCOMMENTED_BRACE, At(10), "Matching brace found", {}},
        {"after an emoji", kEmoji + "[a]\r\n" + kEmoji + "]", 2, ID_SEARCH_BRACE, At(4), "Matching brace found", {}},
        {"on the second line", "a\r\n{\r\n}", 3, ID_SEARCH_BRACE, At(6), "Matching brace found", {}},
    };
    for (const auto& c : cases) {
        CNuvEdit* window = Window(c.text);
        PutCaret(window, c.caret);
        prompts->Clear();
        EXPECT_TRUE(window->OnCommand(c.id)) << c.what;
        EXPECT_EQ(Selection(window), c.selection) << c.what;
        EXPECT_EQ(frame->messageText.toStdString(), c.status) << c.what;
        EXPECT_EQ(prompts->Beeps(), c.beeps) << c.what;
        window->Destroy();
    }
}

// The comment box comes at every use of an unchanged text, with one beep each
// time: the box's, not a second one for the missing partner.
TEST_F(EditorToolsTest, AnUnterminatedCommentIsReportedAtEveryUse)
{
    CNuvEdit* window = Window("( /* open");
    for (int use = 0; use < 2; ++use) {
        PutCaret(window, 0);
        prompts->Clear();
        prompts->ExpectMessageBox(IDOK);
        window->OnCommand(ID_SEARCH_UNCOMMENTED_BRACE);
        ASSERT_EQ(prompts->Records().size(), 1u);
        EXPECT_EQ(prompts->Last().text, "The comment starting on line 1 continuous to the end of file");
        EXPECT_EQ(prompts->Last().style, MB_ICONEXCLAMATION);
        EXPECT_EQ(prompts->Beeps(), std::vector<UINT>{MB_ICONEXCLAMATION});
        EXPECT_EQ(frame->messageText, "There is no match for this brace");
    }
}

// The table answers only for the text, window, kind and mode it was made from.
TEST_F(EditorToolsTest, TheTableIsRebuiltWhenItNoLongerDescribesTheText)
{
    CNuvEdit* first = Window("(a) [b]");
    PutCaret(first, 0);
    first->OnCommand(ID_SEARCH_BRACE);
    EXPECT_EQ(Selection(first), At(2));
    EXPECT_FALSE(first->m_bBraceTableStale);

    // Typing makes it stale: the new brace pairs, the old position no longer does.
    first->Edit().SetSel(0, 0);
    first->Edit().ReplaceSel("(");
    EXPECT_TRUE(first->m_bBraceTableStale);
    PutCaret(first, 0);
    first->OnCommand(ID_SEARCH_BRACE);
    EXPECT_EQ(Selection(first), At(0));
    EXPECT_EQ(frame->messageText, "There is no match for this brace");

    // Another window with braces at other places.
    CNuvEdit* second = Window("[[b]]");
    PutCaret(second, 1);
    second->OnCommand(ID_SEARCH_BRACE);
    EXPECT_EQ(Selection(second), At(3));

    // A window made after the table's window is gone never inherits its table.
    first->Destroy();
    FlushDeletes();
    EXPECT_TRUE(theMatchBrace.m_pEdit == second);
    second->Destroy();
    FlushDeletes();
    EXPECT_TRUE(theMatchBrace.m_pEdit.isNull());
}

TEST_F(EditorToolsTest, TextsBeyond65535CharactersKeepFullPositions)
{
    // A brace at 65536 + 3 must not be taken for the one at 3.
    const QString text = "ab (" + QString(65532, u'x') + "( )" + QString(100, u'y') + ")";
    CNuvEdit* window = Window(text);
    PutCaret(window, 3);
    window->OnCommand(ID_SEARCH_BRACE);
    EXPECT_EQ(Selection(window), At(static_cast<int>(text.size()) - 1));
    PutCaret(window, 65536);
    window->OnCommand(ID_SEARCH_BRACE);
    EXPECT_EQ(Selection(window), At(65538));
}

TEST_F(EditorToolsTest, NoMemoryForTheTable)
{
    CNuvEdit* window = Window("(a)");
    PutCaret(window, 0);
    frame->messageText.clear();
    CMatchBrace::FailNextAllocationForTests();
    prompts->ExpectMessageBox(IDOK);
    window->OnCommand(ID_SEARCH_BRACE);
    EXPECT_EQ(prompts->Last().text, "Not enough memory.");
    EXPECT_EQ(prompts->Beeps(), std::vector<UINT>{MB_ICONHAND});
    EXPECT_TRUE(frame->messageText.isEmpty());
    window->OnCommand(ID_SEARCH_BRACE);
    EXPECT_EQ(Selection(window), At(2)) << "the next use builds the table";
}

TEST_F(EditorToolsTest, ReplaceAllFromTheCaretDownAsOneUndoStep)
{
    const struct {
        const char* what;
        QString text;
        std::pair<int, int> selection;
        const char* suggested;  // the dialog's suggested text when it opened
        const char* find;
        const char* with;
        QString expected;
        const char* status;
        std::vector<UINT> beeps;
    } cases[] = {
        {"from the caret at 0", "a a", At(0), "x", "a", "aa", "aa aa", "String 'a' was found 2 times", {}},
        {"before the caret stays", "ab ab ab", At(3), "", "ab", "X", "ab X X", "String 'ab' was found 2 times", {}},
        {"the suggested selection first, never again", "b a a", {2, 3}, "a", "a", "aa", "b aa aa",
         "String 'a' was found 2 times", {}},
        {"a selection that is not the suggestion", "a a a", {2, 3}, "z", "a", "b", "a a b",
         "String 'a' was found 1 times", {}},
        {"a selection that is no occurrence stays and is not counted", "abc xyz abc", {4, 7}, "abc", "abc", "Q",
         "abc xyz Q", "String 'abc' was found 1 times", {}},
        {"nothing found", "abc", At(0), "", "x", "y", "abc", "String 'x' was not found", {MB_ICONASTERISK}},
        {"characters, not bytes", QString::fromUtf8("é€é ") + kEmoji + QString::fromUtf8("é"), At(0), "",
         "é", "e", QString::fromUtf8("e€e ") + kEmoji + "e", "String 'é' was found 3 times", {}},
        {"lines put in before the rest", "a\r\nb a\r\n\r\na", {0, 1}, "a", "a", "c\r\nd",
         "c\r\nd\r\nb c\r\nd\r\n\r\nc\r\nd", "String 'a' was found 3 times", {}},
        {"a find text across a line break", "1 a\r\nb 2 a\r\nb", At(0), "", "a\r\nb", "X", "1 X 2 X",
         "String 'a\r\nb' was found 2 times", {}},
    };
    for (const auto& c : cases) {
        CNuvEdit* window = Window(c.text);
        PutCaret(window, c.selection.first);
        window->Edit().SetSel(c.selection.first, c.selection.second);
        std::strcpy(window->m_szFindText, c.suggested);
        prompts->Clear();
        frame->messageText.clear();
        window->ReplaceAll(c.find, c.with, FALSE, TRUE);
        EXPECT_EQ(window->Edit().GetText(), c.expected) << c.what;
        EXPECT_EQ(frame->messageText.toStdString(), c.status) << c.what;
        EXPECT_EQ(prompts->Beeps(), c.beeps) << c.what;
        if (c.expected != c.text) {
            window->OnCommand(ID_EDIT_UNDO);
            EXPECT_EQ(window->Edit().GetText(), c.text) << c.what << ": one Undo takes it all back";
        }
        window->Destroy();
    }

    CNuvEdit* same = Window("a a");
    frame->messageText = "before";
    same->ReplaceAll("a", "a", TRUE, TRUE);
    EXPECT_EQ(same->Edit().GetText(), "a a");
    EXPECT_EQ(frame->messageText, "before") << "equal texts: nothing happens, nothing is shown";
}

// Find Next down and up from the caret or the selection, with positions as
// the control counts them (a line break is CR LF), also for a find text that
// spans a break.
TEST_F(EditorToolsTest, FindNextDownAndUpAcrossLines)
{
    const QString text = "ab\r\ncd ab\r\nAB";
    const struct {
        const char* what;
        std::pair<int, int> selection;  // before
        const char* find;
        BOOL down, matchCase;
        std::pair<int, int> found;  // the selection afterwards; unchanged when nothing is found
    } cases[] = {
        {"from the caret", At(0), "ab", TRUE, TRUE, {0, 2}},
        {"after the selection", {0, 2}, "ab", TRUE, TRUE, {7, 9}},
        {"on the last line, any case", {7, 9}, "ab", TRUE, FALSE, {11, 13}},
        {"nothing further down", {7, 9}, "ab", TRUE, TRUE, {7, 9}},
        {"up from the caret", At(13), "ab", FALSE, TRUE, {7, 9}},
        {"up before the selection", {7, 9}, "ab", FALSE, TRUE, {0, 2}},
        {"across a break", At(0), "b\r\nc", TRUE, TRUE, {1, 5}},
        {"up across a break", At(13), "B\r\na", FALSE, FALSE, {8, 12}},
    };
    for (const auto& c : cases) {
        CNuvEdit* window = Window(text);
        PutCaret(window, c.selection.first);
        window->Edit().SetSel(c.selection.first, c.selection.second);
        EXPECT_EQ(window->FindText(c.find, c.down, c.matchCase), c.found != c.selection) << c.what;
        EXPECT_EQ(Selection(window), c.found) << c.what;
        window->Destroy();
    }
}

// Go to Line as a person uses it: the dialog names the lines there are and
// starts on the caret's; OK puts the caret at the start of the line asked for,
// a number beyond either end meaning the nearest line, and text that is no
// number leaves OK disabled. Lines count as the editor counts them: a text
// ending in a line break has an empty last line.
TEST_F(EditorToolsTest, GoToLinePutsTheCaretAtTheStartOfTheLine)
{
    const struct {
        const char* what;
        QString typed;
        bool ok;  // OK enabled
        std::pair<int, int> selection;  // afterwards
    } cases[] = {
        {"a line", "3", true, At(10)},
        {"blanks and a sign around the number", " +2 ", true, At(5)},
        {"the empty last line", "4", true, At(17)},
        {"line 0 is the first", "0", true, At(0)},
        {"a negative number is the first", "-7", true, At(0)},
        {"beyond the last line", "99999999999999999999999", true, At(17)},
        {"not a number: Esc keeps the selection", "3x", false, {5, 8}},
        {"nothing typed", "", false, {5, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CNuvEdit* window = Window("one\r\ntwo\r\nthree\r\n");
        window->Edit().SetSel(5, 8);  // "two": the caret's line is 2
        QString label;
        QString suggested;
        bool ok = false;
        QTimer::singleShot(0, window, [&] {
            auto* dialog = qobject_cast<CGotoLineDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            label = dialog->findChild<QLabel*>()->text();
            suggested = dialog->Field()->selectedText();
            QTest::keyClick(dialog->Field(), Qt::Key_Backspace);
            QTest::keyClicks(dialog->Field(), c.typed);
            ok = dialog->OkButton()->isEnabled();
            QTest::keyClick(dialog->Field(), Qt::Key_Return);
            if (dialog->isVisible())
                QTest::keyClick(dialog->Field(), Qt::Key_Escape);
        });
        window->OnCommand(ID_SEARCH_GOTO_LINE);
        EXPECT_EQ(label, "&Line number (1 - 4):");
        EXPECT_EQ(suggested, "2");
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(Selection(window), c.selection);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the dialog is closed";
        window->Destroy();
    }
}

TEST_F(EditorToolsTest, GotoErrorSelectsTheNamedLine)
{
    const std::string path = File("demo.nuv", "one\r\ntwo\r\nthird line\r\nfour");
    const auto go = [](const std::string& line) { GotoErrorFromLine(line.data(), line.size(), ""); };

    // Not open: a new window opens it; the line is selected without its break.
    go(path + "(3) : error");
    auto* opened = qobject_cast<CNuvEdit*>(frame->ActiveChild());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->FileName(), path);
    EXPECT_EQ(opened->Edit().GetSelectedText(), "third line");

    // Minimised behind another window: restored and activated; white space skipped.
    CNuvEdit* other = Window("x");
    opened->showMinimized();
    frame->MdiArea()->setActiveSubWindow(other);
    go(path + "(  2)");
    EXPECT_FALSE(opened->isMinimized());
    EXPECT_EQ(frame->MdiArea()->activeSubWindow(), opened);
    EXPECT_EQ(opened->Edit().GetSelectedText(), "two");
    opened->showMaximized();
    go(path + "(0)");
    EXPECT_FALSE(opened->isMaximized());
    EXPECT_EQ(opened->Edit().GetSelectedText(), "two") << "line 0 is the caret's line";
    go(path + "(12345678901234567890)");
    EXPECT_EQ(Selection(opened), At(opened->Edit().GetTextLength())) << "beyond the last line";

    // Not error lines: a beep only. A file that cannot be loaded: the load's message only.
    prompts->Clear();
    for (const std::string line : {"no parenthesis", "demo.nuv(x)", "(3)"})
        go(line);
    prompts->ExpectMessageBox(IDOK);
    go(Path("missing.nuv") + "(1)");
    EXPECT_EQ(prompts->Beeps(), std::vector<UINT>(3, MB_ICONASTERISK));
    EXPECT_EQ(prompts->Last().text.toStdString(), "Cannot open the file " + Path("missing.nuv"));
    EXPECT_EQ(WindowCount(), 2);
}

// A new window opens maximised when the active child is; names compare exactly;
// a relative name is looked for beside the model, then in the current directory.
TEST_F(EditorToolsTest, GotoErrorFindsTheFileAWindowOrARelativeNameMeans)
{
    ASSERT_TRUE(QDir(QString::fromStdString(Path("models"))).mkpath("."));
    ASSERT_TRUE(QDir(QString::fromStdString(Path("cwd"))).mkpath("."));
    const std::string model = File("models/main.nuv", "main");
    const std::string besideModel = File("models/b.inc", "model dir\r\nline 2");
    File("cwd/b.inc", "current dir");
    File("cwd/only.inc", "only here");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Path("cwd"))));
    const auto go = [&model](const std::string& line) { GotoErrorFromLine(line.data(), line.size(), model.c_str()); };
    const auto active = [this] { return qobject_cast<CNuvEdit*>(frame->ActiveChild()); };

    Window("x")->showMaximized();
    go("b.inc(2)");
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->FileName(), besideModel);
    EXPECT_TRUE(active()->isMaximized());
    EXPECT_EQ(active()->Edit().GetSelectedText(), "line 2");
    go("only.inc(1)");
    EXPECT_EQ(active()->FileName(), Path("cwd/only.inc"));
    const int windows = WindowCount();
    go("b.inc(1)");
    EXPECT_EQ(WindowCount(), windows) << "the window of the full name is found again";
    EXPECT_EQ(active()->FileName(), besideModel);

    const std::string upper = File("models/Upper.nuv", "U");
    File("models/upper.nuv", "u");
    ASSERT_NE(CNuvEdit::CreateForFile(kPlaceDefault, upper.c_str()), nullptr);
    go(Path("models/upper.nuv") + "(1)");
    EXPECT_EQ(active()->Edit().GetText(), "u") << "a window whose name differs in case is another file";
    QDir::setCurrent(previous);
}
