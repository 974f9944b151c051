#include "run/CRunPump.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>

#include "output/CNuvOutput.h"
#include "platform/BreakKey.h"
#include "platform/CommandEvent.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(1);

// The wait cursor of the run would otherwise stand over the question.
int AskWithArrow(int id, int style, std::initializer_list<FormatArg> args = {})
{
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = MessageFromTable(id, style, args);
    QApplication::restoreOverrideCursor();
    return answer;
}

}  // namespace

CRunPump::CRunPump(IMainFrame& frame, std::function<void()> idle, CNuvOutput& output)
    : m_frame(frame), m_idle(std::move(idle)), m_output(output)
{
}

CRunPump::~CRunPump()
{
    Remove();
}

void CRunPump::Install()
{
    if (m_installed)
        return;
    qApp->installEventFilter(this);
    m_installed = true;
    m_stopped = false;
    m_pending.clear();
}

void CRunPump::Remove()
{
    if (!m_installed)
        return;
    qApp->removeEventFilter(this);
    m_installed = false;
    for (const Request request : m_pending) {
        if (request == Request::Exit)
            m_frame.PostCommand(ID_APP_EXIT);
        else if (request == Request::Close)
            QMetaObject::invokeMethod(m_frame.Window(), &QWidget::close, Qt::QueuedConnection);
    }
    m_pending.clear();
}

int CRunPump::IsBreak()
{
    if (m_stopped)
        return 1;
    if (m_pending.empty()) {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastPump < kPumpInterval)
            return 0;
        m_lastPump = now;
        Pump();
    }
    if (m_pending.empty())
        return 0;
    const Request request = m_pending.front();
    m_pending.pop_front();
    if (Answer(request) != 1)
        return 0;
    m_stopped = true;
    return 1;
}

void CRunPump::Pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (m_idle)
        m_idle();
    m_lastPump = std::chrono::steady_clock::now();
}

int CRunPump::Answer(Request request)
{
    // An exit already agreed to (the frame's own close path asked 157 and
    // posted Terminate) needs no second question.
    if (request == Request::Terminate)
        return m_output.m_bExitRequested ? 1 : AskTerminate();
    return AskExit();
}

int CRunPump::AskTerminate()
{
    const int answer =
        AskWithArrow(IDS_TERMINATE, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {m_output.m_szModelPath});
    return answer == IDYES ? 1 : 0;
}

// Yes marks the exit on the output window: when the run has ended, EndOutput
// closes the main window and the normal shutdown takes place. Posting the request
// again instead would meet this very filter if the library polls once more.
int CRunPump::AskExit()
{
    BringOutputForward(m_frame, m_output);
    if (AskWithArrow(IDS_EXIT_DURING_RUN, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    m_output.m_bExitRequested = TRUE;
    return 1;
}

void CRunPump::BringOutputForward(IMainFrame& frame, CNuvOutput& output)
{
    if (output.m_bHidden)
        output.ShowOutputWindow(nullptr);
    if (output.isMinimized())
        output.showNormal();
    if (QMdiArea* area = frame.MdiArea(); area && area->activeSubWindow() != &output)
        area->setActiveSubWindow(&output);
    output.setFocus();
}

bool CRunPump::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == CommandEvent::EventType() && watched == m_frame.Window()) {
        const int id = static_cast<CommandEvent*>(event)->Id();
        if (id != ID_RUN_TERMINATE && id != ID_APP_EXIT)
            return false;
        m_pending.push_back(id == ID_RUN_TERMINATE ? Request::Terminate : Request::Exit);
        return true;
    }
    if (type == QEvent::Close && watched == m_frame.Window()) {
        event->ignore();
        m_pending.push_back(Request::Close);
        return true;
    }
    if (type == QEvent::KeyPress && IsBreakKey(static_cast<QKeyEvent*>(event))) {
        m_pending.push_back(Request::Terminate);
        return true;
    }
    return false;
}
