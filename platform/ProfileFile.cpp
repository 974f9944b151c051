#include "platform/ProfileFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The profile is a few lines; anything much larger is not ours to parse.
constexpr std::size_t kMaxProfileBytes = 1 << 20;

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// O_NONBLOCK and the regular-file check: a FIFO planted under the name must
// not stop the run.
bool ReadSmallFile(const std::string& path, std::string* text)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= kMaxProfileBytes;
    char buffer[4096];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        text->append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

bool ParseInt(const std::string& text, int* value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    *value = static_cast<int>(parsed);
    return true;
}

}  // namespace

std::string ProfileFile::Path()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config)
        return std::string(config) + "/nuv/nuv.ini";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "") + "/.config/nuv/nuv.ini";
}

int ProfileFile::GetInt(const char* section, const char* key, int defaultValue)
{
    std::string text;
    if (!ReadSmallFile(Path(), &text))
        return defaultValue;
    const std::string header = std::string("[") + section + "]";
    bool inSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            inSection = line == header;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos || Trimmed(line.substr(0, equals)) != key)
            continue;
        int value = 0;
        return ParseInt(Trimmed(line.substr(equals + 1)), &value) ? value : defaultValue;
    }
    return defaultValue;
}
