#pragma once
// Message boxes and status results made from string-table entries.
#include <QString>

#include "shell/MessageFormat.h"

// Formats entry `id` with the given values (text first, then the second value).
QString FormatFromTable(int id, std::initializer_list<FormatArg> args = {});

// Shows entry `id` formatted with the values in a box with the caption "NUV",
// owned by the main window, in the given style; returns IDOK, IDCANCEL, IDYES or IDNO.
int MessageFromTable(int id, int style, std::initializer_list<FormatArg> args = {});

// A short result: entry `id` formatted into the status bar's first pane, with the
// information beep when `beep` is set.
void StatusFromTable(int id, std::initializer_list<FormatArg> args = {}, bool beep = false);

// A box with a text of its own (the editor's save-changes question), caption "NUV".
int MessageBoxText(const QString& text, int style);
