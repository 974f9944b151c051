#pragma once
// The one way every file name is asked of the user: a common open or save
// dialog whose title, filter and mode follow from the kind.
#include "platform/Win32Types.h"

class QWidget;

enum FileDialogKind : int {
    FD_LOAD = 11,      // Load into the active editor
    FD_SAVE_AS = 12,   // Save As of an editor
    FD_RUN_MODEL = 13, // Pick model
    FD_OPEN = 14,      // Open
    FD_DLL = 15,       // Browse for an additional library
    FD_OUTPUT = 16,    // Save As of the output window
};

// Shows the dialog of `kind` owned by `owner` (the main window when null) and
// copies the chosen path into `result` (MAX_PATH bytes). FALSE on cancel, for a
// kind outside 11..16 (nothing shown), and for a path too long for the buffer
// (refused with the operation's message rather than cut).
BOOL ChooseFileName(char* result, QWidget* owner, int kind);
