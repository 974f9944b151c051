// The main frame: menus, tool bar, status bar, commands through the queue, and
// the commands that work on their own.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>

#include "ScriptedPrompts.h"
#include "app/CFrameStatusBar.h"
#include "app/CHelpViewer.h"
#include "app/CMainFrame.h"
#include "app/CNuvApp.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "platform/FontConversion.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/Images.h"
#include "shell/CNuvChild.h"

namespace {

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (action->isVisible())
            texts << (action->isSeparator() ? QString("-") : action->text());
    }
    return texts;
}

// A child that counts what reaches it.
class ProbeChild : public CNuvChild {
public:
    ProbeChild()
    {
        m_className = g_editorClass;
        setWidget(new QPlainTextEdit("some text"));
    }
    BOOL SaveAs() override
    {
        ++saveAs;
        return TRUE;
    }
    int saveAs = 0;
};

void Pump()
{
    QCoreApplication::processEvents();
}

}  // namespace

TEST(MainFrame, MenuBarHasEveryItemInOrder)
{
    CMainFrame frame;
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Search", "&Run", "&Options", "&Window", "&Help"}));

    const QList<QStringList> expected = {
        {"&New\tCtrl+W", "&Open...\tCtrl+O", "&Load...\tCtrl+L", "&Save\tCtrl+S", "Save &As...\tCtrl+A", "-",
         "&Print", "Print Se&lection", "P&rinter Setup...", "-", "Recent File", "-", "E&xit\tAlt+F4"},
        {"&Undo\tCtrl+Z", "-", "&Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "De&lete\tCtrl+D", "-",
         "&Select All"},
        {"&Tool Bar", "&Status Bar", "-", "Syntax &Colours", "&Line Numbers"},
        {"&Find...\tCtrl+F", "Find/&Replace...\tCtrl+T", "Go to &Line...\tCtrl+G", "-", "Matching Brace\tCtrl+B",
         "Uncommented Matching Brace\tCtrl+U", "-", "&Goto error\tCtrl+E"},
        {"&Run Active\tCtrl+R", "&Pick model...\tCtrl+P", "Run &Debugger", "-", "Ne&xt Error\tF8",
         "Pre&vious Error\tShift+F8"},
        {"&Environment...", "&Fonts...", "-", "&Save Settings on Exit"},
        {"&Cascade\tShift+F5", "&Tile\tShift+F4", "C&lose\tCtrl+F4", "Close &All", "-", "&Output Window", "-",
         "Arrange &Icons\tShift+F3", "Ta&bbed Windows"},
        {"&Contents", "A&bout..."},
    };
    const QList<QAction*> menus = frame.menuBar()->actions();
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(MenuTexts(menus[i]->menu()), expected[i]) << titles[i].toStdString();
    EXPECT_EQ(frame.RunMenu(), menus[4]->menu());
    EXPECT_EQ(frame.WindowMenu(), menus[6]->menu());
    EXPECT_EQ(frame.windowTitle(), "NUV");
}

TEST(MainFrame, EveryCommandHasItsPrompt)
{
    CMainFrame frame;
    const struct {
        int id;
        const char* prompt;
    } samples[] = {{ID_FILE_NEW, "Create a new editing window"},
                   {ID_EDIT_CUT, "Cut the selection and put it in the Clipboard"},
                   {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard"},
                   {ID_RUN_LAST, "Execute the most recently run model"},
                   {ID_RUN_TERMINATE, "Terminate the running model"},
                   {ID_OPTIONS_SAVE_SETTINGS, "Save or don't save current configuration on exit"},
                   {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window"},
                   {ID_FILE_MRU_FILE3, "Load this file"}};
    for (const auto& sample : samples) {
        ASSERT_NE(frame.CommandAction(sample.id), nullptr) << sample.id;
        EXPECT_EQ(frame.CommandAction(sample.id)->statusTip(), sample.prompt);
    }
    EXPECT_TRUE(frame.CommandAction(ID_HELP_CONTENTS)->statusTip().isEmpty());
}

TEST(MainFrame, ToolBarEntriesAndImages)
{
    CMainFrame frame;
    const QList<QAction*> entries = frame.ToolBar()->actions();
    ASSERT_EQ(entries.size(), 25);
    const int expected[] = {57600, 57601, 57599, 57603, 0, 57607, 0, 0, 57643, 57635, 57634, 57637, 57632,
                            57642, 0,     0,     57588, 0,     0, 57597, 57596, 57594, 0, 0, 57664};
    for (int i = 0; i < 25; ++i) {
        if (expected[i] == 0) {
            EXPECT_TRUE(entries[i]->isSeparator()) << i;
        } else {
            EXPECT_EQ(entries[i]->data().toInt(), expected[i]) << i;
            EXPECT_FALSE(entries[i]->icon().isNull()) << i;
        }
    }
    for (int image = 0; image < kToolBarImageCount; ++image)
        EXPECT_EQ(ToolBarImage(image).size(), QSize(16, 15)) << image;
    EXPECT_TRUE(ToolBarImage(17).isNull());

    frame.SetRunButton(TRUE);
    EXPECT_EQ(frame.ToolBar()->actions()[kRunLastButton]->data().toInt(), ID_RUN_TERMINATE);
    frame.SetRunButton(FALSE);
    EXPECT_EQ(frame.ToolBar()->actions()[kRunLastButton]->data().toInt(), ID_RUN_LAST);
    EXPECT_EQ(frame.ToolBar()->actions().size(), 25);
}

TEST(MainFrame, StatusBarPanesAndPrompts)
{
    CMainFrame frame;
    CFrameStatusBar* bar = frame.StatusBar();
    EXPECT_EQ(bar->PaneCount(), 6);
    EXPECT_EQ(bar->MessageText(), "Ready");

    QStatusTipEvent prompt("Open an existing model");
    QCoreApplication::sendEvent(&frame, &prompt);
    EXPECT_EQ(bar->MessageText(), "Open an existing model");
    QStatusTipEvent none("");
    QCoreApplication::sendEvent(&frame, &none);
    EXPECT_EQ(bar->MessageText(), "Ready");

    frame.OnIdle();
    EXPECT_EQ(bar->PaneText(ID_INDICATOR_LINE), "") << "no child: the position panes are empty";
    EXPECT_EQ(bar->PaneText(ID_INDICATOR_CLOCK), "        ");
    frame.ResetElapsedTime(TRUE);
    frame.OnIdle();
    EXPECT_EQ(bar->PaneText(ID_INDICATOR_CLOCK), "00:00:00");

    // A number longer than its pane's sizing text widens the pane: every digit shows.
    frame.resize(600, 400);
    frame.show();
    for (const int id : {ID_INDICATOR_LINE, ID_INDICATOR_COLUMN}) {
        const QString number = "1000001";
        bar->EnablePane(id, true);
        bar->SetPaneText(id, number);
        QCoreApplication::processEvents();
        auto* pane = bar->findChildren<QLabel*>().at(id == ID_INDICATOR_LINE ? 3 : 4);
        ASSERT_EQ(pane->text(), number);
        EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance(number)) << id;
    }
}

TEST(MainFrame, CommandsTravelThroughTheQueue)
{
    CMainFrame frame;
    QAction* toolBar = frame.CommandAction(ID_VIEW_TOOLBAR);
    toolBar->trigger();
    EXPECT_FALSE(frame.ToolBar()->isHidden()) << "nothing happens before the queue is pumped";
    Pump();
    EXPECT_TRUE(frame.ToolBar()->isHidden());
    EXPECT_EQ(frame.m_bToolBarVisible, FALSE);
    frame.OnIdle();
    EXPECT_FALSE(toolBar->isChecked());

    frame.ShowToolBar(FALSE);
    EXPECT_TRUE(frame.ToolBar()->isHidden()) << "hiding twice changes nothing";
    frame.ShowToolBar(TRUE);
    frame.OnIdle();
    EXPECT_FALSE(frame.ToolBar()->isHidden());
    EXPECT_TRUE(toolBar->isChecked());

    frame.OnCommand(ID_VIEW_STATUS_BAR);
    frame.OnIdle();
    EXPECT_TRUE(frame.StatusBar()->isHidden());
    EXPECT_FALSE(frame.CommandAction(ID_VIEW_STATUS_BAR)->isChecked());

    const BOOL before = frame.m_bSaveSettings;
    frame.OnCommand(ID_OPTIONS_SAVE_SETTINGS);
    frame.OnIdle();
    EXPECT_NE(frame.m_bSaveSettings, before);
    EXPECT_EQ(frame.CommandAction(ID_OPTIONS_SAVE_SETTINGS)->isChecked(), frame.m_bSaveSettings != 0);
}

TEST(MainFrame, DebuggerAndCtrlNAndAbout)
{
    CMainFrame frame;
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(IDOK);
    frame.OnCommand(ID_RUN_DEBUGGER);
    ASSERT_EQ(prompts.Records().size(), 1u);
    EXPECT_EQ(prompts.Last().style, MB_ICONINFORMATION);
    EXPECT_TRUE(prompts.Last().text.startsWith("Sorry, this option is unavailable"));

    frame.OnCommand(ID_NEXT_PANE);  // Ctrl+N: nothing at all
    EXPECT_EQ(prompts.Records().size(), 1u);
}

TEST(MainFrame, AcceleratorsWinOverTheTextControl)
{
    CMainFrame frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    auto* child = new ProbeChild;
    frame.MdiArea()->addSubWindow(child);
    child->show();
    frame.MdiArea()->setActiveSubWindow(child);
    auto* text = static_cast<QPlainTextEdit*>(child->widget());
    text->setFocus();

    QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, "a");
    QCoreApplication::sendEvent(text, &ctrlA);
    Pump();
    EXPECT_EQ(child->saveAs, 1) << "Ctrl+A is Save As";
    EXPECT_FALSE(text->textCursor().hasSelection()) << "and not the control's select-all";

    QKeyEvent plain(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(text, &plain);
    EXPECT_TRUE(text->toPlainText().contains('a')) << "ordinary keys still type";
}

TEST(MainFrame, FontsReapplyTheFontWhetherConfirmedOrCancelled)
{
    CMainFrame frame;
    CNuvEdit* child = CNuvEdit::Create(kPlaceDefault);
    ASSERT_NE(child, nullptr);
    ScriptedPrompts prompts;

    LOGFONTA chosen = LogFontFromFont(SystemFixedFont());
    chosen.lfHeight = -19;
    prompts.ExpectFont(chosen);
    frame.OnCommand(ID_OPTIONS_FONTS);
    EXPECT_EQ(frame.m_logFont.lfHeight, -19);
    EXPECT_EQ(frame.EditorFont().pixelSize(), 19);
    EXPECT_EQ(child->widget()->font().pixelSize(), 19);

    child->widget()->setFont(QFont());
    prompts.ExpectFontCancel();
    frame.OnCommand(ID_OPTIONS_FONTS);
    EXPECT_EQ(child->widget()->font().pixelSize(), 19) << "a cancelled dialog still re-applies the current font";
}

TEST(MainFrame, HelpFileDocumentsEveryCommand)
{
    const QString path = CHelpViewer::HelpFilePath();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString help = QString::fromUtf8(file.readAll());
    for (const CommandInfo& command : CommandTable()) {
        if (!command.menuText)
            continue;
        QString name = QString::fromUtf8(command.menuText).section('\t', 0, 0);
        name.remove('&');
        name.remove("...");
        EXPECT_TRUE(help.contains(name, Qt::CaseInsensitive)) << name.toStdString();
    }
    CHelpViewer viewer(nullptr);
    EXPECT_TRUE(viewer.ShownText().contains("Run Active"));
}

// After a link the keys and the buttons go back, forward and to the contents.
TEST(MainFrame, HelpViewerGoesBackForwardAndToTheContents)
{
    CHelpViewer viewer(nullptr);
    viewer.setAttribute(Qt::WA_DeleteOnClose, false);
    viewer.show();
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    const auto section = [&viewer] { return viewer.Source().fragment(); };
    const auto keys = [&viewer](Qt::Key key) {
        QTest::keyClick(&viewer, key, Qt::AltModifier);
        return viewer.Source().fragment();
    };
    EXPECT_EQ(section(), "contents");
    EXPECT_FALSE(viewer.BackAction()->isEnabled());
    EXPECT_FALSE(viewer.ForwardAction()->isEnabled());

    viewer.FollowLink("#file");
    viewer.FollowLink("#recovery");
    ASSERT_EQ(section(), "recovery");
    EXPECT_TRUE(viewer.ShownText().contains("Open"));
    EXPECT_EQ(keys(Qt::Key_Left), "file");
    EXPECT_EQ(keys(Qt::Key_Left), "contents");
    EXPECT_FALSE(viewer.BackAction()->isEnabled());
    EXPECT_EQ(keys(Qt::Key_Right), "file");
    EXPECT_EQ(keys(Qt::Key_Home), "contents");
    EXPECT_FALSE(viewer.ForwardAction()->isEnabled()) << "a new place ends the way forward";
    viewer.BackAction()->trigger();
    EXPECT_EQ(section(), "file");
    viewer.ForwardAction()->trigger();
    EXPECT_EQ(section(), "contents");
    viewer.FollowLink("#keys");
    viewer.ContentsAction()->trigger();
    EXPECT_EQ(section(), "contents");
}

TEST(MainFrame, ExitClosesThroughTheCloseAllRoutine)
{
    CMainFrame frame;
    frame.show();
    frame.OnCommand(ID_APP_EXIT);
    EXPECT_FALSE(frame.isVisible());
}

TEST(Startup, FrameThatCannotBeMadeEndsTheProgramWithMessage172)
{
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(IDOK);
    CNuvApp app;
    app.SetFactories([] { return static_cast<CMainFrame*>(nullptr); }, nullptr);
    EXPECT_EQ(app.InitInstance({}), FALSE);
    ASSERT_EQ(prompts.Records().size(), 1u);
    EXPECT_EQ(prompts.Last().text,
              "Initialization of the application failed. Possible reason: not enough memory. NUV will close.");
    EXPECT_EQ(prompts.Last().style, MB_ICONSTOP);
    EXPECT_EQ(app.Frame(), nullptr);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible()) << "no window is left open";
}

TEST(Startup, OutputWindowThatCannotBeMadeEndsTheProgramWithMessage172)
{
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(IDOK);
    CNuvApp app;
    app.SetFactories(nullptr, [] { return static_cast<CNuvOutput*>(nullptr); });
    EXPECT_EQ(app.InitInstance({}), FALSE);
    ASSERT_EQ(prompts.Records().size(), 1u);
    EXPECT_TRUE(prompts.Last().text.startsWith("Initialization of the application failed."));
    EXPECT_EQ(app.Frame(), nullptr) << "the frame that was made is gone again";
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible()) << "no window is left open";
}

TEST(MainFrame, RecentFilesReplaceThePlaceholder)
{
    CMainFrame frame;
    QMenu* file = frame.menuBar()->actions()[0]->menu();
    EXPECT_TRUE(MenuTexts(file).contains("Recent File"));
    frame.AddToRecentFileList("/m/a.nuv");
    frame.AddToRecentFileList("/m/b&c.nuv");
    const QStringList texts = MenuTexts(file);
    EXPECT_FALSE(texts.contains("Recent File"));
    const int first = static_cast<int>(texts.indexOf("&1 /m/b&&c.nuv"));
    ASSERT_GE(first, 0) << texts.join(" | ").toStdString();
    EXPECT_EQ(texts[first + 1], "&2 /m/a.nuv");
    EXPECT_EQ(texts[first - 1], "-");
    EXPECT_EQ(texts[first + 2], "-") << "a separator stands after the list";
    EXPECT_EQ(texts.last(), "E&xit\tAlt+F4");
    frame.OnIdle();
    EXPECT_TRUE(frame.CommandAction(ID_FILE_MRU_FILE2)->isEnabled());
    EXPECT_FALSE(frame.CommandAction(ID_FILE_MRU_FILE3)->isEnabled());
}

// The frame's accelerators against a real editor window, keys sent the whole
// way (shortcut override, then key press) to the focused text control.
TEST(MainFrame, AcceleratorsReachTheFrameFromARealEditor)
{
    CMainFrame frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    ScriptedPrompts prompts;
    frame.OnCommand(ID_FILE_NEW);
    auto* editor = static_cast<CNuvEdit*>(frame.ActiveChild());
    ASSERT_NE(editor, nullptr);
    editor->SetText("hello world", "Untitled");
    editor->Focus();
    QWidget* text = editor->Edit().Widget();

    editor->Edit().SetSel(0, 6);
    QTest::keyClick(text, Qt::Key_D, Qt::ControlModifier);
    Pump();
    EXPECT_EQ(editor->Edit().GetText(), "world") << "Ctrl+D deletes the selection";

    prompts.ExpectFileCancel();
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    Pump();
    ASSERT_EQ(prompts.Records().size(), 1u) << "Ctrl+A is Save As, not select-all";
    EXPECT_EQ(prompts.Last().text, "NUV - Save File As");

    QTest::keyClick(text, Qt::Key_K, Qt::ControlModifier);
    Pump();
    EXPECT_EQ(prompts.Records().size(), 1u) << "Ctrl+K with no model run yet does nothing";
    EXPECT_EQ(editor->Edit().GetText(), "world");

    QTest::keyClick(text, Qt::Key_W, Qt::ControlModifier);
    Pump();
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2) << "Ctrl+W is New";
}
