#include "app/CRecentFileMenu.h"

#include <QAction>
#include <QMenu>

#include "editor/CRecentFileList.h"
#include "platform/FileNameText.h"

CRecentFileMenu::CRecentFileMenu(QMenu* menu, QAction* placeholder, QAction* const entries[4])
    : QObject(menu), m_menu(menu), m_placeholder(placeholder)
{
    for (int i = 0; i < 4; ++i) {
        m_entries[i] = entries[i];
        m_menu->insertAction(m_placeholder, m_entries[i]);
        m_entries[i]->setVisible(false);
    }
}

void CRecentFileMenu::Refresh(const CRecentFileList& list)
{
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        const std::string& name = list.Entry(i);
        QString text = FileNameText(name);
        text.replace('&', "&&");
        m_entries[i]->setText(QString("&%1 %2").arg(i + 1).arg(text));
        m_entries[i]->setVisible(!name.empty());
        any = any || !name.empty();
    }
    m_placeholder->setVisible(!any);
}
