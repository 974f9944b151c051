// Fuzzes the splitting of the command line into model paths: any bytes up to the first zero
// byte are the command line, the bytes after it (up to the next) the current directory.
// The names are exactly the runs of printable, non-blank bytes of the command line, in order;
// each gets ".nuv" when it has no '.', and the directory in front when it has no '/'.
#include "FuzzCheck.h"

#include "editor/CCommandLine.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

bool NamePart(unsigned char c)
{
    const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    return !blank && ((c >= 0x20 && c < 0x7F) || c >= 0x80);
}

std::vector<std::string> Expected(std::string_view line, std::string directory)
{
    if (directory.empty() || directory.back() != '/')
        directory += '/';
    std::vector<std::string> names;
    for (std::size_t i = 0; i < line.size();) {
        if (!NamePart(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && NamePart(static_cast<unsigned char>(line[end])))
            ++end;
        std::string name(line.substr(i, end - i));
        if (name.find('.') == std::string::npos)
            name += ".nuv";
        names.push_back(name.find('/') == std::string::npos ? directory + name : name);
        i = end;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    const std::string line = input.substr(0, input.find('\0'));
    std::string directory = "/home/modeller/models";
    if (line.size() < input.size()) {
        const std::string rest = input.substr(line.size() + 1);
        directory = rest.substr(0, rest.find('\0'));
    }
    const std::vector<std::string> names = CCommandLine::Names(line.c_str(), directory);
    FuzzRequire(names == Expected(line, directory), "the names are the printable runs of the command line");
    return 0;
}
