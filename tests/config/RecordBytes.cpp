#include "RecordBytes.h"

RecordBytes& RecordBytes::Record(std::int32_t type)
{
    m_at = static_cast<int>(bytes.size());
    bytes.append(QByteArray(380, '\0'));
    return Put(0, type);
}

RecordBytes& RecordBytes::Put(int offset, std::int64_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[m_at + offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
}

RecordBytes& RecordBytes::PutByte(int offset, unsigned char value)
{
    bytes[m_at + offset] = static_cast<char>(value);
    return *this;
}

RecordBytes& RecordBytes::PutText(int offset, const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes[m_at + offset + static_cast<int>(i)] = text[i];
    return *this;
}

RecordBytes& RecordBytes::Place(std::uint32_t showCmd, int left, int top, int right, int bottom)
{
    Put(4, 44).Put(12, showCmd);
    Put(16, -1).Put(20, -1).Put(24, -1).Put(28, -1);
    return Put(32, left).Put(36, top).Put(40, right).Put(44, bottom);
}

RecordBytes& RecordBytes::Header()
{
    return Record(3).Put(316, 9995999).End();
}

RecordBytes ValidFileUpToWindows()
{
    RecordBytes file;
    file.Header();
    file.Section(4).Record(9).Place(3, 10, 20, 610, 420).Put(48, 1).Put(320, -16).Put(336, 400).PutText(348, "Sans");
    file.End();
    file.Section(5).Record(12).Put(48, 0).End();
    file.Section(6).Record(13).Put(48, 1).End();
    file.Section(7);
    return file;
}
