#include "Source.h"

namespace tavo {

std::string FormatErrorLine(const SourceFiles &files, const Error &error)
{
    const std::string &path = error.loc.file < files.size() ? files[error.loc.file] : files.at(0);
    return path + "(" + std::to_string(error.loc.line) + "): " + error.message + "\n";
}

std::string SizeText(std::size_t bytes)
{
    constexpr std::size_t kMegabyte = 1024 * 1024;
    if (bytes >= kMegabyte && bytes % kMegabyte == 0)
        return std::to_string(bytes / kMegabyte) + " MB";
    return std::to_string(bytes) + " bytes";
}

} // namespace tavo
