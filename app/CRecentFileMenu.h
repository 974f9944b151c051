#pragma once
// The recent-file entries of the File menu: in place of the disabled
// placeholder "Recent File", one entry per name of the list, "&1 name" to
// "&4 name", commands 57616 to 57619.
#include <QObject>

class CRecentFileList;
class QAction;
class QMenu;

class CRecentFileMenu : public QObject {
    Q_OBJECT
public:
    // `placeholder` is the "Recent File" item of `menu`; `entries` the four
    // command actions in order.
    CRecentFileMenu(QMenu* menu, QAction* placeholder, QAction* const entries[4]);
    // Shows the list's names, or the placeholder when the list is empty.
    void Refresh(const CRecentFileList& list);

private:
    QMenu* m_menu;
    QAction* m_placeholder;
    QAction* m_entries[4];
};
