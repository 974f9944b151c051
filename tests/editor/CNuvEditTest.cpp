// The editor window against a fake frame, with every prompt scripted.
#include <QDir>
#include <QFontMetrics>
#include <QPointer>
#include <climits>

#include "EditorTestSupport.h"
#include "FailingWriter.h"
#include "TinyFileSystem.h"
#include "res/CommandIds.h"

namespace {

const QString kSaveQuestionTail = " has changed. Would You like to save the changes?";

using CNuvEditTest = EditorWidgetTest;

// Types `text` at the start of the window's text.
void Type(CNuvEdit* window, const QString& text)
{
    window->Edit().SetSel(0, 0);
    window->Edit().ReplaceSel(text);
}

TEST_F(CNuvEditTest, CreationKinds)
{
    CNuvEdit* normal = CNuvEdit::Create(kPlaceDefault);
    ASSERT_NE(normal, nullptr);
    EXPECT_TRUE(normal->isVisible());
    EXPECT_STREQ(normal->FileName(), "Untitled");
    EXPECT_EQ(normal->windowTitle(), "Untitled");
    EXPECT_TRUE(normal->IsWindowClass(g_editorClass));
    EXPECT_TRUE(normal->m_bUntitled);
    EXPECT_FALSE(normal->m_bModified);
    const int average = QFontMetrics(normal->Edit().Widget()->font()).averageCharWidth();
    EXPECT_EQ(normal->Edit().LeftMargin(), average);
    EXPECT_EQ(normal->Edit().Widget()->tabStopDistance(), 4 * average);

    CNuvEdit* client = CNuvEdit::Create(kPlaceFrameClient);
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(client->size(), frame->MdiArea()->viewport()->size());

    CNuvEdit* maximised = CNuvEdit::Create(WS_MAXIMIZE);
    ASSERT_NE(maximised, nullptr);
    EXPECT_TRUE(maximised->isMaximized());
    CNuvEdit* minimised = CNuvEdit::Create(WS_MINIMIZE);
    ASSERT_NE(minimised, nullptr);
    EXPECT_TRUE(minimised->isMinimized());

    EXPECT_EQ(CNuvEdit::Create(7), nullptr);
    EXPECT_EQ(CNuvEdit::Create(0), nullptr);
    EXPECT_EQ(WindowCount(), 4);
}

TEST_F(CNuvEditTest, EditsSetModifiedAndStaleButLoadsDoNot)
{
    CNuvEdit* window = Loaded("m.nuv", "abc");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->m_bModified);
    EXPECT_TRUE(window->m_bBraceTableStale);  // a load makes the brace table stale
    window->m_bBraceTableStale = FALSE;
    window->ApplyFont(QFont("Monospace", 17));
    EXPECT_FALSE(window->m_bModified);
    Type(window, "x");
    EXPECT_TRUE(window->m_bModified);
    EXPECT_TRUE(window->m_bBraceTableStale);
}

TEST_F(CNuvEditTest, LoadFailuresShowTheirMessage)
{
    CNuvEdit* window = Loaded("keep.nuv", "kept");
    ASSERT_NE(window, nullptr);
    QDir(QString::fromStdString(Path(""))).mkdir("dir.nuv");
    const std::string longPath = "/" + std::string(260, 'p');  // 261 bytes
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Path("missing.nuv"), "Cannot open the file " + Path("missing.nuv")},
        {Path("dir.nuv"), "Cannot open the file " + Path("dir.nuv")},
        {longPath, "Cannot open the file "},  // the name is refused, not cut and opened
    };
    for (const auto& [path, text] : cases) {
        prompts->ExpectMessageBox(IDOK);
        EXPECT_FALSE(window->LoadFile(path.c_str())) << path;
        EXPECT_TRUE(prompts->Last().text.startsWith(QString::fromStdString(text))) << prompts->Last().text.toStdString();
        EXPECT_EQ(prompts->Last().style, MB_ICONHAND);
        EXPECT_EQ(window->FileName(), Path("keep.nuv"));
        EXPECT_EQ(window->Edit().GetText(), "kept");
    }
}

TEST_F(CNuvEditTest, SavedFileIsTheTextAndAZeroByteAndLoadsBack)
{
    const QByteArray mixed("line 1\nline 2\r\nline\r3\n");
    CNuvEdit* window = Loaded("mixed.nuv", mixed);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Save());
    EXPECT_EQ(ReadBytes(Path("mixed.nuv")), mixed + QByteArray(1, '\0'));
    EXPECT_EQ(ReadBytes(Path("mixed.nu$")), mixed);

    ASSERT_TRUE(window->LoadFile(Path("mixed.nuv").c_str()));
    EXPECT_EQ(window->Edit().GetText(), "line 1\r\nline 2\r\nline\r\n3\r\n");
    EXPECT_TRUE(window->Save());
    EXPECT_EQ(ReadBytes(Path("mixed.nuv")), mixed + QByteArray(1, '\0'));  // the zero read back is not doubled
}

TEST_F(CNuvEditTest, BackupOnlyOnTheFirstSaveThatFindsAFile)
{
    CNuvEdit* window = Loaded("demo.nuv", "old\n");
    ASSERT_NE(window, nullptr);
    Type(window, "new ");
    EXPECT_TRUE(window->Save());
    EXPECT_EQ(window->m_nBackups, 1);
    EXPECT_FALSE(window->m_bModified);
    EXPECT_EQ(frame->messageText, QString::fromStdString("File " + Path("demo.nuv") + " saved"));
    EXPECT_EQ(ReadBytes(Path("demo.nu$")), "old\n");
    EXPECT_EQ(ReadBytes(Path("demo.nuv")), QByteArray("new old\n", 9));

    Type(window, "newer ");
    EXPECT_TRUE(window->Save());
    EXPECT_EQ(window->m_nBackups, 1);
    EXPECT_EQ(ReadBytes(Path("demo.nu$")), "old\n");
    EXPECT_EQ(ReadBytes(Path("demo.nuv")), QByteArray("newer new old\n", 15));

    // A new window saved where no file is yet: no backup, so the next save makes one.
    CNuvEdit* fresh = CNuvEdit::Create(kPlaceDefault);
    ASSERT_NE(fresh, nullptr);
    Type(fresh, "one");
    prompts->ExpectFile(QString::fromStdString(Path("plain")));
    EXPECT_TRUE(fresh->SaveAs());
    EXPECT_EQ(fresh->FileName(), Path("plain.nuv"));  // the dialog's default extension
    EXPECT_EQ(fresh->m_nBackups, 0);
    EXPECT_EQ(ReadBytes(Path("plain.nuv")), QByteArray("one\0", 4));
    EXPECT_EQ(frame->recentFiles.value(0), QString::fromStdString(Path("plain.nuv")));
    Type(fresh, "two ");
    EXPECT_TRUE(fresh->Save());
    EXPECT_EQ(fresh->m_nBackups, 1);
    EXPECT_EQ(ReadBytes(Path("plain.nu$")), QByteArray("one\0", 4));
}

TEST_F(CNuvEditTest, FailedSavesKeepTheWindowModifiedAndTheOldContents)
{
    CNuvEdit* window = Loaded("m.nuv", "version 1");
    ASSERT_NE(window, nullptr);
    Type(window, "2 ");
    {
        FailingWriter full(9);  // the backup copy goes in, the save does not
        prompts->ExpectMessageBox(IDOK);
        EXPECT_FALSE(window->Save());
    }
    EXPECT_EQ(prompts->Last().text, QString::fromStdString("Cannot write the file " + Path("m.nuv")));
    EXPECT_TRUE(window->m_bModified);
    EXPECT_EQ(window->m_nBackups, 1);
    EXPECT_EQ(ReadBytes(Path("m.nu$")), "version 1");
    EXPECT_EQ(ReadBytes(Path("m.nuv")), "version 1");

    EXPECT_TRUE(window->Save());
    EXPECT_EQ(ReadBytes(Path("m.nuv")), QByteArray("2 version 1\0", 12));
    Type(window, "3 ");
    {
        FailingWriter full(5);
        prompts->ExpectMessageBox(IDOK);
        EXPECT_FALSE(window->Save());
    }
    EXPECT_TRUE(window->m_bModified);
    EXPECT_EQ(ReadBytes(Path("m.nuv")), QByteArray("2 version 1\0", 12));  // never truncated
    EXPECT_EQ(ReadBytes(Path("m.nu$")), "version 1");

    CNuvEdit* lost = CNuvEdit::Create(kPlaceDefault);
    ASSERT_NE(lost, nullptr);
    Type(lost, "x");
    prompts->ExpectFile(QString::fromStdString(Path("no/such/dir/x.nuv")));
    prompts->ExpectMessageBox(IDOK);
    EXPECT_FALSE(lost->SaveAs());
    EXPECT_TRUE(lost->m_bModified);
}

// A save that does not succeed (it fails, or its Save As is cancelled) stops
// whatever asked for it, exactly as Cancel at the question does.
TEST_F(CNuvEditTest, AFailedSaveKeepsTheWindowAndItsText)
{
    CNuvEdit* named = Loaded("n.nuv", "saved");
    Type(named, "typed ");
    CNuvEdit* untitled = CNuvEdit::Create(kPlaceDefault);
    Type(untitled, "new model");
    const QPointer<CNuvEdit> watchNamed = named;
    const QPointer<CNuvEdit> watchUntitled = untitled;
    {
        FailingWriter full(0);
        prompts->ExpectMessageBox(IDYES);
        prompts->ExpectMessageBox(IDOK);  // "Cannot write the file"
        named->close();
        prompts->ExpectMessageBox(IDYES);
        prompts->ExpectMessageBox(IDOK);
        EXPECT_FALSE(named->QueryEndSession());
        prompts->ExpectMessageBox(IDYES);
        prompts->ExpectMessageBox(IDOK);
        named->OnCommand(ID_FILE_LOAD);  // no file dialog: the load stops there
    }
    prompts->ExpectMessageBox(IDYES);
    prompts->ExpectFileCancel();
    untitled->close();
    FlushDeletes();
    ASSERT_FALSE(watchNamed.isNull());
    ASSERT_FALSE(watchUntitled.isNull());
    EXPECT_TRUE(named->m_bModified);
    EXPECT_EQ(named->Edit().GetText(), "typed saved");
    EXPECT_EQ(ReadBytes(Path("n.nuv")), "saved");
    EXPECT_TRUE(untitled->m_bModified);
    EXPECT_EQ(untitled->Edit().GetText(), "new model");
    EXPECT_EQ(WindowCount(), 2);

    // On a real file system that is full, too.
    TinyFileSystem disk(64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    WriteBytes(disk.Path("full.nuv"), "on disk");
    CNuvEdit* full = CNuvEdit::CreateForFile(kPlaceDefault, disk.Path("full.nuv").c_str());
    ASSERT_NE(full, nullptr);
    Type(full, QString(8000, 'x'));
    disk.FillUp();
    prompts->ExpectMessageBox(IDYES);
    prompts->ExpectMessageBox(IDOK);
    full->close();
    FlushDeletes();
    EXPECT_EQ(WindowCount(), 3);
    EXPECT_EQ(ReadBytes(disk.Path("full.nuv")), "on disk");
    full->Destroy();
}

TEST_F(CNuvEditTest, CloseAsksAboutChanges)
{
    CNuvEdit* unchanged = CNuvEdit::Create(kPlaceDefault);
    QPointer<CNuvEdit> watch = unchanged;
    unchanged->close();  // no question for an unmodified window
    FlushDeletes();
    EXPECT_TRUE(watch.isNull());

    CNuvEdit* window = CNuvEdit::Create(kPlaceDefault);
    watch = window;
    Type(window, "text");
    prompts->ExpectMessageBox(IDCANCEL);
    window->close();
    FlushDeletes();
    ASSERT_FALSE(watch.isNull());
    EXPECT_EQ(prompts->Last().text, "File Untitled" + kSaveQuestionTail);
    EXPECT_EQ(prompts->Last().style, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(WindowCount(), 1);

    prompts->ExpectMessageBox(IDNO);
    window->close();
    FlushDeletes();
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(frame->ActiveChild(), nullptr);
}

TEST_F(CNuvEditTest, CloseWithYesSavesAndNoDiscards)
{
    CNuvEdit* saved = Loaded("s.nuv", "s");
    Type(saved, "new ");
    prompts->ExpectMessageBox(IDYES);
    saved->close();
    EXPECT_EQ(ReadBytes(Path("s.nuv")), QByteArray("new s\0", 6));

    CNuvEdit* discarded = Loaded("d.nuv", "d");
    Type(discarded, "new ");
    discarded->showMinimized();
    prompts->ExpectMessageBox(IDNO);
    discarded->close();
    FlushDeletes();
    EXPECT_EQ(ReadBytes(Path("d.nuv")), "d");
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(CNuvEditTest, MinimisedWindowIsRestoredBeforeTheQuestion)
{
    CNuvEdit* window = CNuvEdit::Create(WS_MINIMIZE);
    Type(window, "x");
    prompts->ExpectMessageBox(IDCANCEL);
    EXPECT_EQ(window->SaveChangesQuestion(), IDCANCEL);
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(CNuvEditTest, EndOfSession)
{
    CNuvEdit* window = Loaded("e.nuv", "e");
    EXPECT_TRUE(window->QueryEndSession());  // unmodified: no question
    Type(window, "x");
    prompts->ExpectMessageBox(IDCANCEL);
    EXPECT_FALSE(window->QueryEndSession());
    prompts->ExpectMessageBox(IDNO);
    EXPECT_TRUE(window->QueryEndSession());
    prompts->ExpectMessageBox(IDYES);
    EXPECT_TRUE(window->QueryEndSession());
    EXPECT_EQ(ReadBytes(Path("e.nuv")), QByteArray("xe\0", 3));
    EXPECT_EQ(WindowCount(), 1);  // the session's end destroys nothing itself
}

TEST_F(CNuvEditTest, LoadCommandRefusesAFileAlreadyShown)
{
    CNuvEdit* first = Loaded("a.nuv", "a");
    CNuvEdit* second = Loaded("b.nuv", "b");
    for (CNuvEdit* shown : {first, second}) {
        prompts->ExpectFile(QString::fromUtf8(shown->FileName()));
        EXPECT_TRUE(second->OnCommand(ID_FILE_LOAD));
        EXPECT_EQ(frame->MdiArea()->activeSubWindow(), shown);
        EXPECT_EQ(frame->messageText, QString("File %1 already loaded").arg(shown->FileName()));
        EXPECT_EQ(prompts->Beeps().back(), static_cast<UINT>(MB_ICONASTERISK));
        EXPECT_EQ(second->Edit().GetText(), "b");
    }

    const std::string other = File("c.nuv", "c");
    Type(second, "changed ");
    prompts->ExpectMessageBox(IDNO);
    prompts->ExpectFile(QString::fromStdString(other));
    EXPECT_TRUE(second->OnCommand(ID_FILE_LOAD));
    EXPECT_EQ(second->FileName(), other);
    EXPECT_EQ(second->Edit().GetText(), "c");
    EXPECT_TRUE(frame->recentFiles.isEmpty());  // Load adds nothing to the recent list
}

TEST_F(CNuvEditTest, SaveAsOverAFileAnotherWindowShows)
{
    CNuvEdit* shown = Loaded("taken.nuv", "theirs");
    QPointer<CNuvEdit> watch = shown;
    Type(shown, "unsaved ");
    CNuvEdit* window = Loaded("mine.nuv", "mine");

    prompts->ExpectFile(QString::fromStdString(Path("taken.nuv")));
    prompts->ExpectMessageBox(IDCANCEL);
    EXPECT_FALSE(window->SaveAs());
    EXPECT_EQ(prompts->Last().text, "The file you are overwriting is already loaded. That window will close");
    EXPECT_EQ(prompts->Last().style, MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(window->FileName(), Path("mine.nuv"));
    EXPECT_FALSE(watch.isNull());

    prompts->ExpectFile(QString::fromStdString(Path("taken.nuv")));
    prompts->ExpectMessageBox(IDOK);  // no save question for the window that closes
    EXPECT_TRUE(window->SaveAs());
    FlushDeletes();
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(window->FileName(), Path("taken.nuv"));
    EXPECT_EQ(ReadBytes(Path("taken.nuv")), QByteArray("mine\0", 5));
    EXPECT_EQ(WindowCount(), 1);
}

TEST_F(CNuvEditTest, CaretPanes)
{
    QByteArray text;
    for (int i = 1; i <= 12; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    text += QByteArray(1300, 'w');
    CNuvEdit* window = Loaded("p.nuv", text);
    window->SetCaret(11, 7);
    window->UpdatePositionPanes();
    EXPECT_EQ(frame->panes[ID_INDICATOR_LINE], "000012");
    EXPECT_EQ(frame->panes[ID_INDICATOR_COLUMN], "007");
    EXPECT_EQ(window->m_nCaret, window->Edit().LineIndex(11) + 6);

    window->SetCaret(12, 1235);  // a column of four digits shows whole
    window->UpdatePositionPanes();
    EXPECT_EQ(frame->panes[ID_INDICATOR_LINE], "000013");
    EXPECT_EQ(frame->panes[ID_INDICATOR_COLUMN], "1235");

    const int caret = window->m_nCaret;
    window->Edit().SetSel(0, 5);
    window->UpdatePositionPanes();
    EXPECT_EQ(frame->panes[ID_INDICATOR_LINE], "");
    EXPECT_EQ(frame->panes[ID_INDICATOR_COLUMN], "");
    EXPECT_EQ(window->m_nCaret, caret);  // kept from the last update without a selection

    window->SetCaret(40, 1);  // no such line: nothing moves
    int start = 0;
    int end = 0;
    window->Edit().GetSel(&start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 5));

    // A column counts on a line of any length; one beyond it goes on, at most to the text's end.
    CNuvEdit* wide = Loaded("wide.nuv", QByteArray(65536, 'w') + "\r\nx");
    wide->SetCaret(0, 65537);
    wide->UpdatePositionPanes();
    EXPECT_EQ(frame->panes[ID_INDICATOR_COLUMN], "65537");
    wide->SetCaret(0, INT_MAX);
    wide->UpdatePositionPanes();
    EXPECT_EQ(wide->m_nCaret, wide->Edit().GetTextLength());
}

// Columns count characters as a person does: one for an accented letter, a
// euro sign or an emoji; the caret placed by column lands after them too.
TEST_F(CNuvEditTest, ColumnsCountCharacters)
{
    CNuvEdit* window = Loaded("u.nuv", "café €😀x");
    for (const int column : {1, 4, 6, 7, 8, 9}) {
        window->SetCaret(0, column);
        window->UpdatePositionPanes();
        EXPECT_EQ(window->m_nColumn, column);
        EXPECT_EQ(frame->panes[ID_INDICATOR_COLUMN], QString("%1").arg(column, 3, 10, QChar('0')));
    }
    window->SetCaret(0, 8);
    int start = 0;
    int end = 0;
    window->Edit().GetSel(&start, &end);
    EXPECT_EQ(window->Edit().GetText().mid(end), "x");
}

TEST_F(CNuvEditTest, SuggestedFindText)
{
    CNuvEdit* window = Loaded("f.nuv", "alpha beta\r\n\tgamma\r\n" + QByteArray(200, 'z') + " last");
    struct Case {
        const char* name;
        int start, end;
        QByteArray expected;
    };
    const int zStart = window->Edit().LineIndex(2);
    const int textEnd = window->Edit().GetTextLength();
    const std::vector<Case> cases = {
        {"word at the caret", 2, 2, "alpha"},
        {"caret at a word's start", 6, 6, "beta"},
        {"caret on a blank", 5, 5, ""},
        {"caret at a line's end", 10, 10, ""},
        {"caret on a tab", 12, 12, ""},
        {"word after a tab", 15, 15, "gamma"},
        {"caret at the text's end", textEnd, textEnd, "last"},
        {"selection", 0, 7, "alpha b"},
        {"selection over a line break", 8, 14, "ta\r\n\tg"},
        {"selection cut at 160", zStart, zStart + 200, QByteArray(160, 'z')},
        {"long word cut at 160", zStart + 3, zStart + 3, QByteArray(160, 'z')},
    };
    for (const Case& c : cases) {
        window->Edit().SetSel(c.start, c.end);
        EXPECT_EQ(QByteArray(window->GetFindText()), c.expected) << c.name;
    }
}

TEST_F(CNuvEditTest, EditCommands)
{
    CNuvEdit* window = Loaded("c.nuv", "one two");
    window->Edit().SetSel(0, 4);
    EXPECT_TRUE(window->OnCommand(ID_EDIT_CUT));
    EXPECT_EQ(window->Edit().GetText(), "two");
    window->Edit().SetSel(3, 3);
    EXPECT_TRUE(window->OnCommand(ID_EDIT_PASTE));
    EXPECT_EQ(window->Edit().GetText(), "twoone ");
    EXPECT_TRUE(window->OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(window->Edit().GetText(), "two");
    window->Edit().SetSel(0, 1);
    EXPECT_TRUE(window->OnCommand(ID_EDIT_CLEAR));
    EXPECT_EQ(window->Edit().GetText(), "wo");
    EXPECT_TRUE(window->OnCommand(ID_EDIT_SELECT_ALL));
    int start = 0;
    int end = 0;
    window->Edit().GetSel(&start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 2));
    EXPECT_FALSE(window->OnCommand(ID_FILE_NEW));

    // Save on an untitled window is Save As.
    CNuvEdit* untitled = CNuvEdit::Create(kPlaceDefault);
    prompts->ExpectFileCancel();
    EXPECT_TRUE(untitled->OnCommand(ID_FILE_SAVE));
    EXPECT_EQ(prompts->Last().text, "NUV - Save File As");
}

TEST_F(CNuvEditTest, CreationForAFileAndFromTheWorkspace)
{
    prompts->ExpectMessageBox(IDOK);
    EXPECT_EQ(CNuvEdit::CreateForFile(kPlaceDefault, Path("missing.nuv").c_str()), nullptr);
    FlushDeletes();
    EXPECT_EQ(WindowCount(), 0);

    const std::string path = File("w.nuv", "a\r\nbc\r\n");
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = {10, 20, 310, 220};
    CNuvEdit* restored = CNuvEdit::CreateFromWorkspace(placement, path.c_str());
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(frame->MdiArea()->activeSubWindow(), restored);
    restored->SetCaret(1, 2);
    restored->UpdatePositionPanes();
    EXPECT_EQ(restored->m_nLine, 2);
    EXPECT_EQ(restored->m_nColumn, 2);

    placement.showCmd = SW_SHOWMAXIMIZED;
    CNuvEdit* untitled = CNuvEdit::CreateFromWorkspace(placement, nullptr);
    ASSERT_NE(untitled, nullptr);
    EXPECT_TRUE(untitled->isMaximized());
    EXPECT_STREQ(untitled->FileName(), "Untitled");

    prompts->ExpectMessageBox(IDOK);
    EXPECT_EQ(CNuvEdit::CreateFromWorkspace(placement, Path("gone.nuv").c_str()), nullptr);
    FlushDeletes();
    EXPECT_EQ(WindowCount(), 2);
}

TEST_F(CNuvEditTest, FindEditorInComparesNamesExactly)
{
    CNuvEdit* window = Loaded("Case.nuv", "x");
    EXPECT_EQ(FindEditorIn(frame->MdiArea(), Path("Case.nuv").c_str()), window);
    EXPECT_EQ(FindEditorIn(frame->MdiArea(), Path("case.nuv").c_str()), nullptr);
    EXPECT_EQ(FindEditorIn(frame->MdiArea(), nullptr), nullptr);
    EXPECT_EQ(FindEditorIn(nullptr, "x"), nullptr);
}

}  // namespace
