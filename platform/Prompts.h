#pragma once
// The prompt seam: every question, notice, beep and common dialog the environment
// shows goes through IPrompts, so that tests can answer them from a script and
// see every one of them.
#include <QString>
#include <QStringList>

#include "platform/Win32Types.h"

class QPrinter;
class QWidget;

struct FileDialogRequest {
    QWidget* owner = nullptr;
    QString title;
    QStringList filters;  // description, pattern, description, pattern, ...
    bool save = false;
    bool overwritePrompt = false;
    QString defaultExtension;  // added to a typed name without an extension
    QString initialDirectory;
};

class IPrompts {
public:
    virtual ~IPrompts() = default;
    // A modal message box; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(QWidget* owner, const QString& text, const QString& caption, int style) = 0;
    // MessageBeep: MB_ICONASTERISK, MB_ICONEXCLAMATION, MB_ICONHAND or BEEP_SIMPLE.
    virtual void Beep(UINT type) = 0;
    // The common open/save dialog; false on cancel. The path is as the dialog gave it.
    virtual bool FileDialog(const FileDialogRequest& request, QString* path) = 0;
    // The font dialog, initialised from and writing back to *font; false on cancel.
    virtual bool FontDialog(QWidget* owner, LOGFONTA* font) = 0;
    // The printer set-up dialog on `printer`: what the person chooses (paper,
    // orientation, margins) is set on it when they confirm; false, and the
    // printer unchanged, when they cancel.
    virtual bool PrintSetupDialog(QWidget* owner, QPrinter* printer) = 0;
};

// The prompts in force: the Qt implementation unless a test installed its own.
IPrompts& Prompts();
// Installs prompts (not owned); nullptr goes back to the Qt implementation.
void SetPrompts(IPrompts* prompts);
