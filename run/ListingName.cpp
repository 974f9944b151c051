#include "run/ListingName.h"

#include <cstring>

BOOL MakeListingName(const char* modelPath, char* name)
{
    static const char kExtension[] = ".prp";
    name[0] = '\0';
    std::size_t stem = std::strlen(modelPath);
    if (stem > 0 && modelPath[stem - 1] == '.') {
        --stem;
    } else {
        for (std::size_t i = stem; i > 0 && modelPath[i - 1] != '/'; --i) {
            if (modelPath[i - 1] == '.') {
                stem = i - 1;
                break;
            }
        }
    }
    if (stem + sizeof kExtension > static_cast<std::size_t>(MAX_PATH))
        return FALSE;
    std::memcpy(name, modelPath, stem);
    std::memcpy(name + stem, kExtension, sizeof kExtension);
    return TRUE;
}
