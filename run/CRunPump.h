#pragma once
// The message pump of a running model. The interpreter runs on the UI thread and
// calls IsBreak regularly; IsBreak dispatches the waiting events and runs the
// idle step. While the pump is installed it takes four requests away from the
// frame before its handlers see them, and IsBreak turns them into questions:
//   Terminate (command 57593) and Ctrl+Break (Ctrl+Pause, Cancel key)
//       -> "Terminate processing of %s?"  (Yes stops the run)
//   Exit (command 57665) and a close request of the main window
//       -> the output window is brought forward, then message 157 (Yes stops
//          the run, and the program closes once the run has ended).
// A request answered No is dropped and IsBreak returns 0 at once; requests
// still waiting are asked at the next call.
#include <QObject>
#include <chrono>
#include <deque>
#include <functional>

class CNuvOutput;
class IMainFrame;

class CRunPump : public QObject {
    Q_OBJECT
public:
    enum class Request { Terminate, Exit, Close };

    // `idle` is the application's idle processing (update rules, status panes).
    CRunPump(IMainFrame& frame, std::function<void()> idle, CNuvOutput& output);
    ~CRunPump() override;

    // Starts taking the requests (an application-wide event filter).
    void Install();
    // Stops taking them. An Exit or close request taken but never asked is
    // posted again, so the program still closes by its normal path.
    void Remove();

    // 1: stop the run; 0: go on. Once the user agreed to stop, every later call
    // answers 1 without asking again. A call less than a millisecond after the
    // last pump only looks at the waiting requests.
    int IsBreak();

    // Shows the output window if hidden, restores it if minimised, activates it.
    static void BringOutputForward(IMainFrame& frame, CNuvOutput& output);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Pump();
    int Answer(Request request);
    int AskTerminate();
    int AskExit();

    IMainFrame& m_frame;
    std::function<void()> m_idle;
    CNuvOutput& m_output;
    std::deque<Request> m_pending;
    std::chrono::steady_clock::time_point m_lastPump{};
    bool m_installed = false;
    bool m_stopped = false;
};
