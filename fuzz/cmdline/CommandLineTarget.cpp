// Fuzzes the model paths of the command line's arguments. The input's pieces between zero
// bytes are the arguments; with two pieces or more the last one is the current directory,
// else the directory is /home/modeller/models.
// Each non-empty argument gives one path; a path is absolute and tidy (no empty, "." or ".."
// segment) whenever a directory is known or the argument is absolute, and then a plain name
// (no '/', no '.') keeps its bytes and gets ".nuv" as its last segment.
#include "FuzzCheck.h"

#include "editor/CCommandLine.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Pieces(const std::string& input)
{
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (;;) {
        const std::size_t zero = input.find('\0', from);
        pieces.push_back(input.substr(from, zero == std::string::npos ? std::string::npos : zero - from));
        if (zero == std::string::npos)
            return pieces;
        from = zero + 1;
    }
}

bool Tidy(const std::string& path)
{
    if (path.empty() || path.front() != '/')
        return false;
    if (path == "/")
        return true;
    std::size_t from = 1;
    for (;;) {
        const std::size_t slash = path.find('/', from);
        const std::string segment = path.substr(from, slash == std::string::npos ? std::string::npos : slash - from);
        if (segment.empty() || segment == "." || segment == "..")
            return false;
        if (slash == std::string::npos)
            return true;
        from = slash + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    std::vector<std::string> arguments = Pieces(std::string(reinterpret_cast<const char *>(data), size));
    std::string directory = "/home/modeller/models";
    if (arguments.size() > 1) {
        directory = arguments.back();
        arguments.pop_back();
    }
    const std::vector<std::string> names = CCommandLine::Names(arguments, directory);
    std::vector<std::string> given;
    std::copy_if(arguments.begin(), arguments.end(), std::back_inserter(given),
                 [](const std::string& argument) { return !argument.empty(); });
    FuzzRequire(names.size() == given.size(), "one path per non-empty argument");
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& argument = given[i];
        if (!directory.empty() || argument.front() == '/')
            FuzzRequire(Tidy(names[i]), "an absolute, tidy path");
        else
            FuzzRequire(names[i] == argument + (argument.find('.') == std::string::npos ? ".nuv" : ""),
                        "without a directory a relative name stays as given");
        const bool plain = argument.find_first_of("/.") == std::string::npos;
        if (plain && !directory.empty())
            FuzzRequire(names[i].ends_with("/" + argument + ".nuv"), "a plain name keeps its bytes and gets .nuv");
    }
    return 0;
}
