#include "shell/PrintHandler.h"

#include <utility>

namespace {
PrintHandler& Handler()
{
    static PrintHandler handler;
    return handler;
}
}  // namespace

void SetPrintHandler(PrintHandler handler)
{
    Handler() = std::move(handler);
}

void PrintTextThroughHandler(const char* text, const char* title)
{
    if (Handler())
        Handler()(text, title);
}
