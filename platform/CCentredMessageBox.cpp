#include "platform/CCentredMessageBox.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

// The nearest position in [low, high - size], or `low` when it does not fit.
int Onto(int position, int size, int low, int high)
{
    return std::max(low, std::min(position, high - size));
}

QMargins BorderOf(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return QMargins(inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                    frame.bottom() - inside.bottom());
}

}  // namespace

QPoint CCentredMessageBox::CentredFrameOrigin(const QRect& ownerFrame, const QSize& frameSize, const QRect& available)
{
    const QPoint centred(ownerFrame.x() + (ownerFrame.width() - frameSize.width()) / 2,
                         ownerFrame.y() + (ownerFrame.height() - frameSize.height()) / 2);
    if (available.isEmpty())
        return centred;
    return QPoint(Onto(centred.x(), frameSize.width(), available.left(), available.left() + available.width()),
                  Onto(centred.y(), frameSize.height(), available.top(), available.top() + available.height()));
}

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
    const QMargins border = onOwner ? BorderOf(owner) : QMargins();
    const QRect around = onOwner ? owner->frameGeometry() : available;
    const QPoint frame = CentredFrameOrigin(around, size().grownBy(border), available);
    // The inside of the box, which is what the window manager is asked to place.
    setGeometry(QRect(frame + QPoint(border.left(), border.top()), size()));
}
