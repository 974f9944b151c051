#pragma once
// What the child windows, the run controller and the services need of the main
// frame. CMainFrame implements it; the layers below the application reach the
// frame only through this interface.
#include <QFont>
#include <QString>

#include "platform/Win32Types.h"

class CNuvChild;
class CNuvOutput;
class QMdiArea;
class QAction;
class QMenu;
class QWidget;

class IMainFrame {
public:
    virtual ~IMainFrame() = default;

    virtual QWidget* Window() = 0;
    virtual QMdiArea* MdiArea() = 0;

    // m_pActiveChild: kept by the children as they are activated and focused.
    virtual CNuvChild* ActiveChild() const = 0;
    virtual void SetActiveChild(CNuvChild* child) = 0;
    // The output window object (m_pOutput); set by its constructor.
    virtual CNuvOutput* Output() const = 0;
    virtual void SetOutput(CNuvOutput* output) = 0;

    // Status bar: pane 0 (short results) and the indicator panes by id.
    virtual void SetMessageText(const QString& text) = 0;
    virtual void SetPaneText(int indicatorId, const QString& text) = 0;

    // The first editor window whose file name equals `path` (A-Z compared without
    // regard to case), or nullptr.
    virtual CNuvChild* FindEditorWindow(const char* path) = 0;
    virtual void AddToRecentFileList(const char* path) = 0;
    virtual QFont EditorFont() const = 0;
    virtual BOOL PreprocessOnly() const = 0;

    // The Window menu (found by identity) and the Run menu.
    virtual QMenu* WindowMenu() = 0;
    virtual QMenu* RunMenu() = 0;

    // The one action of command `id` (menus and tool bar share it): its text,
    // prompt and image; triggering it posts the command to the frame.
    virtual QAction* CommandAction(int id) = 0;
    // Tool-bar button 21: Terminate (image 16) while a model runs, else Run last
    // (image 14).
    virtual void SetRunButton(BOOL terminate) = 0;

    // Posts a command to the frame's own queue.
    virtual void PostCommand(int id) = 0;
};

// The frame in force (the one CMainFrame); nullptr before it exists.
IMainFrame* TheFrame();
void SetTheFrame(IMainFrame* frame);
