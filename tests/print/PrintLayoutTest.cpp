// The print routine's pages, read back from a recording device: "M" is 10 × 20,
// so a row holds 15 characters with the indent (10 of text) and a page 20 rows:
// the title on row 2, body rows 5 to 9, "Page N" on row 18.
#include <gtest/gtest.h>

#include "PrintTestSupport.h"
#include "print/CPrintJob.h"

namespace {

const char* const kPrintError = "An error has occured while sending data to the printer. Print job terminated!";
const char* const kNoDisk = "Not enough disk space. Print job terminated!";
const char* const kNoMemory = "Not enough memory. Print job terminated!";

const std::string T = "2:/w/m.nuv";

std::string P(int page)
{
    return "18:Page " + std::to_string(page);
}

std::string B(int row, const std::string& text)
{
    return std::to_string(row) + ":     " + text;
}

TEST(PrintLayoutTest, PagesAsLaidOut)
{
    using Pages = std::vector<std::vector<std::string>>;
    const Pages fivePages1 = {{T, B(5, "1"), B(6, "2"), B(7, "3"), B(8, "4"), B(9, "5"), P(1)}};
    const std::string sixLines = "1\n2\n3\n4\n5\n6\n";
    struct Case {
        const char* name;
        std::string text;
        Pages pages;
        const char* ending = "EndDoc";
        const char* message = nullptr;
        std::string failCall = {};
        int failResult = 0;
        int failOccurrence = 1;
        int cancelAt = 0;
        bool fontHasAll = true;
        int horzRes = 250;
    } cases[] = {
        {"a last line without a line feed", "abc", {{T, B(5, "abc"), P(1)}}},
        {"a long line wraps, indented again", "abcdefghijKLMNOpqrstuv",
         {{T, B(5, "abcdefghij"), B(6, "KLMNOpqrst"), B(7, "uv"), P(1)}}},
        {"a line that fills its row leaves no empty row", "abcdefghij\nx", {{T, B(5, "abcdefghij"), B(6, "x"), P(1)}}},
        {"a tab is four spaces wherever it stands", "\ta\tb", {{T, B(5, "    a    b"), P(1)}}},
        {"a tab that fills the row draws it and the rest is dropped", "abcdefgh\tz",
         {{T, B(5, "abcdefgh  "), B(6, "z"), P(1)}}},
        {"CR prints nothing, two LFs leave an empty row", "a\r\n\r\nb", {{T, B(5, "a"), B(6, ""), B(7, "b"), P(1)}}},
        {"other control characters print nothing", "a\x01\x7f\xc2\x85" "b\x1b", {{T, B(5, "ab"), P(1)}}},
        {"café, € and emoji take one cell each", "caf\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\xf0\x9f\x98\x80\xf0\x9f\x98\x80"
                                                 "\xf0\x9f\x98\x80xy",
         {{T, B(5, "café€😀😀😀😀x"), B(6, "y"), P(1)}}},
        {"a Latin-1 line prints the characters the window shows", "caf\xe9\nna\xc3\xafve",
         {{T, B(5, "café"), B(6, "naïve"), P(1)}}},
        {"beyond the font: Latin-1 with its top bit cleared, others '?'", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",
         {{T, B(5, "cafi ? ?"), P(1)}}, "EndDoc", nullptr, "", 0, 1, 0, false},
        {"exactly one page of body rows", "1\n2\n3\n4\n5\n", fivePages1},
        {"one line more starts page 2 under the title", sixLines,
         {fivePages1[0], {T, B(5, "6"), P(2)}}},
        {"the last row is drawn without a page check", "1\n2\n3\n4\nabcdefghijKLM",
         {{T, B(5, "1"), B(6, "2"), B(7, "3"), B(8, "4"), B(9, "abcdefghij"), B(10, "KLM"), P(1)}}},
        {"Cancel stops after the current character", "1\n2\n3\n4\n5\n6\n7\n", {{T, B(5, "1"), B(6, "2")}},
         "AbortDoc", nullptr, "", 0, 1, 3},
        {"a row narrower than the indent still prints every character", "ab",
         {{T, B(5, ""), B(6, "a"), B(7, "b"), P(1)}}, "EndDoc", nullptr, "", 0, 1, 0, true, 130},
        {"the document cannot start", "abc", {}, "StartDoc", kPrintError, "StartDoc", 0},
        {"the document start reports an error", "abc", {}, "StartDoc", kPrintError, "StartDoc", SP_ERROR},
        {"the first page cannot start", "abc", {{}}, "AbortDoc", kPrintError, "StartPage", 0},
        {"a page end fails", "abc", {{T, B(5, "abc"), P(1)}}, "AbortDoc", kPrintError, "EndPage", SP_ERROR},
        {"a page end finds the disk full", "abc", {{T, B(5, "abc"), P(1)}}, "AbortDoc", kNoDisk, "EndPage",
         SP_OUTOFDISK},
        {"a page end finds no memory", "abc", {{T, B(5, "abc"), P(1)}}, "AbortDoc", kNoMemory, "EndPage",
         SP_OUTOFMEMORY},
        {"a page end stopped by the program", "abc", {{T, B(5, "abc"), P(1)}}, "AbortDoc", nullptr, "EndPage",
         SP_APPABORT},
        {"a page end after the user deleted the job", "abc", {{T, B(5, "abc"), P(1)}}, "AbortDoc", nullptr, "EndPage",
         SP_USERABORT},
        {"a page end with another error", "abc", {{T, B(5, "abc"), P(1)}}, "AbortDoc", kPrintError, "EndPage", -6},
        {"the end of page 1 fails: nothing more is drawn", sixLines, fivePages1, "AbortDoc", kNoDisk, "EndPage",
         SP_OUTOFDISK},
        {"page 2 cannot start", sixLines, {fivePages1[0], {}}, "AbortDoc", kPrintError, "StartPage", 0, 2},
        {"the printer refuses the finished document", "abc", {{T, B(5, "abc"), P(1)}}, "EndDoc", kPrintError,
         "EndDoc", SP_ERROR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompts prompts;
        if (c.message)
            prompts.ExpectMessageBox(IDOK);
        ScriptedAbort abort(prompts);
        abort.cancelAt = c.cancelAt;
        RecordingPrintDevice device;
        device.horzRes = c.horzRes;
        if (!c.fontHasAll)
            device.canShow = [](char32_t) { return false; };
        if (!c.failCall.empty())
            device.Fail(c.failCall, c.failResult, c.failOccurrence);

        CPrintJob job(device, abort);
        job.Print(c.text.c_str(), "/w/m.nuv");

        EXPECT_EQ(RecordedPages(device, job.Layout()), c.pages);
        ASSERT_FALSE(device.Calls().empty());
        EXPECT_EQ(device.Calls().front().name, "StartDoc");
        EXPECT_EQ(device.Calls().front().text, "m.nuv") << "the document is named without the directories";
        EXPECT_EQ(device.Calls().back().name, c.ending);
        EXPECT_EQ(abort.begins, 1);
        EXPECT_EQ(abort.ends, 1);
        EXPECT_EQ(abort.promptsAtEnd, 0) << "messages wait until the main window is usable";
        if (c.message) {
            EXPECT_EQ(prompts.Last().text.toStdString(), c.message);
            EXPECT_EQ(prompts.Last().style, MB_ICONHAND);
        } else {
            EXPECT_TRUE(prompts.Records().empty());
        }
    }
}

// A title wider than the page loses its middle, never its start or the file
// name, and so stays on the page; columns count characters, not bytes.
TEST(PrintLayoutTest, ATitleWiderThanThePageLosesItsMiddle)
{
    const std::string emoji = "\xf0\x9f\x98\x80";
    const struct {
        const char* name;
        std::string title;
        int columns;  // of the page, edge to edge
        std::string printed;
    } cases[] = {
        {"a title that fits", "/w/m.nuv", 25, "/w/m.nuv"},
        {"as wide as the page", "/home/user/m.nuv", 16, "/home/user/m.nuv"},
        {"a long path keeps its start and file name", "/home/user/models/project/deep/model.nuv", 25,
         "/home/user/m.../model.nuv"},
        {"a file name wider than the page keeps its end", "/m/a-very-long-file-name.nuv", 15, "/...le-name.nuv"},
        {"characters, not bytes", "/\xc3\xa9/" + emoji + emoji + emoji + emoji + emoji + emoji + "/\xc3\xbc.nuv",
         12, "/\xc3\xa9/.../\xc3\xbc.nuv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompts prompts;
        ScriptedAbort abort(prompts);
        RecordingPrintDevice device;
        device.horzRes = c.columns * device.charWidth;
        CPrintJob job(device, abort);
        job.Print("x", c.title.c_str());
        const auto pages = RecordedPages(device, job.Layout());
        ASSERT_EQ(pages.size(), 1u);
        ASSERT_FALSE(pages[0].empty());
        EXPECT_EQ(pages[0][0], "2:" + c.printed);
    }
}

TEST(PrintLayoutTest, MeasuresFollowTheDevice)
{
    struct Case {
        const char* name;
        int horzRes, vertRes, width, height, leading, extra;
        PrintLayout expected;  // line height, rows, body limit, char width, capacity
    } cases[] = {
        {"plain", 250, 400, 10, 20, 0, 0, {20, 20, 10, 10, 15}},
        {"leading and character extra widen the cells", 250, 400, 10, 20, 5, 2, {25, 16, 6, 12, 10}},
        {"a wide page holds at most 255 characters", 10000, 400, 10, 20, 0, 0, {20, 20, 10, 10, 255}},
        {"a narrow page holds none", 50, 400, 10, 20, 0, 0, {20, 20, 10, 10, 0}},
        {"a short page has no body rows", 250, 100, 10, 20, 0, 0, {20, 5, 0, 10, 15}},
        {"a font without size counts as one unit", 250, 40, 0, 0, 0, 0, {1, 40, 30, 1, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPrintDevice device;
        device.horzRes = c.horzRes;
        device.vertRes = c.vertRes;
        device.charWidth = c.width;
        device.charHeight = c.height;
        device.externalLeading = c.leading;
        device.characterExtra = c.extra;
        const PrintLayout layout = PrintLayout::Measure(device);
        EXPECT_EQ(layout.lineHeight, c.expected.lineHeight);
        EXPECT_EQ(layout.rowsPerPage, c.expected.rowsPerPage);
        EXPECT_EQ(layout.bodyRowLimit, c.expected.bodyRowLimit);
        EXPECT_EQ(layout.charWidth, c.expected.charWidth);
        EXPECT_EQ(layout.lineCapacity, c.expected.lineCapacity);
    }
}

}  // namespace
