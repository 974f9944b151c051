#pragma once
// The user's side of a running print job: the "Print job is in progress"
// dialog with its Cancel, and the main window that is disabled meanwhile.
class IPrintAbort {
public:
    virtual ~IPrintAbort() = default;

    // Shows the dialog and disables the main window; nothing is cancelled yet.
    virtual void Begin() = 0;
    // The abort procedure's pump: lets the waiting events through (the dialog's
    // among them) while the user has not cancelled. False once the user has.
    virtual bool Continue() = 0;
    // Destroys the dialog if it still exists, enables the main window and gives
    // it the focus back.
    virtual void End() = 0;
};
