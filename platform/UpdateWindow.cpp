#include "platform/UpdateWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace {
constexpr int kExposeWaitMs = 250;
}  // namespace

void UpdateWindow(QWidget* window)
{
    if (!window || !window->isVisible() || window->isMinimized())
        return;
    QWindow* handle = window->windowHandle();
    QElapsedTimer waited;
    waited.start();
    while (handle && !handle->isExposed() && waited.elapsed() < kExposeWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!handle->isExposed())
            QThread::msleep(1);
    }
    if (handle && handle->isExposed())
        window->repaint();
}
