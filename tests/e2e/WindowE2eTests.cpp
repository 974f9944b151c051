// Closing windows and leaving the program through the real main frame.
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>

#include <optional>

#include "FailingWriter.h"
#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "res/CommandIds.h"

using WindowE2e = FrameFixture;

// Close All offers each editor for saving (an unchanged one without a
// question) and only hides the output window, whose Window menu item returns.
TEST_F(WindowE2e, CloseAllAsksForChangedEditorsAndHidesTheOutputWindow)
{
    const struct {
        const char* name;
        bool modify;
        int answer;  // 0: no question expected
        bool editorStays;
        bool diskFull = false;  // Yes, and the save fails: that stops the closing too
    } cases[] = {
        {"unchanged", false, 0, false},
        {"changed, not saved", true, IDNO, false},
        {"changed, cancelled", true, IDCANCEL, true},
        {"changed, save failed", true, IDYES, true, true},
    };
    const char* const text = "print 1, \"\\n\";\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string model = WriteModel("model.nuv", text);
        Start({model});
        Frame().OnCommand(ID_RUN_ACTIVE);
        ASSERT_NE(Output(), nullptr);
        ASSERT_FALSE(Output()->m_bHidden) << "the run showed the output window";
        EXPECT_FALSE(MenuTexts(Frame().WindowMenu()).contains("&Output Window"));
        auto* editor = static_cast<CNuvEdit*>(Frame().FindEditorWindow(model.c_str()));
        ASSERT_NE(editor, nullptr);
        if (c.modify) {
            editor->Edit().ReplaceSel("x = 2;\n");
            ASSERT_TRUE(editor->m_bModified);
        }
        prompts.Clear();
        if (c.answer)
            prompts.ExpectMessageBox(c.answer);
        if (c.diskFull)
            prompts.ExpectMessageBox(IDOK);

        {
            std::optional<FailingWriter> full;
            if (c.diskFull)
                full.emplace(0);
            Frame().OnCommand(ID_WINDOW_CLOSE_ALL);
        }

        ASSERT_EQ(prompts.Records().size(), c.answer ? (c.diskFull ? 2u : 1u) : 0u);
        if (c.answer) {
            EXPECT_TRUE(prompts.Records()[0].text.startsWith("File " + QString::fromStdString(model)));
            EXPECT_EQ(prompts.Records()[0].style, MB_YESNOCANCEL | MB_ICONQUESTION);
        }
        if (c.diskFull) {
            EXPECT_TRUE(editor->m_bModified);
            EXPECT_TRUE(Output()->m_bHidden) << "the closing stopped at the editor";
            continue;
        }
        EXPECT_EQ(Frame().FindEditorWindow(model.c_str()) != nullptr, c.editorStays);
        EXPECT_EQ(ReadFile(model), QString(text)) << "nothing was saved";
        ASSERT_EQ(Frame().Output(), Output()) << "the output window object stays";
        EXPECT_TRUE(Output()->m_bHidden);
        EXPECT_EQ(OutputLines(), std::vector<std::string>{"1"}) << "its text stays";
        const QStringList menu = MenuTexts(Frame().WindowMenu());
        ASSERT_GT(menu.size(), 6);
        EXPECT_EQ(menu[5], "&Output Window");
        EXPECT_EQ(menu[6], "-");
        EXPECT_EQ(menu.count("&Output Window"), 1);
        if (c.editorStays) {
            // The cancelled editor is left as it was, and the program goes on.
            prompts.ExpectMessageBox(IDNO);
            Frame().OnCommand(ID_WINDOW_CLOSE_ALL);
            EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
        }
    }
}

// The workspace file of the start directory goes away on exit unless the
// settings are to be saved.
TEST_F(WindowE2e, ExitRemovesTheWorkspaceFileUnlessSettingsAreSaved)
{
    const struct {
        bool saveSettings;
        bool fileStays;
    } cases[] = {{false, false}, {true, true}};
    ASSERT_TRUE(QDir(dir.path()).mkdir("start"));
    const QString startDirectory = dir.path() + "/start";
    const QString settingsFile = startDirectory + "/_nuv_.cfg";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saveSettings);
        Start();
        Frame().m_startDirectory = startDirectory;
        QFile file(settingsFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        if (c.saveSettings)
            Frame().OnCommand(ID_OPTIONS_SAVE_SETTINGS);
        EXPECT_EQ(Frame().m_bSaveSettings, c.saveSettings);

        Frame().OnCommand(ID_APP_EXIT);

        EXPECT_FALSE(Frame().isVisible());
        EXPECT_EQ(QFile::exists(settingsFile), c.fileStays);
        EXPECT_TRUE(QFile::exists(dir.path() + "/start")) << "only the file goes";
    }
}

// Exit whose save fails stays in the program with the text typed.
TEST_F(WindowE2e, ExitWhoseSaveFailsKeepsTheProgram)
{
    const std::string model = WriteModel("keep.nuv", "print 1;\n");
    Start({model});
    CNuvEdit* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    editor->Edit().ReplaceSel("typed ");
    prompts.ExpectMessageBox(IDYES);
    prompts.ExpectMessageBox(IDOK);
    {
        FailingWriter full(0);
        Frame().OnCommand(ID_APP_EXIT);
    }
    EXPECT_TRUE(Frame().isVisible());
    ASSERT_EQ(Frame().FindEditorWindow(model.c_str()), editor);
    EXPECT_TRUE(editor->m_bModified);
    EXPECT_TRUE(editor->Edit().GetText().startsWith("typed "));
    EXPECT_EQ(ReadFile(model), "print 1;\n");
    EXPECT_NE(Output(), nullptr) << "the output window object stays";
}

// The Window menu lists the open windows in the order they were opened: a
// check mark before the active one and nothing before the others; choosing
// an entry activates its window, a minimised one restored.
TEST_F(WindowE2e, TheWindowMenuMarksOnlyTheActiveWindow)
{
    const std::string a = WriteModel("a.nuv", "1\n");
    const std::string b = WriteModel("b.nuv", "2\n");
    Start({a, b});
    auto* first = static_cast<CNuvEdit*>(Frame().FindEditorWindow(a.c_str()));
    ASSERT_NE(first, nullptr);
    first->showMinimized();
    QMenu* menu = Frame().WindowMenu();
    const auto entries = [menu] {
        emit menu->aboutToShow();
        QStringList shown;
        const QList<QAction*> actions = menu->actions();
        for (qsizetype i = actions.size() - 1; i >= 0 && !actions[i]->isSeparator(); --i)
            shown.prepend((actions[i]->isCheckable() ? (actions[i]->isChecked() ? "[x] " : "[ ] ") : "") +
                          actions[i]->text());
        return shown;
    };
    Frame().MdiArea()->setActiveSubWindow(Frame().FindEditorWindow(b.c_str()));
    EXPECT_EQ(entries(), QStringList({"&1 " + QString::fromStdString(a), "[x] &2 " + QString::fromStdString(b)}));

    emit menu->aboutToShow();
    menu->actions().at(menu->actions().size() - 2)->trigger();
    EXPECT_EQ(Frame().ActiveChild(), first);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_EQ(entries(), QStringList({"[x] &1 " + QString::fromStdString(a), "&2 " + QString::fromStdString(b)}));
}
