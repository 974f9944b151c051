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
    file.Record(10).Place(1, 0, 300, 600, 500);
    file.Record(11).Place(2, 40, 40, 340, 240).PutText(52, "/m/€😀.nuv").Put(312, 9).Put(316, 12);
    return file.End().bytes;
}

// Random files, and mutations of `valid`: bytes flipped, boundary values put
// where the fields are, cut short, lengthened, records shuffled, dropped or
// repeated.
QByteArray Mutated(const QByteArray& valid, std::mt19937& random)
{
    const auto below = [&](int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random); };
    static const std::int32_t values[] = {0, 1, 2, 3, 7, 8, 9, 10, 11, 12, 13, -1, 32767, 32768, 9995999, INT32_MAX, INT32_MIN, 501};
    static const int offsets[] = {0, 8, 12, 32, 36, 40, 44, 48, 312, 316, 320, 336};
    QByteArray bytes = valid;
    switch (below(6)) {
    case 0:
        bytes = QByteArray(below(4) == 0 ? below(2000) : 380 * (1 + below(12)), '\0');
        for (char& c : bytes)
            c = static_cast<char>(below(256));
        break;
    case 1:
        for (int i = below(20); i >= 0; --i)
            bytes[below(static_cast<int>(bytes.size()))] = static_cast<char>(below(256));
        break;
    case 2: bytes.truncate(below(static_cast<int>(bytes.size()) + 1)); break;
    case 3: bytes += QByteArray(below(800), static_cast<char>(below(256))); break;
    case 4: {
        std::vector<QByteArray> records;
        for (qsizetype at = 0; at < bytes.size(); at += 380)
            records.push_back(bytes.mid(at, 380));
        std::shuffle(records.begin() + 1, records.end(), random);  // the header stays first
        records.erase(records.begin() + 1 + below(static_cast<int>(records.size()) - 1));
        records.push_back(records[static_cast<std::size_t>(below(static_cast<int>(records.size())))]);
        bytes.clear();
        for (const QByteArray& r : records)
            bytes += r;
        break;
    }
    default:
        for (int i = below(6); i >= 0; --i) {
            const std::int32_t value = values[below(static_cast<int>(std::size(values)))];
            const int at = 380 * below(static_cast<int>(bytes.size() / 380)) + offsets[below(static_cast<int>(std::size(offsets)))];
            std::memcpy(bytes.data() + at, &value, 4);
        }
    }
    return bytes;
}

void ExpectSafe(const WINDOWPLACEMENT& p)
{
    EXPECT_TRUE(p.showCmd == SW_SHOWNORMAL || p.showCmd == SW_SHOWMINIMIZED || p.showCmd == SW_SHOWMAXIMIZED);
    const RECT& r = p.rcNormalPosition;
    if (!HasPlace(p)) {
        EXPECT_EQ(std::vector<int>({r.left, r.top, r.right, r.bottom}), std::vector<int>(4, 0));
        return;
    }
    EXPECT_TRUE(r.right - r.left <= kMaxWindowExtent && r.bottom - r.top <= kMaxWindowExtent);
    EXPECT_TRUE(std::abs(r.left) <= kMaxCorner && std::abs(r.top) <= kMaxCorner);
    const RECT on = PlacedOnBounds(p, {QRect(0, 0, 1280, 1024)}).rcNormalPosition;
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).intersects(QRect(on.left, on.top, on.right - on.left, on.bottom - on.top)));
}

}  // namespace

TEST(ReaderFuzz, RandomAndMutatedFilesGiveAStatusAndSafeValues)
{
    const QByteArray valid = ValidFile();
    const int statuses[] = {CFG_OK, 182, 185, 186, 187, 188};
    std::mt19937 random(20261207);
    int restorable = 0;
    for (int i = 0; i < 4000; ++i) {
        const QByteArray bytes = i == 0 ? valid : Mutated(valid, random);
        SavedFrame frame;
        std::vector<SavedWindow> windows;
        const int status = CWorkspaceReader::ReadBytes(bytes.constData(), static_cast<std::size_t>(bytes.size()), &frame, &windows);
        ASSERT_NE(std::find(std::begin(statuses), std::end(statuses), status), std::end(statuses));
        EXPECT_TRUE(frame.hasFrame || !(frame.hasStatusBar || frame.hasToolBar));
        if (frame.hasFrame)
            ExpectSafe(frame.placement);
        EXPECT_TRUE(!frame.hasFont || FontUsable(frame.font));
        EXPECT_LE(std::count_if(windows.begin(), windows.end(), [](const SavedWindow& w) { return !w.isEditor; }), 1);
        for (const SavedWindow& w : windows) {
            ExpectSafe(w.placement);
            if (w.isEditor) {
                ASSERT_NE(std::memchr(w.name, 0, sizeof w.name), nullptr);
                EXPECT_TRUE(w.name[0] != '\0' && w.line >= -1 && w.column >= 1 && w.column <= CWorkspaceReader::kMaxColumn);
            }
        }
        ASSERT_FALSE(HasFailure()) << "file " << i << ": " << bytes.toHex().left(400).constData();
        restorable += windows.empty() ? 0 : 1;
    }
    EXPECT_GT(restorable, 400) << "the mutations reach the records, not only the header check";
}
