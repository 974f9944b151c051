#include "FakeFrame.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "res/CommandTable.h"

FakeFrame::FakeFrame()
{
    m_area = new QMdiArea(this);
    setCentralWidget(m_area);
    m_runMenu = menuBar()->addMenu("&Run");
    m_windowMenu = menuBar()->addMenu("&Window");
    // The Run and Window menus as the real frame builds them.
    for (const MenuInfo& menu : MenuBar()) {
        QMenu* target = QString(menu.title) == "&Run" ? m_runMenu : QString(menu.title) == "&Window" ? m_windowMenu : nullptr;
        if (!target)
            continue;
        for (const MenuEntry& entry : menu.entries) {
            if (entry.id == 0)
                target->addSeparator();
            else
                target->addAction(CommandAction(entry.id));
        }
    }
    resize(800, 600);
    SetTheFrame(this);
}

FakeFrame::~FakeFrame()
{
    // Children still in the area are deleted with it; they must not call back.
    m_active = nullptr;
    SetTheFrame(nullptr);
    delete m_area;
    m_area = nullptr;
}

QAction* FakeFrame::CommandAction(int id)
{
    if (!m_actions.contains(id)) {
        const CommandInfo* info = FindCommand(id);
        auto* action = new QAction(info && info->menuText ? QString::fromUtf8(info->menuText) : QString(), this);
        action->setData(id);
        m_actions[id] = action;
    }
    return m_actions[id];
}
