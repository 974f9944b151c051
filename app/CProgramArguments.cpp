#include "app/CProgramArguments.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "res/Version.h"

namespace {

struct ToolkitOption {
    std::string_view name;  // without its leading dash
    bool takesValue;
};

// The toolkit's documented options; "-name" or "--name", a value as the next
// argument or after '='.
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},    {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"display", true},     {"geometry", true},           {"qwindowgeometry", true}, {"qwindowtitle", true},
    {"qwindowicon", true}, {"style", true},              {"stylesheet", true},    {"session", true},
    {"reverse", false},    {"sync", false},              {"nograb", false},       {"dograb", false},
    {"widgetcount", false},
};

const ToolkitOption* FindToolkitOption(std::string_view name)
{
    const auto it = std::find_if(std::begin(kToolkitOptions), std::end(kToolkitOptions),
                                 [name](const ToolkitOption& option) { return option.name == name; });
    return it != std::end(kToolkitOptions) ? it : nullptr;
}

std::string Complaint(const std::string& what)
{
    return "nuv: " + what + "; see 'nuv --help'";
}

}  // namespace

CProgramArguments CProgramArguments::Parse(int argc, const char* const* argv)
{
    CProgramArguments result;
    result.toolkitArguments.emplace_back(argc > 0 && argv[0] ? argv[0] : "nuv");
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i] ? argv[i] : "";
        if (!options || argument.empty() || argument.front() != '-') {
            result.models.push_back(argument);
            continue;
        }
        if (argument == "--") {
            options = false;
        } else if (argument == "--help" || argument == "-h") {
            result.action = Action::Help;
            return result;
        } else if (argument == "--version") {
            result.action = Action::Version;
            return result;
        } else {
            const std::string_view spelled = std::string_view(argument).substr(argument.starts_with("--") ? 2 : 1);
            const std::size_t equals = spelled.find('=');
            const ToolkitOption* option = FindToolkitOption(spelled.substr(0, equals));
            if (!option || (!option->takesValue && equals != std::string_view::npos)) {
                result.action = Action::Error;
                result.error = Complaint("unknown option '" + argument + "'");
                return result;
            }
            result.toolkitArguments.push_back("-" + std::string(option->name));
            if (!option->takesValue)
                continue;
            if (equals != std::string_view::npos) {
                result.toolkitArguments.emplace_back(spelled.substr(equals + 1));
            } else if (i + 1 < argc && argv[i + 1]) {
                result.toolkitArguments.emplace_back(argv[++i]);
            } else {
                result.action = Action::Error;
                result.error = Complaint("option '" + argument + "' needs a value");
                return result;
            }
        }
    }
    return result;
}

bool CProgramArguments::NamesDisplay() const
{
    return std::any_of(toolkitArguments.begin() + (toolkitArguments.empty() ? 0 : 1), toolkitArguments.end(),
                       [](const std::string& argument) { return argument == "-platform" || argument == "-display"; });
}

std::string CProgramArguments::VersionLine()
{
    return "nuv " NUV_VERSION;
}

std::string CProgramArguments::Usage()
{
    return "Usage: nuv [OPTION]... [MODEL]...\n"
           "The NUV environment: write, run and debug NUV models.\n"
           "\n"
           "Each MODEL opens in an editor window. One argument is one file name, blanks\n"
           "included; a name without a '.' gets \".nuv\", a name without a folder is\n"
           "looked for in the current folder. Without a MODEL, the windows of the last\n"
           "session come back from the workspace.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this help and end\n"
           "      --version  print the version and end\n"
           "      --         end of the options: every argument after it is a MODEL, also\n"
           "                 one that starts with '-' (or write it with its folder: ./-x.nuv)\n"
           "\n"
           "Options of the toolkit, handed to it: -platform NAME, -display DISPLAY,\n"
           "-geometry GEOMETRY, -style NAME, -stylesheet FILE, -session ID, -reverse,\n"
           "-platformtheme NAME, -platformpluginpath PATH, -plugin NAME, -qwindowgeometry\n"
           "GEOMETRY, -qwindowtitle TITLE, -qwindowicon FILE, -sync, -nograb, -dograb,\n"
           "-widgetcount. Any other argument that starts with '-' is refused.\n"
           "\n"
           "Files:\n"
           "  ./_nuv_.cfg  the workspace (the main window's place, the editor font, the\n"
           "               bars and the open windows), in the folder the program starts\n"
           "               in; written at the end with Options > Save Settings on Exit\n"
           "  $XDG_CONFIG_HOME/nuv/nuv.ini (else ~/.config/nuv/nuv.ini)\n"
           "               the profile: the recent files, Timer, RangeCheck and\n"
           "               whether the windows show as tabs\n"
           "  $XDG_DATA_HOME/nuv/nuv/recovery/ (else ~/.local/share/nuv/nuv/recovery/)\n"
           "               copies of unsaved models, offered back after a crash\n"
           "\n"
           "Exit status: 0 after a normal end, 1 when the start failed, 2 for a wrong\n"
           "command line or when no display can be found.\n";
}
