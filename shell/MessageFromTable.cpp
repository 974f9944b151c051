#include "shell/MessageFromTable.h"

#include "platform/Prompts.h"
#include "res/StringTable.h"
#include "shell/IMainFrame.h"

namespace {

QWidget* Owner()
{
    IMainFrame* frame = TheFrame();
    return frame ? frame->Window() : nullptr;
}

QString Caption()
{
    return QString::fromUtf8(LoadStringEntry(IDS_NUV));
}

}  // namespace

QString FormatFromTable(int id, std::initializer_list<FormatArg> args)
{
    const char* format = LoadStringEntry(id);
    return QString::fromUtf8(FormatBounded(format ? format : "", args));
}

int MessageFromTable(int id, int style, std::initializer_list<FormatArg> args)
{
    return Prompts().MessageBox(Owner(), FormatFromTable(id, args), Caption(), style);
}

void StatusFromTable(int id, std::initializer_list<FormatArg> args, bool beep)
{
    if (IMainFrame* frame = TheFrame())
        frame->SetMessageText(FormatFromTable(id, args));
    if (beep)
        Prompts().Beep(MB_ICONASTERISK);
}

int MessageBoxText(const QString& text, int style)
{
    return Prompts().MessageBox(Owner(), text, Caption(), style);
}
