#include "editor/FileNames.h"

#include <cstring>

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
