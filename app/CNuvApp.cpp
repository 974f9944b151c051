#include "app/CNuvApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <new>
#include <system_error>

#include "app/CMainFrame.h"
#include "app/CTabbedWindows.h"
#include "config/CConfigFile.h"
#include "config/CFrameOnScreen.h"
#include "config/CWorkspaceReader.h"
#include "config/CWorkspaceRestorer.h"
#include "config/CWorkspaceWriter.h"
#include "editor/CFileCommands.h"
#include "editor/CNuvEdit.h"
#include "editor/EditorLook.h"
#include "editor/RecoveredModels.h"
#include "output/CNuvOutput.h"
#include "platform/CTerminationSignals.h"
#include "platform/CrashSignals.h"
#include "platform/UpdateWindow.h"
#include "res/StringTable.h"
#include "res/Version.h"
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

BOOL CNuvApp::InitInstance(const std::vector<std::string>& models)
{
    // The desktop matches the windows to the installed entry (its name and icon) by this id.
    QGuiApplication::setDesktopFileName(NUV_APP_ID);
    m_pFrame.reset(m_makeFrame());
    if (!m_pFrame) {
        Fail();
        return FALSE;
    }
    m_pFrame->m_startDirectory = QDir::currentPath();
    m_pFrame->RecentFiles().Read();
    m_pFrame->RefreshRecentFiles();

    std::unique_ptr<CConfigFile> reader(new (std::nothrow) CConfigFile(
        QFile::encodeName(m_pFrame->m_startDirectory).constData(), CWorkspaceWriter::kFileName, CConfigFile::kRead));
    const bool valid = reader && reader->m_status == CFG_OK;
    m_pFrame->m_bSaveSettings = valid ? TRUE : FALSE;
    if (valid) {
        RestoreFrame(CWorkspaceReader::ReadFrame(*reader));
        m_pFrame->m_settings.ReadProfile();
        m_pFrame->ResetElapsedTime(FALSE);
    } else {
        PlaceAtDefault();
        m_pFrame->show();
    }

    // Before any window opens, so that each keeps its place among overlapping windows.
    m_pFrame->TabbedWindows().SetOn(CTabbedWindows::FromProfile());
    CurrentEditorLook() = EditorLook::FromProfile();
    CNuvOutput* output = m_makeOutput();
    if (!output || !output->m_bCreated) {
        delete output;
        Fail();
        return FALSE;
    }
    if (!models.empty()) {
        UpdateWindow(m_pFrame.get());
        CFileCommands::OpenCommandLineFiles(models);
        if (reader)
            reader->Discard();
    } else if (reader && reader->m_status == CFG_OK) {
        const std::vector<SavedWindow> windows = CWorkspaceReader::ReadWindows(*reader);
        // The frame is on screen before the models load into it.
        if (!windows.empty())
            UpdateWindow(m_pFrame.get());
        CWorkspaceRestorer::RestoreWindows(windows);
    }
    StartRecovery();
    return TRUE;
}

// The frame's place and show state, the editor font and the bars; the bars
// only after a frame record. Without one the frame shows as started.
void CNuvApp::RestoreFrame(const SavedFrame& saved)
{
    if (saved.hasFrame) {
        CWorkspaceRestorer::PlaceFrame(m_pFrame.get(), saved.placement);
        // An unusable font (damaged file) leaves the editor font as it is.
        if (saved.hasFont)
            m_pFrame->SetEditorLogFont(saved.font);
        if (saved.hasStatusBar)
            m_pFrame->ShowStatusBar(saved.statusBarVisible);
        if (saved.hasToolBar)
            m_pFrame->ShowToolBar(saved.toolBarVisible);
    } else {
        PlaceAtDefault();
    }
    m_pFrame->show();
}

// The default size where the screen has room for it, else smaller, on the screen.
void CNuvApp::PlaceAtDefault()
{
    m_pFrame->setGeometry(CFrameOnScreen::FirstPlace(m_pFrame->size()));
    CFrameOnScreen::Watch(m_pFrame.get());
}

// Unsaved work survives a crash: every modified editor keeps a copy in this
// program's folder of the user's state directory, and what a program that
// is no longer running left there is offered back now. Without a folder of
// its own the copies left there are still offered, and the user hears once
// that this session's changes are not protected.
void CNuvApp::StartRecovery()
{
    InstallCrashSignalHandlers(LoadStringEntry(IDS_CRASH_DURING_RUN), LoadStringEntry(IDS_CRASH));
    m_pTermination = std::make_unique<CTerminationSignals>();
    QObject::connect(m_pTermination.get(), &CTerminationSignals::terminationRequested, m_pFrame.get(),
                     [this](int signal) { OnTerminationSignal(signal); });
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const QString folder = base.isEmpty() ? QString() : base + "/recovery";
    const bool open = m_recovery.Open(QFile::encodeName(folder).toStdString());
    SetRecoveryStore(&m_recovery);
    OfferRecoveredModels(m_recovery);
    if (!open) {
        const std::string reason = std::generic_category().message(m_recovery.OpenError());
        MessageFromTable(IDS_RECOVERY_OFF, MB_ICONEXCLAMATION, {folder.toUtf8().constData(), reason.c_str()});
    }
}

// SIGTERM or SIGHUP: nobody is there to answer a question, so the unsaved
// models go to their recovery copies, the workspace is written as an exit
// writes it, and the program ends at once (also in the middle of a run, whose
// library cannot be unwound); the next start offers the models back.
void CNuvApp::OnTerminationSignal(int signal)
{
    WriteAllRecoveryCopiesNow();
    if (m_pFrame) {
        m_pFrame->SaveWorkspaceWithoutQuestions();
        m_pFrame->RecentFiles().Write();
    }
    std::_Exit(128 + signal);
}

void CNuvApp::ExitInstance()
{
    if (m_pFrame)
        m_pFrame->RecentFiles().Write();
    // Windows destroyed from inside their own handlers are deleted late.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
