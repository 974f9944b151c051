#pragma once
// The Window menu's list of open child windows, appended below the menu's own
// items and rebuilt each time the menu opens.
#include <QList>
#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

class CWindowList : public QObject {
    Q_OBJECT
public:
    CWindowList(QMenu* menu, QMdiArea* area);
    // Rebuilds the list: one entry per child; only the active one is
    // checkable, and checked.
    void Rebuild();

private:
    QMenu* m_menu;
    QMdiArea* m_area;
    QList<QAction*> m_entries;
};
