// The Find and Replace dialogs through the real main frame and a real editor:
// opening rules, check marks, the requests as a person makes them with the
// buttons and keys, the status texts and beeps, and the focus coming back.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ScriptedPrompts.h"
#include "app/CFindReplaceDlg.h"
#include "app/CFrameStatusBar.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "res/CommandIds.h"

namespace {

class FindReplaceTest : public ::testing::Test {
protected:
    FindReplaceTest()
    {
        g_szReplaceWith.clear();
        frame.show();
        QApplication::setActiveWindow(&frame);
        frame.OnCommand(ID_FILE_NEW);
        editor = static_cast<CNuvEdit*>(frame.ActiveChild());
    }
    ~FindReplaceTest() override { g_szReplaceWith.clear(); }

    void SetText(const QString& text, int caret)
    {
        editor->SetText(text.toUtf8().constData(), "Untitled");
        editor->Edit().SetSel(caret, caret);
        frame.OnIdle();
    }
    CFindReplaceDlg* Open(int command)
    {
        frame.OnCommand(command);
        Pump();
        return frame.m_pFindDialog;
    }
    static void Pump()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::pair<int, int> Selection() const
    {
        int start = 0;
        int end = 0;
        editor->Edit().GetSel(&start, &end);
        return {start, end};
    }
    std::string Status() const { return frame.StatusBar()->MessageText().toStdString(); }

    CMainFrame frame;
    ScriptedPrompts prompts;
    CNuvEdit* editor = nullptr;
};

}  // namespace

TEST_F(FindReplaceTest, OneDialogAtATimeWithItsCheckMark)
{
    ASSERT_NE(editor, nullptr);
    SetText("alpha beta gamma", 7);
    QAction* find = frame.CommandAction(ID_EDIT_FIND);
    QAction* replace = frame.CommandAction(ID_EDIT_REPLACE);
    EXPECT_FALSE(find->isCheckable()) << "no empty check box while the dialog is closed";
    EXPECT_FALSE(replace->isCheckable());

    CFindReplaceDlg* findDialog = Open(ID_EDIT_FIND);
    ASSERT_NE(findDialog, nullptr);
    EXPECT_TRUE(findDialog->IsFindOnly());
    EXPECT_EQ(findDialog->windowTitle(), "Find");
    EXPECT_EQ(findDialog->FindField()->text(), "beta") << "the word at the caret";
    EXPECT_EQ(findDialog->RequestButton(FR_REPLACEALL), nullptr);
    EXPECT_TRUE(findDialog->DownButton()->isChecked());
    frame.OnIdle();
    EXPECT_TRUE(find->isCheckable() && find->isChecked());
    EXPECT_FALSE(replace->isCheckable());

    EXPECT_EQ(Open(ID_EDIT_FIND), findDialog) << "Find again only focuses the open Find dialog";

    g_szReplaceWith = "kept";
    CFindReplaceDlg* replaceDialog = Open(ID_EDIT_REPLACE);
    ASSERT_NE(replaceDialog, nullptr);
    EXPECT_EQ(replaceDialog->windowTitle(), "Replace");
    EXPECT_EQ(replaceDialog->ReplaceField()->text(), "kept");
    frame.OnIdle();
    EXPECT_FALSE(find->isCheckable());
    EXPECT_TRUE(replace->isChecked());

    // Esc closes it; its replace text is kept for the next Replace dialog.
    replaceDialog->ReplaceField()->setText(QString::fromUtf8("z€"));
    QTest::keyClick(replaceDialog, Qt::Key_Escape);
    Pump();
    EXPECT_EQ(frame.m_pFindDialog, nullptr);
    EXPECT_EQ(g_szReplaceWith, QString::fromUtf8("z€"));
    frame.OnIdle();
    EXPECT_FALSE(replace->isCheckable());
    replaceDialog = Open(ID_EDIT_REPLACE);
    ASSERT_NE(replaceDialog, nullptr);
    EXPECT_EQ(replaceDialog->ReplaceField()->text(), QString::fromUtf8("z€"));
}

TEST_F(FindReplaceTest, FindNextFromTheButtonsAndKeys)
{
    SetText("abc abc", 0);
    CFindReplaceDlg* dialog = Open(ID_EDIT_FIND);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->FindField()->text(), "abc");
    QTest::mouseClick(dialog->RequestButton(FR_FINDNEXT), Qt::LeftButton);
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    EXPECT_EQ(Status(), "String 'abc' was found");
    EXPECT_EQ(QApplication::activeWindow(), dialog) << "the focus comes back to the dialog";

    QTest::keyClick(dialog->FindField(), Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(4, 7)) << "Enter is Find Next";
    QTest::keyClick(dialog->FindField(), Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
    EXPECT_EQ(Status(), "String 'abc' was not found");
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_TRUE(prompts.Records().empty()) << "not found is no message box";

    dialog->UpButton()->setChecked(true);
    dialog->FindField()->setText("ABC");
    QTest::mouseClick(dialog->RequestButton(FR_FINDNEXT), Qt::LeftButton);
    EXPECT_EQ(Selection(), std::make_pair(0, 3)) << "up, case folded";
    QTest::mouseClick(dialog->MatchCaseBox(), Qt::LeftButton);
    QTest::mouseClick(dialog->RequestButton(FR_FINDNEXT), Qt::LeftButton);
    EXPECT_EQ(Status(), "String 'ABC' was not found");
    dialog->FindField()->clear();
    EXPECT_FALSE(dialog->RequestButton(FR_FINDNEXT)->isEnabled()) << "nothing to find";
}

TEST_F(FindReplaceTest, ReplaceAndReplaceAll)
{
    SetText(QString::fromUtf8("x café café x"), 0);
    CFindReplaceDlg* dialog = Open(ID_EDIT_REPLACE);
    ASSERT_NE(dialog, nullptr);
    dialog->FindField()->setText(QString::fromUtf8("café"));
    dialog->ReplaceField()->setText("tea");
    QTest::mouseClick(dialog->RequestButton(FR_FINDNEXT), Qt::LeftButton);
    QTest::mouseClick(dialog->RequestButton(FR_REPLACE), Qt::LeftButton);
    EXPECT_EQ(editor->Edit().GetText(), QString::fromUtf8("x tea café x")) << "Replace does not search on";
    EXPECT_EQ(QApplication::activeWindow(), dialog);
    QTest::mouseClick(dialog->RequestButton(FR_REPLACEALL), Qt::LeftButton);
    EXPECT_EQ(editor->Edit().GetText(), "x tea tea x");
    EXPECT_EQ(Status(), QString::fromUtf8("String 'café' was found 1 times").toStdString());
}

// Replace and Replace All change only text they found: a selection made in the
// editor after the dialog opened is replaced only when it is the find text, and
// Replace without such a selection finds the next occurrence instead.
TEST_F(FindReplaceTest, ReplaceChangesOnlyWhatItFound)
{
    SetText("abc xyz abc", 0);
    editor->Edit().SetSel(0, 3);
    CFindReplaceDlg* dialog = Open(ID_EDIT_REPLACE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->FindField()->text(), "abc");
    editor->Edit().SetSel(4, 7);  // the person selects xyz
    dialog->ReplaceField()->setText("Q");
    QTest::mouseClick(dialog->RequestButton(FR_REPLACEALL), Qt::LeftButton);
    EXPECT_EQ(editor->Edit().GetText(), "abc xyz Q");
    EXPECT_EQ(Status(), "String 'abc' was found 1 times");

    SetText("abc def", 1);
    dialog->FindField()->setText("zzz");
    QTest::mouseClick(dialog->RequestButton(FR_REPLACE), Qt::LeftButton);
    EXPECT_EQ(editor->Edit().GetText(), "abc def") << "nothing found: nothing inserted at the caret";
    EXPECT_EQ(Selection(), std::make_pair(1, 1));
    EXPECT_EQ(Status(), "String 'zzz' was not found");
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});

    dialog->FindField()->setText("DEF");
    QTest::mouseClick(dialog->RequestButton(FR_REPLACE), Qt::LeftButton);
    EXPECT_EQ(editor->Edit().GetText(), "abc def") << "the first Replace only finds";
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
    EXPECT_EQ(Status(), "String 'DEF' was found");
    QTest::mouseClick(dialog->RequestButton(FR_REPLACE), Qt::LeftButton);
    EXPECT_EQ(editor->Edit().GetText(), "abc Q") << "the found text, in another case, is replaced";

    QTest::mouseClick(dialog->MatchCaseBox(), Qt::LeftButton);
    editor->Edit().SetSel(0, 3);
    dialog->FindField()->setText("ABC");
    QTest::mouseClick(dialog->RequestButton(FR_REPLACE), Qt::LeftButton);
    EXPECT_EQ(editor->Edit().GetText(), "abc Q") << "match case: abc is not ABC";
    EXPECT_EQ(Status(), "String 'ABC' was not found");
}

// At most 127 characters in each field, a character being what a person counts.
TEST_F(FindReplaceTest, FieldsHoldAtMost127Characters)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    SetText(QString(200, u'w'), 0);
    CFindReplaceDlg* dialog = Open(ID_EDIT_REPLACE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->FindField()->text(), QString(127, u'w')) << "the suggested word is cut";
    dialog->FindField()->clear();
    dialog->FindField()->insert(emoji.repeated(130));  // as a paste arrives
    EXPECT_EQ(dialog->FindField()->text(), emoji.repeated(127));
    dialog->ReplaceField()->insert(QString(126, u'r'));
    QTest::keyClicks(dialog->ReplaceField(), "rrr");
    EXPECT_EQ(dialog->ReplaceField()->text(), QString(127, u'r'));
}

TEST_F(FindReplaceTest, RequestsWithTheOutputWindowOrNoWindowActive)
{
    SetText("abc", 0);
    CFindReplaceDlg* dialog = Open(ID_EDIT_FIND);
    ASSERT_NE(dialog, nullptr);
    CNuvOutput output(TRUE, nullptr);
    Pump();
    ASSERT_EQ(frame.ActiveChild(), &output);
    prompts.ExpectMessageBox(IDOK);
    QTest::mouseClick(dialog->RequestButton(FR_FINDNEXT), Qt::LeftButton);
    EXPECT_EQ(prompts.Last().text, "Couldn't search the Output window!");
    EXPECT_EQ(Status(), "Couldn't search the Output window!");
    EXPECT_TRUE(frame.m_pFindDialog) << "the dialog stays open";

    frame.SetActiveChild(nullptr);
    prompts.Clear();
    QTest::mouseClick(dialog->RequestButton(FR_FINDNEXT), Qt::LeftButton);
    EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{MB_ICONASTERISK});
    EXPECT_TRUE(prompts.Records().empty());
}
