#include "print/CPrintProgress.h"

#include <QApplication>
#include <QPushButton>
#include <new>

#include "print/CPrintAbortDlg.h"

CPrintProgress::CPrintProgress(QWidget* mainWindow) : m_mainWindow(mainWindow) {}

CPrintProgress::~CPrintProgress()
{
    delete m_dialog;
}

void CPrintProgress::Begin()
{
    m_bCancelled = false;
    m_focus = QApplication::focusWidget();
    // Without its dialog the job still runs; it just cannot be cancelled.
    m_dialog = new (std::nothrow) CPrintAbortDlg(m_mainWindow);
    if (m_dialog) {
        QObject::connect(m_dialog, &CPrintAbortDlg::cancelled, m_dialog, [this] { OnCancel(); });
        m_dialog->show();
    }
    if (m_mainWindow)
        m_mainWindow->setEnabled(false);
    // Disabling a window disables the windows it owns; the dialog must answer.
    if (m_dialog) {
        m_dialog->setEnabled(true);
        m_dialog->activateWindow();
        m_dialog->CancelButton()->setFocus();
        m_dialog->repaint();
    }
}

bool CPrintProgress::Continue()
{
    if (!m_bCancelled)
        QCoreApplication::processEvents();
    return !m_bCancelled;
}

// The dialog goes at once; it is deleted later, as its own button is still
// handling the click.
void CPrintProgress::OnCancel()
{
    m_bCancelled = true;
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->deleteLater();
    }
}

void CPrintProgress::End()
{
    delete m_dialog;
    if (!m_mainWindow)
        return;
    m_mainWindow->setEnabled(true);
    m_mainWindow->activateWindow();
    if (m_focus && m_focus->window() == m_mainWindow)
        m_focus->setFocus();
    else
        m_mainWindow->setFocus();
}
