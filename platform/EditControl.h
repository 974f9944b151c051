#pragma once
// The multi-line edit control the editor window hosts, with the operations the
// editor uses in the desktop's terms. Positions are offsets into the text in
// which every line break counts as the two characters CR LF; lines are counted
// from 0. Conversions go through the document's block positions, so each costs
// O(log² n) rather than a pass over the text.
//
// The control never wraps words (it scrolls horizontally) and installs no
// shortcuts of its own: key bindings it handles as a text edit can be overridden
// by an application-wide filter of ShortcutOverride events.
#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTextBlock>
#include <functional>

class QWidget;

class CEditControl {
public:
    explicit CEditControl(QWidget* parent = nullptr);
    ~CEditControl();
    CEditControl(const CEditControl&) = delete;
    CEditControl& operator=(const CEditControl&) = delete;

    // The widget itself, for placing it in a window.
    QPlainTextEdit* Widget() const { return m_widget; }

    // EM_GETSEL: start <= end; equal when nothing is selected.
    void GetSel(int* start, int* end) const;
    // Where the caret is: the moving end of the selection.
    int GetCaret() const;
    // EM_SETSEL: anchor at `start`, caret at `end`; end -1 = the end of the text;
    // start -1 removes the selection. Positions are clamped to the text, and a
    // position between CR and LF falls on the end of its line.
    void SetSel(int start, int end);
    // EM_LINEINDEX: position of the first character of `line` (-1: the caret's
    // line); -1 for a line that does not exist.
    int LineIndex(int line) const;
    // EM_LINEFROMCHAR: line containing `pos` (-1: the line of the selection start,
    // or of the caret); a position past the end gives the last line.
    int LineFromChar(int pos) const;
    // EM_LINELENGTH: length without the break of the line containing `pos`; 0 past
    // the end. With -1: the unselected characters on the lines the selection
    // touches (the caret line's length when nothing is selected).
    int LineLength(int pos) const;
    int GetLineCount() const;
    int GetTextLength() const;

    // The whole text with CR LF breaks; the selected text; one line without its break.
    QString GetText() const;
    // The whole text as the control holds it, each line break the one character
    // U+2029, so that positions in it are document positions (ToDocument). One
    // copy of the characters and nothing more: the cheapest way to the text.
    QString GetRawText() const;
    // `raw` (breaks as U+2029) with CR LF breaks, as GetText gives it.
    static QString CrLfText(const QString& raw);
    // Whether GetText() equals `text`, without making it.
    bool HoldsText(QStringView text) const;
    QString GetSelectedText() const;
    QString GetLine(int line) const;
    // WM_SETTEXT: replaces the text, empties the undo buffer, puts the caret at 0
    // and sends no change notification.
    void SetText(const QString& text);
    void ReplaceSel(const QString& text);

    void Undo();
    bool CanUndo() const;
    // The edits made between the two calls are undone by one Undo.
    void BeginUndoGroup();
    void EndUndoGroup();
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    bool GetModify() const;
    void SetModify(bool modified);
    void ScrollCaret();
    // The formatting rectangle's left edge, in pixels from the control's left edge.
    void SetLeftMargin(int pixels);
    int LeftMargin() const;
    // A strip of `pixels` left of the margin, filled by `gutter` (a child of the
    // widget, placed and shown by the control; hidden at width 0).
    void SetGutter(QWidget* gutter);
    void SetGutterWidth(int pixels);
    int GutterWidth() const { return m_gutterWidth; }
    // Runs before every paint of the text, when the visible blocks are known,
    // with the part of the viewport about to be painted.
    void SetBeforePaint(std::function<void(const QRect&)> hook);
    // The first block shown, and a block's rectangle in viewport coordinates.
    QTextBlock FirstVisibleBlock() const;
    QRectF BlockGeometry(const QTextBlock& block) const;
    // The font (no change notification) and the distance between tab stops.
    void SetFont(const QFont& font);
    void SetTabStops(int pixels);
    // EM_FMTLINES: nothing to do, as an unwrapped control holds no soft breaks.
    void FmtLines(bool addSoftBreaks);

    // EN_CHANGE: called after every change of the text except SetText.
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }

    // Position conversions between the document and the CR LF counting.
    int ToDocument(int pos) const;
    int FromDocument(int documentPos) const;

private:
    QPointer<QPlainTextEdit> m_widget;
    std::function<void()> m_onChange;
    bool m_settingText = false;
    int m_leftMargin = 0;
    int m_gutterWidth = 0;
};
