#pragma once
// nuv-run's command line. Each argument is one name, blanks and all: the
// shell has split the line already. Options may stand before or after the
// model; "--" ends them (for a model whose name starts with '-').
#include <string>
#include <vector>

class CBatchOptions {
public:
    enum class Action { Run, Help, Version, Usage };

    // Parses argv; Action::Usage with m_error set when it is not valid.
    static CBatchOptions Parse(int argc, char** argv);
    // The --help text: usage, the options and the exit statuses.
    static std::string HelpText();
    // The --version line, as the About box shows the version.
    static std::string VersionText();

    Action m_action = Action::Run;
    std::string m_error;
    std::string m_model;
    bool m_bToFile = false;
    std::string m_output;
    bool m_bAppend = false;
    bool m_bPreprocessOnly = false;
    int m_nRangeCheck = -1;  // 0 or 1; -1: the environment's setting (profile)
    int m_nTimer = -1;       // likewise
    std::vector<std::string> m_dlls;
    bool m_bWait = false;
};
