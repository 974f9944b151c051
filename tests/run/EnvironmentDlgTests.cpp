// The Environment dialog as the user works it.
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "RunFixture.h"
#include "output/CNuvOutput.h"
#include "res/CommandIds.h"
#include "run/CEnvironmentDlg.h"
#include "run/DllList.h"

class EnvironmentDlgTest : public RunFixture {
protected:
    QLineEdit* Edit(CEnvironmentDlg& dialog, int id) { return static_cast<QLineEdit*>(dialog.Item(id)); }
    QCheckBox* Box(CEnvironmentDlg& dialog, int id) { return static_cast<QCheckBox*>(dialog.Item(id)); }
    QPushButton* Button(CEnvironmentDlg& dialog, int id) { return static_cast<QPushButton*>(dialog.Item(id)); }
    QStringList List(CEnvironmentDlg& dialog)
    {
        QStringList names;
        auto* list = static_cast<QListWidget*>(dialog.Item(303));
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    static void Type(QWidget* field, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(field, &press);
        }
    }
};

TEST_F(EnvironmentDlgTest, OpensWithTheControlsAndTheSettingsInForce)
{
    theDllList = {"abc.dll", "libx.so"};
    settings.m_bTimer = TRUE;
    settings.m_nUpdateLimit = 7;
    CEnvironmentDlg dialog(settings, output);
    EXPECT_EQ(dialog.windowTitle(), "NUV - Working environment");
    const std::pair<int, const char*> texts[] = {
        {301, "&Add"},          {302, "&Remove"},           {305, "&Browse..."},       {306, "Re&move All"},
        {307, "Send To File"},  {308, "App&end"},           {309, "&Preprocess only"}, {310, "Set &Timer on Run"},
        {314, "Ran&ge Check"},  {311, "&Default"},          {IDOK, "&OK"},             {IDCANCEL, "&Cancel"},
    };
    for (const auto& [id, text] : texts) {
        auto* button = qobject_cast<QAbstractButton*>(dialog.Item(id));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), text);
    }
    QStringList labels;
    for (auto* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (auto* group : dialog.findChildren<QGroupBox*>())
        labels << group->title();
    labels.sort();
    EXPECT_EQ(labels, QStringList({"Additional DLLs", "DLLs to use:", "Interpreter", "Name of a DLL:", "Output",
                                   "Update Limit:"}));
    EXPECT_EQ(List(dialog), QStringList({"abc.dll", "libx.so"}));
    EXPECT_EQ(Edit(dialog, 304)->maxLength(), 260);
    EXPECT_EQ(Edit(dialog, 312)->maxLength(), 3);
    EXPECT_EQ(Edit(dialog, 312)->text(), "7");
    EXPECT_TRUE(Box(dialog, 310)->isChecked());
    EXPECT_TRUE(Box(dialog, 314)->isChecked());
    EXPECT_FALSE(Box(dialog, 309)->isChecked());
    EXPECT_FALSE(Box(dialog, 307)->isChecked());
    EXPECT_FALSE(Box(dialog, 308)->isEnabled());
    EXPECT_TRUE(Button(dialog, 306)->isEnabled());
    EXPECT_FALSE(Button(dialog, 302)->isEnabled());
    EXPECT_FALSE(Button(dialog, 301)->isEnabled());
    EXPECT_EQ(dialog.DefaultButton(), IDOK);
    EXPECT_EQ(dialog.focusWidget(), dialog.Item(304));
}

TEST_F(EnvironmentDlgTest, OkTakesOnlyAnUpdateLimitFromZeroToTwenty)
{
    const struct {
        const char* text;
        bool accepted;
        int limit;
    } cases[] = {{"21", false, 20}, {"-1", false, 20}, {"1a", false, 20}, {"", true, 0}, {"020", true, 20}, {"5", true, 5}};
    for (const auto& c : cases) {
        settings = CEnvironmentSettings();
        settings.m_bPreprocessOnly = FALSE;
        settings.m_szElapsed[0] = '0';
        prompts.Clear();
        CEnvironmentDlg dialog(settings, output);
        Box(dialog, 309)->click();  // Preprocess only on
        Box(dialog, 314)->click();  // Range Check off
        Edit(dialog, 312)->setText(c.text);
        dialog.OnOK();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.text;
        EXPECT_EQ(settings.m_nUpdateLimit, c.limit) << c.text;
        EXPECT_EQ(settings.m_bRangeCheck, c.accepted ? FALSE : TRUE) << c.text;
        // The first steps hold even when the limit is refused.
        EXPECT_EQ(settings.m_bPreprocessOnly, TRUE) << c.text;
        EXPECT_STREQ(settings.m_szElapsed, "        ");
        if (!c.accepted) {
            EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{static_cast<UINT>(MB_ICONEXCLAMATION)}) << c.text;
            EXPECT_EQ(dialog.focusWidget(), dialog.Item(312));
            EXPECT_EQ(Edit(dialog, 312)->selectedText(), c.text);
        }
    }
}

TEST_F(EnvironmentDlgTest, TypedNamesAreLowerCaseAndDuplicatesAreRefused)
{
    theDllList = {"abc.dll"};
    CEnvironmentDlg dialog(settings, output);
    Type(dialog.Item(304), "ABC.DLL");
    EXPECT_EQ(Edit(dialog, 304)->text(), "abc.dll");
    EXPECT_EQ(dialog.DefaultButton(), 301);
    EXPECT_TRUE(Button(dialog, 301)->isEnabled());
    prompts.ExpectMessageBox(IDOK);
    dialog.OnAdd();
    EXPECT_EQ(prompts.Last().text, "The DLL 'abc.dll' is already in the list");
    EXPECT_EQ(prompts.Last().style, MB_ICONINFORMATION);
    EXPECT_EQ(List(dialog), QStringList{"abc.dll"});
    EXPECT_TRUE(Button(dialog, 302)->isEnabled());  // the entry found is selected

    // "ab" is another name; it does not exist, so the user is asked.
    Edit(dialog, 304)->clear();
    Type(dialog.Item(304), "ab");
    prompts.ExpectMessageBox(IDNO);
    dialog.OnAdd();
    EXPECT_EQ(prompts.Last().text, "The DLL ab does not exist or it might not be in the current directory. Do you "
                                   "still wish to add it to the list?");
    EXPECT_EQ(prompts.Last().style, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(List(dialog), QStringList{"abc.dll"});
    prompts.ExpectMessageBox(IDYES);
    dialog.OnAdd();
    EXPECT_EQ(List(dialog), QStringList({"ab", "abc.dll"}));
    EXPECT_EQ(Edit(dialog, 304)->text(), "ab");
    EXPECT_EQ(dialog.DefaultButton(), IDOK);

    // An existing file is added without a question, in its sorted place.
    WriteModel("aa.so", "");
    Edit(dialog, 304)->setText("aa.so");
    dialog.OnAdd();
    EXPECT_EQ(List(dialog), QStringList({"aa.so", "ab", "abc.dll"}));

    dialog.OnOK();
    EXPECT_EQ(theDllList, (std::vector<std::string>{"aa.so", "ab", "abc.dll"}));
}

TEST_F(EnvironmentDlgTest, BrowsedNamesKeepTheirCase)
{
    CEnvironmentDlg dialog(settings, output);
    prompts.ExpectFile("/opt/Lib/MyLib.so");
    dialog.OnBrowse();
    EXPECT_EQ(prompts.Last().text, "NUV - Choose additional DLL");
    EXPECT_EQ(Edit(dialog, 304)->text(), "/opt/Lib/MyLib.so");
    EXPECT_EQ(dialog.DefaultButton(), 301);
    EXPECT_TRUE(Button(dialog, 301)->isEnabled());
}

TEST_F(EnvironmentDlgTest, RemoveRemoveAllAndDefault)
{
    theDllList = {"a.so", "b.so", "c.so"};
    CEnvironmentDlg dialog(settings, output);
    static_cast<QListWidget*>(dialog.Item(303))->setCurrentRow(1);
    EXPECT_TRUE(Button(dialog, 302)->isEnabled());
    dialog.OnRemove();
    EXPECT_EQ(List(dialog), QStringList({"a.so", "c.so"}));
    dialog.OnRemoveAll();
    EXPECT_TRUE(List(dialog).isEmpty());
    EXPECT_FALSE(Button(dialog, 306)->isEnabled());
    Edit(dialog, 312)->setText("3");
    dialog.OnDefault();
    EXPECT_EQ(Edit(dialog, 312)->text(), "20");
    EXPECT_EQ(Edit(dialog, 312)->selectedText(), "20");
    // Cancel keeps the list the services read.
    dialog.reject();
    EXPECT_EQ(theDllList.size(), 3u);
}

TEST_F(EnvironmentDlgTest, AppendFollowsSendToFileAndOkStoresTheOutputOptions)
{
    output->SetOption(CNuvOutput::kOptionSendToFile, TRUE);
    output->SetOption(CNuvOutput::kOptionAppend, TRUE);
    CEnvironmentDlg dialog(settings, output);
    QCheckBox* send = Box(dialog, 307);
    QCheckBox* append = Box(dialog, 308);
    EXPECT_TRUE(append->isEnabled() && append->isChecked());
    Box(dialog, 309)->click();  // another output box leaves Append as it is
    EXPECT_TRUE(append->isChecked());
    send->click();
    EXPECT_FALSE(append->isEnabled() || append->isChecked());
    send->click();
    EXPECT_TRUE(append->isEnabled() && append->isChecked());
    append->click();
    send->click();
    dialog.OnOK();
    EXPECT_EQ(output->GetOption(CNuvOutput::kOptionSendToFile), FALSE);
    EXPECT_EQ(output->GetOption(CNuvOutput::kOptionAppend), TRUE);  // unchanged while Send To File is off

    CEnvironmentDlg again(settings, output);
    EXPECT_FALSE(Box(again, 308)->isEnabled());
    Box(again, 307)->click();
    EXPECT_FALSE(Box(again, 308)->isChecked());  // nothing remembered in this opening
    again.OnOK();
    EXPECT_EQ(output->GetOption(CNuvOutput::kOptionSendToFile), TRUE);
    EXPECT_EQ(output->GetOption(CNuvOutput::kOptionAppend), FALSE);
}
