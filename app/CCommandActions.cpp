#include "app/CCommandActions.h"

#include <QAction>
#include <QWidget>

#include "platform/CommandEvent.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/Images.h"

namespace {

// "&Open...\tCtrl+O" shows as "Open... (Ctrl+O)" in a tool tip.
QString ToolTipOf(const CommandInfo& command)
{
    QString text = QString::fromUtf8(command.menuText ? command.menuText : "");
    text.remove('&');
    const int tab = text.indexOf('\t');
    if (tab >= 0)
        text = text.left(tab) + " (" + text.mid(tab + 1) + ")";
    return text;
}

}  // namespace

CCommandActions::CCommandActions(QWidget* frame) : QObject(frame)
{
    for (const CommandInfo& command : CommandTable()) {
        auto* action = new QAction(QString::fromUtf8(command.menuText ? command.menuText : ""), frame);
        action->setData(command.id);
        if (command.prompt)
            action->setStatusTip(QString::fromUtf8(command.prompt));
        if (command.image >= 0)
            action->setIcon(QIcon(ToolBarImage(command.image)));
        action->setToolTip(ToolTipOf(command));
        // Shortcuts are not set on the actions: the frame's accelerator filter
        // translates keys itself, before the focused control sees them.
        const int id = command.id;
        action->setCheckable(HasCheckBox(id));
        connect(action, &QAction::triggered, frame, [frame, id] { PostCommand(frame, id); });
        m_actions[id] = action;
    }
}

bool CCommandActions::HasCheckBox(int id)
{
    return id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR || id == ID_OPTIONS_SAVE_SETTINGS;
}

QAction* CCommandActions::Action(int id) const
{
    const auto it = m_actions.find(id);
    return it != m_actions.end() ? it->second : nullptr;
}
