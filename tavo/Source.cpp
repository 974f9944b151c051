#include "Source.h"

namespace tavo {

std::string FormatErrorLine(const SourceFiles &files, const Error &error)
{
    const std::string &path = error.loc.file < files.size() ? files[error.loc.file] : files.at(0);
    return path + "(" + std::to_string(error.loc.line) + "): " + error.message + "\n";
}

} // namespace tavo
