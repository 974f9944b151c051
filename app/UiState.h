#pragma once
// What the command update rules look at: a small snapshot of the user
// interface, gathered once per idle pass (or before a menu opens).

struct UiState {
    bool hasActiveChild = false;
    bool editorActive = false;       // the active child is an editor window
    bool outputActive = false;       // the active child is the output window
    bool activeMinimised = false;
    bool selection = false;          // the active editor's or output window's selection is not empty
    bool textNotEmpty = false;       // the active editor or output window holds at least one character
    bool canUndo = false;
    bool clipboardHasText = false;
    bool busy = false;               // a model is running
    int outputLines = 0;             // lines in the output store
    int runStatus = 3;               // result kind of the last run
    bool hasLastModel = false;       // the output window holds a last-run path
    bool outputHasErrorLines = false;  // some output line names a file and a line
    bool findDialogOpen = false;
    bool replaceDialogOpen = false;
    bool toolBarVisible = true;
    bool statusBarVisible = true;
    bool saveSettings = false;
    int recentFiles = 0;             // non-empty entries of the recent-file list
    bool tabbedWindows = false;      // the MDI area shows tabs
    bool syntaxColours = true;       // View > Syntax Colours
    bool lineNumbers = true;         // View > Line Numbers
};

struct CommandUi {
    bool enabled = false;
    bool checked = false;
};

// The enable/check rule of command `id` in state `s`. Commands without a rule
// of their own are enabled.
CommandUi UpdateRule(int id, const UiState& s);
