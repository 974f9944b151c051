#pragma once
// A light main frame for widget tests of one child kind: a main window with an
// MDI area that records what the children report to the frame.
#include <QMainWindow>
#include <QMap>
#include <QStringList>
#include <functional>

#include "shell/IMainFrame.h"

class QMdiArea;
class QMenu;

class FakeFrame : public QMainWindow, public IMainFrame {
public:
    FakeFrame();  // installs itself as TheFrame()
    ~FakeFrame() override;

    QWidget* Window() override { return this; }
    QMdiArea* MdiArea() override { return m_area; }
    CNuvChild* ActiveChild() const override { return m_active; }
    void SetActiveChild(CNuvChild* child) override { m_active = child; }
    CNuvOutput* Output() const override { return m_output; }
    void SetOutput(CNuvOutput* output) override { m_output = output; }
    void SetMessageText(const QString& text) override { messageText = text; }
    void SetPaneText(int id, const QString& text) override { panes[id] = text; }
    CNuvChild* FindEditorWindow(const char* path) override { return findEditor ? findEditor(path) : nullptr; }
    void AddToRecentFileList(const char* path) override { recentFiles.prepend(QString::fromUtf8(path)); }
    QFont EditorFont() const override { return editorFont; }
    BOOL PreprocessOnly() const override { return preprocessOnly; }
    QMenu* WindowMenu() override { return m_windowMenu; }
    QMenu* RunMenu() override { return m_runMenu; }
    void PostCommand(int id) override { postedCommands.push_back(id); }
    QAction* CommandAction(int id) override;  // made on first use, text from the command table
    void SetRunButton(BOOL terminate) override { runButtonTerminate = terminate; }

    QString messageText;
    QMap<int, QString> panes;
    QStringList recentFiles;
    QFont editorFont;
    BOOL preprocessOnly = FALSE;
    std::vector<int> postedCommands;
    BOOL runButtonTerminate = FALSE;
    std::function<CNuvChild*(const char*)> findEditor;

private:
    QMdiArea* m_area;
    QMenu* m_windowMenu;
    QMenu* m_runMenu;
    CNuvChild* m_active = nullptr;
    CNuvOutput* m_output = nullptr;
    QMap<int, QAction*> m_actions;
};
