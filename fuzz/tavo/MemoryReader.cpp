#include "MemoryReader.h"

#include "Source.h"

#include <iterator>
#include <vector>

void MemoryReader::Add(const std::string &path, std::string text)
{
    files_[Normalise(path)] = std::move(text);
}

const std::string *MemoryReader::Find(const std::string &path) const
{
    const auto it = files_.find(Normalise(path));
    return it == files_.end() ? nullptr : &it->second;
}

bool MemoryReader::Read(const std::string &path, std::size_t maxBytes, std::string &text, tavo::FileId &id,
                        std::string &why) const
{
    const auto it = files_.find(Normalise(path));
    if (it == files_.end()) {
        why = "No such file or directory";
        return false;
    }
    if (it->second.size() > maxBytes) {
        why = "the file is larger than " + tavo::SizeText(maxBytes);
        return false;
    }
    text = it->second;
    id = {1, static_cast<uint64_t>(std::distance(files_.begin(), it)) + 1};
    return true;
}

std::string MemoryReader::Normalise(const std::string &path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == ".." && !parts.empty() && parts.back() != "..")
            parts.pop_back();
        else if (!part.empty() && part != ".")
            parts.push_back(part);
        start = end + 1;
    }
    std::string normal = !path.empty() && path.front() == '/' ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i)
        normal += (i ? "/" : "") + parts[i];
    return normal;
}
