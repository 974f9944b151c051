#pragma once
// Keeps the main frame wholly on a screen's available area, the window
// manager's border included, when it first shows: at the first start and when
// a workspace written on a larger screen is restored on a smaller one. The
// border is known only once the window is on the screen, so the frame is
// placed with a generous estimate of it and, once the real border is known,
// checked once more. Later moves are the user's and are left alone.
#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

class CFrameOnScreen : public QObject {
    Q_OBJECT
public:
    // `client` (the frame's normal rectangle) brought onto the screens with
    // the estimated border.
    static QRect Fitted(const QRect& client);
    // The first start's place: `size` centred on the primary screen, smaller
    // where the screen is smaller.
    static QRect FirstPlace(const QSize& size);
    // Watches `frame`, about to show, until its real border is known; then
    // brings it wholly onto a screen if it is not, unless it is maximised,
    // minimised or full screen.
    static void Watch(QWidget* frame);

    // More than window managers' borders usually are: a frame placed with it
    // needs no second move.
    static const QMargins kEstimatedBorder;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CFrameOnScreen(QWidget* frame);

    QWidget* m_frame;
};
