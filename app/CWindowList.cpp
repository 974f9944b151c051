#include "app/CWindowList.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "res/StringTable.h"

CWindowList::CWindowList(QMenu* menu, QMdiArea* area) : QObject(menu), m_menu(menu), m_area(area)
{
    connect(menu, &QMenu::aboutToShow, this, &CWindowList::Rebuild);
}

void CWindowList::Rebuild()
{
    for (QAction* entry : m_entries) {
        m_menu->removeAction(entry);
        delete entry;
    }
    m_entries.clear();
    const QList<QMdiSubWindow*> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_entries << m_menu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString title = window->windowTitle();
        title.replace('&', "&&");
        auto* entry = m_menu->addAction(number <= 9 ? QString("&%1 %2").arg(number).arg(title) : title);
        ++number;
        // A check mark before the active window, and no empty box before the others.
        const bool active = window == m_area->activeSubWindow();
        entry->setCheckable(active);
        entry->setChecked(active);
        entry->setStatusTip(QString::fromUtf8(LoadStringEntry(IDS_MDI_ACTIVATE)));
        connect(entry, &QAction::triggered, m_area, [area = m_area, window] {
            if (area->subWindowList().contains(window)) {
                if (window->isMinimized())
                    window->showNormal();
                area->setActiveSubWindow(window);
            }
        });
        m_entries << entry;
    }
}
