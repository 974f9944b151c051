#include "output/CNuvOutput.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "output/COutputStore.h"
#include "output/COutputView.h"
#include "output/OutputSeams.h"
#include "shell/PrintHandler.h"
#include "platform/FileNameText.h"
#include "platform/Placement.h"
#include "platform/Prompts.h"
#include "platform/TextLimits.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/StringTable.h"
#include "res/Images.h"
#include "shell/ChooseFileName.h"
#include "shell/ChildPlacement.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

constexpr int kMenuItemPosition = kOutputWindowMenuPosition;

CNuvOutput::GotoErrorHandler g_gotoError = nullptr;
CNuvOutput::ErrorLineTest g_isErrorLine = nullptr;

// `value` padded with 0 on the left to `digits` digits; a longer number shows
// whole (the pane widens for it), never cut to a different number.
template <std::size_t size>
void FormatPane(char (&buffer)[size], int value, int digits)
{
    static_assert(size >= 11, "room for every int");
    std::snprintf(buffer, size, "%0*d", digits, value < 0 ? 0 : value);
}

}  // namespace

CNuvOutput::CNuvOutput(BOOL create, const char* modelPath) : CNuvChild(nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_className = g_outputClass;
    setWindowIcon(OutputIcon());
    m_pStore = new (std::nothrow) COutputStore;
    if (!m_pStore || !m_pStore->m_bValid) {
        delete m_pStore;
        m_pStore = nullptr;
        return;
    }
    m_pStore->m_bAppend = FALSE;
    m_pView = new COutputView(m_pStore);
    setWidget(m_pView);
    connect(m_pView, &COutputView::gotoErrorRequested, this, &CNuvOutput::GotoErrorLine);
    connect(m_pView, &COutputView::doubleClicked, this, &CNuvOutput::OnDoubleClick);
    hide();
    if (IMainFrame* frame = TheFrame())
        frame->SetOutput(this);
    StartOutput(modelPath);
    m_bCreated = TRUE;
    if (create)
        ShowOutputWindow(nullptr);
}

CNuvOutput::~CNuvOutput()
{
    if (IMainFrame* frame = TheFrame(); frame && frame->Output() == this)
        frame->SetOutput(nullptr);
    delete m_pView;  // before the store it draws
    m_pView = nullptr;
    delete m_pStore;
}

BOOL CNuvOutput::AddOutput(const char* text)
{
    m_bInChunk = true;
    m_bFollowChunk = Following();  // nothing in a chunk shows or hides the window
    const COutputAssembler::Result result = m_assembler.Add(text, m_bAtLineStart);
    m_bInChunk = false;
    FinishChunk();  // what was stored shows, failure or not
    switch (result) {
    case COutputAssembler::Result::Ok: return TRUE;
    case COutputAssembler::Result::NoBuffer: MessageFromTable(IDS_NO_MEMORY, MB_ICONINFORMATION); return FALSE;
    case COutputAssembler::Result::NoMemory: MessageFromTable(IDS_NO_MEMORY_OUTPUT, MB_ICONSTOP); return FALSE;
    }
    return FALSE;
}

bool CNuvOutput::Following() const
{
    return m_bShowOutput && !m_bHidden;
}

BOOL CNuvOutput::AddOutputLine(const char* text)
{
    return AddOutputText(text, text ? std::strlen(text) : 0);
}

BOOL CNuvOutput::AddOutputText(const char* text, std::size_t length)
{
    const BOOL stored = m_pStore->AddLine(text, length);
    if (stored && (m_bInChunk ? m_bFollowChunk : Following()))
        FollowLine();
    return stored;
}

// Outside a chunk (or every kFollowStride lines of one) the view follows now;
// otherwise FinishChunk does it once for the whole chunk.
void CNuvOutput::FollowLine()
{
    if (m_bInChunk && ++m_nUnfollowedLines < kFollowStride) {
        m_bFollowPending = true;
        return;
    }
    m_nUnfollowedLines = 0;
    m_bFollowPending = false;
    m_bChangePending = false;
    ScrollToEnd();
}

void CNuvOutput::FinishChunk()
{
    if (m_bFollowPending)
        ScrollToEnd();  // also repaints a grown open line
    else if (m_bChangePending)
        m_pView->TextChanged();
    m_bFollowPending = false;
    m_bChangePending = false;
    m_nUnfollowedLines = 0;
}

BOOL CNuvOutput::AddOutputEmptyLine()
{
    return AddOutputLine("");
}

// The longer open line shows with the next repaint, which is asked for here (at
// the end of the chunk inside AddOutput) so that the last state of a run is
// painted even when no line follows.
BOOL CNuvOutput::AppendToLastLine(const char* text)
{
    const BOOL appended = m_pStore->AppendToLine(m_pStore->m_nCount - 1, text);
    if (appended && m_bInChunk)
        m_bChangePending = m_bChangePending || m_bFollowChunk;
    else if (appended && Following())
        m_pView->TextChanged();
    return appended;
}

int CNuvOutput::OutputLineCount() const
{
    return m_pStore->m_nCount;
}

void CNuvOutput::Bell()
{
    Prompts().Beep(BEEP_SIMPLE);
}

void CNuvOutput::ScrollToEnd()
{
    m_pView->FollowEnd();
}

void CNuvOutput::StartOutput(const char* modelPath)
{
    m_pStore->RemoveAll();
    // An exit agreed to during an earlier run, whose shutdown was then
    // cancelled, must not end this run's program or skip its questions.
    if (modelPath)
        m_bExitRequested = FALSE;
    if (!modelPath || !CopyWhole(m_szModelPath, sizeof m_szModelPath, modelPath))
        m_szModelPath[0] = '\0';
    m_nRunStatus = 3;
    m_bAtLineStart = TRUE;
    // A run reuses one work buffer for all its chunks; it is freed at its end.
    m_assembler.KeepBuffer(modelPath != nullptr);
    m_pView->ResetView();
    if (!m_bHidden)
        UpdateTitle();
    IMainFrame* frame = TheFrame();
    m_pStore->SetOutputFileName(modelPath, frame ? frame->PreprocessOnly() : FALSE);
    m_bRunning = modelPath ? TRUE : FALSE;
}

void CNuvOutput::EndOutput(DWORD result)
{
    const QString status = m_bSendToFile
                               ? FormatFromTable(IDS_MODEL_FINISHED_SAVED, {m_szModelPath, m_pStore->m_szFileName})
                               : FormatFromTable(IDS_MODEL_FINISHED, {m_szModelPath});
    m_bRunning = FALSE;
    m_assembler.KeepBuffer(false);
    const int kind = static_cast<int>(result & 0xFFFFu);
    // An unknown kind keeps the last status and warns like the failures do.
    UINT beep = MB_ICONEXCLAMATION;
    if (kind >= 1 && kind <= 4) {
        m_nRunStatus = kind;
        if (kind == 3)
            beep = MB_ICONASTERISK;
    }
    m_pStore->FreeExtra();
    IMainFrame* frame = TheFrame();
    bool written = true;
    if (m_bSendToFile && !(frame && frame->PreprocessOnly()))
        written = m_pStore->WriteToFile(m_pStore->m_szFileName);
    if (written && frame)
        frame->SetMessageText(status);
    if (!m_bHidden)
        m_pView->PaintPending();
    if (m_bExitRequested) {
        // Closing from inside the run's call chain would pull the frame away
        // under the run controller; the close arrives once it has returned.
        if (frame && frame->Window())
            QMetaObject::invokeMethod(frame->Window(), "close", Qt::QueuedConnection);
    } else {
        Prompts().Beep(beep);
    }
}

void CNuvOutput::UpdateTitle()
{
    QString title = QString::fromUtf8(LoadStringEntry(IDS_OUTPUT_PREFIX));
    title += m_szModelPath[0] ? FileNameText(m_szModelPath) : QString::fromUtf8(LoadStringEntry(IDS_UNTITLED));
    setWindowTitle(title);
}

// The frame puts "&Output Window" (data ID_WINDOW_OUTPUT) and a separator below
// it into the Window menu while the window is hidden; they are held here while
// it is shown and put back, the same objects, when it hides again.
void CNuvOutput::TakeMenuItem()
{
    QMenu* menu = TheFrame() ? TheFrame()->WindowMenu() : nullptr;
    if (!menu)
        return;
    const QList<QAction*> actions = menu->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->isSeparator() || actions[i]->data().toInt() != ID_WINDOW_OUTPUT)
            continue;
        m_pMenuItem = actions[i];
        menu->removeAction(actions[i]);
        if (i + 1 < actions.size() && actions[i + 1]->isSeparator()) {
            m_pMenuSeparator = actions[i + 1];
            menu->removeAction(actions[i + 1]);
        }
        return;
    }
}

void CNuvOutput::PutBackMenuItem()
{
    QMenu* menu = TheFrame() ? TheFrame()->WindowMenu() : nullptr;
    if (!menu)
        return;
    if (!m_pMenuItem)
        m_pMenuItem = TheFrame()->CommandAction(ID_WINDOW_OUTPUT);  // a frame that had not put it up
    if (!m_pMenuSeparator) {
        m_pMenuSeparator = new QAction(menu);
        m_pMenuSeparator->setSeparator(true);
    }
    if (menu->actions().contains(m_pMenuItem.data()))
        return;
    const QList<QAction*> actions = menu->actions();
    QAction* before = actions.size() > kMenuItemPosition ? actions[kMenuItemPosition] : nullptr;
    menu->insertAction(before, m_pMenuItem);
    menu->insertAction(before, m_pMenuSeparator);
}

void CNuvOutput::ShowOutputWindow(const WINDOWPLACEMENT* placement)
{
    IMainFrame* frame = TheFrame();
    QMdiArea* area = frame ? frame->MdiArea() : nullptr;
    if (!area)
        return;
    bool maximise = false;
    if (m_bHidden) {
        // A maximised child stays maximised: the window that comes on top takes its state.
        const auto* top = qobject_cast<const CNuvChild*>(area->activeSubWindow());
        maximise = top && (top->OverlapPlace().state & Qt::WindowMaximized);
        TakeMenuItem();
        UpdateTitle();
        area->addSubWindow(this);
        setAttribute(Qt::WA_DeleteOnClose, false);
        m_bHidden = FALSE;
        // The first time at the next place of the cascade; later where it stood,
        // while that lies wholly inside the area.
        if (!placement && (!m_bPlaced || !QRect(QPoint(0, 0), area->viewport()->size()).contains(geometry())))
            PlaceInCascade(this);
        m_bPlaced = true;
    }
    if (placement) {
        SetWindowPlacement(this, *placement);
        SetOverlapPlace(*placement);
    }
    if (maximise && !placement)
        showMaximized();
    else
        show();
    if (m_pStore->m_nCount == 0)
        m_pView->SyncScrollBars();
    else
        ScrollToEnd();
    area->setActiveSubWindow(this);
    m_pView->setFocus(Qt::OtherFocusReason);
    m_pView->PaintPending();
}

void CNuvOutput::HideOutputWindow()
{
    if (m_bHidden)
        return;
    m_bExitRequested = FALSE;
    if (IMainFrame* frame = TheFrame(); frame && frame->ActiveChild() == this)
        frame->SetActiveChild(nullptr);
    RemoveFromArea(this);
    hide();
    m_bHidden = TRUE;
    PutBackMenuItem();
}

BOOL CNuvOutput::QueryCloseOutput()
{
    if (m_bRunning) {
        if (MessageFromTable(IDS_EXIT_DURING_RUN, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return FALSE;
        if (IMainFrame* frame = TheFrame())
            frame->PostCommand(ID_RUN_TERMINATE);
        m_bExitRequested = TRUE;
        return FALSE;
    }
    HideOutputWindow();
    m_bExitRequested = TRUE;
    return TRUE;
}

// Every way of closing the window (close box, Ctrl+F4, Window > Close, Close
// All) only hides it.
void CNuvOutput::closeEvent(QCloseEvent* event)
{
    event->ignore();
    HideOutputWindow();
}

int CNuvOutput::GetOption(int id) const
{
    switch (id) {
    case kOptionSendToFile: return m_bSendToFile;
    case kOptionShowOutput: return m_bShowOutput;
    case kOptionReserved: return m_bReserved;
    case kOptionAppend: return m_pStore->m_bAppend;
    default: return 0;
    }
}

void CNuvOutput::SetOption(int id, int value)
{
    switch (id) {
    case kOptionSendToFile: m_bSendToFile = value; break;
    case kOptionShowOutput: m_bShowOutput = value; break;
    case kOptionReserved: m_bReserved = value; break;
    case kOptionAppend: m_pStore->m_bAppend = value; break;
    default: break;
    }
}

void CNuvOutput::SetGotoErrorHandler(GotoErrorHandler handler)
{
    g_gotoError = handler;
}

void CNuvOutput::SetErrorLineTest(ErrorLineTest test)
{
    g_isErrorLine = test;
}

// A double-click kept its old meaning on error lines; on any other line it
// only selects, without the beep of a line that names no error.
void CNuvOutput::OnDoubleClick()
{
    const char* line = m_pStore->GetLine(CaretLineIndex());
    if (line && g_isErrorLine && g_isErrorLine(line, std::strlen(line)))
        GotoErrorLine();
}

void CNuvOutput::GotoErrorLine()
{
    const char* line = m_pStore->GetLine(CaretLineIndex());
    if (line && g_gotoError)
        g_gotoError(line, std::strlen(line), m_szModelPath);
    else
        Prompts().Beep(MB_ICONASTERISK);
}

void CNuvOutput::PutCaretOnLine(int index)
{
    if (index < 0 || index >= m_pStore->m_nCount)
        return;
    COutputGeometry& g = m_pView->Geometry();
    const int top = g.m_nTopLine;
    g.m_nLeftColumn = 0;
    const int rows = std::max(g.m_nHeight / g.m_nLineHeight, 1);
    g.m_nTopLine = index < top || index >= top + rows ? std::max(index - rows / 2, 0) : top;
    g.m_nCaretX = g.m_nCharWidth;
    g.m_nCaretY = (index - g.m_nTopLine) * g.m_nLineHeight;
    m_pView->ClearSelection();
    m_pView->SyncScrollBars();
    m_pView->viewport()->update();
}

int CNuvOutput::CaretLineIndex() const
{
    return m_pView->Geometry().CaretLineIndex();
}

void CNuvOutput::UpdatePositionPanes()
{
    const COutputGeometry& g = m_pView->ShownGeometry();
    m_nLine = g.CaretLineNumber();
    m_nColumn = g.CaretColumnNumber();
    FormatPane(m_szLine, m_nLine, 6);
    FormatPane(m_szColumn, m_nColumn, 3);
    if (IMainFrame* frame = TheFrame()) {
        frame->SetPaneText(ID_INDICATOR_LINE, QString::fromLatin1(m_szLine));
        frame->SetPaneText(ID_INDICATOR_COLUMN, QString::fromLatin1(m_szColumn));
    }
}

bool CNuvOutput::HasSelection() const
{
    return m_pView->HasSelection();
}

void CNuvOutput::CopySelection()
{
    if (!HasSelection())
        return;
    char* text = nullptr;
    std::size_t length = 0;
    switch (m_pView->Selection().Text(*m_pStore, kMaxCopyBytes, &text, &length)) {
    case COutputSelection::CopyResult::TooLarge: MessageFromTable(IDS_COPY_TOO_LARGE, MB_ICONEXCLAMATION); return;
    case COutputSelection::CopyResult::NoMemory: MessageFromTable(IDS_NO_MEMORY, MB_ICONEXCLAMATION); return;
    case COutputSelection::CopyResult::Ok: break;
    }
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text, static_cast<qsizetype>(length)));
    OutputFree(text);
}

bool CNuvOutput::OnCommand(int id)
{
    switch (id) {
    case ID_EDIT_COPY: CopySelection(); return true;
    case ID_EDIT_SELECT_ALL: m_pView->SelectAll(); return true;
    default: return false;
    }
}

void CNuvOutput::CannotSearch()
{
    StatusFromTable(IDS_CANNOT_SEARCH_OUTPUT);
    MessageFromTable(IDS_CANNOT_SEARCH_OUTPUT, MB_ICONINFORMATION);
}

BOOL CNuvOutput::FindText(const char*, BOOL, BOOL)
{
    CannotSearch();
    return FALSE;
}

void CNuvOutput::ReplaceAll(const char*, const char*, BOOL, BOOL)
{
    CannotSearch();
}

void CNuvOutput::ReplaceSelection(const char*)
{
    CannotSearch();
}

// All lines, each followed by CR LF, as one text for the print routine.
void CNuvOutput::PrintText(BOOL)
{
    const int count = m_pStore->m_nCount;
    if (count == 0)
        return;
    std::size_t total = 1;
    for (int i = 0; i < count; ++i)
        total += static_cast<std::size_t>(m_pStore->GetLineLength(i)) + 2;
    char* text = static_cast<char*>(OutputMalloc(total));
    if (!text) {
        MessageFromTable(IDS_NO_MEMORY, MB_ICONEXCLAMATION);
        return;
    }
    char* end = text;
    for (int i = 0; i < count; ++i) {
        const std::size_t length = static_cast<std::size_t>(m_pStore->GetLineLength(i));
        std::memcpy(end, m_pStore->GetLine(i), length);
        end += length;
        *end++ = '\r';
        *end++ = '\n';
    }
    *end = '\0';
    PrintTextThroughHandler(text, m_pStore->m_szFileName);
    OutputFree(text);
}

BOOL CNuvOutput::SaveAs()
{
    char path[MAX_PATH];
    if (!ChooseFileName(path, this, FD_OUTPUT))
        return FALSE;
    if (!m_pStore->WriteToFile(path))
        return FALSE;
    StatusFromTable(IDS_FILE_SAVED, {path});
    return TRUE;
}
