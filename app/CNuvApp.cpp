#include "app/CNuvApp.h"

#include <QCoreApplication>
#include <QDir>
#include <new>

#include "app/CMainFrame.h"
#include "editor/CFileCommands.h"
#include "output/CNuvOutput.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

CNuvApp::CNuvApp()
{
    m_makeFrame = [] { return new (std::nothrow) CMainFrame; };
    m_makeOutput = [] { return new (std::nothrow) CNuvOutput(FALSE, nullptr); };
}

CNuvApp::~CNuvApp() = default;

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
    return TRUE;
}

void CNuvApp::ExitInstance()
{
    if (m_pFrame)
        m_pFrame->RecentFiles().Write();
    // Windows destroyed from inside their own handlers are deleted late.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
