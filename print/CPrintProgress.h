#pragma once
// The abort side of a print job on the screen: the "Print job is in progress"
// dialog over the disabled main window, and the events pumped between drawing
// operations so that its Cancel answers.
#include <QPointer>

#include "print/CPrintAbortDlg.h"
#include "print/IPrintAbort.h"

class QWidget;

class CPrintProgress : public IPrintAbort {
public:
    // `mainWindow` may be null (no frame): the dialog then has no owner.
    explicit CPrintProgress(QWidget* mainWindow);
    ~CPrintProgress() override;
    CPrintProgress(const CPrintProgress&) = delete;
    CPrintProgress& operator=(const CPrintProgress&) = delete;

    void Begin() override;
    bool Continue() override;
    void End() override;

    // The dialog while it exists (tests press its Cancel).
    CPrintAbortDlg* Dialog() const { return m_dialog; }

private:
    void OnCancel();

    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_focus;
    QPointer<CPrintAbortDlg> m_dialog;
    bool m_bCancelled = false;
};
