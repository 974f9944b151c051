#include "config/PlacementRules.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Placement.h"

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
    WINDOWPLACEMENT result = placement;
    result.rcNormalPosition = FromRect(MovedInto(QRect(rect.topLeft(), rect.size().boundedTo(target.size())), target));
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
    const QRect fitted = MovedInto(QRect(outer.topLeft(), outer.size().boundedTo(best->size())), *best);
    const QRect inside = fitted.marginsRemoved(border);
    return inside.isEmpty() ? QRect(inside.topLeft(), QSize(1, 1)) : inside;
}

QRect CentredOnScreen(const QSize& size, const QMargins& border, const QRect& screen)
{
    QRect outer(QPoint(0, 0), size.grownBy(border));
    outer.moveCenter(screen.center());
    return FittedOnScreens(outer.marginsRemoved(border), border, {screen});
}
