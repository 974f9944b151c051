// The reader fed a few thousand random files and files mutated from a valid
// one: it never crashes or hangs, ends with one of its statuses, and whatever
// comes out is safe to restore.
#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

#include "RecordBytes.h"
#include "config/CConfigFile.h"
#include "config/CWorkspaceReader.h"
#include "config/PlacementRules.h"

namespace {

QByteArray ValidFile()
{
    RecordBytes file = ValidFileUpToWindows();
    file.Record(11).Place(1, 0, 0, 300, 200).PutText(52, "/m/café.nuv").Put(312, 3).Put(316, 1);
    file.Record(11).Place(3, 20, 20, 320, 220).PutText(52, "Untitled").Put(312, 1).Put(316, 0);
    file.Record(10).Place(1, 0, 300, 600, 500);
    file.Record(11).Place(2, 40, 40, 340, 240).PutText(52, "/m/€😀.nuv").Put(312, 9).Put(316, 12);
    return file.End().bytes;
}

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    QByteArray Next(const QByteArray& valid)
    {
        switch (Below(7)) {
        case 0: return RandomBytes(Below(4) == 0 ? Below(2000) : 380 * (1 + Below(12)));
        case 1: return FlipBytes(valid, 1 + Below(20));
        case 2: return PutNumbers(valid, 1 + Below(6));
        case 3: return valid.left(Below(static_cast<int>(valid.size()) + 1));
        case 4: return valid + RandomBytes(Below(800));
        case 5: return ShuffleRecords(valid);
        default: return PutNumbers(FlipBytes(valid, Below(5)), Below(4));
        }
    }

private:
    int Below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    QByteArray RandomBytes(int size)
    {
        QByteArray bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(Below(256));
        return bytes;
    }

    QByteArray FlipBytes(QByteArray bytes, int count)
    {
        for (int i = 0; i < count && !bytes.isEmpty(); ++i)
            bytes[Below(static_cast<int>(bytes.size()))] = static_cast<char>(Below(256));
        return bytes;
    }

    // Values that hit the boundaries, put where the fields are: types, show
    // commands, rectangles, carets, font heights, the header's magic.
    QByteArray PutNumbers(QByteArray bytes, int count)
    {
        static const std::int32_t values[] = {0, 1, 2, 3, 7, 8, 9, 10, 11, 12, 13, -1, 32767, 32768, 65536,
                                              9995999, INT32_MAX, INT32_MIN, -1000000, 500, 501};
        static const int offsets[] = {0, 8, 12, 32, 36, 40, 44, 48, 312, 316, 320, 336};
        const int records = static_cast<int>(bytes.size() / 380);
        for (int i = 0; i < count && records > 0; ++i) {
            const std::int32_t value = values[Below(static_cast<int>(std::size(values)))];
            const int at = 380 * Below(records) + offsets[Below(static_cast<int>(std::size(offsets)))];
            std::memcpy(bytes.data() + at, &value, 4);
        }
        return bytes;
    }

    QByteArray ShuffleRecords(const QByteArray& bytes)
    {
        std::vector<QByteArray> records;
        for (qsizetype at = 0; at + 380 <= bytes.size(); at += 380)
            records.push_back(bytes.mid(at, 380));
        if (records.size() > 2)
            std::shuffle(records.begin() + 1, records.end(), m_random);  // the header stays first
        if (!records.empty() && Below(2))
            records.erase(records.begin() + Below(static_cast<int>(records.size())));
        if (!records.empty() && Below(2))
            records.push_back(records[static_cast<std::size_t>(Below(static_cast<int>(records.size())))]);
        QByteArray out;
        for (const QByteArray& r : records)
            out += r;
        return out;
    }

    std::mt19937 m_random;
};

void ExpectSafe(const WINDOWPLACEMENT& p)
{
    EXPECT_TRUE(p.showCmd == SW_SHOWNORMAL || p.showCmd == SW_SHOWMINIMIZED || p.showCmd == SW_SHOWMAXIMIZED);
    const RECT& r = p.rcNormalPosition;
    if (HasPlace(p)) {
        EXPECT_LE(r.right - r.left, kMaxWindowExtent);
        EXPECT_LE(r.bottom - r.top, kMaxWindowExtent);
        EXPECT_LE(std::abs(r.left), kMaxCorner);
        EXPECT_LE(std::abs(r.top), kMaxCorner);
        const RECT on = PlacedOnBounds(p, {QRect(0, 0, 1280, 1024)}).rcNormalPosition;
        EXPECT_TRUE(QRect(0, 0, 1280, 1024).intersects(QRect(on.left, on.top, on.right - on.left, on.bottom - on.top)));
    } else {
        EXPECT_EQ(std::vector<int>({r.left, r.top, r.right, r.bottom}), std::vector<int>(4, 0));
    }
}

}  // namespace

TEST(ReaderFuzz, RandomAndMutatedFilesGiveAStatusAndSafeValues)
{
    const QByteArray valid = ValidFile();
    {
        SavedFrame frame;
        std::vector<SavedWindow> windows;
        ASSERT_EQ(CWorkspaceReader::ReadBytes(valid.constData(), static_cast<std::size_t>(valid.size()), &frame, &windows),
                  CFG_OK);
        ASSERT_EQ(windows.size(), 4u) << "the file the mutations start from is whole";
    }
    const int statuses[] = {CFG_OK, 182, 185, 186, 187, 188};
    Mutator mutate(20261207);
    int restorable = 0;
    for (int i = 0; i < 4000; ++i) {
        const QByteArray bytes = mutate.Next(valid);
        SavedFrame frame;
        std::vector<SavedWindow> windows;
        const int status = CWorkspaceReader::ReadBytes(bytes.constData(), static_cast<std::size_t>(bytes.size()), &frame, &windows);
        ASSERT_NE(std::find(std::begin(statuses), std::end(statuses), status), std::end(statuses)) << "file " << i;
        if (frame.hasFrame) {
            ExpectSafe(frame.placement);
            if (frame.hasFont) {
                EXPECT_TRUE(FontUsable(frame.font));
            }
        } else {
            EXPECT_FALSE(frame.hasStatusBar || frame.hasToolBar);
        }
        int outputs = 0;
        for (const SavedWindow& w : windows) {
            ExpectSafe(w.placement);
            if (!w.isEditor) {
                ++outputs;
                continue;
            }
            ASSERT_NE(std::memchr(w.name, 0, sizeof w.name), nullptr);
            EXPECT_NE(w.name[0], '\0');
            EXPECT_GE(w.line, -1);
            EXPECT_GE(w.column, 1);
            EXPECT_LE(w.column, CWorkspaceReader::kMaxColumn);
        }
        EXPECT_LE(outputs, 1);
        restorable += windows.empty() ? 0 : 1;
        if (HasFailure())
            FAIL() << "file " << i << " (" << bytes.size() << " bytes): " << bytes.toHex().left(400).constData();
    }
    // The mutations reach the records, not only the header check.
    EXPECT_GT(restorable, 400);
}
