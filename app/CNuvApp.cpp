#include "app/CNuvApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdlib>
#include <new>

#include "app/CMainFrame.h"
#include "editor/CFileCommands.h"
#include "editor/CNuvEdit.h"
#include "editor/RecoveredModels.h"
#include "output/CNuvOutput.h"
#include "platform/CrashSignals.h"
#include "platform/CTerminationSignals.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

CNuvApp::CNuvApp()
{
    m_makeFrame = [] { return new (std::nothrow) CMainFrame; };
    m_makeOutput = [] { return new (std::nothrow) CNuvOutput(FALSE, nullptr); };
}

// Reached only by an end that is not a crash or a termination signal: the
// copies of this session are no longer needed.
CNuvApp::~CNuvApp()
{
    m_pTermination.reset();
    m_pFrame.reset();
    m_recovery.RemoveAll();
    if (TheRecoveryStore() == &m_recovery)
        SetRecoveryStore(nullptr);
}

void CNuvApp::SetFactories(FrameFactory frame, OutputFactory output)
{
    if (frame)
        m_makeFrame = std::move(frame);
    if (output)
        m_makeOutput = std::move(output);
}

void CNuvApp::Fail()
{
    MessageFromTable(IDS_INIT_FAILED, MB_ICONSTOP);
    m_pFrame.reset();
}

BOOL CNuvApp::InitInstance(const QStringList& arguments)
{
    m_pFrame.reset(m_makeFrame());
    if (!m_pFrame) {
        Fail();
        return FALSE;
    }
    m_pFrame->m_startDirectory = QDir::currentPath();
    m_pFrame->RecentFiles().Read();
    m_pFrame->RefreshRecentFiles();
    // The workspace file is not restored yet: the program starts as without one.
    m_pFrame->m_bSaveSettings = FALSE;
    m_pFrame->show();

    CNuvOutput* output = m_makeOutput();
    if (!output || !output->m_bCreated) {
        delete output;
        Fail();
        return FALSE;
    }
    if (!arguments.isEmpty())
        CFileCommands::OpenCommandLineFiles(arguments);
    StartRecovery();
    return TRUE;
}

// Unsaved work survives a crash: every modified editor keeps a copy in this
// program's folder of the user's state directory, and what a program that
// is no longer running left there is offered back now.
void CNuvApp::StartRecovery()
{
    InstallCrashSignalHandlers(LoadStringEntry(IDS_CRASH_DURING_RUN), LoadStringEntry(IDS_CRASH));
    m_pTermination = std::make_unique<CTerminationSignals>();
    QObject::connect(m_pTermination.get(), &CTerminationSignals::terminationRequested, m_pFrame.get(),
                     [this](int signal) { OnTerminationSignal(signal); });
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (base.isEmpty() || !m_recovery.Open(QFile::encodeName(base + "/recovery").toStdString()))
        return;
    SetRecoveryStore(&m_recovery);
    OfferRecoveredModels(m_recovery);
}

// SIGTERM or SIGHUP: nobody is there to answer a question, so the unsaved
// models go to their recovery copies and the program ends at once (also in
// the middle of a run, whose library cannot be unwound); the next start
// offers them back.
void CNuvApp::OnTerminationSignal(int signal)
{
    WriteAllRecoveryCopiesNow();
    if (m_pFrame)
        m_pFrame->RecentFiles().Write();
    std::_Exit(128 + signal);
}

void CNuvApp::ExitInstance()
{
    if (m_pFrame)
        m_pFrame->RecentFiles().Write();
    // Windows destroyed from inside their own handlers are deleted late.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
