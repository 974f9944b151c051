#pragma once
// The child windows print through the print routine, which lives in a layer
// above them; the application installs it here. Until it does, printing does
// nothing.
#include <functional>

// Receives the text to print and the title for the top of every page, both
// zero-terminated bytes. The text is decoded as the window shows it: each line
// as UTF-8 when it is valid UTF-8, else as Latin-1. The editor hands over its
// text as UTF-8; the output window its stored lines, each followed by CR LF.
using PrintHandler = std::function<void(const char* text, const char* title)>;

void SetPrintHandler(PrintHandler handler);  // an empty handler uninstalls
void PrintTextThroughHandler(const char* text, const char* title);
