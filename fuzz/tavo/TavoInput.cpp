#include "TavoInput.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kFlags = "//@";
constexpr std::string_view kFile = "//== ";

// The number after position i, advancing i past it; at most four digits.
int NumberAt(std::string_view text, std::size_t &i)
{
    int value = 0;
    for (int digits = 0; digits < 4 && i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++digits)
        value = value * 10 + (text[i++] - '0');
    return value;
}

} // namespace

TavoInput TavoInput::Parse(std::string_view input)
{
    TavoInput parsed;
    if (input.substr(0, kFlags.size()) == kFlags) {
        const std::string_view flags = input.substr(0, input.find('\n'));
        for (std::size_t i = kFlags.size(); i < flags.size();) {
            const char flag = flags[i++];
            if (flag == 'n')
                parsed.rangeCheck = false;
            else if (flag == 'u')
                parsed.updateLimit = NumberAt(flags, i);
            else if (flag == 'b')
                parsed.breakOnCall = NumberAt(flags, i);
        }
    }
    std::string path = kModelPath;
    std::size_t start = 0; // of the current file's text
    for (std::size_t pos = 0;;) { // pos: the start of a line
        if (pos > 0 && input.substr(pos, kFile.size()) == kFile) {
            parsed.files.Add(path, std::string(input.substr(start, pos - start)));
            const std::size_t nameEnd = std::min(input.find('\n', pos), input.size());
            path = std::string(input.substr(pos + kFile.size(), nameEnd - pos - kFile.size()));
            if (!path.empty() && path.back() == '\r')
                path.pop_back();
            start = pos = std::min(nameEnd + 1, input.size());
            continue;
        }
        const std::size_t next = input.find('\n', pos);
        if (next == std::string_view::npos) {
            parsed.files.Add(path, std::string(input.substr(start)));
            return parsed;
        }
        pos = next + 1;
    }
}
