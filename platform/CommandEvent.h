#pragma once
// A command travels to the frame as a posted event, as WM_COMMAND arrives through
// the message queue: that is what lets the run's message pump meet Terminate and
// Exit while the interpreter holds the thread.
#include <QEvent>

class CommandEvent : public QEvent {
public:
    explicit CommandEvent(int id) : QEvent(EventType()), m_id(id) {}
    int Id() const { return m_id; }
    static QEvent::Type EventType();

private:
    int m_id;
};

// Posts command `id` to `target` (the main frame).
void PostCommand(QObject* target, int id);
