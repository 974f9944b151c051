#pragma once
// Every command, written once: its id, menu text (with the tab before the
// accelerator text), accelerator, status-bar prompt and tool-bar image.
#include <span>

struct CommandInfo {
    int id;
    const char* menuText;     // exactly as the menu shows it; nullptr for commands the run adds
    const char* accelerator;  // QKeySequence text, or nullptr
    const char* prompt;       // status-bar prompt, or nullptr
    int image;                // tool-bar image index, or -1
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(int id);

// Tool-bar entries in order; 0 is a separator.
std::span<const int> ToolBarEntries();
inline constexpr int kToolBarImageCount = 17;
inline constexpr int kTerminateImage = 16;
inline constexpr int kRunLastImage = 14;
inline constexpr int kRunLastButton = 21;

// A menu entry: a command, a separator (id 0) or the recent-file placeholder (id -1).
struct MenuEntry {
    int id;
};
struct MenuInfo {
    const char* title;
    std::span<const MenuEntry> entries;
};
std::span<const MenuInfo> MenuBar();
inline constexpr int kRecentFilePlaceholder = -1;
inline constexpr const char* kRecentFilePlaceholderText = "Recent File";
inline constexpr const char* kTerminateMenuText = "Terminate\tCTRL+BREAK";
inline constexpr int kWindowMenuIndex = 6;
inline constexpr int kRunMenuIndex = 4;
inline constexpr int kOutputWindowMenuPosition = 5;
