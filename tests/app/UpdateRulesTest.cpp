// The enable/check rules of the commands, as a table over UI states.
#include <gtest/gtest.h>

#include "app/UiState.h"
#include "res/CommandIds.h"

namespace {

UiState NoChild()
{
    return {};
}

UiState Editor(bool selection, bool text = true)
{
    UiState s;
    s.hasActiveChild = s.editorActive = true;
    s.selection = selection;
    s.textNotEmpty = text;
    s.canUndo = true;
    s.clipboardHasText = true;
    return s;
}

UiState MinimisedEditor()
{
    UiState s = Editor(true);
    s.activeMinimised = true;
    return s;
}

UiState Output(int lines, bool selection = false)
{
    UiState s;
    s.hasActiveChild = s.outputActive = true;
    s.outputLines = lines;
    s.textNotEmpty = lines > 0;
    s.selection = selection;
    s.clipboardHasText = true;
    return s;
}

UiState Minimised(UiState s)
{
    s.activeMinimised = true;
    return s;
}

UiState Tabbed(UiState s)
{
    s.tabbedWindows = true;
    return s;
}

UiState Busy(UiState s)
{
    s.busy = true;
    return s;
}

struct Case {
    const char* what;
    UiState state;
    int id;
    bool enabled;
};

}  // namespace

TEST(UpdateRules, EnableEachCommandByState)
{
    const Case cases[] = {
        // No child window open.
        {"no child: Save As", NoChild(), ID_FILE_SAVE_AS, false},
        {"no child: Print", NoChild(), ID_FILE_PRINT, false},
        {"no child: Close", NoChild(), ID_WINDOW_CLOSE, false},
        {"no child: Close All", NoChild(), ID_WINDOW_CLOSE_ALL, false},
        {"no child: Cascade", NoChild(), ID_WINDOW_CASCADE, false},
        {"no child: Tile", NoChild(), ID_WINDOW_TILE, false},
        {"no child: New", NoChild(), ID_FILE_NEW, true},
        {"no child: Open", NoChild(), ID_FILE_OPEN, true},
        {"no child: Pick model", NoChild(), ID_RUN_PICK, true},
        {"no child: Arrange Icons", NoChild(), ID_WINDOW_ARRANGE, true},
        {"no child: Output Window", NoChild(), ID_WINDOW_OUTPUT, true},
        {"no child: Terminate", NoChild(), ID_RUN_TERMINATE, true},
        {"no child: Run Debugger", NoChild(), ID_RUN_DEBUGGER, true},
        {"no child: Run last without a last model", NoChild(), ID_RUN_LAST, false},
        {"no child: Goto error after a clean run", NoChild(), ID_SEARCH_GOTO_ERROR, false},
        // The output window active.
        {"output: Load", Output(3), ID_FILE_LOAD, false},
        {"output: Save", Output(3), ID_FILE_SAVE, false},
        {"output: Cut", Output(3), ID_EDIT_CUT, false},
        {"output: Paste", Output(3), ID_EDIT_PASTE, false},
        {"output: Undo", Output(3), ID_EDIT_UNDO, false},
        {"output: Select All", Output(3), ID_EDIT_SELECT_ALL, true},
        {"empty output: Select All", Output(0), ID_EDIT_SELECT_ALL, false},
        {"output without selection: Copy", Output(3), ID_EDIT_COPY, false},
        {"output with selection: Copy", Output(3, true), ID_EDIT_COPY, true},
        {"output with selection: Cut", Output(3, true), ID_EDIT_CUT, false},
        {"output with selection: Delete", Output(3, true), ID_EDIT_CLEAR, false},
        {"minimised output: Copy", Minimised(Output(3, true)), ID_EDIT_COPY, false},
        {"minimised output: Select All", Minimised(Output(3)), ID_EDIT_SELECT_ALL, false},
        {"output: Matching Brace", Output(3), ID_SEARCH_BRACE, false},
        {"output: Uncommented Brace", Output(3), ID_SEARCH_UNCOMMENTED_BRACE, false},
        {"output: Find", Output(3), ID_EDIT_FIND, false},
        {"output: Replace", Output(3), ID_EDIT_REPLACE, false},
        {"output: Go to Line", Output(3), ID_SEARCH_GOTO_LINE, false},
        {"no child: Go to Line", NoChild(), ID_SEARCH_GOTO_LINE, false},
        {"empty editor: Go to Line", Editor(false, false), ID_SEARCH_GOTO_LINE, true},
        {"output: Run Active", Output(3), ID_RUN_ACTIVE, false},
        {"output with lines: Print", Output(3), ID_FILE_PRINT, true},
        {"empty output: Print", Output(0), ID_FILE_PRINT, false},
        {"output: Save As", Output(0), ID_FILE_SAVE_AS, true},
        {"output: Print Selection", Output(3), ID_FILE_PRINT_SELECTION, false},
        // An editor.
        {"editor with selection: Cut", Editor(true), ID_EDIT_CUT, true},
        {"editor with selection: Copy", Editor(true), ID_EDIT_COPY, true},
        {"editor with selection: Delete", Editor(true), ID_EDIT_CLEAR, true},
        {"editor without selection: Cut", Editor(false), ID_EDIT_CUT, false},
        {"editor without selection: Print Selection", Editor(false), ID_FILE_PRINT_SELECTION, false},
        {"empty editor: Print", Editor(false, false), ID_FILE_PRINT, false},
        {"empty editor: Select All", Editor(false, false), ID_EDIT_SELECT_ALL, false},
        {"empty editor: Run Active", Editor(false, false), ID_RUN_ACTIVE, false},
        {"editor: Run Active", Editor(false), ID_RUN_ACTIVE, true},
        {"editor: Find", Editor(false), ID_EDIT_FIND, true},
        // A minimised editor keeps Load and Save but loses the text commands.
        {"minimised: Cut", MinimisedEditor(), ID_EDIT_CUT, false},
        {"minimised: Copy", MinimisedEditor(), ID_EDIT_COPY, false},
        {"minimised: Delete", MinimisedEditor(), ID_EDIT_CLEAR, false},
        {"minimised: Paste", MinimisedEditor(), ID_EDIT_PASTE, false},
        {"minimised: Undo", MinimisedEditor(), ID_EDIT_UNDO, false},
        {"minimised: Select All", MinimisedEditor(), ID_EDIT_SELECT_ALL, false},
        {"minimised: Print Selection", MinimisedEditor(), ID_FILE_PRINT_SELECTION, false},
        {"minimised: Matching Brace", MinimisedEditor(), ID_SEARCH_BRACE, false},
        {"minimised: Load", MinimisedEditor(), ID_FILE_LOAD, true},
        {"minimised: Save", MinimisedEditor(), ID_FILE_SAVE, true},
        // While a model runs.
        {"busy: Run Active", Busy(Editor(false)), ID_RUN_ACTIVE, false},
        {"busy: Pick model", Busy(NoChild()), ID_RUN_PICK, false},
        {"busy: Environment", Busy(NoChild()), ID_OPTIONS_ENVIRONMENT, false},
        {"busy: Terminate", Busy(NoChild()), ID_RUN_TERMINATE, true},
        {"busy: Fonts", Busy(NoChild()), ID_OPTIONS_FONTS, true},
        // Tabs shown: nothing to arrange.
        {"tabs: Cascade", Tabbed(Editor(false)), ID_WINDOW_CASCADE, false},
        {"tabs: Tile", Tabbed(Editor(false)), ID_WINDOW_TILE, false},
        {"tabs: Arrange Icons", Tabbed(Editor(false)), ID_WINDOW_ARRANGE, false},
        {"tabs: Close", Tabbed(Editor(false)), ID_WINDOW_CLOSE, true},
        {"tabs: Tabbed Windows", Tabbed(NoChild()), ID_WINDOW_TABBED, true},
        {"overlapping: Tabbed Windows", NoChild(), ID_WINDOW_TABBED, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpdateRule(c.id, c.state).enabled, c.enabled) << c.what;
}

TEST(UpdateRules, StateDrivenCommands)
{
    UiState s;
    s.runStatus = 1;
    EXPECT_TRUE(UpdateRule(ID_SEARCH_GOTO_ERROR, s).enabled) << "a run with errors enables Goto error";
    s.hasLastModel = true;
    EXPECT_TRUE(UpdateRule(ID_RUN_LAST, s).enabled);
    s.busy = true;
    EXPECT_TRUE(UpdateRule(ID_RUN_LAST, s).enabled) << "Run last stays enabled and does nothing while busy";

    UiState editor = Editor(false);
    editor.clipboardHasText = false;
    EXPECT_FALSE(UpdateRule(ID_EDIT_PASTE, editor).enabled);
    editor.canUndo = false;
    EXPECT_FALSE(UpdateRule(ID_EDIT_UNDO, editor).enabled);

    UiState errors = Busy(Editor(false));
    EXPECT_FALSE(UpdateRule(ID_RUN_NEXT_ERROR, errors).enabled);
    EXPECT_FALSE(UpdateRule(ID_RUN_PREVIOUS_ERROR, errors).enabled);
    errors.outputHasErrorLines = true;
    EXPECT_TRUE(UpdateRule(ID_RUN_NEXT_ERROR, errors).enabled) << "error lines in the output, even during a run";
    EXPECT_TRUE(UpdateRule(ID_RUN_PREVIOUS_ERROR, errors).enabled);

    UiState recent;
    recent.recentFiles = 2;
    EXPECT_TRUE(UpdateRule(ID_FILE_MRU_FILE2, recent).enabled);
    EXPECT_FALSE(UpdateRule(ID_FILE_MRU_FILE3, recent).enabled);
}

TEST(UpdateRules, ChecksFollowState)
{
    UiState s;
    s.toolBarVisible = false;
    s.statusBarVisible = true;
    s.saveSettings = true;
    s.editorActive = s.hasActiveChild = true;
    s.replaceDialogOpen = true;
    EXPECT_FALSE(UpdateRule(ID_VIEW_TOOLBAR, s).checked);
    EXPECT_TRUE(UpdateRule(ID_VIEW_STATUS_BAR, s).checked);
    EXPECT_TRUE(UpdateRule(ID_OPTIONS_SAVE_SETTINGS, s).checked);
    EXPECT_FALSE(UpdateRule(ID_EDIT_FIND, s).checked);
    EXPECT_TRUE(UpdateRule(ID_EDIT_REPLACE, s).checked);
    EXPECT_TRUE(UpdateRule(ID_VIEW_TOOLBAR, s).enabled) << "the bars can always be toggled";
}
