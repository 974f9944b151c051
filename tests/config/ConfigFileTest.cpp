// The workspace file: its layout byte for byte, the reader's statuses on damaged
// files, the checks every record passes before it is restored, and the writer's
// first failure.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>

#include "FailingWriter.h"
#include "RecordBytes.h"
#include "ScriptedPrompts.h"
#include "config/CConfigFile.h"
#include "config/CWorkspaceReader.h"
#include "config/PlacementRules.h"

namespace {

WINDOWPLACEMENT Placement(std::uint32_t showCmd, int left, int top, int right, int bottom)
{
    return {44, 0, showCmd, {-1, -1}, {-1, -1}, {left, top, right, bottom}};
}

LOGFONTA Font(int height, const char* face)
{
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfPitchAndFamily = 1;
    std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
    return font;
}

// The font of Font(-17, "DejaVu Sans Mono") at offset 320 of a record.
RecordBytes& PutFont(RecordBytes& r)
{
    return r.Put(320, -17).Put(336, 700).PutByte(340, 1).PutByte(347, 1).PutText(348, "DejaVu Sans Mono");
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ConfigFileTest : public ::testing::Test {
protected:
    ~ConfigFileTest() override { CConfigFile::FailAllocationsAfterForTests(-1); }
    QByteArray Dir() const { return QFile::encodeName(dir.path()); }
    QString Path() const { return dir.path() + "/_nuv_.cfg"; }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(ConfigFileTest, WrittenFileIsTheRecordLayoutByteForByte)
{
    const LOGFONTA font = Font(-17, "DejaVu Sans Mono");
    const std::string first = "/m/café.nuv";
    const std::string second = "/m/€😀.nuv";
    {
        CConfigFile writer(Dir(), "_nuv_.cfg", CConfigFile::kWrite);
        ASSERT_EQ(writer.m_status, CFG_OK);
        EXPECT_TRUE(writer.WriteFrameRecord(Placement(3, 10, 20, 610, 420), font));
        EXPECT_TRUE(writer.WriteStatusBarRecord(TRUE));
        EXPECT_TRUE(writer.WriteToolBarRecord(FALSE));
        // Caret at the start of the first line: line 0, column 1.
        EXPECT_TRUE(writer.WriteEditorRecord(Placement(1, 5, 6, 305, 206), FALSE, first.c_str(), 1, 0, font));
        EXPECT_TRUE(writer.WriteEditorRecord(Placement(2, -40, 7, 260, 207), TRUE, second.c_str(), 7, 11, font));
        EXPECT_TRUE(writer.WriteOutputRecord(Placement(1, 0, 300, 500, 450), FALSE));
    }  // a writer closed without Commit or Discard writes its file

    RecordBytes expected;
    expected.Header();
    expected.Section(4);
    PutFont(expected.Record(9).Place(3, 10, 20, 610, 420).Put(48, 1));
    expected.End();
    expected.Section(5).Record(12).Put(48, 1).End();
    expected.Section(6).Record(13).Put(48, 0).End();
    // Each record goes right after its section's header: the last written comes first.
    expected.Section(7);
    expected.Record(10).Place(1, 0, 300, 500, 450);
    PutFont(expected.Record(11).Place(2, -40, 7, 260, 207).Put(48, 1).PutText(52, second).Put(312, 7).Put(316, 11));
    PutFont(expected.Record(11).Place(1, 5, 6, 305, 206).PutText(52, first).Put(312, 1).Put(316, 0));
    expected.End();
    const QByteArray written = ReadAll(Path());
    ASSERT_EQ(written.size(), expected.bytes.size());
    for (qsizetype i = 0; i < written.size(); ++i)
        ASSERT_EQ(written[i], expected.bytes[i]) << "record " << i / 380 << ", offset " << i % 380;

    // The reader walks the same sections.
    CConfigFile reader(Dir(), "_nuv_.cfg", CConfigFile::kRead);
    ASSERT_EQ(reader.m_status, CFG_OK);
    ASSERT_TRUE(reader.FindSection(7));
    std::vector<std::int32_t> types;
    while (const unsigned char* record = reader.ReadRecord())
        types.push_back(ConfigRecord::Decode(record).type);
    EXPECT_EQ(types, (std::vector<std::int32_t>{10, 11, 11}));
    EXPECT_EQ(reader.ReadRecord(), nullptr) << "the section ended";
    EXPECT_EQ(reader.m_status, CFG_OK);
}

// What the reader makes of damaged files: the status at each step, and what of
// the workspace still comes out.
TEST_F(ConfigFileTest, ReaderStatusesOfDamagedFiles)
{
    const auto withWindows = [] {
        RecordBytes file = ValidFileUpToWindows();
        file.Record(11).Place(1, 0, 0, 100, 100).PutText(52, "/m/a.nuv").Put(312, 1);
        return file.End();
    };
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes;  // none: no file at all
        bool directory = false;           // a directory where the file should be
        int opened;                       // status after construction
        bool hasFrame;
        int windows;
        int finalStatus;
    };
    RecordBytes badMagic = withWindows();
    badMagic.bytes[316] = 0;
    RecordBytes firstNotHeader = withWindows();
    firstNotHeader.bytes[0] = 4;
    RecordBytes noFrameSection;
    noFrameSection.Header().Section(5).Record(12).End().Section(7).Record(10).Place(1, 0, 0, 9, 9).End();
    RecordBytes barsWithoutFrame;
    barsWithoutFrame.Header().Section(4).End().Section(5).Record(12).End().Section(6).Record(13).End();
    barsWithoutFrame.Section(7).Record(10).Place(1, 0, 0, 9, 9).End();
    RecordBytes windowsRunToTheEnd = ValidFileUpToWindows();
    windowsRunToTheEnd.Record(11).PutText(52, "/m/a.nuv").Record(11).PutText(52, "/m/b.nuv");

    const Case cases[] = {
        {"no file", std::nullopt, false, 182, false, 0, 182},
        {"a directory", std::nullopt, true, 182, false, 0, 182},
        {"empty file", QByteArray(), false, 186, false, 0, 186},
        {"ends inside a record", withWindows().bytes + QByteArray(100, '\0'), false, 186, false, 0, 186},
        {"header without magic", badMagic.bytes, false, 186, false, 0, 186},
        {"first record not the header", firstNotHeader.bytes, false, 186, false, 0, 186},
        {"no frame section: nothing later either", noFrameSection.bytes, false, CFG_OK, false, 0, 186},
        {"bar records without a frame record", barsWithoutFrame.bytes, false, CFG_OK, false, 1, CFG_OK},
        {"window section without its end", windowsRunToTheEnd.bytes, false, CFG_OK, true, 2, 188},
        {"valid", withWindows().bytes, false, CFG_OK, true, 1, CFG_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Path());
        QDir(dir.path()).rmdir("_nuv_.cfg");
        if (c.directory) {
            ASSERT_TRUE(QDir(dir.path()).mkdir("_nuv_.cfg"));
        }
        if (c.bytes)
            WriteAll(Path(), *c.bytes);

        CConfigFile reader(Dir(), "_nuv_.cfg", CConfigFile::kRead);
        EXPECT_EQ(reader.m_status, c.opened);
        const SavedFrame frame = CWorkspaceReader::ReadFrame(reader);
        const std::vector<SavedWindow> windows = CWorkspaceReader::ReadWindows(reader);
        EXPECT_EQ(frame.hasFrame, c.hasFrame);
        EXPECT_EQ(static_cast<int>(windows.size()), c.windows);
        EXPECT_EQ(reader.m_status, c.finalStatus);
        if (!c.hasFrame) {
            EXPECT_FALSE(frame.hasStatusBar || frame.hasToolBar) << "bars are read only after a frame record";
        }
        if (c.bytes) {
            EXPECT_EQ(ReadAll(Path()), *c.bytes) << "the reader never repairs a file";
        }
    }
}

// Records pass checks before anything is restored from them; what fails them is
// skipped or made safe, never read past its fields.
TEST_F(ConfigFileTest, RecordsThatFailTheChecksAreSkippedOrMadeSafe)
{
    RecordBytes file = ValidFileUpToWindows();
    file.Record(11).Place(1, 0, 0, 100, 100).PutText(52, std::string(260, 'a'));  // no zero in the name
    file.Record(11).Place(1, 0, 0, 100, 100);                                      // empty name
    file.Record(11).Place(0, 5'000'000, -5'000'000, 5'000'300, -4'999'800).PutText(52, "far").Put(312, 0).Put(316, -5);
    file.Record(11).Place(7, 300, 300, 100, 100).PutText(52, "negative").Put(312, INT_MAX).Put(316, 3);
    file.Record(10).Place(3, 1, 2, 301, 202);
    file.Record(10).Place(1, 9, 9, 99, 99);  // a second output record
    file.Record(9).Record(12).Record(99);      // not window records
    file.Record(11).Place(1, 0, 0, INT_MAX, 50).PutText(52, "Untitled").Put(312, 4).Put(316, 2);
    file.End();

    SavedFrame frame;
    std::vector<SavedWindow> windows;
    ASSERT_EQ(CWorkspaceReader::ReadBytes(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size()), &frame, &windows),
              CFG_OK);
    ASSERT_EQ(windows.size(), 4u) << "names without a zero or empty, the second output record, other types: left out";
    const SavedWindow& far = windows[0];
    EXPECT_STREQ(far.name, "far");
    EXPECT_EQ(far.placement.showCmd, SW_SHOWNORMAL) << "a hidden window would be lost";
    EXPECT_EQ(far.placement.rcNormalPosition.left, kMaxCorner);
    EXPECT_EQ(far.placement.rcNormalPosition.right - far.placement.rcNormalPosition.left, 300);
    EXPECT_EQ(std::make_pair(far.line, far.column), std::make_pair(-1, 1)) << "a negative line puts no caret";
    EXPECT_EQ(windows[1].placement.showCmd, SW_SHOWMINIMIZED);
    EXPECT_FALSE(HasPlace(windows[1].placement)) << "a negative size gives the default place";
    EXPECT_EQ(windows[1].column, CWorkspaceReader::kMaxColumn);
    EXPECT_EQ(windows[2].placement.rcNormalPosition.left, 1) << "the first output record counts";
    EXPECT_FALSE(HasPlace(windows[3].placement)) << "wider than any screen";
    EXPECT_EQ(std::make_pair(windows[3].line, windows[3].column), std::make_pair(2, 4));

    // Fonts: a zero height is the face's default; absurd heights and a face
    // without its terminator leave the editor font as it is.
    const struct {
        std::int32_t height;
        bool terminated;
        bool used;
    } fonts[] = {{0, true, true}, {-500, true, true}, {501, true, false}, {INT_MIN, true, false}, {-12, false, false}};
    for (const auto& f : fonts) {
        SCOPED_TRACE(f.height);
        RecordBytes damaged = ValidFileUpToWindows();
        damaged.End();
        damaged.bytes.replace(3 * 380 + 320, 4, QByteArray(reinterpret_cast<const char*>(&f.height), 4));
        if (!f.terminated)
            damaged.bytes.replace(3 * 380 + 348, 32, QByteArray(32, 'F'));
        ASSERT_EQ(CWorkspaceReader::ReadBytes(damaged.bytes.constData(), static_cast<std::size_t>(damaged.bytes.size()),
                                              &frame, &windows),
                  CFG_OK);
        EXPECT_TRUE(frame.hasFrame);
        EXPECT_EQ(frame.hasFont, f.used);
    }
}

// A window wholly outside the screens comes onto the primary one, sized down to
// fit; a window partly on a screen stays where it is.
TEST_F(ConfigFileTest, PlacementsOutsideTheScreensComeOntoThePrimaryOne)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 800, 600)};
    const struct {
        const char* name;
        RECT in;
        RECT out;
    } cases[] = {
        {"on the primary", {10, 10, 410, 310}, {10, 10, 410, 310}},
        {"partly on the second", {2000, 500, 2400, 900}, {2000, 500, 2400, 900}},
        {"far right", {90000, 10, 90400, 310}, {880, 10, 1280, 310}},
        {"above and left", {-5000, -5000, -4600, -4700}, {0, 0, 400, 300}},
        {"below the second, larger than the primary", {1300, 700, 3300, 2700}, {0, 0, 1280, 1024}},
    };
    for (const auto& c : cases) {
        const RECT out = PlacedOnBounds(Placement(1, c.in.left, c.in.top, c.in.right, c.in.bottom), screens).rcNormalPosition;
        EXPECT_EQ(std::vector<int>({out.left, out.top, out.right, out.bottom}),
                  std::vector<int>({c.out.left, c.out.top, c.out.right, c.out.bottom}))
            << c.name;
    }
    EXPECT_FALSE(HasPlace(PlacedOnBounds(Placement(1, 0, 0, 0, 0), screens))) << "no place stays no place";
}

// The main frame lies wholly on one screen, its border included: where it
// overlaps most, moved on and made smaller only where it must be.
TEST_F(ConfigFileTest, TheFrameComesWhollyOntoOneScreenWithItsBorder)
{
    const QList<QRect> screens = {QRect(0, 0, 800, 600), QRect(800, 0, 1280, 1024)};
    const QMargins border(1, 20, 1, 5);
    const struct {
        const char* name;
        QRect in;
        QRect out;
    } cases[] = {
        {"on the first", QRect(1, 20, 798, 575), QRect(1, 20, 798, 575)},
        {"on the second", QRect(900, 100, 900, 640), QRect(900, 100, 900, 640)},
        {"off the right and bottom of the first", QRect(100, 100, 760, 540), QRect(39, 55, 760, 540)},
        {"larger than the first", QRect(40, 40, 1200, 900), QRect(1, 20, 798, 575)},
        {"mostly on the second", QRect(700, 10, 600, 400), QRect(801, 20, 600, 400)},
        {"on none", QRect(-3000, 5000, 300, 200), QRect(1, 395, 300, 200)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittedOnScreens(c.in, border, screens), c.out) << c.name;
    // The first start: centred at its size where it fits, else smaller.
    EXPECT_EQ(CentredOnScreen(QSize(400, 300), border, screens[0]), QRect(200, 157, 400, 300));
    EXPECT_EQ(CentredOnScreen(QSize(900, 640), border, screens[0]), QRect(1, 20, 798, 575));
}

// The first failure ends all further work on the object: a full disk or a
// buffer that cannot be had stops the records, and the status names it. The
// records reach the disk only at Commit, whole: until then, and after any
// failure, the file of the last session is left exactly as it was.
TEST_F(ConfigFileTest, WriterStopsAtTheFirstFailureAndLeavesTheOldFileWhole)
{
    ScriptedPrompts prompts;
    const LOGFONTA font = Font(-12, "Sans");
    const std::size_t skeleton = 10 * 380;
    // Insertion n writes its record and the n records after it (the section's
    // end and the records inserted before).
    const std::size_t fourInsertions = (2 + 3 + 4 + 5) * 380;
    const QByteArray old = "the workspace of the last session";
    const struct {
        const char* name;
        std::size_t diskBudget;  // bytes before the disk is full
        int recordBuffers;       // buffer allocations at construction that succeed (-1: all)
        int tailBuffers;         // tail buffers of insertions that succeed (-1: all)
        int created;             // status after construction
        int records;             // records written before the first failure
        int final;               // status after Commit
        bool messageAtOnce = false;
    } cases[] = {
        {"disk full at once", 0, -1, -1, 185, 0, 185},
        {"disk full inside the second insertion", skeleton + 2 * 380 + 500, -1, -1, CFG_OK, 1, 185},
        {"no record buffer", 1 << 20, 0, -1, 187, 0, 187, true},
        {"no buffer for the file's tail", 1 << 20, -1, 1, CFG_OK, 1, 187},
        {"disk full while the file is replaced", skeleton + fourInsertions + 1000, -1, -1, CFG_OK, 4, 185},
        {"written", 1 << 20, -1, -1, CFG_OK, 4, CFG_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(Path(), old);
        prompts.Clear();
        if (c.messageAtOnce)
            prompts.ExpectMessageBox(IDOK);
        FailingWriter disk(c.diskBudget);
        CConfigFile::FailAllocationsAfterForTests(c.recordBuffers);
        CConfigFile writer(Dir(), "_nuv_.cfg", CConfigFile::kWrite);
        CConfigFile::FailAllocationsAfterForTests(c.tailBuffers);
        EXPECT_EQ(writer.m_status, c.created);
        if (c.messageAtOnce) {
            ASSERT_EQ(prompts.Records().size(), 1u);
            EXPECT_EQ(prompts.Records()[0].text, "Not enough memory to save current configuration");
            EXPECT_EQ(prompts.Records()[0].style, MB_ICONEXCLAMATION);
            EXPECT_TRUE(writer.Reported());
        }
        int written = 0;
        for (int i = 0; i < 4; ++i)
            written += writer.WriteEditorRecord(Placement(1, 0, 0, 9, 9), FALSE, "/m/a.nuv", 1, 0, font) ? 1 : 0;
        CConfigFile::FailAllocationsAfterForTests(-1);
        EXPECT_EQ(written, c.records);
        EXPECT_EQ(ReadAll(Path()), old) << "nothing reaches the disk before Commit";
        EXPECT_EQ(writer.Commit(), c.final == CFG_OK);
        EXPECT_EQ(writer.m_status, c.final);
        if (c.final == CFG_OK) {
            EXPECT_EQ(ReadAll(Path()).size(), static_cast<qsizetype>(skeleton + 4 * 380));
        } else {
            EXPECT_EQ(ReadAll(Path()), old);
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"_nuv_.cfg"})
            << "no temporary file left";
    }
    // A dropped writer touches nothing.
    WriteAll(Path(), old);
    CConfigFile dropped(Dir(), "_nuv_.cfg", CConfigFile::kWrite);
    dropped.Discard();
    EXPECT_EQ(dropped.m_status, 182);
    EXPECT_EQ(ReadAll(Path()), old);
}
