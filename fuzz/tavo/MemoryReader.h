// Model and include files held in memory, so that a fuzzer can try includes without a disk.
#pragma once

#include "SourceReader.h"

#include <map>
#include <string>

class MemoryReader final : public tavo::SourceReader {
public:
    // Adds or replaces the file at `path`.
    void Add(const std::string &path, std::string text);
    // The text of the file `path` names, or nullptr.
    const std::string *Find(const std::string &path) const;

    bool Read(const std::string &path, std::size_t maxBytes, std::string &text, tavo::FileId &id,
              std::string &why) const override;

    // `path` with "." and empty parts dropped and ".." taking back the part before it, so that
    // every spelling of a file finds it, as on a disk.
    static std::string Normalise(const std::string &path);

private:
    std::map<std::string, std::string> files_;
};
