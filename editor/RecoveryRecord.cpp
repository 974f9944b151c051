#include "editor/RecoveryRecord.h"

#include <cstring>

namespace {

constexpr char kMagic[8] = {'N', 'U', 'V', 'R', 'E', 'C', 'O', 'V'};
constexpr uint32_t kVersion = 1;
constexpr uint32_t kUntitled = 1;

void Put(std::string* out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Reads little-endian fields and byte runs, refusing to step past the end.
class Reader {
public:
    Reader(const char* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Take(int bytes, uint64_t* value)
    {
        if (m_size - m_at < static_cast<std::size_t>(bytes))
            return false;
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= static_cast<uint64_t>(static_cast<unsigned char>(m_data[m_at + i])) << (8 * i);
        m_at += static_cast<std::size_t>(bytes);
        *value = v;
        return true;
    }
    bool Run(std::size_t length, std::string* out)
    {
        if (m_size - m_at < length)
            return false;
        out->assign(m_data + m_at, length);
        m_at += length;
        return true;
    }
    bool AtEnd() const { return m_at == m_size; }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

}  // namespace

std::string EncodeRecoveryRecord(const RecoveryRecord& record)
{
    std::string out(kMagic, sizeof kMagic);
    Put(&out, kVersion, 4);
    Put(&out, record.untitled ? kUntitled : 0, 4);
    Put(&out, static_cast<uint32_t>(record.line0), 4);
    Put(&out, static_cast<uint32_t>(record.column1), 4);
    Put(&out, static_cast<uint64_t>(record.timeMs), 8);
    Put(&out, record.fileName.size(), 4);
    out += record.fileName;
    Put(&out, record.bytes.size(), 4);
    out += record.bytes;
    return out;
}

bool DecodeRecoveryRecord(const char* data, std::size_t size, RecoveryRecord* record)
{
    if (!data || size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return false;
    Reader in(data + sizeof kMagic, size - sizeof kMagic);
    uint64_t version = 0, flags = 0, line = 0, column = 0, time = 0, nameLength = 0, textLength = 0;
    RecoveryRecord read;
    if (!in.Take(4, &version) || version != kVersion || !in.Take(4, &flags) || !in.Take(4, &line) ||
        !in.Take(4, &column) || !in.Take(8, &time) || !in.Take(4, &nameLength) || !in.Run(nameLength, &read.fileName) ||
        !in.Take(4, &textLength) || !in.Run(textLength, &read.bytes) || !in.AtEnd())
        return false;
    if ((flags & ~static_cast<uint64_t>(kUntitled)) != 0)
        return false;  // flags this version does not know
    read.untitled = (flags & kUntitled) != 0;
    read.line0 = static_cast<int32_t>(static_cast<uint32_t>(line));
    read.column1 = static_cast<int32_t>(static_cast<uint32_t>(column));
    read.timeMs = static_cast<int64_t>(time);
    if (read.line0 < 0 || read.column1 < 1 || read.fileName.find('\0') != std::string::npos)
        return false;
    *record = std::move(read);
    return true;
}
