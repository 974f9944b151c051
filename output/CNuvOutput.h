#pragma once
// The one output window object, alive from start-up to exit. It owns the text
// of the current or last run (COutputStore) and the run's state; its window
// comes and goes. Closing the window in any way only hides it: it leaves the MDI
// area, the object, its text, view position, options and model path stay, and
// the Window menu regains "&Output Window" (position 5, separator at 6).
//
// The run controller calls, in order: StartOutput(path), AddOutput(chunk)...,
// EndOutput(result). Output keeps accumulating while the window is hidden.
#include "output/COutputAssembler.h"
#include "output/IOutputSink.h"
#include "shell/CNuvChild.h"

#include <QPointer>

class COutputStore;
class COutputView;
class QAction;

class CNuvOutput : public CNuvChild, public IOutputSink {
    Q_OBJECT
public:
    // `create` FALSE: the object starts hidden (start-up). Registers itself as
    // the frame's output window. m_bCreated is FALSE when the store could not be
    // made; the owner then deletes the object and reports the failure.
    CNuvOutput(BOOL create, const char* modelPath);
    ~CNuvOutput() override;  // unregisters from the frame

    // Splits a chunk of interpreter output into lines (COutputAssembler). FALSE
    // after message 103 or 169 when memory ran out; what was stored stays.
    BOOL AddOutput(const char* text);
    BOOL AddOutputLine(const char* text);
    BOOL AddOutputText(const char* text, std::size_t length) override;
    BOOL AddOutputEmptyLine() override;
    BOOL AppendToLastLine(const char* text) override;
    int OutputLineCount() const override;
    void Bell() override;

    // A run starts (path) or the window is cleared (null): empty text, view at
    // the top, model path and output file name taken from `modelPath`. A run
    // also drops an exit request that outlived a cancelled shutdown.
    void StartOutput(const char* modelPath);
    // The run ended with `result` (kind in the low 16 bits).
    void EndOutput(DWORD result);

    // Shows the window (with the placement when given), scrolled to the end, and
    // gives it the focus. Showing a shown window only applies the placement and
    // activates it.
    void ShowOutputWindow(const WINDOWPLACEMENT* placement);
    void HideOutputWindow();
    // Asked when the application is about to end. During a run: question 157;
    // Yes posts Terminate and sets m_bExitRequested (EndOutput then closes the
    // main window); the result is FALSE either way. Otherwise the window is
    // hidden, m_bExitRequested set and the result is TRUE: the CALLER deletes
    // the object then (the destructor clears the frame's pointer).
    BOOL QueryCloseOutput();

    int GetOption(int id) const;
    void SetOption(int id, int value);

    // Enter and double-click in the window; the go-to-error command: the store
    // line under the caret goes to the handler (with m_szModelPath). Past the
    // last line, or with no handler, it beeps.
    void GotoErrorLine();
    using GotoErrorHandler = void (*)(const char* line, std::size_t length, const char* modelPath);
    static void SetGotoErrorHandler(GotoErrorHandler handler);
    // Whether a line names a file and a line number. A double-click goes to
    // the error only on such a line (it selects a word everywhere); without a
    // test it never does.
    using ErrorLineTest = bool (*)(const char* line, std::size_t length);
    static void SetErrorLineTest(ErrorLineTest test);
    // The caret to the start of store line `index`, the line scrolled into view
    // (to the middle of the window when it was out of view), the selection
    // dropped; nothing for an index outside the store.
    void PutCaretOnLine(int index);
    // The store line under the caret (row m_nCaretY / H + T); the go-to-error
    // command reads it.
    int CaretLineIndex() const;

    void ScrollToEnd();
    COutputView* View() const { return m_pView; }

    // Some text is selected (Copy is enabled).
    bool HasSelection() const;
    // The selection onto the clipboard as UTF-8 text. A selection of more than
    // kMaxCopyBytes is refused with a message; the clipboard keeps its text.
    void CopySelection();
    // As much as an editor window takes: what is copied can be pasted.
    static constexpr std::size_t kMaxCopyBytes = 64 * 1024 * 1024;

    // CNuvChild
    void UpdatePositionPanes() override;
    BOOL FindText(const char* text, BOOL down, BOOL matchCase) override;
    void ReplaceAll(const char* findText, const char* replaceText, BOOL down, BOOL matchCase) override;
    void ReplaceSelection(const char* replaceText) override;
    void PrintText(BOOL selectionOnly) override;
    BOOL SaveAs() override;
    // Copy and Select All; every other text command is not the window's.
    bool OnCommand(int id) override;

    BOOL m_bCreated = FALSE;
    int m_nLine = 0;
    int m_nColumn = 0;
    // Whole numbers: a 32-bit position has up to 10 digits.
    char m_szLine[12] = {};
    char m_szColumn[12] = {};
    int m_nRunStatus = 3;
    COutputStore* m_pStore = nullptr;
    BOOL m_bSendToFile = FALSE;   // option 332
    BOOL m_bShowOutput = TRUE;    // option 333
    BOOL m_bReserved = FALSE;     // option 334
    BOOL m_bHidden = TRUE;
    char m_szModelPath[MAX_PATH] = {};
    BOOL m_bRunning = FALSE;
    BOOL m_bExitRequested = FALSE;
    BOOL m_bAtLineStart = TRUE;

    static constexpr int kOptionSendToFile = 332;
    static constexpr int kOptionShowOutput = 333;
    static constexpr int kOptionReserved = 334;
    static constexpr int kOptionAppend = 335;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateTitle();
    void TakeMenuItem();
    void PutBackMenuItem();
    bool Following() const;
    void FollowLine();
    void FinishChunk();
    void CannotSearch();
    void OnDoubleClick();

    COutputView* m_pView = nullptr;
    bool m_bPlaced = false;  // the window has been shown in the area before
    COutputAssembler m_assembler{*this};
    // Inside AddOutput the view follows once per chunk (and every
    // kFollowStride lines of a long one) instead of once per line: moving to
    // the end and asking for a repaint per line cost more than storing it.
    static constexpr int kFollowStride = 1024;
    bool m_bInChunk = false;
    bool m_bFollowChunk = false;     // Following() when the chunk began
    bool m_bFollowPending = false;   // lines stored since the view last followed
    bool m_bChangePending = false;   // the open line grew since then
    int m_nUnfollowedLines = 0;
    // The Window menu's "&Output Window" item and the separator below it, held
    // while the window is shown and put back when it hides.
    QPointer<QAction> m_pMenuItem;
    QPointer<QAction> m_pMenuSeparator;
};
