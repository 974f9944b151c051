#pragma once
// The frame's file commands that open model files into editor windows: New,
// Open, the recent files and the names on the command line. One file is shown
// in one window: Open and the recent files activate a window that already shows
// the chosen file instead of loading it again.
#include <string>
#include <vector>

class CRecentFileList;

class CFileCommands {
public:
    // `recent` is the frame's list, the one AddToRecentFileList adds to.
    explicit CFileCommands(CRecentFileList& recent) : m_recent(recent) {}

    // An empty editor window with the placement rule, focused.
    void New();
    // Asks for a file (Open dialog) and opens it in a new window; adds it to the recent list.
    void Open();
    // Opens recent entry `index` (0..3); on success it moves to the top of the list.
    void OpenRecent(int index);

    // Opens every model of the command line in a new window at the default
    // place (no already-loaded check, no recent-file entry). `arguments` are the
    // program's model arguments, each one name of bytes (CCommandLine).
    static void OpenCommandLineFiles(const std::vector<std::string>& arguments);

    // Placement of a new window: maximised when the active child is maximised,
    // else the default position and size.
    static int NewWindowKind();

private:
    CRecentFileList& m_recent;
};
