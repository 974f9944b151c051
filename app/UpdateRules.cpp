#include "app/UiState.h"
#include "res/CommandIds.h"

namespace {

CommandUi On(bool enabled, bool checked = false)
{
    return {enabled, checked};
}

}  // namespace

CommandUi UpdateRule(int id, const UiState& s)
{
    const bool editor = s.editorActive;
    const bool usableEditor = editor && !s.activeMinimised;
    // The output window selects and copies; its text is never changed.
    const bool usableOutput = s.outputActive && !s.activeMinimised;
    switch (id) {
    case ID_FILE_LOAD:
    case ID_FILE_SAVE: return On(editor);
    case ID_FILE_SAVE_AS: return On(s.hasActiveChild);
    case ID_FILE_PRINT: return On((editor && s.textNotEmpty) || (s.outputActive && s.outputLines > 0));
    case ID_FILE_PRINT_SELECTION: return On(usableEditor && s.selection);
    case ID_FILE_MRU_FILE1:
    case ID_FILE_MRU_FILE2:
    case ID_FILE_MRU_FILE3:
    case ID_FILE_MRU_FILE4: return On(id - ID_FILE_MRU_FILE1 < s.recentFiles);
    case ID_EDIT_UNDO: return On(usableEditor && s.canUndo);
    case ID_EDIT_CUT:
    case ID_EDIT_CLEAR: return On(usableEditor && s.selection);
    case ID_EDIT_COPY: return On((usableEditor || usableOutput) && s.selection);
    case ID_EDIT_PASTE: return On(usableEditor && s.clipboardHasText);
    case ID_EDIT_SELECT_ALL: return On((usableEditor || usableOutput) && s.textNotEmpty);
    case ID_VIEW_TOOLBAR: return On(true, s.toolBarVisible);
    case ID_VIEW_STATUS_BAR: return On(true, s.statusBarVisible);
    case ID_VIEW_SYNTAX_COLOURS: return On(true, s.syntaxColours);
    case ID_VIEW_LINE_NUMBERS: return On(true, s.lineNumbers);
    case ID_EDIT_FIND: return On(editor, s.findDialogOpen);
    case ID_EDIT_REPLACE: return On(editor, s.replaceDialogOpen);
    case ID_SEARCH_GOTO_LINE: return On(editor);
    case ID_SEARCH_BRACE:
    case ID_SEARCH_UNCOMMENTED_BRACE: return On(usableEditor);
    case ID_SEARCH_GOTO_ERROR: return On(s.runStatus == 1);
    case ID_RUN_NEXT_ERROR:
    case ID_RUN_PREVIOUS_ERROR: return On(s.outputHasErrorLines);
    case ID_RUN_ACTIVE: return On(editor && s.textNotEmpty && !s.busy);
    case ID_RUN_PICK:
    case ID_OPTIONS_ENVIRONMENT: return On(!s.busy);
    case ID_RUN_LAST: return On(s.hasLastModel);
    case ID_OPTIONS_SAVE_SETTINGS: return On(true, s.saveSettings);
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE: return On(s.hasActiveChild && !s.tabbedWindows);
    case ID_WINDOW_ARRANGE: return On(!s.tabbedWindows);
    case ID_WINDOW_TABBED: return On(true, s.tabbedWindows);
    case ID_WINDOW_CLOSE:
    case ID_WINDOW_CLOSE_ALL: return On(s.hasActiveChild);
    default: return On(true);
    }
}
