// The error-line rule over byte strings of exact length (a read past the end
// is caught by the address sanitizer), and the places a name may mean.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/ErrorLine.h"
#include "editor/GotoError.h"

namespace {

bool Parse(const std::string& line, ErrorLocation* location)
{
    std::vector<char> exact(line.begin(), line.end());
    return ParseErrorLine(exact.empty() ? nullptr : exact.data(), exact.size(), location);
}

}  // namespace

TEST(ErrorLine, NameParenthesisAndDigits)
{
    const struct {
        const char* what;
        std::string line;
        bool accepted;
        std::string name;
        unsigned long long number;
    } cases[] = {
        {"tavo's form", "/m/demo.nuv(12): run-time error: division by zero", true, "/m/demo.nuv", 12},
        {"white space after (", "C:\\work\\model.nuv( 7) ...", true, "C:\\work\\model.nuv", 7},
        {"any white space", "demo.nuv(\t\n\v\f\r 12)", true, "demo.nuv", 12},
        {"a leading space belongs to the name", " demo.nuv(3)", true, " demo.nuv", 3},
        {"the first ( ends the name", "a(b)(3)", false, "", 0},
        {"UTF-8 names stay bytes", "caf\xC3\xA9 \xE2\x82\xAC.nuv(4)", true, "caf\xC3\xA9 \xE2\x82\xAC.nuv", 4},
        {"19 nines do not overflow", "m(9999999999999999999)", true, "m", 9999999999999999999ULL},
        {"20 digits: the first 19 are read", "m(12345678901234567890)", true, "m", 1234567890123456789ULL},
        {"a letter after (", "demo.nuv(x)", false, "", 0},
        {"a sign after (", "demo.nuv(-3)", false, "", 0},
        {"only (", "(", false, "", 0},
        {"an empty name", "(3): x", false, "", 0},
        {"white space to the end", "demo.nuv(   ", false, "", 0},
        {"an empty line", "", false, "", 0},
        {"a name of 263 bytes", std::string(263, 'n') + "(5)", true, std::string(263, 'n'), 5},
        {"a name of 264 bytes", std::string(264, 'n') + "(5)", false, "", 0},
        {"a zero byte in the name", std::string("a\0b(5)", 6), false, "", 0},
        {"a zero byte before the digits", std::string("ab(\0" "5)", 6), false, "", 0},
    };
    for (const auto& c : cases) {
        ErrorLocation location{"untouched", 77};
        EXPECT_EQ(Parse(c.line, &location), c.accepted) << c.what;
        EXPECT_EQ(location.fileName, c.accepted ? c.name : "untouched") << c.what;
        EXPECT_EQ(location.lineNumber, c.accepted ? c.number : 77) << c.what;
    }
}

TEST(ErrorLine, PlacesARelativeNameMayMean)
{
    using List = std::vector<std::string>;
    EXPECT_EQ(ErrorFileCandidates("../inc/./b.inc", "m/demo.nuv", "/home"), (List{"/home/inc/b.inc", "/inc/b.inc"}));
    EXPECT_EQ(ErrorFileCandidates("b.inc", nullptr, "/home"), List{"/home/b.inc"});
    EXPECT_EQ(ErrorFileCandidates("/x//b.inc", "/models/demo.nuv", "/home"), List{"/x/b.inc"});
    EXPECT_EQ(ErrorFileCandidates(std::string(256, 'n'), "/models/demo.nuv", "/home"), List{})
        << "paths that do not fit a file name are left out";
}
