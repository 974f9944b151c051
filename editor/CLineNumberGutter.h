#pragma once
// The strip left of an editor's text that numbers its lines as the line pane
// does (the first line is 1), in the editor's font, as wide as the largest
// number needs. It follows the text as it scrolls and grows or shrinks with it.
#include <QWidget>

class CEditControl;

class CLineNumberGutter : public QWidget {
public:
    explicit CLineNumberGutter(CEditControl& edit);

    void SetOn(bool on);
    bool IsOn() const { return m_on; }
    // The width for the edit's font and number of lines; 0 while off.
    int WantedWidth() const;
    // Takes the edit's font and size again (after a font change).
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnUpdateRequest(const QRect& rect, int dy);

    CEditControl& m_edit;
    bool m_on = true;
    int m_caretLine = 0;
};
