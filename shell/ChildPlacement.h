#pragma once
// Where child windows go in the MDI area, as the desktop's own MDI places them.
//
// A new child opens wholly inside the area, at the next place of a cascade that
// starts at the area's top-left corner and steps down and right by a title
// bar's height; the cascade starts again at the corner when the window would
// not fit. A maximised child stays maximised: when it leaves the area, the
// child that becomes active takes its place maximised.
#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

// The `index`-th place of the cascade for a window of `size` in an area of
// `area`, with `step` pixels between places; `*used` is the index the place
// belongs to (0 when the cascade started again).
QRect CascadeRect(const QSize& area, const QSize& size, int index, int step, int* used);

// Gives `child` (already in its area) the next cascade place and the default
// size: three quarters of the area.
void PlaceInCascade(QMdiSubWindow* child);

// Takes `child` out of its area; when it was maximised, the child that is
// active afterwards is maximised in its place.
void RemoveFromArea(QMdiSubWindow* child);
