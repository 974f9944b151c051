#include "shell/MessageFormat.h"

#include "platform/TextLimits.h"

namespace {

// A missing argument formats as nothing; a number given for %s (or a text for
// %d) is shown as what it is rather than reinterpreted.
std::string ArgText(const FormatArg* arg)
{
    if (!arg)
        return {};
    return arg->isNumber ? std::to_string(arg->number) : std::string(arg->text);
}

}  // namespace

std::string FormatBounded(const char* format, std::initializer_list<FormatArg> args, std::size_t capacity)
{
    std::string out;
    const FormatArg* next = args.begin();
    for (const char* p = format ? format : ""; *p; ++p) {
        if (*p != '%' || (p[1] != 's' && p[1] != 'd' && p[1] != '%')) {
            out += *p;
            continue;
        }
        ++p;
        if (*p == '%') {
            out += '%';
            continue;
        }
        const FormatArg* arg = next != args.end() ? next++ : nullptr;
        out += ArgText(arg);
        if (out.size() >= capacity)
            break;
    }
    out.resize(Utf8BoundedLength(out.data(), out.size(), capacity));
    return out;
}
