#include "config/CFrameOnScreen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "config/CWorkspaceRestorer.h"
#include "config/PlacementRules.h"
#include "platform/Placement.h"

namespace {

// A border that a window manager has not reported within this time never
// will be: the watch ends.
constexpr int kWatchMs = 5000;

}  // namespace

const QMargins CFrameOnScreen::kEstimatedBorder(8, 32, 8, 8);

QRect CFrameOnScreen::Fitted(const QRect& client)
{
    return FittedOnScreens(client, kEstimatedBorder, CWorkspaceRestorer::ScreenBounds());
}

QRect CFrameOnScreen::FirstPlace(const QSize& size)
{
    const QList<QRect> screens = CWorkspaceRestorer::ScreenBounds();
    return screens.isEmpty() ? QRect(QPoint(0, 0), size) : CentredOnScreen(size, kEstimatedBorder, screens.first());
}

void CFrameOnScreen::Watch(QWidget* frame)
{
    if (frame)
        new CFrameOnScreen(frame);
}

CFrameOnScreen::CFrameOnScreen(QWidget* frame) : QObject(frame), m_frame(frame)
{
    frame->installEventFilter(this);
    QTimer::singleShot(kWatchMs, this, &QObject::deleteLater);
}

// The window manager reports its border with the move that puts the window
// into it.
bool CFrameOnScreen::eventFilter(QObject* watched, QEvent* event)
{
    const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
    if (watched != m_frame || !placed || !m_frame->isVisible() || m_frame->frameGeometry() == m_frame->geometry())
        return false;
    if (!(m_frame->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
        const QRect client = m_frame->geometry();
        const QRect fitted = FittedOnScreens(client, FrameBorder(m_frame), CWorkspaceRestorer::ScreenBounds());
        if (fitted != client)
            m_frame->setGeometry(fitted);
    }
    m_frame->removeEventFilter(this);
    deleteLater();
    return false;
}
