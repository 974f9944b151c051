// Reading and writing model files: the size limit, the backup, and that a
// failed write never damages what is on disk.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "EditorTestSupport.h"
#include "FailingWriter.h"
#include "TinyFileSystem.h"
#include "editor/ModelFile.h"
#include "platform/SystemMemory.h"

namespace {

class ModelFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (dir.path() + "/").toStdString() + name; }
    SaveResult Save(const std::string& path, const QByteArray& bytes, bool backup)
    {
        return SaveModelFile(path.c_str(), bytes.constData(), static_cast<std::size_t>(bytes.size()), backup);
    }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
    QTemporaryDir dir;
};

// The limits count what the edit control gets: the text up to its first zero
// byte, its lines as the control breaks them.
TEST_F(ModelFileTest, ReadOutcomes)
{
    const auto size = static_cast<qsizetype>(kMaxModelFileSize);
    const auto line = static_cast<qsizetype>(kMaxModelLineLength);
    const auto lines = static_cast<qsizetype>(kMaxModelLines);
    const QByteArray paragraphBreak("\xE2\x80\xA9");
    struct Case {
        std::string name;
        QByteArray bytes;
        qsizetype sparse;  // a file of this many zero bytes instead
        std::uint64_t memory;
        LoadStatus status;
        std::size_t length;
    };
    const std::vector<Case> cases = {
        {"max", {}, size, UINT64_MAX, LoadStatus::Ok, kMaxModelFileSize},
        {"over", {}, size + 1, UINT64_MAX, LoadStatus::TooLarge, 0},
        {"longest lines", QByteArray(line, 'x') + "\r\n" + QByteArray(line, 'y'), 0, UINT64_MAX, LoadStatus::Ok,
         kMaxModelLineLength * 2 + 2},
        {"a line too long", QByteArray(line + 1, 'x'), 0, UINT64_MAX, LoadStatus::TooLarge, 0},
        {"U+2029 breaks", QByteArray(line, 'x') + paragraphBreak + QByteArray(line, 'y'), 0, UINT64_MAX,
         LoadStatus::Ok, kMaxModelLineLength * 2 + 3},
        {"after the zero", "ab" + QByteArray(1, '\0') + QByteArray(line + 1, 'x'), 0, UINT64_MAX, LoadStatus::Ok,
         kMaxModelLineLength + 4},
        {"most lines", QByteArray(lines - 1, '\n'), 0, UINT64_MAX, LoadStatus::Ok, kMaxModelLines - 1},
        {"too many lines", QByteArray(lines, '\n'), 0, UINT64_MAX, LoadStatus::TooLarge, 0},
        {"more than the memory", QByteArray(1000, 'x'), 0, 1000, LoadStatus::TooLarge, 0},
        {"empty", "", 0, UINT64_MAX, LoadStatus::Ok, 0},
        {"zero", QByteArray("ab\0cd", 5), 0, UINT64_MAX, LoadStatus::Ok, 5},
        {"sub", {}, 0, UINT64_MAX, LoadStatus::CannotOpen, 0},
        {"missing", {}, 0, UINT64_MAX, LoadStatus::CannotOpen, 0},
    };
    QDir(dir.path()).mkdir("sub");
    for (const Case& c : cases) {
        if (c.name != "sub" && c.name != "missing")
            WriteBytes(Path(c.name), c.bytes);
        if (c.sparse > 0)
            QFile(QString::fromStdString(Path(c.name))).resize(c.sparse);
        SetAvailableMemoryForTests(c.memory);
        FileBuffer contents;
        std::size_t length = 0;
        EXPECT_EQ(ReadModelFile(Path(c.name).c_str(), &contents, &length), c.status) << c.name;
        EXPECT_EQ(length, c.length) << c.name;
        if (c.status == LoadStatus::Ok) {
            EXPECT_EQ(contents[length], '\0') << c.name;
        }
    }
    SetAvailableMemoryForTests(UINT64_MAX);
}

TEST_F(ModelFileTest, FirstSaveKeepsTheOldFileAsBackup)
{
    const std::string file = Path("demo.nuv");
    WriteBytes(file, "old");
    WriteBytes(Path("demo.nu$"), "older backup");
    const SaveResult first = Save(file, "new", true);
    EXPECT_TRUE(first.ok);
    EXPECT_TRUE(first.backupMade);
    EXPECT_EQ(ReadBytes(Path("demo.nu$")), "old");
    EXPECT_EQ(ReadBytes(file), "new");

    const SaveResult second = Save(file, "newer", false);
    EXPECT_TRUE(second.ok);
    EXPECT_FALSE(second.backupMade);
    EXPECT_EQ(ReadBytes(Path("demo.nu$")), "old");
    EXPECT_EQ(ReadBytes(file), "newer");
    EXPECT_EQ(Entries(), QStringList({"demo.nu$", "demo.nuv"}));  // no temporary file left
}

TEST_F(ModelFileTest, NoBackupWithoutAFileOrForABackupItself)
{
    const SaveResult fresh = Save(Path("fresh.nuv"), "x", true);
    EXPECT_TRUE(fresh.ok);
    EXPECT_FALSE(fresh.backupMade);

    // Saving a backup file must not delete it as "the old backup" before writing.
    const std::string backup = Path("b.nu$");
    WriteBytes(backup, "kept");
    const SaveResult own = Save(backup, "rewritten", true);
    EXPECT_TRUE(own.ok);
    EXPECT_FALSE(own.backupMade);
    EXPECT_EQ(ReadBytes(backup), "rewritten");
}

// Whatever fails, the model keeps its last saved contents under its own name,
// and no temporary file is left behind.
TEST_F(ModelFileTest, FailedWritesLeaveTheOldContents)
{
    const std::string file = Path("m.nuv");
    struct Case {
        std::size_t budget;  // bytes the disk takes before it is full
        bool backup;
        bool backupMade;
    };
    // "last saved" is 10 bytes: a budget of 10 lets the backup copy through, not the save.
    for (const Case& c : {Case{4, false, false}, Case{0, true, false}, Case{10, true, true}}) {
        QFile::remove(QString::fromStdString(Path("m.nu$")));
        WriteBytes(file, "last saved");
        {
            FailingWriter full(c.budget);
            const SaveResult result = Save(file, "a longer new text", c.backup);
            EXPECT_FALSE(result.ok) << c.budget;
            EXPECT_EQ(result.backupMade, c.backupMade) << c.budget;
        }
        EXPECT_EQ(ReadBytes(file), "last saved") << c.budget;
        EXPECT_EQ(Entries(), c.backupMade ? QStringList({"m.nu$", "m.nuv"}) : QStringList({"m.nuv"})) << c.budget;
        if (c.backupMade) {
            EXPECT_EQ(ReadBytes(Path("m.nu$")), "last saved");
        }
    }

    EXPECT_FALSE(Save(Path("no/such/dir.nuv"), "x", true).ok);
    QDir(dir.path()).mkdir("d.nuv");
    EXPECT_FALSE(Save(Path("d.nuv"), "x", true).ok);  // a directory where the file should be
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("d.nuv"))).isDir());
}

// The same on a real file system that fills up.
TEST_F(ModelFileTest, AFullFileSystemLeavesTheModelWhole)
{
    TinyFileSystem disk(64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string file = disk.Path("m.nuv");
    WriteBytes(file, "last saved");
    disk.FillUp();
    const SaveResult result = Save(file, QByteArray(8192, 'n'), true);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadBytes(file), "last saved");
}

TEST_F(ModelFileTest, ReplacingKeepsModeAndWritesThroughLinks)
{
    const std::string file = Path("real.nuv");
    WriteBytes(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(::symlink(file.c_str(), Path("link.nuv").c_str()), 0);
    // The first save backs up what the link names and writes through it.
    const SaveResult first = Save(Path("link.nuv"), "through the link", true);
    EXPECT_TRUE(first.ok);
    EXPECT_TRUE(first.backupMade);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("link.nuv"))).isSymLink());
    EXPECT_EQ(ReadBytes(file), "through the link");
    EXPECT_EQ(ReadBytes(Path("link.nu$")), "old");
    EXPECT_FALSE(QFileInfo(QString::fromStdString(Path("link.nu$"))).isSymLink());
    EXPECT_TRUE(Save(Path("link.nuv"), "again", false).ok);
    EXPECT_EQ(ReadBytes(file), "again");

    // A link whose file is not there yet creates that file.
    ASSERT_EQ(::symlink("later.nuv", Path("dangling.nuv").c_str()), 0);
    EXPECT_TRUE(Save(Path("dangling.nuv"), "created", true).ok);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("dangling.nuv"))).isSymLink());
    EXPECT_EQ(ReadBytes(Path("later.nuv")), "created");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// A backup is as private as the model it copies, whatever the umask or an
// older backup of that name allowed.
TEST_F(ModelFileTest, TheBackupTakesTheModelsPermissionBits)
{
    const mode_t umask = ::umask(022);
    const std::string file = Path("private.nuv");
    for (const bool olderBackup : {false, true}) {
        SCOPED_TRACE(olderBackup);
        WriteBytes(file, "secret");
        ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
        QFile::remove(QString::fromStdString(Path("private.nu$")));
        if (olderBackup) {
            WriteBytes(Path("private.nu$"), "older");
            ASSERT_EQ(::chmod(Path("private.nu$").c_str(), 0644), 0);
        }
        EXPECT_TRUE(Save(file, "more secret", true).backupMade);
        EXPECT_EQ(ReadBytes(Path("private.nu$")), "secret");
        struct stat st {};
        ASSERT_EQ(::stat(Path("private.nu$").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    }
    ::umask(umask);
}

}  // namespace
