#pragma once
// The frame's accelerator table, translated before the focused control sees a
// key, as the desktop's TranslateAccelerator does: Ctrl+A is Save As and Ctrl+D
// Delete even inside a text control whose own bindings say otherwise.
#include <QKeyCombination>
#include <QObject>
#include <map>

class QWidget;

class CAccelerators : public QObject {
    Q_OBJECT
public:
    // Keys pressed in `frame`'s window post their commands to `frame`.
    explicit CAccelerators(QWidget* frame);
    // The command of a key, or 0.
    int CommandOf(QKeyCombination key) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_frame;
    std::map<int, int> m_keys;  // QKeyCombination::toCombined() -> command id
};
