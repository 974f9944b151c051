// Where keys, clicks and scroll actions put the view and its caret. Metrics of
// the table: W = 10, H = 20, client 200 x 100 (five rows, 18 text columns).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/COutputGeometry.h"
#include "output/COutputStore.h"

namespace {

using G = COutputGeometry;
using Key = G::Key;
constexpr int W = 10, H = 20;

struct View {
    COutputStore store;
    G geometry{&store};

    View(int lines, int width = 200, int height = 100, int lineLength = 8)
    {
        for (int i = 0; i < lines; ++i)
            store.AddLine(std::string(static_cast<std::size_t>(lineLength), 'a').c_str());
        geometry.SetMetrics(W, H);
        geometry.SetClientSize(width, height);
        geometry.Reset();
    }
};

struct State {
    int top, left, x, y;
    bool operator==(const State&) const = default;
};

std::ostream& operator<<(std::ostream& out, const State& s)
{
    return out << "T=" << s.top << " L=" << s.left << " caret=(" << s.x << "," << s.y << ")";
}

State StateOf(const G& g)
{
    return {g.m_nTopLine, g.m_nLeftColumn, g.m_nCaretX, g.m_nCaretY};
}

struct KeyCase {
    const char* name;
    int lines;
    std::vector<std::string> special;  // replaces the first lines
    State start;
    std::vector<Key> keys;
    bool ctrl;
    State expected;
};

TEST(OutputGeometry, Keys)
{
    const std::string longLine(50, 'L');
    const KeyCase cases[] = {
        {"empty window: Down", 0, {}, {0, 0, W, 0}, {Key::Down}, false, {0, 0, W, 0}},
        {"empty window: End", 0, {}, {0, 0, W, 0}, {Key::End}, false, {0, 0, W, 0}},
        {"empty window: Page Down", 0, {}, {0, 0, W, 0}, {Key::PageDown}, false, {0, 0, W, 0}},
        {"Up at the top and Left at the first column", 3, {}, {0, 0, W, 0}, {Key::Up, Key::Left}, false, {0, 0, W, 0}},
        {"Right goes past a short line to the right edge", 3, {"abc"}, {0, 0, W, 0},
         std::vector<Key>(30, Key::Right), false, {0, 0, 190, 0}},
        {"End comes back after the last character", 3, {"abc"}, {0, 0, 190, 0}, {Key::End}, false, {0, 0, 40, 0}},
        {"End on a long line: last column that fits", 3, {longLine}, {0, 0, W, 0}, {Key::End}, false, {0, 32, 190, 0}},
        {"End on a line left of the view", 3, {"abcde", longLine}, {0, 40, W, 0}, {Key::End}, false, {0, 4, 20, 0}},
        {"End on the row after the last line does nothing", 2, {}, {0, 0, W, 40}, {Key::End}, false, {0, 0, W, 40}},
        {"Home goes to the margin and the left edge", 3, {longLine}, {0, 32, 190, 0}, {Key::Home}, false, {0, 0, W, 0}},
        {"Ctrl+End: last line on top, caret below it", 20, {}, {0, 0, 50, 40}, {Key::End}, true, {19, 0, W, 20}},
        {"Ctrl+End when all fits", 3, {}, {0, 0, 50, 0}, {Key::End}, true, {0, 0, W, 60}},
        {"Ctrl+Home", 20, {longLine}, {7, 30, 90, 60}, {Key::Home}, true, {0, 0, W, 0}},
        {"Down at the bottom row scrolls", 20, {}, {0, 0, W, 80}, {Key::Down}, false, {1, 0, W, 80}},
        {"Down stops at the row after the last line", 2, {}, {0, 0, W, 0}, {Key::Down, Key::Down, Key::Down}, false,
         {0, 0, W, 40}},
        {"Up at the top row scrolls", 20, {}, {5, 0, W, 0}, {Key::Up}, false, {4, 0, W, 0}},
        {"Page Down scrolls a page", 20, {}, {0, 0, W, 40}, {Key::PageDown}, false, {5, 0, W, 40}},
        {"Page Down when all fits goes below the last line", 3, {}, {0, 0, 50, 0}, {Key::PageDown}, false, {0, 0, 50, 60}},
        {"Page Up at the top goes to the first row", 20, {}, {0, 0, W, 60}, {Key::PageUp}, false, {0, 0, W, 0}},
        {"Page Up scrolls a page", 20, {}, {7, 0, W, 60}, {Key::PageUp}, false, {2, 0, W, 60}},
        {"Left at the margin scrolls", 3, {longLine}, {0, 5, W, 0}, {Key::Left}, false, {0, 4, W, 0}},
        {"Right at the edge scrolls while text is beyond", 3, {longLine}, {0, 0, 190, 0}, {Key::Right}, false,
         {0, 1, 190, 0}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        View view(c.lines);
        for (std::size_t i = 0; i < c.special.size(); ++i) {
            view.store.m_pLines[i][0] = '\0';
            view.store.AppendToLine(static_cast<int>(i), c.special[i].c_str());
        }
        G& g = view.geometry;
        g.m_nTopLine = c.start.top;
        g.m_nLeftColumn = c.start.left;
        g.m_nCaretX = c.start.x;
        g.m_nCaretY = c.start.y;
        for (Key key : c.keys)
            EXPECT_EQ(g.KeyDown(key, c.ctrl, false), G::KeyResult::None);
        EXPECT_EQ(StateOf(g), c.expected);
    }
}

TEST(OutputGeometry, KeysThatBeepOrGoToTheError)
{
    View view(3);
    EXPECT_EQ(view.geometry.KeyDown(Key::Other, false, false), G::KeyResult::Beep);
    EXPECT_EQ(view.geometry.KeyDown(Key::Other, true, false), G::KeyResult::None);
    EXPECT_EQ(view.geometry.KeyDown(Key::Other, false, true), G::KeyResult::None);
    EXPECT_EQ(view.geometry.KeyDown(Key::Modifier, false, false), G::KeyResult::None);
    EXPECT_EQ(view.geometry.KeyDown(Key::Enter, false, false), G::KeyResult::GotoError);
}

TEST(OutputGeometry, Clicks)
{
    struct Case {
        const char* name;
        int left;
        int x, y;
        State expected;
    } cases[] = {
        {"inside a line", 0, 35, 25, {0, 0, 31, 20}},
        {"right of a line's end", 0, 150, 5, {0, 0, 90, 0}},
        {"right of a line's end, scrolled sideways", 3, 150, 5, {0, 3, 60, 0}},
        {"in the margin", 0, 3, 5, {0, 0, W, 0}},
        {"on the row after the last line", 0, 120, 65, {0, 0, W, 60}},
        {"below the row after the last line", 0, 120, 85, {0, 0, W, 60}},
        {"outside the client area", 0, 0, 5, {0, 0, 77, 77}},
        {"outside the client area, below", 0, 50, 100, {0, 0, 77, 77}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        View view(3);
        view.geometry.m_nLeftColumn = c.left;
        view.geometry.m_nCaretX = view.geometry.m_nCaretY = 77;
        view.geometry.Click(c.x, c.y);
        EXPECT_EQ(StateOf(view.geometry), c.expected);
    }
}

TEST(OutputGeometry, ScrollingLimits)
{
    View many(70000);
    EXPECT_TRUE(many.geometry.VScroll(G::SB_THUMBTRACK, 69000)) << "the thumb reaches lines beyond 65535";
    EXPECT_EQ(many.geometry.m_nTopLine, 69000);
    EXPECT_TRUE(many.geometry.VScroll(G::SB_BOTTOM));
    EXPECT_EQ(many.geometry.m_nTopLine, 69999);
    EXPECT_FALSE(many.geometry.VScroll(G::SB_LINEDOWN));

    View some(100, 200, 100, 30);
    EXPECT_TRUE(some.geometry.VScroll(G::SB_THUMBTRACK, 500));
    EXPECT_EQ(some.geometry.m_nTopLine, 99);
    EXPECT_TRUE(some.geometry.VScroll(G::SB_PAGEUP));
    EXPECT_EQ(some.geometry.m_nTopLine, 94);
    EXPECT_FALSE(some.geometry.HScroll(G::SB_THUMBTRACK, 9)) << "the horizontal bar acts on release";
    EXPECT_TRUE(some.geometry.HScroll(G::SB_PAGERIGHT));
    EXPECT_TRUE(some.geometry.HScroll(G::SB_THUMBPOSITION, 99));
    EXPECT_EQ(some.geometry.m_nLeftColumn, 30) << "no further than the longest line";
    const int caretX = some.geometry.m_nCaretX, caretY = some.geometry.m_nCaretY;
    EXPECT_TRUE(some.geometry.HScroll(G::SB_LEFT));
    EXPECT_EQ(caretX, some.geometry.m_nCaretX);
    EXPECT_EQ(caretY, some.geometry.m_nCaretY);
}

// A resize keeps T and L where they are unless the caret's row or column
// would leave the view; then it scrolls by the least that brings it back.
TEST(OutputGeometry, ResizeKeepsTheCaretWhereItIs)
{
    struct Case {
        const char* name;
        State start;
        int width, height;
        State expected;
    } cases[] = {
        {"larger: nothing moves", {5, 3, 41, 60}, 400, 300, {5, 3, 41, 60}},
        {"smaller, caret still in view", {5, 3, 41, 20}, 150, 60, {5, 3, 41, 20}},
        {"lower than the caret's row: it becomes the last row", {5, 0, 41, 80}, 200, 45, {8, 0, 41, 20}},
        {"narrower than the caret's column: it becomes the last", {0, 0, 171, 0}, 100, 100, {0, 8, 91, 0}},
        {"the row after the last line stays in view", {12, 0, W, 80}, 200, 40, {15, 0, W, 20}},
        {"lower than one line", {5, 0, W, 60}, 200, 10, {8, 0, W, 0}},
        {"top beyond the text is clamped", {20, 0, W, 0}, 200, 100, {19, 0, W, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        View view(20, 200, 100, 30);
        G& g = view.geometry;
        g.m_nTopLine = c.start.top;
        g.m_nLeftColumn = c.start.left;
        g.m_nCaretX = c.start.x;
        g.m_nCaretY = c.start.y;
        g.Resized(c.width, c.height);
        EXPECT_EQ(StateOf(g), c.expected);
    }
}

TEST(OutputGeometry, FitAndScrollToEnd)
{
    struct Case {
        const char* name;
        int lines, width, height, lineLength;
        bool verticalFits, horizontalFits;
        State afterEnd;
    } cases[] = {
        {"three short lines fit", 3, 200, 100, 8, true, true, {0, 0, W, 60}},
        {"four lines need the last row free", 4, 200, 100, 8, false, true, {0, 0, W, 80}},
        {"many lines", 20, 200, 100, 8, false, true, {16, 0, W, 80}},
        {"a long line", 3, 200, 100, 18, true, false, {0, 0, W, 60}},
        {"a window lower than one line", 3, 200, 10, 8, false, true, {3, 0, W, 0}},
        {"an empty window", 0, 200, 100, 8, true, true, {0, 0, W, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        View view(c.lines, c.width, c.height, c.lineLength);
        EXPECT_EQ(view.geometry.VerticalFits(), c.verticalFits);
        EXPECT_EQ(view.geometry.HorizontalFits(), c.horizontalFits);
        view.geometry.m_nLeftColumn = c.lines > 0 ? 2 : 0;
        view.geometry.ScrollToEnd();
        EXPECT_EQ(StateOf(view.geometry), c.afterEnd);
    }
}

}  // namespace
