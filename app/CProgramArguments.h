#pragma once
// The program's command line, read before the toolkit starts: --help and
// --version answer and end the program, an unknown option ends it with one
// line on standard error, and none of them opens a window or connects to a
// display. Everything else is a model to open, one argument one name, or one
// of the toolkit's own options, which go to the toolkit and nowhere else.
//
// An argument that starts with '-' is an option up to a "--"; after it every
// argument is a model ("nuv -- -x.nuv"), as is any name written with a
// folder ("nuv ./-x.nuv"). Options may stand before, between or after models.
#include <string>
#include <vector>

class CProgramArguments {
public:
    enum class Action { Start, Help, Version, Error };

    // Reads argv[1] to argv[argc - 1]; argv[0] is the program. The first
    // --help, --version or faulty option decides the action; an unknown option
    // or a toolkit option without its value is an Error.
    static CProgramArguments Parse(int argc, const char* const* argv);

    // The text --help prints: the models, the options and where the
    // workspace, profile and recovery copies live.
    static std::string Usage();
    // The line --version prints.
    static std::string VersionLine();

    // Whether the toolkit options name a platform or a display to use, so
    // that the program need not find one in the environment.
    bool NamesDisplay() const;

    Action action = Action::Start;
    // For Error: the one line (without its line break) for standard error.
    std::string error;
    // The program and the toolkit options in the toolkit's own spelling
    // ("-style" "fusion"), to build the toolkit's argument vector from.
    std::vector<std::string> toolkitArguments;
    // The model arguments in order, byte for byte.
    std::vector<std::string> models;
};
