#pragma once
// SIGTERM and SIGHUP reach the event loop instead of ending the process at
// once: their handler only writes the signal's number into a pipe, and a
// notifier on the pipe's other end emits terminationRequested on the
// user-interface thread (also inside the run's pump, which dispatches events).
// One object at a time; the default actions come back when it goes.
#include <QObject>

class QSocketNotifier;

class CTerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit CTerminationSignals(QObject* parent = nullptr);
    ~CTerminationSignals() override;

signals:
    void terminationRequested(int signal);

private:
    void OnReadable();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};
