#pragma once
// A recovery copy of one editor window's unsaved text, as it lies on disk.
//
// Layout, integers little-endian: "NUVRECOV", version (u32, 1), flags (u32,
// bit 0: untitled), caret line (i32, from 0), caret column (i32, from 1, in
// characters), time written (i64, ms since the epoch), name length (u32) and
// the name's bytes, text length (u32) and the text's bytes: the bytes the
// window would save, without the zero a save appends. Nothing follows.
#include <cstddef>
#include <cstdint>
#include <string>

struct RecoveryRecord {
    bool untitled = true;
    std::string fileName;  // the window's file name; empty when untitled
    int line0 = 0;
    int column1 = 1;
    int64_t timeMs = 0;
    std::string bytes;
};

std::string EncodeRecoveryRecord(const RecoveryRecord& record);
// False, *record untouched, for anything but a whole, well-formed copy.
bool DecodeRecoveryRecord(const char* data, std::size_t size, RecoveryRecord* record);
