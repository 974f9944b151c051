#pragma once
// One record of the workspace file _nuv_.cfg: 380 bytes, 32-bit little-endian
// integers, every byte not set by a field zero. The layout by offset:
//     0  type
//     4  WINDOWPLACEMENT (44 bytes)            window records (9, 10, 11)
//    48  active flag / bar visible flag       window and bar records
//    52  file name, 260 bytes, zero-terminated editor records (11)
//   312  caret column, from 1                 editor records
//   316  caret line, from 0                   editor records; the header's magic
//   320  LOGFONTA (60 bytes)                  frame and editor records (9, 11)
#include <cstddef>
#include <cstdint>

#include "platform/Win32Types.h"

inline constexpr std::size_t kRecordSize = 380;
inline constexpr std::int32_t CFG_MAGIC = 9995999;

// Record types: the header, the five section headers, the end of a section,
// and the records the sections hold.
enum ConfigRecordType : std::int32_t {
    kRecordHeader = 3,
    kSectionFrame = 4,
    kSectionStatusBar = 5,
    kSectionToolBar = 6,
    kSectionWindows = 7,
    kSectionEnd = 8,
    kRecordFrame = 9,
    kRecordOutput = 10,
    kRecordEditor = 11,
    kRecordStatusBar = 12,
    kRecordToolBar = 13,
};

struct ConfigRecord {
    std::int32_t type = 0;
    WINDOWPLACEMENT placement{};
    std::int32_t active = 0;  // also a bar record's visible flag
    char name[MAX_PATH] = {};  // not necessarily terminated in a record read
    std::int32_t column = 0;
    std::int32_t line = 0;     // the header record keeps CFG_MAGIC here
    LOGFONTA font{};

    // The record's 380 bytes into `out`, unset bytes zero.
    void Encode(unsigned char* out) const;
    // The fields of the 380 bytes at `in`.
    static ConfigRecord Decode(const unsigned char* in);
    // True when the name field holds a zero byte.
    bool NameTerminated() const;
};
