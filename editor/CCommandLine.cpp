#include "editor/CCommandLine.h"

#include "editor/FileNames.h"

std::vector<std::string> CCommandLine::Names(const std::vector<std::string>& arguments,
                                             const std::string& currentDirectory)
{
    std::vector<std::string> names;
    for (const std::string& argument : arguments) {
        if (argument.empty())
            continue;
        // The '.' may stand in a folder's name: the name is then taken as it is.
        const std::string name = argument.find('.') == std::string::npos ? argument + ".nuv" : argument;
        const bool relative = name.front() != '/';
        names.push_back(relative && currentDirectory.empty() ? name : JoinedPath(currentDirectory, name));
    }
    return names;
}
