#include "editor/CFileCommands.h"

#include <QMdiArea>
#include <climits>
#include <string>
#include <unistd.h>

#include "editor/CCommandLine.h"
#include "editor/CNuvEdit.h"
#include "editor/CRecentFileList.h"
#include "res/StringTable.h"
#include "shell/ChooseFileName.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

// The "already loaded" rule: the window showing `path` is activated instead.
bool ActivateLoaded(const char* path)
{
    IMainFrame* frame = TheFrame();
    CNuvChild* loaded = frame ? frame->FindEditorWindow(path) : nullptr;
    if (!loaded)
        return false;
    frame->MdiArea()->setActiveSubWindow(loaded);
    StatusFromTable(IDS_ALREADY_LOADED, {path}, true);
    return true;
}

std::string CurrentDirectory()
{
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

}  // namespace

int CFileCommands::NewWindowKind()
{
    IMainFrame* frame = TheFrame();
    CNuvChild* active = frame ? frame->ActiveChild() : nullptr;
    // Among tabs every active window is maximised; its place among
    // overlapping windows is what counts.
    return active && (active->OverlapPlace().state & Qt::WindowMaximized) ? WS_MAXIMIZE : kPlaceDefault;
}

void CFileCommands::New()
{
    if (CNuvEdit* window = CNuvEdit::Create(NewWindowKind()))
        window->Focus();
}

void CFileCommands::Open()
{
    char chosen[MAX_PATH];
    if (!ChooseFileName(chosen, nullptr, FD_OPEN) || ActivateLoaded(chosen))
        return;
    CNuvEdit* window = CNuvEdit::Create(NewWindowKind());
    if (!window)
        return;
    if (!window->LoadFile(chosen)) {
        window->Destroy();
        return;
    }
    window->Focus();
    if (IMainFrame* frame = TheFrame())
        frame->AddToRecentFileList(chosen);
}

void CFileCommands::OpenRecent(int index)
{
    // A copy: the list may change while the load's message is on screen.
    const std::string name = m_recent.Entry(index);
    if (name.empty() || ActivateLoaded(name.c_str()))
        return;
    CNuvEdit* window = CNuvEdit::Create(NewWindowKind());
    if (!window) {
        MessageFromTable(IDS_NO_MEMORY_WINDOW, MB_ICONEXCLAMATION, {name.c_str()});
        return;
    }
    if (!window->LoadFile(name.c_str())) {
        window->Destroy();
        return;
    }
    if (m_recent.Entry(index) == name)
        m_recent.MoveToTop(index);
    window->Focus();
}

void CFileCommands::OpenCommandLineFiles(const std::vector<std::string>& arguments)
{
    for (const std::string& name : CCommandLine::Names(arguments, CurrentDirectory())) {
        // Too long for the name buffers: refused like a file that cannot be opened.
        if (name.size() >= static_cast<std::size_t>(MAX_PATH)) {
            MessageFromTable(IDS_CANNOT_OPEN, MB_ICONHAND, {name.c_str()});
            continue;
        }
        CNuvEdit* window = CNuvEdit::Create(kPlaceDefault);
        if (!window) {
            MessageFromTable(IDS_NO_MEMORY_FILES, MB_ICONEXCLAMATION);
            return;
        }
        if (!window->LoadFile(name.c_str())) {
            window->Destroy();
            continue;
        }
        window->Focus();
    }
}
