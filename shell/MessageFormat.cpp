#include "shell/MessageFormat.h"

#include <vector>

#include "platform/Utf8Limits.h"

namespace {

// A missing argument formats as nothing; a number given for %s (or a text for
// %d) is shown as what it is rather than reinterpreted.
std::string ArgText(const FormatArg* arg)
{
    if (!arg)
        return {};
    return arg->isNumber ? std::to_string(arg->number) : std::string(arg->text);
}

// `format` with the texts in order, without any bound.
std::string Expand(const char* format, const std::vector<std::string>& texts)
{
    std::string out;
    std::size_t next = 0;
    for (const char* p = format ? format : ""; *p; ++p) {
        if (*p != '%' || (p[1] != 's' && p[1] != 'd' && p[1] != '%')) {
            out += *p;
            continue;
        }
        ++p;
        if (*p == '%')
            out += '%';
        else if (next < texts.size())
            out += texts[next++];
    }
    return out;
}

// `path` shortened by at least `excess` bytes in its middle: its start, "...",
// and its file name whole, so that the message still names the file. Empty
// when even that does not make it short enough.
std::string ShortenedPath(const std::string& path, std::size_t excess)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0 || excess + 3 > path.size())
        return {};
    const std::size_t keep = path.size() - excess - 3;  // bytes of the path that stay
    const std::size_t tail = path.size() - slash;
    if (keep < tail + 1)
        return {};
    const std::size_t head = Utf8BoundedLength(path.data(), path.size(), keep - tail + 1);
    return path.substr(0, head) + "..." + path.substr(slash);
}

}  // namespace

std::string FormatBounded(const char* format, std::initializer_list<FormatArg> args, std::size_t capacity)
{
    return FormatBounded(format, std::span<const FormatArg>(args.begin(), args.size()), capacity);
}

std::string FormatBounded(const char* format, std::span<const FormatArg> args, std::size_t capacity)
{
    std::vector<std::string> texts;
    for (const FormatArg& arg : args)
        texts.push_back(ArgText(&arg));
    std::string out = Expand(format, texts);
    // A path too long for the buffer loses its middle rather than its file name.
    while (out.size() >= capacity && capacity > 0) {
        std::string* longest = nullptr;
        for (std::string& text : texts) {
            if (text.find('/') != std::string::npos && (!longest || text.size() > longest->size()))
                longest = &text;
        }
        const std::string shorter = longest ? ShortenedPath(*longest, out.size() - (capacity - 1)) : std::string();
        if (shorter.empty())
            break;
        *longest = shorter;
        out = Expand(format, texts);
    }
    out.resize(Utf8BoundedLength(out.data(), out.size(), capacity));
    return out;
}
