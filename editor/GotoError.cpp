#include "editor/GotoError.h"

#include <filesystem>
#include <system_error>

#include "editor/CFileCommands.h"
#include "editor/CNuvEdit.h"
#include "editor/ErrorLine.h"
#include "editor/FileNames.h"
#include "platform/Prompts.h"
#include "shell/IMainFrame.h"

namespace {

bool FitsFileName(const std::string& path)
{
    return path.size() < static_cast<std::size_t>(MAX_PATH);
}

std::string CurrentDirectory()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string("/") : current.native();
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

CNuvEdit* EditorNamed(IMainFrame& frame, const std::string& name)
{
    return qobject_cast<CNuvEdit*>(frame.FindEditorWindow(name.c_str()));
}

// The window that shows the file `name` means, restored to its normal size when
// minimised or maximised; null when none does, and then `toOpen` is the file to
// open: the first place where the file exists, else the name as written.
CNuvEdit* ShownWindowFor(IMainFrame& frame, const std::string& name, const char* modelPath, std::string* toOpen)
{
    CNuvEdit* shown = EditorNamed(frame, name);
    *toOpen = name;
    const std::vector<std::string> candidates = ErrorFileCandidates(name, modelPath, CurrentDirectory());
    for (auto it = candidates.begin(); !shown && it != candidates.end(); ++it) {
        shown = EditorNamed(frame, *it);
        if (!shown && IsFile(*it)) {
            *toOpen = *it;
            break;
        }
    }
    // Among tabs the window is shown as its tab shows it.
    if (shown && !ShowsTabs(shown) && (shown->isMinimized() || shown->isMaximized()))
        shown->showNormal();
    return shown;
}

}  // namespace

std::vector<std::string> ErrorFileCandidates(const std::string& name, const char* modelPath,
                                             const std::string& currentDirectory)
{
    std::vector<std::string> candidates;
    const auto add = [&candidates](const std::string& path) {
        if (FitsFileName(path))
            candidates.push_back(path);
    };
    if (!name.empty() && name.front() == '/') {
        add(JoinedPath("/", name));
        return candidates;
    }
    const std::string model = modelPath ? modelPath : "";
    if (!model.empty()) {
        const std::string absolute = JoinedPath(currentDirectory, model);
        add(JoinedPath(absolute.substr(0, absolute.rfind('/')), name));
    }
    add(JoinedPath(currentDirectory, name));
    return candidates;
}

void GotoErrorFromLine(const char* line, std::size_t length, const char* modelPath)
{
    ErrorLocation location;
    IMainFrame* frame = TheFrame();
    if (!ParseErrorLine(line, length, &location) || !frame) {
        Prompts().Beep(MB_ICONASTERISK);
        return;
    }
    std::string toOpen;
    CNuvEdit* editor = ShownWindowFor(*frame, location.fileName, modelPath, &toOpen);
    // A new window takes the placement of New; null when it cannot be made or
    // the file not loaded (the load has said why).
    if (!editor)
        editor = CNuvEdit::CreateForFile(CFileCommands::NewWindowKind(), toOpen.c_str());
    if (!editor)
        return;
    editor->SelectLine(location.lineNumber);
    editor->Focus();
}
