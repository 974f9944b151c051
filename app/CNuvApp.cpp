#include "app/CNuvApp.h"

#include <QDir>
#include <QFile>
#include <new>

#include "app/CMainFrame.h"
#include "platform/TextLimits.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

CNuvApp::CNuvApp()
{
    m_makeFrame = [] { return new (std::nothrow) CMainFrame; };
    m_makeOutput = [] { return static_cast<CNuvOutput*>(nullptr); };
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
    (void)arguments;
    CopyUtf8Bounded(m_szStartDir, sizeof m_szStartDir, QFile::encodeName(QDir::currentPath()));

    m_pFrame.reset(m_makeFrame());
    if (!m_pFrame) {
        Fail();
        return FALSE;
    }
    m_pFrame->m_startDirectory = QDir::currentPath();
    m_pFrame->m_bSaveSettings = FALSE;
    m_pFrame->show();
    return TRUE;
}

void CNuvApp::ExitInstance() {}
