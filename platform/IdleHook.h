#pragma once
// The application's idle processing: called when the event queue has run dry,
// as the desktop's message loop calls OnIdle. The run's message pump calls Run()
// itself between the messages it dispatches.
#include <QObject>
#include <functional>

class IdleHook : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    explicit IdleHook(Handler handler, QObject* parent = nullptr);
    // Runs the idle handler once now (re-entrant calls are ignored).
    void Run();

private:
    Handler m_handler;
    bool m_inside = false;
};
