#include "run/CRunMenu.h"

#include <QAction>
#include <QMenu>

#include "res/CommandTable.h"

namespace {
// The menu's own entries, as the command table lists them; the run's separator
// and last entry follow them.
qsizetype OwnEntries()
{
    return static_cast<qsizetype>(MenuBar()[kRunMenuIndex].entries.size());
}
}  // namespace

void CRunMenu::ShowTerminate(QMenu* menu, QAction* terminate)
{
    if (!terminate)
        return;
    terminate->setText(QString::fromUtf8(kTerminateMenuText));
    PutLast(menu, terminate);
}

void CRunMenu::ShowRunLast(QMenu* menu, QAction* runLast, const char* path)
{
    if (!runLast)
        return;
    // A '&' in the path is a letter of the path, not a mnemonic mark.
    QString text = QString::fromUtf8(path);
    text.replace('&', "&&");
    runLast->setText(text + "\tCtrl+K");
    PutLast(menu, runLast);
}

void CRunMenu::PutLast(QMenu* menu, QAction* action)
{
    if (!menu)
        return;
    const QList<QAction*> actions = menu->actions();
    if (actions.size() <= OwnEntries()) {
        menu->addSeparator();
        menu->addAction(action);
        return;
    }
    QAction* last = actions.back();
    if (last == action)
        return;
    menu->insertAction(last, action);
    menu->removeAction(last);
}
