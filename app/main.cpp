// The NUV environment: the desktop program in which NUV models are written,
// run and debugged.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CNuvApp.h"
#include "app/CProgramArguments.h"

namespace {

// Without a display Qt would abort with a message about platform plugins; say
// plainly what is missing and how to start the program anyway.
bool HasDisplay(const CProgramArguments& arguments)
{
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM") ||
           arguments.NamesDisplay();
}

// Prints `text` on standard output; 0 when all of it got there, else 1 (a
// full disk or a closed pipe is no success).
int Print(const std::string& text)
{
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    if (written)
        return 0;
    std::fputs("nuv: cannot write to standard output\n", stderr);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Decided before the toolkit exists: no window, no display for these.
    const CProgramArguments arguments = CProgramArguments::Parse(argc, argv);
    switch (arguments.action) {
    case CProgramArguments::Action::Help: return Print(CProgramArguments::Usage());
    case CProgramArguments::Action::Version: return Print(CProgramArguments::VersionLine() + "\n");
    case CProgramArguments::Action::Error: std::fprintf(stderr, "%s\n", arguments.error.c_str()); return 2;
    case CProgramArguments::Action::Start: break;
    }
    if (!HasDisplay(arguments)) {
        std::fprintf(stderr,
                     "nuv: no graphical display found (DISPLAY is not set).\n"
                     "Start it under a virtual display, for example:\n"
                     "  xvfb-run -a %s [model.nuv ...]\n",
                     argv[0]);
        return 2;
    }
    // The toolkit sees its own options only, never a model's name (which it
    // would take for an option of its own, or decode and lose bytes of).
    std::vector<std::string> toolkitStrings = arguments.toolkitArguments;
    std::vector<char*> toolkitArgv;
    for (std::string& argument : toolkitStrings)
        toolkitArgv.push_back(argument.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = static_cast<int>(toolkitStrings.size());
    QApplication application(toolkitArgc, toolkitArgv.data());
    QApplication::setApplicationName("nuv");
    QApplication::setOrganizationName("nuv");
    CNuvApp app;
    if (!app.InitInstance(arguments.models))
        return 1;
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
