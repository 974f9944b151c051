#pragma once
// Puts the workspace read from _nuv_.cfg back on the screen: the main frame's
// place, and the windows of the window section in file order, each activated
// as it comes, so that the window that was active at exit (the last record)
// ends on top and active.
#include <QList>
#include <QRect>
#include <vector>

#include "config/CWorkspaceReader.h"

class QWidget;

class CWorkspaceRestorer {
public:
    // The frame's normal rectangle and state (not yet shown), brought wholly
    // onto a screen (CFrameOnScreen): a workspace written on a larger screen
    // leaves no part of the frame off this one.
    static void PlaceFrame(QWidget* frame, const WINDOWPLACEMENT& placement);
    // Editor windows ("Untitled" exactly: an empty one, given the focus; any
    // other name: that file with the caret put back, or the load's message and
    // no window) and the output window with its place. A window that cannot be
    // made shows "Not enough memory to create window for '%s'" and the next
    // record follows.
    static void RestoreWindows(const std::vector<SavedWindow>& windows);

    // Where a restored window may lie: every screen's available area (the
    // primary first) for the frame; for a child, the largest area its MDI
    // area can have, a whole screen's size from the area's corner.
    static QList<QRect> ScreenBounds();
    static QList<QRect> ChildBounds();

private:
    static void RestoreEditor(const SavedWindow& saved, const WINDOWPLACEMENT& placement);
};
