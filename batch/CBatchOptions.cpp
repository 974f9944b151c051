#include "batch/CBatchOptions.h"

#include <getopt.h>

#include "batch/ExitStatus.h"
#include "res/Version.h"
#include "run/DllList.h"

namespace {

enum LongOnly { kRangeCheck = 256, kTimer, kDll, kWait };

const option kOptions[] = {
    {"output", required_argument, nullptr, 'o'},
    {"append", no_argument, nullptr, 'a'},
    {"preprocess", no_argument, nullptr, 'p'},
    {"range-check", required_argument, nullptr, kRangeCheck},
    {"timer", required_argument, nullptr, kTimer},
    {"dll", required_argument, nullptr, kDll},
    {"wait", no_argument, nullptr, kWait},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

const char kUsage[] = "Usage: nuv-run [options] MODEL\n";

const char kOptionsText[] =
    "Runs the NUV model MODEL once through the interpreter library, as Run does in\n"
    "the environment, and writes its output as the output window's Save As would.\n"
    "\n"
    "  -o, --output FILE      write the output to FILE instead of standard output;\n"
    "                         FILE appears complete under its name at the end\n"
    "  -a, --append           append to FILE instead of replacing it (with -o)\n"
    "  -p, --preprocess       preprocess only: write the listing to FILE (-o) or\n"
    "                         standard output; lines the run prints go to standard error\n"
    "      --range-check on|off  (default: the environment's setting)\n"
    "      --timer on|off     (default: the environment's setting; adds the\n"
    "                         execution-time line)\n"
    "      --dll NAME         an additional DLL name handed to the model; repeat for\n"
    "                         several (default: none, as the environment starts)\n"
    "      --wait             while the interpreter library is busy in another program,\n"
    "                         wait for it instead of failing\n"
    "  -h, --help             this text\n"
    "  -V, --version          the version\n"
    "\n"
    "The settings not given come from the environment's profile\n"
    "($XDG_CONFIG_HOME/nuv/nuv.ini, Options/Timer and Options/RangeCheck), which\n"
    "nuv-run never writes. SIGINT or SIGTERM stops the run (the output so far is\n"
    "kept); a second signal, or a model still running 3 seconds later, ends the\n"
    "process at once.\n"
    "\n"
    "Exit status:\n";

// "on" or "off" into 1 or 0; false for anything else.
bool OnOff(const char* text, int* value)
{
    const std::string word = text;
    if (word != "on" && word != "off")
        return false;
    *value = word == "on" ? 1 : 0;
    return true;
}

bool Fail(CBatchOptions& options, const std::string& error)
{
    options.m_action = CBatchOptions::Action::Usage;
    options.m_error = error;
    return false;
}

bool TakeOption(CBatchOptions& options, int option, const char* argument, const char* given)
{
    switch (option) {
    case 'o': options.m_bToFile = true; options.m_output = argument; return true;
    case 'a': options.m_bAppend = true; return true;
    case 'p': options.m_bPreprocessOnly = true; return true;
    case kRangeCheck:
        return OnOff(argument, &options.m_nRangeCheck) || Fail(options, "--range-check takes on or off");
    case kTimer: return OnOff(argument, &options.m_nTimer) || Fail(options, "--timer takes on or off");
    case kDll:
        if (std::string(argument).size() > kMaxDllName)
            return Fail(options, "a DLL name holds at most 259 bytes: " + std::string(argument));
        options.m_dlls.emplace_back(argument);
        return true;
    case kWait: options.m_bWait = true; return true;
    case 'h': options.m_action = CBatchOptions::Action::Help; return true;
    case 'V': options.m_action = CBatchOptions::Action::Version; return true;
    case ':': return Fail(options, std::string("option ") + given + " needs an argument");
    default: return Fail(options, std::string("unknown option ") + given);
    }
}

}  // namespace

CBatchOptions CBatchOptions::Parse(int argc, char** argv)
{
    CBatchOptions options;
    optind = 0;  // a fresh scan, also when called again
    opterr = 0;
    int option;
    while ((option = getopt_long(argc, argv, ":o:aphV", kOptions, nullptr)) != -1) {
        const char* given = argv[optind - 1];
        if (!TakeOption(options, option, optarg, given))
            return options;
    }
    if (options.m_action != Action::Run)
        return options;
    if (optind != argc - 1) {
        Fail(options, optind >= argc ? "no model named" : "one model at a time");
        return options;
    }
    if (options.m_bAppend && !options.m_bToFile)
        Fail(options, "--append needs --output");
    options.m_model = argv[optind];
    return options;
}

std::string CBatchOptions::HelpText()
{
    std::string text = std::string(kUsage) + kOptionsText;
    for (const ExitStatusText& entry : kExitStatusTexts) {
        std::string number = std::to_string(entry.status);
        text += "  " + std::string(4 - number.size(), ' ') + number + "  " + entry.meaning + "\n";
    }
    text += "A run that ends by a signal (a second SIGINT or SIGTERM, a crash in the\n"
            "library) has the shell's status 128 + the signal's number.\n";
    return text;
}

std::string CBatchOptions::VersionText()
{
    return "nuv-run (The NUV System) v. " NUV_VERSION_SHORT " (" NUV_VERSION ")\n";
}
