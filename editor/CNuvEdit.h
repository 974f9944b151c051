#pragma once
// The editor window: an MDI child hosting one edit control, with a file name, a
// modified flag, loading with a size limit, saving with a backup, the
// save-changes question before closing and the caret's line and column in the
// status bar.
//
// Windows are made only by the static factories, which add them to the frame's
// MDI area; Destroy() takes one out of the area and deletes it (deferred while
// one of its own handlers is still running, e.g. a question it asked).
#include <QFont>
#include <QTimer>

#include "editor/CCodeView.h"
#include "platform/EditControl.h"
#include "platform/TextCodec.h"
#include "platform/Win32Types.h"
#include "shell/CNuvChild.h"

class QMdiArea;

// Placement kinds of a new editor window (WS_MAXIMIZE and WS_MINIMIZE also are).
inline constexpr int kPlaceDefault = 1;      // default position and size
inline constexpr int kPlaceFrameClient = 2;  // origin (0,0), the size of the frame's client area

class CNuvEdit : public CNuvChild {
    Q_OBJECT
public:
    ~CNuvEdit() override;

    // A new empty window "Untitled" with the placement kind; nullptr for any other
    // kind, without a frame, or when the window cannot be allocated.
    static CNuvEdit* Create(int kind);
    // As Create, then the load procedure on `path`; on failure (after its message)
    // the window is destroyed and nullptr returned.
    static CNuvEdit* CreateForFile(int kind, const char* path);
    // A window placed and shown as `placement` says (at the default place when
    // its rectangle is empty), loading `nameOrNull` (a load failure destroys it:
    // nullptr), else "Untitled"; finally activated. `*made` tells whether the
    // window could be made at all, so that a caller can tell a load failure,
    // already reported, from a window that could not be allocated.
    static CNuvEdit* CreateFromWorkspace(const WINDOWPLACEMENT& placement, const char* nameOrNull,
                                         bool* made = nullptr);

    // Load procedure: the file's text and name become the window's; each failure
    // shows its message and leaves the window as it was.
    BOOL LoadFile(const char* path);
    // Set-text procedure: `text` (bytes, up to its zero) under `name`; the window
    // is unmodified and titled afterwards. FALSE (window unchanged) for a name
    // that does not fit m_szFileName.
    BOOL SetText(const char* text, const char* name);
    // Save procedure under m_szFileName (backup on the first save that finds the file).
    BOOL Save();
    // Save as the Save command does: SaveAs when untitled, else Save.
    BOOL SaveOrSaveAs();
    // Yes/No/Cancel about unsaved changes; IDNO without asking when unmodified.
    int SaveChangesQuestion();
    // The question, and the save when the answer is Yes. TRUE when whatever asked
    // may go on (No, or Yes and the text is saved); FALSE on Cancel and when the
    // save failed or its Save As was cancelled, so that nothing typed is lost.
    BOOL SaveChangesOrKeep();
    // Caret at 0-based `line0`, 1-based `column1`, nothing selected, scrolled into
    // view; nothing happens for a line that does not exist (or a negative one).
    void SetCaret(int line0, int column1);
    // m_nLine and m_nColumn from where the caret is now, with or without a
    // selection, whether or not the window was ever active; panes untouched.
    void UpdateCaretPosition();
    // Go to error's selection: the whole 1-based line without its break, scrolled
    // into view. Line 0 is the caret's line; past the last line the caret goes
    // to the end of the text.
    void SelectLine(unsigned long long lineNumber);
    // Matching Brace (FALSE) and Uncommented Matching Brace (TRUE): the caret
    // goes before the partner of the brace just after it, nothing selected.
    void MatchBrace(BOOL skipComments);
    // The end of the desktop session: FALSE when the owner cancelled.
    BOOL QueryEndSession();
    // A font choice: the control's font, its left margin and tab stops.
    void ApplyFont(const QFont& font);
    // Activates the window in its area and gives its edit control the focus.
    void Focus();
    // Removes the window from the MDI area and deletes it, without a question.
    void Destroy();
    // Writes the recovery copy of unsaved changes now instead of when its timer
    // runs out (before a run or a print); nothing when the text is saved.
    void WriteRecoveryCopyNow();
    // The bytes a save would write now, without the zero it appends.
    QByteArray SaveBytes() const;
    // The number of this window's recovery copy in the store; 0 while it has none.
    int RecoveryId() const { return m_nRecoveryId; }

    const char* FileName() const { return m_szFileName; }
    CEditControl& Edit() { return m_edit; }
    CCodeView& View() { return m_view; }
    // The View choices (colours, line numbers) as they are now.
    void ApplyLook(const EditorLook& look) { m_view.Apply(look); }

    // CNuvChild operations. Searching works on the characters shown, with
    // positions counted as the edit control counts them; see TextSearch.h.
    void UpdatePositionPanes() override;
    BOOL FindText(const char* text, BOOL down, BOOL matchCase) override;
    // Replaces, as one step that one Undo takes back, every occurrence from the
    // caret down (and the selection first when the suggested find text is
    // `findText` and the selection is an occurrence of it), then reports the
    // count in the status bar.
    void ReplaceAll(const char* findText, const char* replaceText, BOOL down, BOOL matchCase) override;
    void ReplaceSelection(const char* replaceText) override;
    BOOL SelectionIs(const char* text, BOOL matchCase) override;
    BOOL SaveAs() override;
    const char* GetFindText() override;
    // The whole text, or the selected characters, go to the print routine under
    // m_szFileName; "Not enough memory." when the copy cannot be made.
    void PrintText(BOOL selectionOnly) override;
    bool OnCommand(int id) override;

    BOOL m_bUntitled = TRUE;
    BOOL m_bModified = FALSE;
    char m_szFileName[MAX_PATH] = {};
    int m_nBackups = 0;
    int m_nLine = 0;
    int m_nColumn = 0;
    int m_nCaret = 0;
    char m_szLine[20] = {};
    char m_szColumn[20] = {};
    char m_szFindText[161] = {};
    BOOL m_bBraceTableStale = FALSE;
    CEditControl m_edit;

    // Tests: the next `count` window allocations succeed, then they fail (-1: never).
    static void FailAllocationsAfterForTests(int count);
    // Tests: while set, the copy of the text for printing cannot be made.
    static void FailPrintCopyForTests(bool fail);

protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    CNuvEdit();
    static CNuvEdit* Allocate();
    void PlaceNew(int kind);
    void SetUntitled();
    void ApplyMargin();
    void PositionUpdate();
    int ColumnOf(int line0, int pos) const;
    void LoadCommand();
    void GotoLineCommand();
    void OnTextChanged();
    void WriteRecoveryCopy();
    void DropRecoveryCopy();

    // Counts this window's own handlers on the stack; Destroy defers the delete while it is not 0.
    class Busy;
    int m_nBusy = 0;
    bool m_bDestroyed = false;
    bool m_bAsking = false;
    TextCodec m_codec;
    CCodeView m_view{m_edit};
    // A window with unsaved changes keeps a recovery copy of its text, written
    // at most kRecoveryDelayMs after the first change since the last copy.
    static constexpr int kRecoveryDelayMs = 2000;
    QTimer m_recoveryTimer;
    int m_nRecoveryId = 0;  // 0: no copy on disk
};

// Every editor window of the frame writes its recovery copy now, and the
// copies are on disk when this returns.
void WriteAllRecoveryCopiesNow();

// The first editor window in `area` (top of the window order first) whose file
// name is `path`, or nullptr. CMainFrame::FindEditorWindow calls it.
CNuvChild* FindEditorIn(QMdiArea* area, const char* path);
