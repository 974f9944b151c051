// Reads model and include files from the disk.
#pragma once

#include "SourceReader.h"

namespace tavo {

class DiskReader final : public SourceReader {
public:
    // Only regular files: a pipe or a device could block the run or never end.
    bool Read(const std::string &path, std::size_t maxBytes, std::string &text, FileId &id,
              std::string &why) const override;
};

} // namespace tavo
