#pragma once
// A message box centred on its owner's window, the window manager's border
// included, rather than where the toolkit's own rule puts it (above the
// centre, by a guess of the border). Without a visible owner it is centred on
// the screen. Either way it stays wholly on the screen's available area.
#include <QMessageBox>

class CCentredMessageBox : public QMessageBox {
    Q_OBJECT
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override;
};
