#pragma once
// WINDOWPLACEMENT is how _nuv_.cfg stores a window's place; on this desktop a
// window's place is its normal geometry plus its minimised/maximised state.
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
