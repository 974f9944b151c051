#include "res/CommandTable.h"

#include <algorithm>
#include <iterator>

#include "res/CommandIds.h"

namespace {

constexpr CommandInfo kCommands[] = {
    {ID_FILE_NEW, "&New\tCtrl+W", "Ctrl+W", "Create a new editing window", 0},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "Ctrl+O", "Open an existing model", 1},
    {ID_FILE_LOAD, "&Load...\tCtrl+L", "Ctrl+L", "Load an existing model into the active window", 2},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Ctrl+S", "Save the model in the active window", 3},
    {ID_FILE_SAVE_AS, "Save &As...\tCtrl+A", "Ctrl+A", "Save the model in the active window with a new name", -1},
    {ID_FILE_PRINT, "&Print", nullptr, "Print contents in the active window", 4},
    {ID_FILE_PRINT_SELECTION, "Print Se&lection", nullptr, "Print selected text in the active window", -1},
    {ID_FILE_PRINT_SETUP, "P&rinter Setup...", nullptr, "Set up and configure printer", -1},
    {ID_FILE_MRU_FILE1, nullptr, nullptr, "Load this file", -1},
    {ID_FILE_MRU_FILE2, nullptr, nullptr, "Load this file", -1},
    {ID_FILE_MRU_FILE3, nullptr, nullptr, "Load this file", -1},
    {ID_FILE_MRU_FILE4, nullptr, nullptr, "Load this file", -1},
    {ID_APP_EXIT, "E&xit\tAlt+F4", nullptr, "Quit the application prompting to save files", -1},
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Ctrl+Z", "Undo the last editing operation", 5},
    {ID_EDIT_CUT, "&Cu&t\tCtrl+X", "Ctrl+X", "Cut the selection and put it in the Clipboard", 6},
    {ID_EDIT_COPY, "&Copy\tCtrl+C", "Ctrl+C", "Copy the selection and put it on the Clipboard", 7},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V", "Ctrl+V", "Insert text from the Clipboard", 8},
    {ID_EDIT_CLEAR, "De&lete\tCtrl+D", "Ctrl+D", "Erase the current selection in the active window", 9},
    {ID_EDIT_SELECT_ALL, "&Select All", nullptr, "Select all the text in the active window", 10},
    {ID_VIEW_TOOLBAR, "&Tool Bar", nullptr, "Show or hide the Tool Bar", -1},
    {ID_VIEW_STATUS_BAR, "&Status Bar", nullptr, "Show or hide the Status Bar", -1},
    {ID_VIEW_SYNTAX_COLOURS, "Syntax &Colours", nullptr,
     "Draw comments, strings, numbers and keywords in colours of their own", -1},
    {ID_VIEW_LINE_NUMBERS, "&Line Numbers", nullptr, "Show or hide the line numbers left of the text", -1},
    {ID_EDIT_FIND, "&Find...\tCtrl+F", "Ctrl+F", "Find the specified text in the active window", -1},
    {ID_EDIT_REPLACE, "Find/&Replace...\tCtrl+T", "Ctrl+T", "Replace specified text with different text", -1},
    {ID_SEARCH_GOTO_LINE, "Go to &Line...\tCtrl+G", "Ctrl+G", "Move the caret to the line of a given number", -1},
    {ID_SEARCH_BRACE, "Matching Brace\tCtrl+B", "Ctrl+B", "Find matching brace", -1},
    {ID_SEARCH_UNCOMMENTED_BRACE, "Uncommented Matching Brace\tCtrl+U", "Ctrl+U",
     "Find matching brace skipping comments and quotations", -1},
    {ID_SEARCH_GOTO_ERROR, "&Goto error\tCtrl+E", "Ctrl+E", "Go to error in source code", 11},
    {ID_RUN_ACTIVE, "&Run Active\tCtrl+R", "Ctrl+R", "Execute the model in the active window", 12},
    {ID_RUN_PICK, "&Pick model...\tCtrl+P", "Ctrl+P", "Pick a model from a disk and execute it", 13},
    {ID_RUN_LAST, nullptr, "Ctrl+K", "Execute the most recently run model", 14},
    {ID_RUN_TERMINATE, nullptr, nullptr, "Terminate the running model", kTerminateImage},
    {ID_RUN_DEBUGGER, "Run &Debugger", nullptr, "Start debugging session", -1},
    {ID_RUN_NEXT_ERROR, "Ne&xt Error\tF8", "F8", "Go to the next error line of the output window", -1},
    {ID_RUN_PREVIOUS_ERROR, "Pre&vious Error\tShift+F8", "Shift+F8",
     "Go to the previous error line of the output window", -1},
    {ID_OPTIONS_ENVIRONMENT, "&Environment...", nullptr, "Set output options and specify additional DLLs", -1},
    {ID_OPTIONS_FONTS, "&Fonts...", nullptr, "Select fonts to display text in editing windows", -1},
    {ID_OPTIONS_SAVE_SETTINGS, "&Save Settings on Exit", nullptr, "Save or don't save current configuration on exit",
     -1},
    {ID_WINDOW_CASCADE, "&Cascade\tShift+F5", "Shift+F5", "Arrange windows so they overlap", -1},
    {ID_WINDOW_TILE, "&Tile\tShift+F4", "Shift+F4", "Arrange windows as tiles", -1},
    {ID_WINDOW_CLOSE, "C&lose\tCtrl+F4", nullptr, "Close the active window", -1},
    {ID_WINDOW_CLOSE_ALL, "Close &All", nullptr, "Close all open windows", -1},
    {ID_WINDOW_OUTPUT, "&Output Window", nullptr, "Bring the Output Window to screen", -1},
    {ID_WINDOW_ARRANGE, "Arrange &Icons\tShift+F3", "Shift+F3", "Arrange icons at the bottom of the window", -1},
    {ID_WINDOW_TABBED, "Ta&bbed Windows", nullptr, "Show the windows as tabs, or as overlapping windows", -1},
    {ID_HELP_CONTENTS, "&Contents", nullptr, nullptr, -1},
    {ID_APP_ABOUT, "A&bout...", nullptr, "Display version number and copyright", 15},
    {ID_NEXT_PANE, nullptr, "Ctrl+N", nullptr, -1},
};

constexpr int kToolBar[] = {ID_FILE_NEW,   ID_FILE_OPEN,       ID_FILE_LOAD, ID_FILE_SAVE,   0,
                            ID_FILE_PRINT, 0,                  0,            ID_EDIT_UNDO,   ID_EDIT_CUT,
                            ID_EDIT_COPY,  ID_EDIT_PASTE,      ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL, 0,
                            0,             ID_SEARCH_GOTO_ERROR, 0,          0,              ID_RUN_ACTIVE,
                            ID_RUN_PICK,   ID_RUN_LAST,        0,            0,              ID_APP_ABOUT};
static_assert(std::size(kToolBar) == 25);

constexpr MenuEntry kFile[] = {{ID_FILE_NEW},  {ID_FILE_OPEN},  {ID_FILE_LOAD},
                               {ID_FILE_SAVE}, {ID_FILE_SAVE_AS}, {0},
                               {ID_FILE_PRINT}, {ID_FILE_PRINT_SELECTION}, {ID_FILE_PRINT_SETUP},
                               {0}, {kRecentFilePlaceholder}, {0},
                               {ID_APP_EXIT}};
constexpr MenuEntry kEdit[] = {{ID_EDIT_UNDO},  {0},          {ID_EDIT_CUT}, {ID_EDIT_COPY},
                               {ID_EDIT_PASTE}, {ID_EDIT_CLEAR}, {0},        {ID_EDIT_SELECT_ALL}};
constexpr MenuEntry kView[] = {{ID_VIEW_TOOLBAR}, {ID_VIEW_STATUS_BAR}, {0}, {ID_VIEW_SYNTAX_COLOURS},
                               {ID_VIEW_LINE_NUMBERS}};
constexpr MenuEntry kSearch[] = {{ID_EDIT_FIND}, {ID_EDIT_REPLACE}, {ID_SEARCH_GOTO_LINE}, {0}, {ID_SEARCH_BRACE},
                                 {ID_SEARCH_UNCOMMENTED_BRACE}, {0}, {ID_SEARCH_GOTO_ERROR}};
constexpr MenuEntry kRun[] = {{ID_RUN_ACTIVE},     {ID_RUN_PICK}, {ID_RUN_DEBUGGER}, {0},
                              {ID_RUN_NEXT_ERROR}, {ID_RUN_PREVIOUS_ERROR}};
constexpr MenuEntry kOptions[] = {{ID_OPTIONS_ENVIRONMENT}, {ID_OPTIONS_FONTS}, {0}, {ID_OPTIONS_SAVE_SETTINGS}};
constexpr MenuEntry kWindow[] = {{ID_WINDOW_CASCADE}, {ID_WINDOW_TILE},   {ID_WINDOW_CLOSE}, {ID_WINDOW_CLOSE_ALL},
                                 {0},                 {ID_WINDOW_OUTPUT}, {0},               {ID_WINDOW_ARRANGE},
                                 {ID_WINDOW_TABBED}};
constexpr MenuEntry kHelp[] = {{ID_HELP_CONTENTS}, {ID_APP_ABOUT}};

constexpr MenuInfo kMenuBar[] = {
    {"&File", kFile}, {"&Edit", kEdit},       {"&View", kView},     {"&Search", kSearch},
    {"&Run", kRun},   {"&Options", kOptions}, {"&Window", kWindow}, {"&Help", kHelp},
};

}  // namespace

std::span<const CommandInfo> CommandTable()
{
    return kCommands;
}

const CommandInfo* FindCommand(int id)
{
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it != std::end(kCommands) ? it : nullptr;
}

std::span<const int> ToolBarEntries()
{
    return kToolBar;
}

std::span<const MenuInfo> MenuBar()
{
    return kMenuBar;
}
