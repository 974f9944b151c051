#pragma once
// Watches the viewport of a QPlainTextEdit that never wraps its lines: a
// change of the viewport's width reaches the edit as a change of its height
// alone. The edit would otherwise lay its whole document out anew at each
// width change (a scroll bar coming or going, a margin, the window resized),
// although no line can change when nothing wraps; and doing so it gives every
// line of the text a layout object of its own, about 300 bytes a line, which
// stays. Once the edit wraps, every resize passes unchanged.
#include <QObject>

class QPlainTextEdit;

class NoWrapResizeFilter : public QObject {
public:
    // Installs itself on the viewport of `edit`, as a child of `edit`.
    explicit NoWrapResizeFilter(QPlainTextEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_edit;
};
