#include "platform/Placement.h"

#include <QWidget>
#include <algorithm>

namespace {

// The nearest position in [low, high - size], or `low` when it does not fit.
int Onto(int position, int size, int low, int high)
{
    return std::max(low, std::min(position, high - size));
}

}  // namespace

WINDOWPLACEMENT PlacementFromPlace(const WindowPlace& place)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(WINDOWPLACEMENT);
    wp.showCmd = SW_SHOWNORMAL;
    if (place.state & Qt::WindowMinimized)
        wp.showCmd = SW_SHOWMINIMIZED;
    else if (place.state & Qt::WindowMaximized)
        wp.showCmd = SW_SHOWMAXIMIZED;
    wp.ptMinPosition = {-1, -1};
    wp.ptMaxPosition = {-1, -1};
    wp.rcNormalPosition = {place.normal.left(), place.normal.top(), place.normal.left() + place.normal.width(),
                           place.normal.top() + place.normal.height()};
    return wp;
}

WindowPlace PlaceFromPlacement(const WINDOWPLACEMENT& wp)
{
    WindowPlace place;
    const RECT& r = wp.rcNormalPosition;
    place.normal = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    place.state = Qt::WindowNoState;
    if (wp.showCmd == SW_SHOWMINIMIZED)
        place.state = Qt::WindowMinimized;
    else if (wp.showCmd == SW_SHOWMAXIMIZED)
        place.state = Qt::WindowMaximized;
    return place;
}

WINDOWPLACEMENT GetWindowPlacement(const QWidget* window)
{
    const bool special = window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized);
    const QRect normal = special && window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    return PlacementFromPlace({normal, window->windowState()});
}

void SetWindowPlacement(QWidget* window, const WINDOWPLACEMENT& placement)
{
    const WindowPlace place = PlaceFromPlacement(placement);
    if (place.normal.isValid() && !place.normal.isEmpty())
        window->setGeometry(place.normal);
    window->setWindowState(place.state);
}

QMargins FrameBorder(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return QMargins(inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                    frame.bottom() - inside.bottom());
}

QRect MovedInto(const QRect& rect, const QRect& bounds)
{
    return QRect(QPoint(Onto(rect.left(), rect.width(), bounds.left(), bounds.left() + bounds.width()),
                        Onto(rect.top(), rect.height(), bounds.top(), bounds.top() + bounds.height())),
                 rect.size());
}
