#include "editor/CCommandLine.h"

namespace {

bool IsWhite(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Printable as the C library says for ASCII; bytes of UTF-8 sequences count too,
// or a name with a non-ASCII letter would be cut in two.
bool IsPrintable(unsigned char c)
{
    return (c >= 0x20 && c < 0x7F) || c >= 0x80;
}

}  // namespace

std::vector<std::string> CCommandLine::Names(const char* commandLine, const std::string& currentDirectory)
{
    std::string directory = currentDirectory;
    if (directory.empty() || directory.back() != '/')
        directory += '/';

    std::vector<std::string> names;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine ? commandLine : "");
    while (*p) {
        while (IsWhite(*p))
            ++p;
        if (!*p)
            break;
        std::string name;
        while (IsPrintable(*p) && !IsWhite(*p))
            name += static_cast<char>(*p++);
        if (*p && !IsWhite(*p))
            ++p;  // the control character that ended the name
        if (name.empty())
            continue;
        if (name.find('.') == std::string::npos)
            name += ".nuv";
        names.push_back(name.find('/') != std::string::npos ? name : directory + name);
    }
    return names;
}
