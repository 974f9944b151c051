#include "output/COutputSelection.h"

#include <QChar>
#include <algorithm>
#include <cstring>

#include "output/COutputLineText.h"
#include "output/COutputStore.h"
#include "output/OutputSeams.h"

namespace {

// The UTF-8 of characters [from, to) of a line, written at `out` unless it is
// null: the bytes it takes.
std::size_t PutUtf8(char* out, const COutputLineText& text, int from, int to)
{
    const char* bytes = text.Bytes();
    const std::size_t begin = text.ByteOf(from);
    const std::size_t end = text.ByteOf(to);
    if (text.IsUtf8()) {
        if (out)
            std::memcpy(out, bytes + begin, end - begin);
        return end - begin;
    }
    std::size_t written = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            if (out)
                out[written] = static_cast<char>(c);
            written += 1;
        } else {
            if (out) {
                out[written] = static_cast<char>(0xC0 | (c >> 6));
                out[written + 1] = static_cast<char>(0x80 | (c & 0x3F));
            }
            written += 2;
        }
    }
    return written;
}

// The selected text of `store`, written at `out` unless it is null: the bytes
// it takes, or more than `limit` once it is known to exceed it.
std::size_t PutSelection(const COutputSelection& selection, const COutputStore& store, char* out, std::size_t limit)
{
    const int first = std::max(selection.Begin().line, 0);
    const int last = std::min(selection.End().line, store.m_nCount - 1);
    std::size_t total = 0;
    for (int i = first; i <= last && total <= limit; ++i) {
        const COutputLineText line = store.LineText(i);
        int from = 0, to = 0;
        bool lineBreak = false;
        if (!selection.PartOfLine(i, line.Length(), &from, &to, &lineBreak))
            continue;
        total += PutUtf8(out ? out + total : nullptr, line, from, to);
        if (lineBreak) {
            if (out)
                out[total] = '\n';
            total += 1;
        }
    }
    return total;
}

enum class CharacterClass { Word, Blank, Other };

CharacterClass ClassOf(char32_t c)
{
    if (c == U'_' || QChar::isLetterOrNumber(c))
        return CharacterClass::Word;
    if (QChar::isSpace(c))
        return CharacterClass::Blank;
    return CharacterClass::Other;
}

// Reads a line's characters at byte offsets, in either direction.
class CharacterReader {
public:
    explicit CharacterReader(const COutputLineText& text)
        : m_bUtf8(text.IsUtf8()), m_pBytes(text.Bytes()), m_nLength(text.ByteLength())
    {
    }
    // The character at byte `at`, and where the next one starts.
    char32_t At(std::size_t at, std::size_t* next) const
    {
        if (!m_bUtf8) {
            *next = at + 1;
            return static_cast<unsigned char>(m_pBytes[at]);
        }
        int size = 1;
        const char32_t c = COutputLineText::DecodeAt(m_pBytes + at, &size);
        *next = at + static_cast<std::size_t>(size);
        return c;
    }
    // Where the character before byte `at` starts (`at` > 0).
    std::size_t Before(std::size_t at) const
    {
        std::size_t start = at - 1;
        while (m_bUtf8 && start > 0 && (static_cast<unsigned char>(m_pBytes[start]) & 0xC0) == 0x80)
            --start;
        return start;
    }
    std::size_t Length() const { return m_nLength; }

private:
    bool m_bUtf8;
    const char* m_pBytes;
    std::size_t m_nLength;
};

}  // namespace

void COutputSelection::Set(Point anchor, Point active)
{
    m_anchor = anchor;
    m_active = active;
}

// Between points on two lines lies at least a line break; on one line only
// the columns count, up to the line's end.
bool COutputSelection::Empty(const COutputStore& store) const
{
    const Point begin = Begin();
    const Point end = End();
    if (begin.line != end.line)
        return false;
    if (begin.column == end.column || begin.line < 0 || begin.line >= store.m_nCount)
        return true;
    return begin.column >= store.LineText(begin.line).Length();
}

bool COutputSelection::PartOfLine(int line, int length, int* from, int* to, bool* lineBreak) const
{
    const Point begin = Begin();
    const Point end = End();
    if (line < begin.line || line > end.line)
        return false;
    *from = line == begin.line ? std::clamp(begin.column, 0, length) : 0;
    *to = line == end.line ? std::clamp(end.column, 0, length) : length;
    *lineBreak = line < end.line;
    return *from < *to || *lineBreak;
}

// Measured first, without building anything, so that a selection too large
// for the limit costs no more than reading up to the limit.
COutputSelection::CopyResult COutputSelection::Text(const COutputStore& store, std::size_t limit, char** text,
                                                    std::size_t* length) const
{
    *text = nullptr;
    *length = 0;
    const std::size_t total = PutSelection(*this, store, nullptr, limit);
    if (total > limit)
        return CopyResult::TooLarge;
    char* block = static_cast<char*>(OutputMalloc(total > 0 ? total : 1));
    if (!block)
        return CopyResult::NoMemory;
    PutSelection(*this, store, block, total);
    *text = block;
    *length = total;
    return CopyResult::Ok;
}

void COutputSelection::WordAt(const COutputStore& store, int line, int column, int* from, int* to)
{
    *from = *to = std::max(column, 0);
    if (line < 0 || line >= store.m_nCount)
        return;
    const COutputLineText text = store.LineText(line);
    if (column < 0 || column >= text.Length()) {
        *from = *to = std::clamp(column, 0, text.Length());
        return;
    }
    const CharacterReader reader(text);
    const std::size_t at = text.ByteOf(column);
    std::size_t next = 0;
    const CharacterClass kind = ClassOf(reader.At(at, &next));
    *to = column + 1;
    if (kind == CharacterClass::Other)
        return;
    for (std::size_t after = 0; next < reader.Length() && ClassOf(reader.At(next, &after)) == kind; next = after)
        ++*to;
    for (std::size_t start = at; start > 0;) {
        const std::size_t before = reader.Before(start);
        std::size_t ignored = 0;
        if (ClassOf(reader.At(before, &ignored)) != kind)
            break;
        start = before;
        --*from;
    }
}
