// The Environment dialog as the user works it.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// OK checks every field before it changes anything: a refused update limit
// beeps and keeps the dialog open, and Cancel then leaves every setting as it
// was when the dialog opened (no output file appears at the next run).
TEST_F(EnvironmentDlgTest, OkTakesOnlyAnUpdateLimitFromZeroToTwentyAndChangesNothingElseBefore)
{
    const struct {
        const char* text;
        bool accepted;
        int limit;
    } cases[] = {{"21", false, 20}, {"99", false, 20}, {"-1", false, 20}, {"1a", false, 20}, {"", true, 0},
                 {"020", true, 20}, {"5", true, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        settings = CEnvironmentSettings();
        settings.m_szElapsed[0] = '0';
        theDllList = {"kept.so"};
        output->SetOption(CNuvOutput::kOptionSendToFile, FALSE);
        prompts.Clear();
        CEnvironmentDlg dialog(settings, output);
        Box(dialog, 307)->click();  // Send To File on
        Box(dialog, 309)->click();  // Preprocess only on
        Box(dialog, 310)->click();  // Set Timer on Run on
        Box(dialog, 314)->click();  // Range Check off
        static_cast<QListWidget*>(dialog.Item(303))->clear();
        Edit(dialog, 312)->setText(c.text);
        dialog.OnOK();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(prompts.Beeps(), std::vector<UINT>{static_cast<UINT>(MB_ICONEXCLAMATION)});
            EXPECT_EQ(dialog.focusWidget(), dialog.Item(312));
            EXPECT_EQ(Edit(dialog, 312)->selectedText(), c.text);
            dialog.reject();
        }
        EXPECT_EQ(settings.m_nUpdateLimit, c.limit);
        EXPECT_EQ(settings.m_bRangeCheck, c.accepted ? FALSE : TRUE);
        EXPECT_EQ(settings.m_bPreprocessOnly, c.accepted ? TRUE : FALSE);
        EXPECT_EQ(settings.m_bTimer, c.accepted ? TRUE : FALSE);
        EXPECT_EQ(output->GetOption(CNuvOutput::kOptionSendToFile), c.accepted ? TRUE : FALSE);
        EXPECT_EQ(theDllList, c.accepted ? std::vector<std::string>{} : std::vector<std::string>{"kept.so"});
        EXPECT_STREQ(settings.m_szElapsed, c.accepted ? "        " : "0       ") << "the clock is blanked on OK only";
    }
}

// Typed names keep their case (on this file system the case is part of the
// name). A name already listed, letter case ignored, is refused; one that is
// no readable plain file (missing, a directory, a FIFO, found without opening
// it) is asked about.
TEST_F(EnvironmentDlgTest, TypedNamesKeepTheirCaseAndMissingOnesAreAskedAbout)
{
    theDllList = {"abc.dll"};
    QDir(dir.path()).mkpath("Libs/dir.so");
    const std::string fifo = PathOf("pipe.so");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Held open at both ends, so that a check that opened it would not wait but find it.
    const int ends = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(ends, 0);
    WriteModel("Libs/MyLib.so", "");
    CEnvironmentDlg dialog(settings, output);
    Type(dialog.Item(304), "ABC.DLL");
    EXPECT_EQ(Edit(dialog, 304)->text(), "ABC.DLL");
    EXPECT_EQ(dialog.DefaultButton(), 301);
    EXPECT_TRUE(Button(dialog, 301)->isEnabled());
    prompts.ExpectMessageBox(IDOK);
    dialog.OnAdd();
    EXPECT_EQ(prompts.Last().text, "The DLL 'ABC.DLL' is already in the list");
    EXPECT_EQ(prompts.Last().style, MB_ICONINFORMATION);
    EXPECT_EQ(List(dialog), QStringList{"abc.dll"});
    EXPECT_TRUE(Button(dialog, 302)->isEnabled());  // the entry found is selected

    const struct {
        const char* typed;
        bool asked;
        int answer;
    } names[] = {{"ab", true, IDNO}, {"ab", true, IDYES}, {"Libs/dir.so", true, IDNO}, {"pipe.so", true, IDNO},
                 {"Libs/MyLib.so", false, 0}};
    for (const auto& n : names) {
        SCOPED_TRACE(n.typed);
        prompts.Clear();
        Edit(dialog, 304)->clear();
        Type(dialog.Item(304), n.typed);
        if (n.asked)
            prompts.ExpectMessageBox(n.answer);
        dialog.OnAdd();
        ASSERT_EQ(prompts.Records().size(), n.asked ? 1u : 0u);
        if (n.asked) {
            EXPECT_EQ(prompts.Last().text, QString("The DLL %1 does not exist or it might not be in the current "
                                                   "directory. Do you still wish to add it to the list?")
                                               .arg(n.typed));
            EXPECT_EQ(prompts.Last().style, MB_YESNO | MB_ICONQUESTION);
        }
        EXPECT_EQ(Edit(dialog, 304)->text(), n.typed);
        EXPECT_EQ(dialog.DefaultButton(), IDOK);
    }
    ::close(ends);
    EXPECT_EQ(List(dialog), QStringList({"ab", "abc.dll", "Libs/MyLib.so"}));
    dialog.OnOK();
    EXPECT_EQ(theDllList, (std::vector<std::string>{"ab", "abc.dll", "Libs/MyLib.so"}));
}

// The name field holds what the interpreter can take, 259 bytes, whatever the
// letters: typing past it or pasting a longer name is refused, never cut, and
// a message says why.
TEST_F(EnvironmentDlgTest, ADllNameThatDoesNotFitIsRefusedWithAMessage)
{
    const QString message = "The name of the DLL is too long. A DLL name can have at most 259 bytes, and a letter "
                            "other than A to Z takes two to four of them.";
    CEnvironmentDlg dialog(settings, output);
    QLineEdit* name = Edit(dialog, 304);
    const QString e = QString::fromUtf8("\xc3\xa9");  // two bytes
    const struct {
        const char* what;
        QString before;
        QString typed;
        QString after;
    } cases[] = {
        {"ASCII", QString(257, 'a'), "bcd", QString(257, 'a') + "bc"},
        {"two-byte letters", QString(128, e[0]), QString(2, e[0]), QString(129, e[0])},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.Clear();
        prompts.ExpectMessageBox(IDOK);
        name->setText(c.before);
        Type(name, c.typed);
        EXPECT_EQ(name->text(), c.after);
        ASSERT_EQ(prompts.Records().size(), 1u);
        EXPECT_EQ(prompts.Last().text, message);
        EXPECT_EQ(prompts.Last().style, MB_ICONEXCLAMATION);
    }

    prompts.Clear();
    prompts.ExpectMessageBox(IDOK);
    name->setText("lib");
    name->selectAll();
    QApplication::clipboard()->setText(QString(300, 'x'));
    name->paste();
    EXPECT_EQ(name->text(), "lib") << "refused whole, not cut";
    EXPECT_EQ(prompts.Records().size(), 1u);
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
