// Renders the main window with a model open and run, offscreen, to a PNG file:
// the picture of the README.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/CNuvApp.h"
#include "res/CommandIds.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s picture.png model.nuv\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString picture = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QFileInfo model(QString::fromLocal8Bit(argv[2]));
    QDir::setCurrent(model.absolutePath());

    CNuvApp app;
    if (!app.InitInstance({model.fileName().toStdString()}))
        return 1;
    CMainFrame* frame = app.Frame();
    frame->resize(960, 640);
    QApplication::processEvents();
    frame->OnCommand(ID_RUN_ACTIVE);
    QApplication::processEvents();
    frame->MdiArea()->tileSubWindows();
    frame->OnIdle();
    QApplication::processEvents();
    const bool saved = frame->grab().save(picture);
    app.ExitInstance();
    return saved ? 0 : 1;
}
