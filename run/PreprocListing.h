#pragma once
// Where the listing of a preprocess-only run goes.
#include "platform/Win32Types.h"

// Into the editor window named after the model (ListingName.h): the one already
// open under that name is activated, else a new one is made (maximised when the
// active child is). An open window with unsaved changes asks the save-changes
// question first; Cancel (or a save that fails) keeps its text, the listing
// goes nowhere and a line of the run's output says so (FALSE). The text
// replaces the window's text and the window counts as modified, so closing it
// asks whether to save. FALSE after message 192 when the text cannot be
// loaded; a window made for it is destroyed again.
BOOL ListingToEditor(const char* modelPath, const char* text);

// Into the file named by the output-file rule (the model's base name cut at its
// first point, ".prp", in the current directory): a heading line, an empty line
// and the text, each line ending in CR LF; appended to an existing file when
// `append`. FALSE after the message of the failure (103 for memory).
BOOL ListingToFile(const char* modelPath, const char* text, BOOL append);
