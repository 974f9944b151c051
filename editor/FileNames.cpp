#include "editor/FileNames.h"

#include <cstring>
#include <vector>

std::string BackupName(const char* fileName)
{
    std::string name(fileName);
    for (auto it = name.rbegin(); it != name.rend(); ++it) {
        if (*it == '/')
            break;
        if (*it == '.') {
            if (!name.empty())
                name.back() = '$';
            return name;
        }
    }
    return name + ".nu$";
}

bool SameFileName(const char* a, const char* b)
{
    return a && b && std::strcmp(a, b) == 0;
}

std::string JoinedPath(const std::string& directory, const std::string& name)
{
    const std::string whole = !name.empty() && name.front() == '/' ? name : directory + "/" + name;
    std::vector<std::string> segments;
    std::size_t from = 0;
    while (from <= whole.size()) {
        std::size_t to = whole.find('/', from);
        if (to == std::string::npos)
            to = whole.size();
        const std::string segment = whole.substr(from, to - from);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        from = to + 1;
    }
    std::string joined;
    for (const std::string& segment : segments)
        joined += "/" + segment;
    return joined.empty() ? "/" : joined;
}
