#pragma once
// Turns the Run menu commands into one synchronous run of the interpreter
// library, and opens the Environment dialog. The main frame owns one and hands
// it the commands it handles (OnCommand). A run blocks the command that started
// it; the user interface lives on inside the library's IsBreak calls.
#include <QObject>
#include <QTimer>
#include <functional>

#include "platform/Win32Types.h"

class CNuvOutput;
class IMainFrame;
struct CEnvironmentSettings;

class CRunController : public QObject {
    Q_OBJECT
public:
    // `idle` runs the application's idle processing once (update rules, panes).
    CRunController(IMainFrame& frame, CEnvironmentSettings& settings, std::function<void()> idle);
    ~CRunController() override;

    // Runs the commands Run Active, Pick model, Run last, Terminate, Run
    // Debugger and Environment; false for any other id.
    bool OnCommand(int id);

    void OnRunActive();
    void OnPickModel();
    void OnRunLast();
    void OnTerminate();
    void OnRunDebugger();
    void OnEnvironment();

    // One run of the model at `path` (copied first: the caller's buffer may go
    // away while the model runs). TRUE when the library ran.
    BOOL RunModel(const char* path);
    BOOL IsRunning() const;

    // The clock's tick interval; one second unless a test shortens it. The
    // reported time counts ticks, whatever their interval.
    void SetClockInterval(int milliseconds) { m_clockInterval = milliseconds; }

private:
    BOOL StartClock();
    void ElapsedTimeTick();
    void ShowClock();
    void ShowRunning(const char* path);
    void ShowFinished(const char* path);
    void PrintExecutionTime();

    IMainFrame& m_frame;
    CEnvironmentSettings& m_settings;
    std::function<void()> m_idle;
    QTimer m_clock;
    int m_clockInterval = 1000;
};
