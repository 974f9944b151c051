#include "platform/CCentredMessageBox.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/Placement.h"

namespace {

// Where a window's frame of `frameSize` goes to be centred on `ownerFrame`
// and lie within `available` (its top-left corner where it is larger).
QPoint CentredFrameOrigin(const QRect& ownerFrame, const QSize& frameSize, const QRect& available)
{
    QRect frame(QPoint(0, 0), frameSize);
    frame.moveCenter(ownerFrame.center());
    return available.isEmpty() ? frame.topLeft() : MovedInto(frame, available).topLeft();
}

}  // namespace

// The box has its size now and is not yet on the screen: placed here, it
// appears where it belongs without a jump. Its own border is not known before
// it is mapped; the owner's, drawn by the same window manager, stands in.
void CCentredMessageBox::showEvent(QShowEvent* event)
{
    QMessageBox::showEvent(event);
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const bool onOwner = owner && owner->isVisible();
    QScreen* screen = onOwner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QMargins border = onOwner ? FrameBorder(owner) : QMargins();
    const QRect around = onOwner ? owner->frameGeometry() : available;
    const QPoint frame = CentredFrameOrigin(around, size().grownBy(border), available);
    // The inside of the box, which is what the window manager is asked to place.
    setGeometry(QRect(frame + QPoint(border.left(), border.top()), size()));
}
