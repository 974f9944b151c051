#pragma once
// The one top-level window: menu bar, tool bar and status bar, the options
// shared by the whole environment, and the target of every command. Commands
// arrive as posted command events; the frame hands text commands to the active
// child and delegates the rest to the objects that own them.
#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/CErrorLines.h"
#include "app/CFindReplaceDlg.h"
#include "app/UiState.h"
#include "config/CWorkspaceWriter.h"
#include "editor/CRecentFileList.h"
#include "run/CEnvironmentSettings.h"
#include "platform/Win32Types.h"
#include "shell/IMainFrame.h"

// The find/replace handling's application-wide values: the open dialog is the
// Find dialog (not the Replace dialog); the replace text kept from the last
// Replace dialog for the next one.
extern BOOL g_bFindOnly;
extern QString g_szReplaceWith;

class CAccelerators;
class CDefaultPrinter;
class CCommandActions;
class CFrameStatusBar;
class CNuvChild;
class CFileCommands;
class CNuvOutput;
class CRecentFileMenu;
class CRunController;
class CTabbedWindows;
class CWindowList;
class IdleHook;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSessionManager;
class QToolBar;

class CMainFrame : public QMainWindow, public IMainFrame {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // IMainFrame
    QWidget* Window() override { return this; }
    QMdiArea* MdiArea() override { return m_pMdiArea; }
    CNuvChild* ActiveChild() const override { return m_pActiveChild; }
    void SetActiveChild(CNuvChild* child) override { m_pActiveChild = child; }
    CNuvOutput* Output() const override { return m_pOutput; }
    void SetOutput(CNuvOutput* output) override { m_pOutput = output; }
    void SetMessageText(const QString& text) override;
    void SetPaneText(int indicatorId, const QString& text) override;
    CNuvChild* FindEditorWindow(const char* path) override;
    void AddToRecentFileList(const char* path) override;
    QFont EditorFont() const override { return m_pEditorFont; }
    BOOL PreprocessOnly() const override { return m_settings.m_bPreprocessOnly; }
    QMenu* WindowMenu() override { return m_pWindowMenu; }
    QMenu* RunMenu() override { return m_pRunMenu; }
    QAction* CommandAction(int id) override;
    void SetRunButton(BOOL terminate) override;
    void PostCommand(int id) override;

    void ShowToolBar(BOOL show);
    void ShowStatusBar(BOOL show);
    void ResetElapsedTime(BOOL running) { m_settings.ResetElapsedTime(running); }
    // Closes every child window, topmost first: mode 1 for Close All (the
    // output window only hides), 2 for exit, which also writes the workspace
    // with Save Settings on Exit on (else removes _nuv_.cfg). FALSE when
    // cancelled (an editor's Cancel or failed save), or postponed while a model
    // runs; a cancelled exit leaves no _nuv_.cfg behind.
    BOOL CloseAllWindows(int mode);
    // For an end nobody can answer (a termination signal): the workspace as
    // an exit leaves it, or no _nuv_.cfg without Save Settings on Exit, and
    // the two profile settings, without a question; the windows stay. Every
    // window is recorded as an exit records it, topmost first, except that a
    // modified model with a name is recorded by its name (its unsaved text is
    // in its recovery copy) and a modified untitled one is left out. An exit
    // under way (its question on screen, or waiting for a run) goes on with
    // the file it began.
    void SaveWorkspaceWithoutQuestions();
    // The editor font from its description, in every editor window.
    void SetEditorLogFont(const LOGFONTA& font);

    // Runs a command now, as the posted event would; a command whose update
    // rule says disabled at this moment is dropped.
    void OnCommand(int id);
    // The idle step: caret panes of the active child, update rules, clock pane.
    void OnIdle();
    UiState GatherUiState() const;
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    // Shows the recent-file list in the File menu.
    void RefreshRecentFiles();
    CFrameStatusBar* StatusBar() const { return m_pStatusBar; }
    CTabbedWindows& TabbedWindows() const { return *m_pTabs; }
    QToolBar* ToolBar() const { return m_pToolBar; }

    CNuvChild* m_pActiveChild = nullptr;
    CNuvOutput* m_pOutput = nullptr;
    // The open Find or Replace dialog; null once it reported its closing.
    QPointer<CFindReplaceDlg> m_pFindDialog;
    QFont m_pEditorFont;
    LOGFONTA m_logFont{};
    BOOL m_bToolBarVisible = TRUE;
    BOOL m_bStatusBarVisible = TRUE;
    // The Environment settings (m_bPreprocessOnly, m_bRangeCheck, m_nUpdateLimit,
    // m_bTimer) and the run clock (m_szElapsed, m_nHours, m_nMinutes, m_nSeconds).
    CEnvironmentSettings m_settings;
    BOOL m_bSaveSettings = FALSE;
    // The directory that was current at start-up; _nuv_.cfg lives there.
    QString m_startDirectory;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void ApplyUpdateRules(const UiState& state);
    void ApplyRules(QMenu* menu);
    void OnFonts();
    void OnEndSession(QSessionManager& manager);
    void ApplyEditorFont();
    void ApplyFontTo(CNuvChild* editor);
    void ToggleEditorLook(int id);
    void OnPrintSetup();
    void OnAbout();
    void OnHelpContents();
    void OnCloseActive();
    // Find (findOnly) and Find/Replace: open the dialog, or focus the open one
    // of that kind.
    void OpenFindDialog(bool findOnly);
    void OnFindReplace(CFindReplaceDlg* dialog, DWORD flags);
    void FindNext(const QByteArray& findText, BOOL down, BOOL matchCase);
    void Replace(const QByteArray& findText, const QByteArray& replaceText, BOOL down, BOOL matchCase);
    // Next Error (next) and Previous Error: the output caret to the neighbouring
    // error line, then Go to error; a beep when there is none.
    void GotoNeighbourError(bool next);
    void ArrangeIcons();
    BOOL CloseEditor(CNuvChild* editor, bool exiting);
    BOOL PrepareExit();
    void FinishExit();
    QMdiSubWindow* NextToClose(QList<QPointer<QMdiSubWindow>>& order) const;
    QMdiSubWindow* TopChild() const;

    QMdiArea* m_pMdiArea;
    CCommandActions* m_pActions;
    CFrameStatusBar* m_pStatusBar;
    QToolBar* m_pToolBar;
    QMenu* m_pRunMenu = nullptr;
    QMenu* m_pWindowMenu = nullptr;
    CAccelerators* m_pAccelerators;
    CWindowList* m_pWindowList;
    CTabbedWindows* m_pTabs;
    IdleHook* m_pIdle;
    CRecentFileList m_recentFiles;
    CRecentFileMenu* m_pRecentMenu = nullptr;
    std::unique_ptr<CFileCommands> m_pFileCommands;
    std::unique_ptr<CRunController> m_pRun;
    std::unique_ptr<CDefaultPrinter> m_pPrinter;  // Print's and Printer Setup's printer
    bool m_clipboardHasText = false;
    // The exit's workspace writer (theConfigWriter), kept across an exit that
    // waits for a run to end.
    CWorkspaceWriter m_workspaceWriter;
    // Brought up to date by each GatherUiState.
    mutable CErrorLines m_errorLines;
};
