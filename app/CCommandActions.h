#pragma once
// One QAction per command of the command table, shared by the menus and the
// tool bar. Triggering an action posts its id to the frame as a command event.
#include <QObject>
#include <map>

class QAction;
class QWidget;

class CCommandActions : public QObject {
    Q_OBJECT
public:
    // `frame` receives the posted commands and owns the actions.
    explicit CCommandActions(QWidget* frame);
    QAction* Action(int id) const;
    // Commands whose item always shows a check box (the bars and Save Settings
    // on Exit); the others show a check mark only while their rule checks them.
    static bool HasCheckBox(int id);
    const std::map<int, QAction*>& All() const { return m_actions; }

private:
    std::map<int, QAction*> m_actions;
};
