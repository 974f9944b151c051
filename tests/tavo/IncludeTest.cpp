// #include and the preprocess-only run with its listing.
#include "TavoHarness.h"

#include <gtest/gtest.h>

namespace tavotest {
namespace {

class IncludeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Apply({});
        main = dir.Write("main.nuv", "print \"main \";\n#include \"lib/shapes.inc\"\nprint \"end\";\n");
        dir.Write("lib/shapes.inc", "// shapes\n  # include \"sides.inc\" // sides first\nprint \"shapes \";\n");
        dir.Write("lib/sides.inc", "print \"sides \";\n");
    }
    ModelDir dir;
    std::string main;
};

TEST_F(IncludeTest, IncludedFilesRunInPlaceRelativeToTheirIncluder)
{
    const Outcome outcome = RunModel(main);
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FINISHED) << outcome.output;
    EXPECT_EQ(outcome.output, "main sides shapes end");
}

TEST_F(IncludeTest, ErrorsNameTheFileAndLineWhereTheyAre)
{
    struct {
        const char *name;
        const char *file; // rewritten before the run
        const char *text;
        std::string where; // expected start of the error line
        const char *phrase;
    } const cases[] = {
        {"run-time error in a nested include", "lib/sides.inc", "print \"s\";\n\nprint 1 / 0;\n",
         dir.Path() + "/./lib/sides.inc(3): ", "division by zero"},
        {"syntax error in an include", "lib/shapes.inc", "#include \"sides.inc\"\nprint 1 +;\n",
         dir.Path() + "/./lib/shapes.inc(2): ", "syntax error"},
        {"line numbers of the includer continue after the include", "main.nuv",
         "print 1;\n#include \"lib/sides.inc\"\n\nprint x;\n", dir.Path() + "/./main.nuv(4): ", "undefined variable"},
        {"missing include", "lib/shapes.inc", "\n\n#include \"nowhere.inc\"\n",
         dir.Path() + "/./lib/shapes.inc(3): ", "lib/nowhere.inc"},
        {"file including itself", "lib/sides.inc", "#include \"../lib/sides.inc\"\n",
         dir.Path() + "/./lib/sides.inc(1): ", "includes itself"},
        {"include without a name", "lib/sides.inc", "\n#include sides.inc\n", dir.Path() + "/./lib/sides.inc(2): ",
         "double quotes"},
        {"text after the name", "lib/sides.inc", "#include \"x.inc\" print 1;\n", dir.Path() + "/./lib/sides.inc(1): ",
         "unexpected text"},
        {"comment left open in an include", "lib/sides.inc", "print 1;\n/*\n", dir.Path() + "/./lib/sides.inc(2): ",
         "comment not closed"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.file, c.text);
        // The path exactly as given, "./" included, leads every error line.
        const Outcome outcome = RunModel(dir.Path() + "/./main.nuv");
        EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_ERRORS);
        const std::size_t at = outcome.output.find(c.where);
        ASSERT_NE(at, std::string::npos) << outcome.output;
        EXPECT_TRUE(at == 0 || outcome.output[at - 1] == '\n') << outcome.output;
        EXPECT_NE(outcome.output.find(c.phrase, at + c.where.size()), std::string::npos) << outcome.output;
        SetUp(); // restore the files
    }
}

TEST_F(IncludeTest, MutualIncludesAndDeepChainsStopWithAnError)
{
    dir.Write("a.inc", "#include \"b.inc\"\n");
    dir.Write("b.inc", "#include \"a.inc\"\n");
    const Outcome mutual = RunModel(dir.Write("m.nuv", "#include \"a.inc\"\n"));
    EXPECT_EQ(mutual.Kind(), TAVO_OUTCOME_ERRORS);
    EXPECT_NE(mutual.output.find("includes itself"), std::string::npos) << mutual.output;

    // A chain of distinct files deeper than the limit.
    // Names made with snprintf: g++ 12 at -O3 warns falsely on "d" + to_string(i) + ".inc".
    const auto link = [](int n) {
        char name[16];
        std::snprintf(name, sizeof name, "d%d.inc", n);
        return std::string(name);
    };
    for (int i = 0; i < 40; ++i)
        dir.Write(link(i), "#include \"" + link(i + 1) + "\"\n");
    dir.Write("d40.inc", "print 1;\n");
    const Outcome deep = RunModel(dir.Write("deep.nuv", "#include \"d0.inc\"\n"));
    EXPECT_EQ(deep.Kind(), TAVO_OUTCOME_ERRORS);
    EXPECT_NE(deep.output.find("nested more than"), std::string::npos) << deep.output;

    // Including a file many times over is no cycle.
    const Outcome twice = RunModel(dir.Write("twice.nuv", "#include \"d40.inc\"\n#include \"d40.inc\"\n"));
    EXPECT_EQ(twice.Kind(), TAVO_OUTCOME_FINISHED);
    EXPECT_EQ(twice.output, "11");
}

TEST_F(IncludeTest, IncludesInsideCommentsAndAbsolutePaths)
{
    const std::string absolute = dir.Write("abs/x.inc", "print \"abs\";\n");
    const Outcome outcome = RunModel(dir.Write(
        "c.nuv", "/*\n#include \"missing.inc\"\n*/\n#include \"" + absolute + "\"\nprint \"/* \";\n#include \"" +
                     absolute + "\"\n"));
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FINISHED) << outcome.output;
    EXPECT_EQ(outcome.output, "abs/* abs");
}

TEST_F(IncludeTest, PreprocessOnlyRunsNothingAndKeepsTheListing)
{
    dir.Write("lib/sides.inc", "print 1 / 0; // never runs\r\n");
    Apply({.preprocessOnly = true});
    const Outcome outcome = RunModel(main);
    EXPECT_EQ(outcome.Kind(), TAVO_OUTCOME_FINISHED);
    EXPECT_EQ(outcome.output, "");
    const std::vector<std::string> expected = {
        "print \"main \";\r\n"
        "// #include \"lib/shapes.inc\" begins\r\n"
        "// shapes\r\n"
        "// #include \"sides.inc\" begins\r\n"
        "print 1 / 0; // never runs\r\n"
        "// #include \"sides.inc\" ends\r\n"
        "print \"shapes \";\r\n"
        "// #include \"lib/shapes.inc\" ends\r\n"
        "print \"end\";\r\n"};
    EXPECT_EQ(FetchPreprocText(), expected);

    // A faulty include: kind 1, its error line, and the listing up to the fault.
    dir.Write("lib/shapes.inc", "print 2;\n#include \"gone.inc\"\nprint 3;\n");
    const Outcome faulty = RunModel(main);
    EXPECT_EQ(faulty.Kind(), TAVO_OUTCOME_ERRORS);
    EXPECT_EQ(faulty.output.rfind(dir.Path() + "/lib/shapes.inc(2): ", 0), 0u) << faulty.output;
    EXPECT_EQ(FetchPreprocText(),
              std::vector<std::string>{"print \"main \";\r\n// #include \"lib/shapes.inc\" begins\r\nprint 2;\r\n"});

    // A normal run keeps no listing.
    Apply({});
    dir.Write("lib/shapes.inc", "\n");
    EXPECT_EQ(RunModel(main).Kind(), TAVO_OUTCOME_FINISHED);
    EXPECT_EQ(FetchPreprocText(), std::vector<std::string>{""});
    GivePreprocText(nullptr, 0); // no receiver: nothing happens
}

} // namespace
} // namespace tavotest
