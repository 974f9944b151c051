#include "config/PlacementRules.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

std::uint32_t ShowCommand(std::uint32_t showCmd)
{
    switch (showCmd) {
    case SW_SHOWMINIMIZED:
    case 6:  // SW_MINIMIZE
    case 7:  // SW_SHOWMINNOACTIVE
        return SW_SHOWMINIMIZED;
    case SW_SHOWMAXIMIZED: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
    }
}

QRect ToRect(const RECT& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

RECT FromRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The nearest position in [low, high - size] (or `low` when it does not fit).
int Onto(int position, int size, int low, int high)
{
    return std::max(low, std::min(position, high - size));
}

}  // namespace

WINDOWPLACEMENT SanitizedPlacement(const WINDOWPLACEMENT& placement)
{
    WINDOWPLACEMENT result = placement;
    result.showCmd = ShowCommand(placement.showCmd);
    const RECT& r = placement.rcNormalPosition;
    const std::int64_t width = static_cast<std::int64_t>(r.right) - r.left;
    const std::int64_t height = static_cast<std::int64_t>(r.bottom) - r.top;
    if (width < 1 || height < 1 || width > kMaxWindowExtent || height > kMaxWindowExtent) {
        result.rcNormalPosition = {0, 0, 0, 0};
        return result;
    }
    const int left = std::clamp(r.left, -kMaxCorner, kMaxCorner);
    const int top = std::clamp(r.top, -kMaxCorner, kMaxCorner);
    result.rcNormalPosition = {left, top, left + static_cast<int>(width), top + static_cast<int>(height)};
    return result;
}

bool HasPlace(const WINDOWPLACEMENT& placement)
{
    const RECT& r = placement.rcNormalPosition;
    return r.right > r.left && r.bottom > r.top;
}

WINDOWPLACEMENT PlacedOnBounds(const WINDOWPLACEMENT& placement, const QList<QRect>& bounds)
{
    if (bounds.isEmpty() || !HasPlace(placement))
        return placement;
    const QRect rect = ToRect(placement.rcNormalPosition);
    for (const QRect& bound : bounds) {
        if (bound.intersects(rect))
            return placement;
    }
    const QRect& target = bounds.first();
    const QSize size = rect.size().boundedTo(target.size());
    WINDOWPLACEMENT result = placement;
    result.rcNormalPosition = FromRect(QRect(QPoint(Onto(rect.left(), size.width(), target.left(), target.left() + target.width()),
                                                    Onto(rect.top(), size.height(), target.top(), target.top() + target.height())),
                                             size));
    return result;
}

bool FontUsable(const LOGFONTA& font)
{
    const std::int64_t height = font.lfHeight;
    return std::memchr(font.lfFaceName, 0, sizeof font.lfFaceName) != nullptr && height >= -kMaxFontHeight &&
           height <= kMaxFontHeight;
}

QRect FittedOnScreens(const QRect& client, const QMargins& border, const QList<QRect>& screens)
{
    if (screens.isEmpty() || client.isEmpty())
        return client;
    const QRect outer = client.marginsAdded(border);
    const QRect* best = &screens.first();
    qint64 bestArea = 0;
    for (const QRect& screen : screens) {
        if (screen.contains(outer))
            return client;
        const QRect common = screen.intersected(outer);
        const qint64 area = static_cast<qint64>(common.width()) * common.height();
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    const QSize size = outer.size().boundedTo(best->size());
    const QRect fitted(QPoint(Onto(outer.left(), size.width(), best->left(), best->left() + best->width()),
                              Onto(outer.top(), size.height(), best->top(), best->top() + best->height())),
                       size);
    const QRect inside = fitted.marginsRemoved(border);
    return inside.isEmpty() ? QRect(inside.topLeft(), QSize(1, 1)) : inside;
}

QRect CentredOnScreen(const QSize& size, const QMargins& border, const QRect& screen)
{
    QRect outer(QPoint(0, 0), size.grownBy(border));
    outer.moveCenter(screen.center());
    return FittedOnScreens(outer.marginsRemoved(border), border, {screen});
}
