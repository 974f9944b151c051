#include "platform/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>

#include "platform/CCentredMessageBox.h"
#include "platform/FontConversion.h"

namespace {

QMessageBox::Icon IconOf(int style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton first;
    QMessageBox::StandardButton second;
};

ButtonSet ButtonsOf(int style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case MB_YESNOCANCEL:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No};
    case MB_YESNO: return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    default: return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    }
}

int ResultOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

// "Models(*.nuv)", "*.nuv", ... becomes "Models(*.nuv);;...": Qt takes the
// patterns from the parentheses, separated by blanks. "*.*" stands for every
// file, named or not, which is "*" here.
QString QtFilterOf(const QStringList& pairs)
{
    QStringList parts;
    for (int i = 0; i + 1 < pairs.size(); i += 2) {
        const QString pattern = pairs[i + 1];
        QString patterns = pattern;
        patterns.replace(';', ' ');
        if (patterns.trimmed() == "*.*")
            patterns = "*";
        QString description = pairs[i];
        const QString shown = "(" + pattern + ")";
        if (description.contains(shown))
            description.replace(shown, "(" + patterns + ")");
        else
            description += " (" + patterns + ")";
        parts << description;
    }
    return parts.join(";;");
}

}  // namespace

int QtPrompts::MessageBox(QWidget* owner, const QString& text, const QString& caption, int style)
{
    CCentredMessageBox box(IconOf(style), caption, text, QMessageBox::NoButton, owner);
    const ButtonSet set = ButtonsOf(style);
    box.setStandardButtons(set.buttons);
    box.setDefaultButton((style & MB_DEFMASK) == MB_DEFBUTTON2 ? set.second : set.first);
    if (set.buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (set.buttons & QMessageBox::No)
        box.setEscapeButton(QMessageBox::No);
    return ResultOf(box.exec());
}

void QtPrompts::Beep(UINT)
{
    QApplication::beep();
}

bool QtPrompts::FileDialog(const FileDialogRequest& request, QString* path)
{
    QFileDialog dialog(request.owner, request.title, request.initialDirectory, QtFilterOf(request.filters));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    *path = dialog.selectedFiles().first();
    return true;
}

bool QtPrompts::FontDialog(QWidget* owner, LOGFONTA* font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FontFromLogFont(*font), owner);
    if (ok)
        *font = LogFontFromFont(chosen);
    return ok;
}

bool QtPrompts::PrintSetupDialog(QWidget* owner, QPrinter* printer)
{
    QPageSetupDialog dialog(printer, owner);
    return dialog.exec() == QDialog::Accepted;
}
