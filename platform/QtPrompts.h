#pragma once
#include "platform/Prompts.h"

// IPrompts over QMessageBox, QApplication::beep, QFileDialog, QFontDialog and
// QPageSetupDialog.
class QtPrompts : public IPrompts {
public:
    int MessageBox(QWidget* owner, const QString& text, const QString& caption, int style) override;
    void Beep(UINT type) override;
    bool FileDialog(const FileDialogRequest& request, QString* path) override;
    bool FontDialog(QWidget* owner, LOGFONTA* font) override;
    bool PrintSetupDialog(QWidget* owner, QPrinter* printer) override;
};
