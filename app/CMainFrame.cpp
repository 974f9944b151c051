#include "app/CMainFrame.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QSessionManager>
#include <QStatusTipEvent>
#include <QToolBar>
#include <algorithm>
#include <new>

#include "app/CAboutDlg.h"
#include "app/CAccelerators.h"
#include "app/CCommandActions.h"
#include "app/CFrameStatusBar.h"
#include "app/CHelpViewer.h"
#include "app/CRecentFileMenu.h"
#include "app/CTabbedWindows.h"
#include "app/CWindowList.h"
#include "platform/CommandEvent.h"
#include "platform/FontConversion.h"
#include "platform/IdleHook.h"
#include "platform/Placement.h"
#include "platform/Prompts.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/Images.h"
#include "res/StringTable.h"
#include "editor/CFileCommands.h"
#include "editor/CNuvEdit.h"
#include "editor/EditorLook.h"
#include "editor/ErrorLine.h"
#include "editor/GotoError.h"
#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "print/CDefaultPrinter.h"
#include "run/CRunController.h"
#include "run/CRunPump.h"
#include "shell/CNuvChild.h"
#include "shell/MessageFromTable.h"
#include "shell/PrintHandler.h"

BOOL g_bFindOnly = FALSE;
QString g_szReplaceWith;

CMainFrame::CMainFrame()
{
    SetTheFrame(this);
    CNuvOutput::SetGotoErrorHandler(&GotoErrorFromLine);
    CNuvOutput::SetErrorLineTest([](const char* line, std::size_t length) {
        ErrorLocation location;
        return ParseErrorLine(line, length, &location);
    });
    setWindowTitle(QString::fromUtf8(LoadStringEntry(IDS_NUV)));
    setWindowIcon(ApplicationIcon());
    ResetElapsedTime(FALSE);

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setBackground(QColor(128, 128, 128));
    setCentralWidget(m_pMdiArea);
    m_pTabs = new CTabbedWindows(m_pMdiArea, [this] { return m_pOutput; });

    m_pActions = new CCommandActions(this);
    BuildMenus();
    BuildToolBar();
    m_pStatusBar = new CFrameStatusBar(this);
    setStatusBar(m_pStatusBar);
    m_pAccelerators = new CAccelerators(this);

    m_logFont = LogFontFromFont(SystemFont());
    m_pEditorFont = FontFromLogFont(m_logFont);

    // Asking the clipboard at every idle pass would cost a round trip to the
    // display server; its offer changes only with this signal.
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto clipboardChanged = [this, clipboard] {
        const QMimeData* data = clipboard->mimeData();
        m_clipboardHasText = data && data->hasText();
    };
    connect(clipboard, &QClipboard::dataChanged, this, clipboardChanged);
    clipboardChanged();

    m_pFileCommands = std::make_unique<CFileCommands>(m_recentFiles);
    m_pRun = std::make_unique<CRunController>(*this, m_settings, [this] { OnIdle(); });
    m_pIdle = new IdleHook([this] { OnIdle(); }, this);
    m_pPrinter = std::make_unique<CDefaultPrinter>();
    SetPrintHandler([this](const char* text, const char* title) { m_pPrinter->Print(text, title, this); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnEndSession);
    resize(900, 640);
}

CMainFrame::~CMainFrame()
{
    SetPrintHandler(nullptr);
    // A hidden output window has no parent: nothing else deletes it.
    if (m_pOutput && m_pOutput->m_bHidden)
        delete m_pOutput;
    m_pRun.reset();
    // Children deleted with the MDI area must not report to a frame half gone.
    if (TheFrame() == this)
        SetTheFrame(nullptr);
    m_pActiveChild = nullptr;
    delete m_pMdiArea;
    m_pMdiArea = nullptr;
}

void CMainFrame::BuildMenus()
{
    int index = 0;
    for (const MenuInfo& info : MenuBar()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(info.title));
        for (const MenuEntry& entry : info.entries) {
            if (entry.id == 0) {
                menu->addSeparator();
            } else if (entry.id == kRecentFilePlaceholder) {
                QAction* placeholder = menu->addAction(QString::fromUtf8(kRecentFilePlaceholderText));
                placeholder->setEnabled(false);
                placeholder->setObjectName("RecentFilePlaceholder");
                QAction* const recent[4] = {m_pActions->Action(ID_FILE_MRU_FILE1), m_pActions->Action(ID_FILE_MRU_FILE2),
                                            m_pActions->Action(ID_FILE_MRU_FILE3), m_pActions->Action(ID_FILE_MRU_FILE4)};
                m_pRecentMenu = new CRecentFileMenu(menu, placeholder, recent);
            } else {
                menu->addAction(m_pActions->Action(entry.id));
            }
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { ApplyRules(menu); });
        if (index == kRunMenuIndex)
            m_pRunMenu = menu;
        if (index == kWindowMenuIndex)
            m_pWindowMenu = menu;
        ++index;
    }
    m_pWindowList = new CWindowList(m_pWindowMenu, m_pMdiArea);
}

void CMainFrame::BuildToolBar()
{
    m_pToolBar = addToolBar("Tool Bar");
    m_pToolBar->setObjectName("ToolBar");
    m_pToolBar->setMovable(false);
    m_pToolBar->setFloatable(false);
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    for (int id : ToolBarEntries()) {
        if (id == 0)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(m_pActions->Action(id));
    }
}

QAction* CMainFrame::CommandAction(int id)
{
    return m_pActions->Action(id);
}

void CMainFrame::SetRunButton(BOOL terminate)
{
    QAction* current = m_pToolBar->actions().value(kRunLastButton);
    QAction* wanted = m_pActions->Action(terminate ? ID_RUN_TERMINATE : ID_RUN_LAST);
    if (!current || current == wanted)
        return;
    m_pToolBar->insertAction(current, wanted);
    m_pToolBar->removeAction(current);
}

void CMainFrame::PostCommand(int id)
{
    ::PostCommand(this, id);
}

void CMainFrame::SetMessageText(const QString& text)
{
    m_pStatusBar->SetMessageText(text);
}

void CMainFrame::SetPaneText(int indicatorId, const QString& text)
{
    m_pStatusBar->SetPaneText(indicatorId, text);
}

CNuvChild* CMainFrame::FindEditorWindow(const char* path)
{
    return FindEditorIn(m_pMdiArea, path);
}

void CMainFrame::AddToRecentFileList(const char* path)
{
    m_recentFiles.Add(path);
    RefreshRecentFiles();
}

void CMainFrame::RefreshRecentFiles()
{
    m_pRecentMenu->Refresh(m_recentFiles);
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == CommandEvent::EventType()) {
        OnCommand(static_cast<CommandEvent*>(event)->Id());
        return true;
    }
    if (event->type() == QEvent::StatusTip) {
        // A highlighted item shows its prompt; leaving it brings back "Ready".
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetMessageText(tip.isEmpty() ? QString::fromUtf8(LoadStringEntry(IDS_READY)) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A print job disables the window while it runs; the job reads windows
    // that closing would destroy.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (CloseAllWindows(2))
        event->accept();
    else
        event->ignore();
}

// The end of the desktop session passes through the exit's close-all routine;
// a cancelled one keeps the session alive. Should the session go on anyway
// (another program refused), the program goes on too, with a fresh hidden
// output window in place of the one the routine released. A running print job
// (the window is disabled meanwhile) keeps the session alive too.
void CMainFrame::OnEndSession(QSessionManager& manager)
{
    if (!isEnabled() || !CloseAllWindows(2)) {
        manager.cancel();
        return;
    }
    if (!m_pOutput) {
        auto* output = new (std::nothrow) CNuvOutput(FALSE, nullptr);
        if (output && !output->m_bCreated)
            delete output;
    }
}

void CMainFrame::OnCommand(int id)
{
    // Disabled means disabled: a key, a menu, the tool bar or a posted event
    // all end here, and none of them runs a command its rule refuses now.
    if (!UpdateRule(id, GatherUiState()).enabled)
        return;
    // A print job disables the window while its pump runs; a command queued
    // before that waits for nothing and is dropped too.
    if (!isEnabled())
        return;
    if (m_pRun->OnCommand(id))
        return;
    // Text commands belong to the active child when it handles them.
    if (m_pActiveChild && m_pActiveChild->OnCommand(id))
        return;
    switch (id) {
    case ID_FILE_NEW: m_pFileCommands->New(); break;
    case ID_FILE_OPEN: m_pFileCommands->Open(); break;
    case ID_FILE_MRU_FILE1:
    case ID_FILE_MRU_FILE2:
    case ID_FILE_MRU_FILE3:
    case ID_FILE_MRU_FILE4:
        m_pFileCommands->OpenRecent(id - ID_FILE_MRU_FILE1);
        RefreshRecentFiles();
        break;
    case ID_WINDOW_OUTPUT:
        if (m_pOutput)
            m_pOutput->ShowOutputWindow(nullptr);
        break;
    case ID_FILE_SAVE_AS:
        if (m_pActiveChild)
            m_pActiveChild->SaveAs();
        break;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_SELECTION:
        if (m_pActiveChild) {
            // A print job pumps events for a long while: what was typed is safe first.
            WriteAllRecoveryCopiesNow();
            m_pActiveChild->PrintText(id == ID_FILE_PRINT_SELECTION);
        }
        break;
    case ID_VIEW_TOOLBAR: ShowToolBar(!m_bToolBarVisible); break;
    case ID_VIEW_STATUS_BAR: ShowStatusBar(!m_bStatusBarVisible); break;
    case ID_VIEW_SYNTAX_COLOURS:
    case ID_VIEW_LINE_NUMBERS: ToggleEditorLook(id); break;
    case ID_OPTIONS_FONTS: OnFonts(); break;
    case ID_OPTIONS_SAVE_SETTINGS: m_bSaveSettings = !m_bSaveSettings; break;
    case ID_WINDOW_CASCADE: m_pMdiArea->cascadeSubWindows(); break;
    case ID_WINDOW_TILE: m_pMdiArea->tileSubWindows(); break;
    case ID_WINDOW_ARRANGE: ArrangeIcons(); break;
    case ID_WINDOW_TABBED:
        m_pTabs->SetOn(!m_pTabs->IsOn());
        CTabbedWindows::ToProfile(m_pTabs->IsOn());
        break;
    case ID_WINDOW_CLOSE: OnCloseActive(); break;
    case ID_WINDOW_CLOSE_ALL: CloseAllWindows(1); break;
    case ID_EDIT_FIND: OpenFindDialog(true); break;
    case ID_EDIT_REPLACE: OpenFindDialog(false); break;
    case ID_SEARCH_GOTO_ERROR:
        if (m_pOutput)
            m_pOutput->GotoErrorLine();
        break;
    case ID_RUN_NEXT_ERROR: GotoNeighbourError(true); break;
    case ID_RUN_PREVIOUS_ERROR: GotoNeighbourError(false); break;
    case ID_HELP_CONTENTS: OnHelpContents(); break;
    case ID_APP_ABOUT: OnAbout(); break;
    case ID_APP_EXIT: close(); break;
    case ID_FILE_PRINT_SETUP: OnPrintSetup(); break;
    default: break;  // Ctrl+N (57640) and commands no window handles
    }
}

void CMainFrame::ShowToolBar(BOOL show)
{
    if (show == m_bToolBarVisible)
        return;
    m_pToolBar->setVisible(show);
    m_bToolBarVisible = show;
}

void CMainFrame::ShowStatusBar(BOOL show)
{
    if (show == m_bStatusBarVisible)
        return;
    m_pStatusBar->setVisible(show);
    m_bStatusBarVisible = show;
}

// Whether the user confirms or cancels, the editor font is made anew from the
// description and given, with the left margin, to every editor window.
void CMainFrame::OnFonts()
{
    m_logFont = LogFontFromFont(m_pEditorFont);
    Prompts().FontDialog(this, &m_logFont);
    m_pEditorFont = FontFromLogFont(m_logFont);
    ApplyEditorFont();
}

void CMainFrame::SetEditorLogFont(const LOGFONTA& font)
{
    m_logFont = font;
    m_pEditorFont = FontFromLogFont(m_logFont);
    ApplyEditorFont();
}

void CMainFrame::ApplyEditorFont()
{
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        auto* child = qobject_cast<CNuvChild*>(window);
        if (child && child->IsWindowClass(g_editorClass))
            ApplyFontTo(child);
    }
}

// The choice holds for every editor window, open or opened later, and is kept
// in the profile at once, as the other View choices are not.
void CMainFrame::ToggleEditorLook(int id)
{
    EditorLook& look = CurrentEditorLook();
    bool& choice = id == ID_VIEW_SYNTAX_COLOURS ? look.colours : look.lineNumbers;
    choice = !choice;
    look.ToProfile();
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        auto* child = qobject_cast<CNuvChild*>(window);
        if (child && child->IsWindowClass(g_editorClass))
            static_cast<CNuvEdit*>(child)->ApplyLook(look);
    }
}

void CMainFrame::ApplyFontTo(CNuvChild* editor)
{
    static_cast<CNuvEdit*>(editor)->ApplyFont(m_pEditorFont);
}

// The dialog sets up the session's printer itself, so what is chosen there
// holds for the jobs that follow.
void CMainFrame::OnPrintSetup()
{
    if (QPrinter* printer = m_pPrinter->Printer())
        Prompts().PrintSetupDialog(this, printer);
    else
        MessageFromTable(IDS_NO_PRINTER, MB_ICONEXCLAMATION);
}

void CMainFrame::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnHelpContents()
{
    CHelpViewer::ShowContents(this);
}

// The child's own close handling: an editor asks about unsaved changes, the
// output window only hides.
void CMainFrame::OnCloseActive()
{
    if (m_pActiveChild)
        m_pActiveChild->close();
}

void CMainFrame::OpenFindDialog(bool findOnly)
{
    if (m_pFindDialog) {
        if (m_pFindDialog->IsFindOnly() == findOnly) {
            m_pFindDialog->raise();
            m_pFindDialog->activateWindow();
            return;
        }
        m_pFindDialog->Terminate();
    }
    const char* suggested = m_pActiveChild ? m_pActiveChild->GetFindText() : nullptr;
    auto* dialog = new (std::nothrow) CFindReplaceDlg(this, findOnly, QString::fromUtf8(suggested ? suggested : ""),
                                                      findOnly ? QString() : g_szReplaceWith);
    if (!dialog) {
        MessageFromTable(IDS_NO_MEMORY, MB_ICONHAND);
        return;
    }
    g_bFindOnly = findOnly;
    m_pFindDialog = dialog;
    connect(dialog, &CFindReplaceDlg::notified, this, [this, dialog](DWORD flags) { OnFindReplace(dialog, flags); });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

// A request reaches the active child; with none (every window closed while the
// dialog stayed open) there is nothing to search and the request only beeps.
void CMainFrame::OnFindReplace(CFindReplaceDlg* dialog, DWORD flags)
{
    if (flags & FR_DIALOGTERM) {
        if (!dialog->IsFindOnly())
            g_szReplaceWith = dialog->ReplaceWith();
        if (m_pFindDialog == dialog)
            m_pFindDialog = nullptr;
        return;
    }
    const QByteArray findText = dialog->FindWhat().toUtf8();
    const QByteArray replaceText = dialog->ReplaceWith().toUtf8();
    const BOOL down = flags & FR_DOWN ? TRUE : FALSE;
    const BOOL matchCase = flags & FR_MATCHCASE ? TRUE : FALSE;
    if (!m_pActiveChild)
        Prompts().Beep(MB_ICONASTERISK);
    else if (flags & FR_FINDNEXT)
        FindNext(findText, down, matchCase);
    else if (flags & FR_REPLACEALL)
        m_pActiveChild->ReplaceAll(findText.constData(), replaceText.constData(), down, matchCase);
    else if (flags & FR_REPLACE)
        Replace(findText, replaceText, down, matchCase);
    if (m_pFindDialog) {
        m_pFindDialog->raise();
        m_pFindDialog->activateWindow();
    }
}

// Replace changes only a selection that is the find text; otherwise it looks
// for the next occurrence and selects it, so that nothing it did not find is
// replaced (or inserted at the caret). No search follows a replacement.
void CMainFrame::Replace(const QByteArray& findText, const QByteArray& replaceText, BOOL down, BOOL matchCase)
{
    if (m_pActiveChild->SelectionIs(findText.constData(), matchCase))
        m_pActiveChild->ReplaceSelection(replaceText.constData());
    else
        FindNext(findText, down, matchCase);
}

void CMainFrame::FindNext(const QByteArray& findText, BOOL down, BOOL matchCase)
{
    CNuvChild* child = m_pActiveChild;
    if (child->FindText(findText.constData(), down, matchCase))
        StatusFromTable(IDS_FOUND, {findText.constData()});
    else if (child->IsWindowClass(g_editorClass))
        StatusFromTable(IDS_NOT_FOUND, {findText.constData()}, true);
    else if (child->IsWindowClass(g_outputClass))
        StatusFromTable(IDS_CANNOT_SEARCH_OUTPUT);
}

// While the output caret stands after the last line (where a run leaves it),
// Next Error starts from the first line.
void CMainFrame::GotoNeighbourError(bool next)
{
    if (!m_pOutput)
        return;
    const COutputStore& store = *m_pOutput->m_pStore;
    const int caret = m_pOutput->CaretLineIndex();
    const int line = next ? CErrorLines::Next(store, caret >= store.m_nCount ? -1 : caret)
                          : CErrorLines::Previous(store, caret);
    if (line < 0) {
        Prompts().Beep(MB_ICONASTERISK);
        return;
    }
    m_pOutput->PutCaretOnLine(line);
    m_pOutput->GotoErrorLine();
}

// Minimised windows line up along the bottom edge of the MDI area.
void CMainFrame::ArrangeIcons()
{
    int x = 0;
    const int bottom = m_pMdiArea->viewport()->height();
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(x, bottom - size.height());
        x += size.width();
    }
}

// The topmost child: the active one, or the top of the stacking order while the
// program itself is not the active window.
QMdiSubWindow* CMainFrame::TopChild() const
{
    if (QMdiSubWindow* current = m_pMdiArea->currentSubWindow())
        return current;
    const QList<QMdiSubWindow*> stack = m_pMdiArea->subWindowList(QMdiArea::StackingOrder);
    return stack.isEmpty() ? nullptr : stack.last();
}

// The next child of the closing, activated as the desktop's MDI next does: the
// first of `order` (the stacking order when the closing began, topmost first)
// still in the area. Qt would activate by its own history when a window goes,
// which would record the workspace out of its stacking order.
QMdiSubWindow* CMainFrame::NextToClose(QList<QPointer<QMdiSubWindow>>& order) const
{
    const QList<QMdiSubWindow*> present = m_pMdiArea->subWindowList();
    while (!order.isEmpty()) {
        QMdiSubWindow* next = order.takeFirst();  // null when a save closed it meanwhile
        if (next && present.contains(next)) {
            m_pMdiArea->setActiveSubWindow(next);
            return next;
        }
    }
    return TopChild();
}

// One editor of the closing loop: FALSE when its owner cancelled or its save
// failed. An exit records it when it is saved or was unchanged.
BOOL CMainFrame::CloseEditor(CNuvChild* child, bool exiting)
{
    auto* editor = static_cast<CNuvEdit*>(child);
    // A save that did not succeed stops the closing as Cancel does.
    if (!editor->SaveChangesOrKeep())
        return FALSE;
    if (exiting && !editor->m_bModified)
        m_workspaceWriter.WriteWindow(editor, m_logFont);
    editor->Destroy();
    return TRUE;
}

// The first steps of an exit. While a model runs it only asks whether to stop
// the run and exit afterwards (FALSE either way): Yes keeps the writer for the
// pass after the run, No drops it. Otherwise the frame's records are written,
// or without Save Settings on Exit no workspace file is left.
BOOL CMainFrame::PrepareExit()
{
    const bool running = m_pOutput && m_pOutput->m_bRunning;
    if (running)
        CRunPump::BringOutputForward(*this, *m_pOutput);
    if (m_bSaveSettings)
        m_workspaceWriter.Begin(m_startDirectory);
    if (running) {
        m_workspaceWriter.WriteWindow(m_pOutput, m_logFont);
        m_pOutput->QueryCloseOutput();
        if (!m_pOutput->m_bExitRequested)
            m_workspaceWriter.Discard();
        return FALSE;
    }
    if (m_bSaveSettings)
        m_workspaceWriter.WriteFrame(GetWindowPlacement(this), m_logFont, !m_pStatusBar->isHidden(),
                                     !m_pToolBar->isHidden());
    else
        m_workspaceWriter.Remove(m_startDirectory);
    return TRUE;
}

// The end of an exit whose windows all closed: the output window object goes;
// with Save Settings on Exit the writer reports once and the two settings go
// to the profile.
void CMainFrame::FinishExit()
{
    if (m_pOutput && m_pOutput->QueryCloseOutput()) {
        delete m_pOutput;
        m_pOutput = nullptr;
    }
    if (!m_bSaveSettings)
        return;
    m_workspaceWriter.Finish();
    m_settings.WriteProfile();
}

BOOL CMainFrame::CloseAllWindows(int mode)
{
    const bool exiting = mode == 2;
    if (exiting && !PrepareExit())
        return FALSE;
    QList<QMdiSubWindow*> stack = m_pMdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(stack.begin(), stack.end());
    if (exiting)
        m_workspaceWriter.NotePlaces(stack);
    QList<QPointer<QMdiSubWindow>> order(stack.begin(), stack.end());
    while (QMdiSubWindow* top = NextToClose(order)) {
        auto* child = qobject_cast<CNuvChild*>(top);
        if (child && child->IsWindowClass(g_editorClass)) {
            if (!CloseEditor(child, exiting)) {
                if (exiting)
                    m_workspaceWriter.Discard();  // a cancelled exit writes nothing
                return FALSE;
            }
        } else if (child && child == m_pOutput) {
            if (exiting)
                m_workspaceWriter.WriteWindow(m_pOutput, m_logFont);
            m_pOutput->HideOutputWindow();
        } else {
            m_pMdiArea->removeSubWindow(top);
            delete top;
        }
    }
    if (exiting)
        FinishExit();
    return TRUE;
}

// A modified untitled window has no name to be recorded by: an exit leaves it
// out too unless its Save As is made.
void CMainFrame::SaveWorkspaceWithoutQuestions()
{
    if (!m_bSaveSettings) {
        m_workspaceWriter.Remove(m_startDirectory);
        return;
    }
    m_workspaceWriter.Begin(m_startDirectory);
    m_workspaceWriter.WriteFrame(GetWindowPlacement(this), m_logFont, !m_pStatusBar->isHidden(),
                                 !m_pToolBar->isHidden());
    QList<QMdiSubWindow*> stack = m_pMdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(stack.begin(), stack.end());
    for (QMdiSubWindow* window : stack) {
        auto* child = qobject_cast<CNuvChild*>(window);
        auto* editor = qobject_cast<CNuvEdit*>(window);
        if (child && !(editor && editor->m_bModified && editor->m_bUntitled))
            m_workspaceWriter.WriteWindow(child, m_logFont);
    }
    m_workspaceWriter.Close();
    m_settings.WriteProfile();
}

UiState CMainFrame::GatherUiState() const
{
    UiState s;
    s.hasActiveChild = m_pActiveChild != nullptr;
    s.editorActive = m_pActiveChild && m_pActiveChild->IsWindowClass(g_editorClass);
    s.outputActive = m_pActiveChild && m_pActiveChild->IsWindowClass(g_outputClass);
    s.activeMinimised = m_pActiveChild && m_pActiveChild->isMinimized();
    // The kind is the class name's word; the cast only guards against a child
    // that claims the editor's class without being one.
    if (auto* editor = s.editorActive ? qobject_cast<CNuvEdit*>(m_pActiveChild) : nullptr) {
        CEditControl& edit = editor->Edit();
        int start = 0;
        int end = 0;
        edit.GetSel(&start, &end);
        s.selection = start != end;
        s.textNotEmpty = edit.GetTextLength() > 0;
        s.canUndo = edit.CanUndo();
    } else if (s.outputActive && m_pOutput) {
        s.selection = m_pOutput->HasSelection();
        s.textNotEmpty = m_pOutput->m_pStore && m_pOutput->m_pStore->m_nCount > 0;
    }
    if (m_pOutput) {
        s.busy = m_pOutput->m_bRunning;
        s.outputLines = m_pOutput->m_pStore ? m_pOutput->m_pStore->m_nCount : 0;
        s.runStatus = m_pOutput->m_nRunStatus;
        s.hasLastModel = m_pOutput->m_szModelPath[0] != '\0';
        if (m_pOutput->m_pStore) {
            m_errorLines.Sync(*m_pOutput->m_pStore);
            s.outputHasErrorLines = m_errorLines.Any();
        }
    }
    s.findDialogOpen = m_pFindDialog && g_bFindOnly;
    s.replaceDialogOpen = m_pFindDialog && !g_bFindOnly;
    s.recentFiles = 0;
    for (const std::string& entry : m_recentFiles.entries())
        s.recentFiles += entry.empty() ? 0 : 1;
    s.clipboardHasText = m_clipboardHasText;
    s.toolBarVisible = !m_pToolBar->isHidden();
    s.statusBarVisible = !m_pStatusBar->isHidden();
    s.saveSettings = m_bSaveSettings;
    s.tabbedWindows = m_pTabs->IsOn();
    s.syntaxColours = CurrentEditorLook().colours;
    s.lineNumbers = CurrentEditorLook().lineNumbers;
    return s;
}

void CMainFrame::ApplyUpdateRules(const UiState& state)
{
    for (const auto& [id, action] : m_pActions->All()) {
        const CommandUi ui = UpdateRule(id, state);
        if (action->isEnabled() != ui.enabled)
            action->setEnabled(ui.enabled);
        // A check mark that only shows while on: no empty box while it is off.
        if (!CCommandActions::HasCheckBox(id) && action->isCheckable() != ui.checked)
            action->setCheckable(ui.checked);
        if (action->isCheckable() && action->isChecked() != ui.checked)
            action->setChecked(ui.checked);
    }
}

void CMainFrame::ApplyRules(QMenu*)
{
    ApplyUpdateRules(GatherUiState());
}

void CMainFrame::OnIdle()
{
    if (m_pActiveChild)
        m_pActiveChild->UpdatePositionPanes();
    const bool child = m_pActiveChild != nullptr;
    m_pStatusBar->EnablePane(ID_INDICATOR_LINE, child);
    m_pStatusBar->EnablePane(ID_INDICATOR_COLUMN, child);
    m_pStatusBar->SetPaneText(ID_INDICATOR_CLOCK, QString::fromLatin1(m_settings.m_szElapsed));
    m_pTabs->Refresh();
    ApplyUpdateRules(GatherUiState());
}
