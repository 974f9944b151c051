#include "shell/MessageFromTable.h"

#include <string>
#include <vector>

#include "platform/FileNameText.h"
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

// The inserted texts are mostly file names, which are bytes: each joins the
// UTF-8 message as it reads (UTF-8 when it is, else Latin-1), so that a name
// shows as in its window's title and no byte turns into a stand-in.
QString FormatFromTable(int id, std::initializer_list<FormatArg> args)
{
    const char* format = LoadStringEntry(id);
    std::vector<std::string> texts;
    texts.reserve(args.size());
    std::vector<FormatArg> shown;
    shown.reserve(args.size());
    for (const FormatArg& arg : args) {
        if (arg.isNumber) {
            shown.push_back(arg);
        } else {
            texts.push_back(FileNameTextUtf8(arg.text));
            shown.emplace_back(texts.back().c_str());
        }
    }
    return QString::fromUtf8(FormatBounded(format ? format : "", shown));
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
