// Where the preprocessor takes the text of a model and of its include files from: the disk
// when the environment runs a model, memory when a fuzzer does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavo {

// Names a file whatever path leads to it, so that an include cycle is found through any spelling.
struct FileId {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const FileId &) const = default;
};

class SourceReader {
public:
    virtual ~SourceReader() = default;
    // Reads the whole file at `path`, which must hold at most `maxBytes`. On failure returns
    // false with the reason in `why`, a phrase such as "No such file or directory".
    virtual bool Read(const std::string &path, std::size_t maxBytes, std::string &text, FileId &id,
                      std::string &why) const = 0;
};

} // namespace tavo
