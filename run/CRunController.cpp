#include "run/CRunController.h"

#include <QApplication>
#include <QWidget>

#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "platform/CrashSignals.h"
#include "platform/TextLimits.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "run/CEnvironmentDlg.h"
#include "run/CEnvironmentSettings.h"
#include "run/CInterpreterLibrary.h"
#include "run/CRunContext.h"
#include "run/CRunMenu.h"
#include "run/CRunPump.h"
#include "run/RunOutcome.h"
#include "run/RunTitle.h"
#include "run/Services.h"
#include "shell/ChooseFileName.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

CNuvEdit* AsEditor(CNuvChild* child)
{
    return child && child->IsWindowClass(g_editorClass) ? dynamic_cast<CNuvEdit*>(child) : nullptr;
}

// A modified editor is saved through its own Save command first, so the library
// reads what the user sees.
void SaveIfModified(CNuvEdit* editor)
{
    if (editor && editor->m_bModified)
        editor->OnCommand(ID_FILE_SAVE);
}

}  // namespace

CRunController::CRunController(IMainFrame& frame, CEnvironmentSettings& settings, std::function<void()> idle)
    : m_frame(frame), m_settings(settings), m_idle(std::move(idle))
{
    connect(&m_clock, &QTimer::timeout, this, &CRunController::ElapsedTimeTick);
}

CRunController::~CRunController() = default;

bool CRunController::OnCommand(int id)
{
    switch (id) {
    case ID_RUN_ACTIVE: OnRunActive(); return true;
    case ID_RUN_PICK: OnPickModel(); return true;
    case ID_RUN_LAST: OnRunLast(); return true;
    case ID_RUN_TERMINATE: OnTerminate(); return true;
    case ID_RUN_DEBUGGER: OnRunDebugger(); return true;
    case ID_OPTIONS_ENVIRONMENT: OnEnvironment(); return true;
    default: return false;
    }
}

BOOL CRunController::IsRunning() const
{
    const CNuvOutput* output = m_frame.Output();
    return output && output->m_bRunning;
}

void CRunController::OnRunActive()
{
    CNuvEdit* editor = AsEditor(m_frame.ActiveChild());
    if (IsRunning() || !editor)
        return;
    SaveIfModified(editor);
    RunModel(editor->m_szFileName);
}

// The chosen file runs as it is on disk, even when an editor holds it modified.
void CRunController::OnPickModel()
{
    if (IsRunning())
        return;
    char path[MAX_PATH];
    if (ChooseFileName(path, nullptr, FD_RUN_MODEL))
        RunModel(path);
}

void CRunController::OnRunLast()
{
    CNuvOutput* output = m_frame.Output();
    if (!output || output->m_bRunning || output->m_szModelPath[0] == '\0')
        return;
    char path[MAX_PATH];
    CopyWhole(path, sizeof path, output->m_szModelPath);
    SaveIfModified(AsEditor(m_frame.FindEditorWindow(path)));
    RunModel(path);
}

// While a model runs the pump takes Terminate before the frame sees it; one
// that still reaches here then is posted again for the pump. A Terminate left
// over from a run that has ended is dropped.
void CRunController::OnTerminate()
{
    if (IsRunning())
        m_frame.PostCommand(ID_RUN_TERMINATE);
}

void CRunController::OnRunDebugger()
{
    MessageFromTable(IDS_UNAVAILABLE, MB_ICONINFORMATION);
}

void CRunController::OnEnvironment()
{
    if (IsRunning())
        return;
    CEnvironmentDlg dialog(m_settings, m_frame.Output(), m_frame.Window());
    dialog.exec();
}

BOOL CRunController::RunModel(const char* path)
{
    CNuvOutput* output = m_frame.Output();
    char model[MAX_PATH];
    if (!output || output->m_bRunning || !path || !CopyWhole(model, sizeof model, path))
        return FALSE;
    // The library runs inside this process: should it crash, what the user
    // typed is in the recovery copies already.
    WriteAllRecoveryCopiesNow();
    CInterpreterLibrary library;
    if (!library.Load())
        return FALSE;
    // The settings are read once: a change during the run is for the next one.
    const BOOL preprocessOnly = m_settings.m_bPreprocessOnly;
    const BOOL timer = m_settings.m_bTimer;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    output->StartOutput(model);
    CRunPump pump(m_frame, m_idle, *output);
    pump.Install();
    CRunPump::BringOutputForward(m_frame, *output);
    ShowRunning(model);
    // The menus and the tool bar show the run before the first pump dispatches anything.
    if (m_idle)
        m_idle();
    library.ApplySettings(preprocessOnly, m_settings.m_nUpdateLimit, m_settings.m_bRangeCheck);
    const BOOL timed = timer && StartClock();
    DWORD outcome = 0;
    {
        CRunContext context(output, &pump);
        SetRunInProgress(true);
        outcome = library.Run(model, &LookupService);
        SetRunInProgress(false);
        if (timed) {
            m_clock.stop();
            if (PrintsExecutionTime(outcome))
                PrintExecutionTime();
        }
        if (preprocessOnly)
            library.GivePreprocText(&ReceivePreprocText);
    }
    library.Release();
    ShowFinished(model);
    pump.Remove();
    QApplication::restoreOverrideCursor();
    output->EndOutput(outcome);
    return TRUE;
}

void CRunController::ShowRunning(const char* path)
{
    CRunMenu::ShowTerminate(m_frame.RunMenu(), m_frame.CommandAction(ID_RUN_TERMINATE));
    m_frame.SetRunButton(TRUE);
    if (QWidget* window = m_frame.Window())
        window->setWindowTitle(RunningTitle(path));
}

void CRunController::ShowFinished(const char* path)
{
    if (QWidget* window = m_frame.Window())
        window->setWindowTitle(QString::fromUtf8(LoadStringEntry(IDS_NUV)));
    CRunMenu::ShowRunLast(m_frame.RunMenu(), m_frame.CommandAction(ID_RUN_LAST), path);
    m_frame.SetRunButton(FALSE);
}

BOOL CRunController::StartClock()
{
    m_settings.ResetElapsedTime(TRUE);
    ShowClock();
    m_clock.start(m_clockInterval);
    if (!m_clock.isActive()) {
        MessageFromTable(IDS_NO_TIMER, MB_ICONINFORMATION);
        return FALSE;
    }
    return TRUE;
}

// Ticks arrive only while the library pumps in IsBreak; the time reported is
// their count, not a difference of clock readings.
void CRunController::ElapsedTimeTick()
{
    m_settings.ElapsedTimeTick();
    ShowClock();
    if (m_idle)
        m_idle();
}

void CRunController::ShowClock()
{
    m_frame.SetPaneText(ID_INDICATOR_CLOCK, QString::fromLatin1(m_settings.m_szElapsed));
}

// The line ends the output like the interpreter's own text.
void CRunController::PrintExecutionTime()
{
    OutputResult(ExecutionTimeLine(m_settings.m_nHours, m_settings.m_nMinutes, m_settings.m_nSeconds).c_str());
}
