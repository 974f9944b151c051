#pragma once
// Copying into fixed buffers without overrunning them and without cutting a
// multi-byte UTF-8 character in two; plain C++, for the layers without Qt.
#include <cstddef>

// Length of the longest prefix of `text` (of `length` bytes) that fits in
// `capacity` - 1 bytes and does not end inside a UTF-8 sequence.
std::size_t Utf8BoundedLength(const char* text, std::size_t length, std::size_t capacity);
// Copies `text` whole or not at all; false when it does not fit with its zero.
bool CopyWhole(char* buffer, std::size_t capacity, const char* text);
