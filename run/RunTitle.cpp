#include "run/RunTitle.h"

#include <cstring>
#include <string>

#include "platform/TextLimits.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

namespace {

const char* BaseName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

}  // namespace

QString RunningTitle(const char* modelPath)
{
    const std::string name = BaseName(modelPath ? modelPath : "");
    const char* format = LoadStringEntry(IDS_RUNNING_TITLE);
    // The bytes of the format around its %s.
    const std::size_t frame = std::strlen(format) - 2;
    const std::size_t room = kRunTitleSize - 1 - frame;
    if (name.size() <= room)
        return FormatFromTable(IDS_RUNNING_TITLE, {name.c_str()});
    static const char kMark[] = "...";
    const std::size_t kept = Utf8BoundedLength(name.data(), name.size(), room - (sizeof kMark - 1) + 1);
    const std::string shortened = name.substr(0, kept) + kMark;
    return FormatFromTable(IDS_RUNNING_TITLE, {shortened.c_str()});
}
