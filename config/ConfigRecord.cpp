#include "config/ConfigRecord.h"

#include <cstring>
#include <iterator>

namespace {

constexpr std::size_t kPlacementAt = 4;
constexpr std::size_t kActiveAt = 48;
constexpr std::size_t kNameAt = 52;
constexpr std::size_t kColumnAt = 312;
constexpr std::size_t kLineAt = 316;
constexpr std::size_t kFontAt = 320;

static_assert(kNameAt + MAX_PATH == kColumnAt && kFontAt + sizeof(LOGFONTA) == kRecordSize);

// The file is little-endian whatever the machine is.
class Bytes {
public:
    explicit Bytes(unsigned char* at) : m_at(at) {}
    void Put(std::size_t offset, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_at[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    }
    void PutSigned(std::size_t offset, std::int32_t value) { Put(offset, static_cast<std::uint32_t>(value)); }

private:
    unsigned char* m_at;
};

std::uint32_t Get(const unsigned char* in, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | in[offset + i];
    return value;
}

std::int32_t GetSigned(const unsigned char* in, std::size_t offset)
{
    return static_cast<std::int32_t>(Get(in, offset));
}

void PutPlacement(Bytes& out, std::size_t at, const WINDOWPLACEMENT& p)
{
    const std::uint32_t fields[] = {p.length,
                                    p.flags,
                                    p.showCmd,
                                    static_cast<std::uint32_t>(p.ptMinPosition.x),
                                    static_cast<std::uint32_t>(p.ptMinPosition.y),
                                    static_cast<std::uint32_t>(p.ptMaxPosition.x),
                                    static_cast<std::uint32_t>(p.ptMaxPosition.y),
                                    static_cast<std::uint32_t>(p.rcNormalPosition.left),
                                    static_cast<std::uint32_t>(p.rcNormalPosition.top),
                                    static_cast<std::uint32_t>(p.rcNormalPosition.right),
                                    static_cast<std::uint32_t>(p.rcNormalPosition.bottom)};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        out.Put(at + 4 * i, fields[i]);
}

WINDOWPLACEMENT GetPlacement(const unsigned char* in, std::size_t at)
{
    WINDOWPLACEMENT p{};
    p.length = Get(in, at);
    p.flags = Get(in, at + 4);
    p.showCmd = Get(in, at + 8);
    p.ptMinPosition = {GetSigned(in, at + 12), GetSigned(in, at + 16)};
    p.ptMaxPosition = {GetSigned(in, at + 20), GetSigned(in, at + 24)};
    p.rcNormalPosition = {GetSigned(in, at + 28), GetSigned(in, at + 32), GetSigned(in, at + 36), GetSigned(in, at + 40)};
    return p;
}

void PutFont(Bytes& out, unsigned char* raw, std::size_t at, const LOGFONTA& f)
{
    out.PutSigned(at, f.lfHeight);
    out.PutSigned(at + 4, f.lfWidth);
    out.PutSigned(at + 8, f.lfEscapement);
    out.PutSigned(at + 12, f.lfOrientation);
    out.PutSigned(at + 16, f.lfWeight);
    const std::uint8_t flags[] = {f.lfItalic,       f.lfUnderline,     f.lfStrikeOut, f.lfCharSet,
                                  f.lfOutPrecision, f.lfClipPrecision, f.lfQuality,   f.lfPitchAndFamily};
    std::memcpy(raw + at + 20, flags, sizeof flags);
    std::memcpy(raw + at + 28, f.lfFaceName, LF_FACESIZE);
}

LOGFONTA GetFont(const unsigned char* in, std::size_t at)
{
    LOGFONTA f{};
    f.lfHeight = GetSigned(in, at);
    f.lfWidth = GetSigned(in, at + 4);
    f.lfEscapement = GetSigned(in, at + 8);
    f.lfOrientation = GetSigned(in, at + 12);
    f.lfWeight = GetSigned(in, at + 16);
    const unsigned char* flags = in + at + 20;
    f.lfItalic = flags[0];
    f.lfUnderline = flags[1];
    f.lfStrikeOut = flags[2];
    f.lfCharSet = flags[3];
    f.lfOutPrecision = flags[4];
    f.lfClipPrecision = flags[5];
    f.lfQuality = flags[6];
    f.lfPitchAndFamily = flags[7];
    std::memcpy(f.lfFaceName, in + at + 28, LF_FACESIZE);
    return f;
}

}  // namespace

void ConfigRecord::Encode(unsigned char* out) const
{
    std::memset(out, 0, kRecordSize);
    Bytes bytes(out);
    bytes.PutSigned(0, type);
    PutPlacement(bytes, kPlacementAt, placement);
    bytes.PutSigned(kActiveAt, active);
    std::memcpy(out + kNameAt, name, MAX_PATH);
    bytes.PutSigned(kColumnAt, column);
    bytes.PutSigned(kLineAt, line);
    PutFont(bytes, out, kFontAt, font);
}

ConfigRecord ConfigRecord::Decode(const unsigned char* in)
{
    ConfigRecord r;
    r.type = GetSigned(in, 0);
    r.placement = GetPlacement(in, kPlacementAt);
    r.active = GetSigned(in, kActiveAt);
    std::memcpy(r.name, in + kNameAt, MAX_PATH);
    r.column = GetSigned(in, kColumnAt);
    r.line = GetSigned(in, kLineAt);
    r.font = GetFont(in, kFontAt);
    return r;
}

bool ConfigRecord::NameTerminated() const
{
    return std::memchr(name, 0, MAX_PATH) != nullptr;
}
