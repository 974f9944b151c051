// Fuzzes the error-line rule of Go to error over any bytes: a line is accepted
// exactly when it is a name of 1 to 263 bytes without '(' or a zero byte, '(',
// C white space, and at least one digit; the name and the number (its first 19
// digits) are then the line's own.
#include "FuzzCheck.h"

#include "editor/ErrorLine.h"

#include <cctype>
#include <string>

namespace {

bool Expected(const std::string& line, ErrorLocation* expected)
{
    const std::size_t open = line.find('(');
    if (open == std::string::npos || open == 0 || open > kMaxErrorFileName)
        return false;
    if (line.find('\0') < open)
        return false;
    std::size_t at = open + 1;
    while (at < line.size() && (line[at] == ' ' || (line[at] >= '\t' && line[at] <= '\r')))
        ++at;
    unsigned long long number = 0;
    std::size_t digits = 0;
    while (at < line.size() && line[at] >= '0' && line[at] <= '9') {
        if (digits < kMaxErrorLineDigits)
            number = number * 10 + static_cast<unsigned long long>(line[at] - '0');
        ++digits;
        ++at;
    }
    if (digits == 0)
        return false;
    expected->fileName = line.substr(0, open);
    expected->lineNumber = number;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    ErrorLocation found;
    found.fileName = "untouched";
    const bool accepted = ParseErrorLine(line.data(), line.size(), &found);
    ErrorLocation expected;
    const bool wanted = Expected(line, &expected);
    FuzzRequire(accepted == wanted, "a line is accepted exactly when it has the error-line form");
    if (!accepted) {
        FuzzRequire(found.fileName == "untouched", "a refused line leaves the location alone");
        return 0;
    }
    FuzzRequire(found.fileName == expected.fileName, "the name is every byte before the first '('");
    FuzzRequire(found.lineNumber == expected.lineNumber, "the number is the first 19 digits");
    return 0;
}
