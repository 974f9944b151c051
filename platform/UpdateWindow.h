#pragma once
// UpdateWindow: the desktop paints a shown window at once when asked. Here a
// window is painted only once the window system has exposed it, which takes a
// round trip; this waits for that (a quarter of a second at most, user input
// left queued) and then paints. A minimised or hidden window is left alone.
class QWidget;

void UpdateWindow(QWidget* window);
