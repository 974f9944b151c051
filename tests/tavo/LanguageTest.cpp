// What a model computes and prints, for models that run to their end.
#include "TavoHarness.h"

#include <gtest/gtest.h>

namespace tavotest {
namespace {

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { Apply({}); }
    ModelDir dir;
};

struct Case {
    const char *name;
    const char *model;
    const char *printed;
};

TEST_F(LanguageTest, ModelsPrintExactlyWhatTheyCompute)
{
    const Case cases[] = {
        {"text without a line end", "print \"a\";", "a"},
        {"items follow each other", "x = 42; print \"x = \", x, \"\\n\";", "x = 42\n"},
        {"simple escapes", R"(print "\a\b\f\n\r\t\v\\\"\'\?";)", "\a\b\f\n\r\t\v\\\"'?"},
        {"octal and hex escapes", R"(print "\101\7\x41\x9\x7e|";)", "A\aA\t~|"},
        {"bytes above 127 pass unchanged", "print \"\xc3\xa9\\351\";", "\xc3\xa9\xe9"},
        {"precedence and parentheses", "print 2 + 3 * 4, \" \", (2 + 3) * 4, \" \", 20 - 6 - 4, \" \", 2*-3;",
         "14 20 10 -6"},
        {"division truncates toward zero", "print -7 / 2, \" \", -7 % 3, \" \", 7 % -3, \" \", 0x1F;", "-3 -1 1 31"},
        {"arithmetic wraps around",
         "m = 9223372036854775807; print m + 1, \" \", -m - 1 - 1, \" \", (-m - 1) / -1, \" \", (-m - 1) % -1, \" \", "
         "m * 2;",
         "-9223372036854775808 9223372036854775807 -9223372036854775808 0 -2"},
        {"comparisons give 0 or 1", "print 1 < 2, 2 <= 2, 3 > 4, 4 >= 5, 5 == 5, 5 != 5, !0, !7;", "11001010"},
        {"logic short-circuits", "print 0 && 1 / 0, 1 || 1 / 0, 2 && 3, 0 || 0;", "0110"},
        {"if, else if, else",
         "for (i = 0; i < 4; i++) { if (i == 0) print \"z\"; else if (i % 2) { print \"o\"; } else print \"e\"; }",
         "zoeo"},
        {"while with break and continue",
         "i = 0; while (1) { i++; if (i > 6) break; if (i % 2 == 0) continue; print i; }", "135"},
        {"for with empty parts", "i = 3; for (;;) { print i; i -= 1; if (!i) break; }", "321"},
        {"nested loops", "for (i = 1; i <= 2; i++) for (j = 1; j <= 3; j++) print i * j, \",\";", "1,2,3,2,4,6,"},
        {"compound assignments", "x = 100; x += 5; x -= 1; x *= 3; x /= 4; x %= 7; x++; x++; x--; print x;", "2"},
        {"arrays hold numbers",
         "array a[5]; for (i = 0; i < size(a); i++) a[i] = i * i; a[2] += 10; print a[2], \" \", a[4], \" \", size(a);",
         "14 16 5"},
        {"declaring an array again clears it", "array a[2]; a[1] = 9; array a[3]; print a[1], size(a);", "03"},
        {"comments of both kinds", "/* a\n print 1; */ print 2; // print 3;\nprint \"// not a comment /* */\";",
         "2// not a comment /* */"},
        {"exit ends the run normally", "print 1; exit; print 2;", "1"},
        {"an empty model prints nothing", "// nothing here\n", ""},
        {"sleep 0 and negative sleep return at once", "sleep 0; sleep -5; print \"ok\";", "ok"},
        {"CR LF line ends are accepted", "x = 1;\r\nprint x;\r\n", "1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = RunModel(dir.Write("model.nuv", c.model));
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FINISHED) << outcome.output;
        EXPECT_EQ(outcome.result >> 16, 0u);
        EXPECT_EQ(outcome.output, c.printed);
    }
}

TEST_F(LanguageTest, RangeCheckDecidesWhatAnOutOfRangeIndexDoes)
{
    const std::string model =
        dir.Write("arrays.nuv", "array a[4];\nfor (i = 0; i < 4; i++) a[i] = i + 1;\nprint a[5], a[-1];\na[6] = 9;\n"
                                "print \" \", a[2];\n");
    struct {
        bool rangeCheck;
        int kind;
        std::string printed;
    } const cases[] = {
        {false, TAVO_OUTCOME_FINISHED, "24 9"}, // indices wrap around modulo the size
        {true, TAVO_OUTCOME_ERRORS, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rangeCheck);
        Apply({.rangeCheck = c.rangeCheck});
        const Outcome outcome = RunModel(model);
        EXPECT_EQ(outcome.Kind(), c.kind);
        if (c.rangeCheck) {
            EXPECT_EQ(outcome.output.rfind(model + "(3): ", 0), 0u) << outcome.output;
        } else {
            EXPECT_EQ(outcome.output, c.printed);
        }
    }
}

TEST_F(LanguageTest, UpdateLimitIsTheNumberOfPrintStatementsPerOutputCall)
{
    const std::string model = dir.Write("five.nuv", "print \"a\"; print \"b\"; print \"c\", \"\\n\"; print 4; print 5;");
    struct {
        int limit;
        std::vector<std::string> chunks;
    } const cases[] = {
        {0, {"a", "b", "c\n", "4", "5"}},
        {1, {"a", "b", "c\n", "4", "5"}},
        {2, {"ab", "c\n4", "5"}},
        {20, {"abc\n45"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.limit);
        Apply({.updateLimit = c.limit});
        EXPECT_EQ(GetUpdateLimit(), c.limit);
        FakeEnvironment env;
        EXPECT_EQ(RunModel(model, env).Kind(), TAVO_OUTCOME_FINISHED);
        EXPECT_EQ(env.chunks, c.chunks);
    }
}

TEST_F(LanguageTest, CollectedOutputGoesOutBeforeSleepAndErrors)
{
    Apply({.updateLimit = 20});
    FakeEnvironment env;
    const std::string model = dir.Write("m.nuv", "print \"a\"; sleep 1; print \"b\", 1 / 0;");
    EXPECT_EQ(RunModel(model, env).Kind(), TAVO_OUTCOME_ERRORS);
    ASSERT_EQ(env.chunks.size(), 2u);
    EXPECT_EQ(env.chunks[0], "a");
    // "b" never got printed: the statement failed before it was complete.
    EXPECT_EQ(env.chunks[1].rfind("\n" + model + "(1): ", 0), 0u) << env.chunks[1];
}

TEST_F(LanguageTest, UpdateLimitIsClampedToItsRange)
{
    const std::pair<int, int> cases[] = {{-3, 0}, {0, 0}, {7, 7}, {20, 20}, {21, 20}, {1000, 20}};
    for (const auto &[set, got] : cases) {
        SetUpdateLimit(set);
        EXPECT_EQ(GetUpdateLimit(), got) << set;
    }
}

TEST_F(LanguageTest, DllsListsTheAdditionalLibrariesOnePerLine)
{
    const std::string model = dir.Write("dlls.nuv", "print \"[\"; dlls; print \"]\";");
    struct {
        const char *name;
        bool offered;
        std::vector<const char *> names;
        const char *printed;
    } const cases[] = {
        {"two names", true, {"one.dll", "Two.DLL"}, "[one.dll\nTwo.DLL\n]"},
        {"a missing name is skipped", true, {"a", nullptr, "c"}, "[a\nc\n]"},
        {"empty list", true, {}, "[]"},
        {"no list services", false, {"x"}, "[]"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeEnvironment env;
        env.offerDllList = c.offered;
        env.dlls = c.names;
        EXPECT_EQ(RunModel(model, env).Kind(), TAVO_OUTCOME_FINISHED);
        EXPECT_EQ(env.Text(), c.printed);
    }
}

} // namespace
} // namespace tavotest
