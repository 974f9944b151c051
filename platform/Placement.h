#pragma once
// WINDOWPLACEMENT is how _nuv_.cfg stores a window's place; on this desktop a
// window's place is its normal geometry plus its minimised/maximised state.
#include <QMargins>
#include <QRect>
#include <Qt>

#include "platform/Win32Types.h"

class QWidget;

struct WindowPlace {
    QRect normal;            // the restored geometry
    Qt::WindowStates state;  // Qt::WindowMinimized / Qt::WindowMaximized or none
};

WINDOWPLACEMENT PlacementFromPlace(const WindowPlace& place);
WindowPlace PlaceFromPlacement(const WINDOWPLACEMENT& placement);

// Reads and applies the placement of a real window (top-level or MDI child).
WINDOWPLACEMENT GetWindowPlacement(const QWidget* window);
void SetWindowPlacement(QWidget* window, const WINDOWPLACEMENT& placement);

// The border the window manager draws around a top-level window (none before
// the window is on the screen).
QMargins FrameBorder(const QWidget* window);
// `rect` moved, not resized, to lie within `bounds`; along a side where it is
// larger than `bounds` it starts at their edge.
QRect MovedInto(const QRect& rect, const QRect& bounds);
