#include "batch/BatchMessages.h"

#include <cerrno>
#include <unistd.h>

#include "res/StringTable.h"

namespace {
// Far beyond any path: the formatter shortens nothing.
constexpr std::size_t kUnbounded = 1 << 20;
}  // namespace

void ReportLine(const std::string& text)
{
    // One write, so that lines of runs sharing a terminal do not interleave.
    const std::string line = "nuv-run: " + text + "\n";
    const int saved = errno;
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    errno = saved;
}

void ReportMessage(int id, std::initializer_list<FormatArg> args, const std::string& detail)
{
    const char* format = LoadStringEntry(id);
    std::string text = FormatBounded(format ? format : "", args, kUnbounded);
    if (!detail.empty())
        text += " (" + detail + ")";
    ReportLine(text);
}
