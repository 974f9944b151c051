#pragma once
// Reads the workspace out of _nuv_.cfg into plain values, in the order start-up
// needs them: the frame sections (4, 5, 6) first, the window section (7) later.
// Whatever the file holds, what comes out is safe to apply: names are
// terminated, placements sanitized (PlacementRules.h), carets bounded. Records
// that fail the checks are left out; a failure of the file itself ends the
// reading, and what was read before it stays.
#include <cstddef>
#include <limits>
#include <vector>

#include "platform/Win32Types.h"

class CConfigFile;

struct SavedFrame {
    bool hasFrame = false;
    WINDOWPLACEMENT placement{};  // sanitized
    bool hasFont = false;         // the frame record's font passed FontUsable
    LOGFONTA font{};
    // Read only after a frame record.
    bool hasStatusBar = false;
    BOOL statusBarVisible = TRUE;
    bool hasToolBar = false;
    BOOL toolBarVisible = TRUE;
};

struct SavedWindow {
    bool isEditor = false;        // else the output window
    WINDOWPLACEMENT placement{};  // sanitized
    char name[MAX_PATH] = {};     // editor: a terminated, non-empty name
    int line = -1;                // editor: caret line from 0; -1 puts no caret
    int column = 1;               // editor: caret column from 1
};

class CWorkspaceReader {
public:
    // Section 4 and its frame record; sections 5 and 6 only after one.
    static SavedFrame ReadFrame(CConfigFile& file);
    // Section 7 in file order: editor records with a usable name and the first
    // output record (a later one, written by an exit that waited for a run, is
    // older and left out). Nothing when the file has failed before.
    static std::vector<SavedWindow> ReadWindows(CConfigFile& file);
    // Both, as start-up reads them, over a whole file's `size` bytes; returns the
    // reader's status at the end (CFG_OK or 182..188).
    static int ReadBytes(const void* data, std::size_t size, SavedFrame* frame, std::vector<SavedWindow>* windows);

    // Any column: a line may be as long as a model.
    static constexpr int kMaxColumn = std::numeric_limits<int>::max();
};
