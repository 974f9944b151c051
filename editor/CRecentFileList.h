#pragma once
// The four most recently used model files, most recent first, kept in the
// profile section "Recent File List" under the keys File1 to File4.
#include <array>
#include <string>

class CRecentFileList {
public:
    static constexpr int kSize = 4;

    // Puts `name` at the top. An equal entry among the first three moves up;
    // otherwise the others move down and the oldest entry is dropped.
    void Add(const char* name);
    // Entry `index` moves to the top; the entries above it move down by one.
    void MoveToTop(int index);

    const std::array<std::string, kSize>& entries() const { return m_entries; }
    // The entry, or an empty string for an index out of range.
    const std::string& Entry(int index) const;

    // Replaces the entries by the profile's.
    void Read();
    // Writes the entries to the profile, stopping at the first empty one.
    void Write() const;

private:
    std::array<std::string, kSize> m_entries;
};
