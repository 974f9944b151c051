#include "shell/ChildPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

namespace {

// The area remembers where its cascade stands.
const char* const kCascadeProperty = "nuvCascadeIndex";

QMdiSubWindow* TopOf(QMdiArea* area)
{
    if (QMdiSubWindow* active = area->activeSubWindow())
        return active;
    const QList<QMdiSubWindow*> stack = area->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if ((*it)->isVisible())
            return *it;
    }
    return nullptr;
}

}  // namespace

QRect CascadeRect(const QSize& area, const QSize& size, int index, int step, int* used)
{
    const int offset = std::max(index, 0) * std::max(step, 1);
    const bool fits = offset + size.width() <= area.width() && offset + size.height() <= area.height();
    *used = fits ? std::max(index, 0) : 0;
    const int at = fits ? offset : 0;
    return QRect(QPoint(at, at), size);
}

void PlaceInCascade(QMdiSubWindow* child)
{
    QMdiArea* area = child ? child->mdiArea() : nullptr;
    if (!area)
        return;
    const QSize space = area->viewport()->size();
    const QSize size = space.isEmpty() ? QSize(400, 300) : (space * 3 / 4).expandedTo(QSize(160, 100)).boundedTo(space);
    const int step = std::max(child->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child), 16);
    int used = 0;
    const QRect place = CascadeRect(space, size, area->property(kCascadeProperty).toInt(), step, &used);
    area->setProperty(kCascadeProperty, used + 1);
    child->setGeometry(place);
}

void RemoveFromArea(QMdiSubWindow* child)
{
    QMdiArea* area = child ? child->mdiArea() : nullptr;
    if (!area)
        return;
    const bool maximised = child->isMaximized();
    area->removeSubWindow(child);
    if (!maximised)
        return;
    if (QMdiSubWindow* next = TopOf(area)) {
        area->setActiveSubWindow(next);
        next->showMaximized();
    }
}
