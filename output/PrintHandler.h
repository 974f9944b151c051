#pragma once
// The output window prints through the print routine, which comes with the
// printing layer. Until that layer installs its handler, printing does nothing.
#include <functional>

// Receives the whole text (lines joined, each followed by CR LF) and the title.
using PrintHandler = std::function<void(const char* text, const char* title)>;

void SetPrintHandler(PrintHandler handler);  // an empty handler uninstalls
void PrintTextThroughHandler(const char* text, const char* title);
