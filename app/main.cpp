// The NUV environment: the desktop program in which NUV models are written,
// run and debugged.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/CNuvApp.h"

namespace {

// Without a display Qt would abort with a message about platform plugins; say
// plainly what is missing and how to start the program anyway.
bool HasDisplay()
{
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "nuv: no graphical display found (DISPLAY is not set).\n"
                     "Start it under a virtual display, for example:\n"
                     "  xvfb-run -a %s [model.nuv ...]\n",
                     argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("nuv");
    QApplication::setOrganizationName("nuv");
    CNuvApp app;
    if (!app.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
