#pragma once
// SIGTERM and SIGHUP reach the event loop instead of ending the process at
// once: their handler only writes the signal's number into a pipe, and a
// notifier on the pipe's other end emits terminationRequested on the
// user-interface thread (also inside the run's pump, which dispatches events).
//
// The event loop may never come round again (an interpreter library that
// hangs without polling): a second signal, or a first one the loop has not
// taken within three seconds, ends the process at once with the signal's
// default action. One object at a time; the default actions come back when
// it goes.
#include <QObject>
#include <thread>

class QSocketNotifier;

class CTerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit CTerminationSignals(QObject* parent = nullptr);
    ~CTerminationSignals() override;

    // Tests: how long a first signal waits for the event loop (3000 ms).
    static void SetPatienceForTests(int milliseconds);

signals:
    void terminationRequested(int signal);

private:
    void OnReadable();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    std::thread m_watchdog;
};
