#pragma once
// Workspace files written out byte by byte, independently of the program's own
// record code: each record 380 bytes, integers little-endian.
#include <QByteArray>
#include <cstdint>
#include <string>

class RecordBytes {
public:
    // Appends a zero-filled record of `type`; later Put calls write into it.
    RecordBytes& Record(std::int32_t type);
    RecordBytes& Put(int offset, std::int64_t value);
    RecordBytes& PutByte(int offset, unsigned char value);
    RecordBytes& PutText(int offset, const std::string& text);
    // A window record's placement at offset 4: show command and normal rectangle.
    RecordBytes& Place(std::uint32_t showCmd, int left, int top, int right, int bottom);
    // The header record and its end, the skeleton's first two records.
    RecordBytes& Header();
    RecordBytes& Section(std::int32_t type) { return Record(type); }
    RecordBytes& End() { return Record(8); }

    QByteArray bytes;

private:
    int m_at = 0;
};

// The skeleton around the records most tests need: frame section with a frame
// record at (10, 20)-(610, 420) maximised, both bars' records, and an empty window
// section whose end is NOT written (callers add window records, then End()).
RecordBytes ValidFileUpToWindows();
