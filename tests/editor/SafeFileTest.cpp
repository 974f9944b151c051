// The one writer of files: what it makes of whatever lies at the path it is
// given, replacing and appending, and that a failure leaves that as it was.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "EditorTestSupport.h"
#include "FailingWriter.h"
#include "platform/SafeFile.h"

namespace {

class SafeFileTest : public ::testing::Test {
public:  // the cases prepare the directory through these
    SafeFileTest() : m_umask(::umask(022)) {}
    ~SafeFileTest() override { ::umask(m_umask); }
    std::string Path(const std::string& name) const { return (dir.path() + "/").toStdString() + name; }
    static mode_t Bits(const std::string& path)
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
    static mode_t Type(const std::string& path)
    {
        struct stat st {};
        return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    }
    void Mode(const std::string& path, mode_t bits) { ASSERT_EQ(::chmod(path.c_str(), bits), 0); }
    void Link(const std::string& target, const std::string& link) { ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0); }
    void Fifo(const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }

    QTemporaryDir dir;
    mode_t m_umask;
};

TEST_F(SafeFileTest, WhatLiesAtThePath)
{
    using Mode = SafeFile::Mode;
    const struct Case {
        const char* name;
        std::function<void(SafeFileTest&)> prepare;  // makes what lies at "f" (and around it)
        Mode mode;
        std::size_t diskBudget;
        bool written;       // Open and Commit succeed
        QByteArray bytes;   // in "f" afterwards (through links), "" when none
        mode_t bits;        // of the file "f" names afterwards, 0: none
        mode_t type;        // of the entry "f" itself afterwards
    } cases[] = {
        {"nothing there", [](SafeFileTest&) {}, Mode::Replace, 1 << 20, true, "new", 0644, S_IFREG},
        {"nothing there, appending", [](SafeFileTest&) {}, Mode::Append, 1 << 20, true, "new", 0644, S_IFREG},
        {"a private file",
         [](SafeFileTest& t) { WriteBytes(t.Path("f"), "old"); t.Mode(t.Path("f"), 0600); },
         Mode::Replace, 1 << 20, true, "new", 0600, S_IFREG},
        {"a private file, appending",
         [](SafeFileTest& t) { WriteBytes(t.Path("f"), "old"); t.Mode(t.Path("f"), 0600); },
         Mode::Append, 1 << 20, true, "oldnew", 0600, S_IFREG},
        {"a link to a file elsewhere",
         [](SafeFileTest& t) {
             QDir(t.dir.path()).mkdir("sub");
             WriteBytes(t.Path("sub/real"), "old");
             t.Mode(t.Path("sub/real"), 0640);
             t.Link("sub/real", t.Path("f"));
         },
         Mode::Append, 1 << 20, true, "oldnew", 0640, S_IFLNK},
        {"a link to a link to nothing yet",
         [](SafeFileTest& t) { t.Link("g", t.Path("f")); t.Link(t.Path("later"), t.Path("g")); },
         Mode::Replace, 1 << 20, true, "new", 0644, S_IFLNK},
        {"a directory", [](SafeFileTest& t) { QDir(t.dir.path()).mkdir("f"); }, Mode::Replace, 1 << 20, false, "",
         0755, S_IFDIR},
        {"a FIFO", [](SafeFileTest& t) { t.Fifo(t.Path("f")); }, Mode::Replace, 1 << 20, false, "", 0600, S_IFIFO},
        {"a FIFO, appending", [](SafeFileTest& t) { t.Fifo(t.Path("f")); }, Mode::Append, 1 << 20, false, "", 0600,
         S_IFIFO},
        {"a link to a FIFO",
         [](SafeFileTest& t) { t.Fifo(t.Path("pipe")); t.Link("pipe", t.Path("f")); },
         Mode::Replace, 1 << 20, false, "", 0600, S_IFLNK},
        {"a full disk", [](SafeFileTest& t) { WriteBytes(t.Path("f"), "old"); }, Mode::Replace, 2, false, "old",
         0644, S_IFREG},
        {"a full disk, appending", [](SafeFileTest& t) { WriteBytes(t.Path("f"), "old"); }, Mode::Append, 4, false,
         "old", 0644, S_IFREG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(dir.remove());
        ASSERT_TRUE(QDir().mkpath(dir.path()));
        c.prepare(*this);
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        bool written = false;
        {
            FailingWriter disk(c.diskBudget);
            SafeFile file;
            written = file.Open(Path("f").c_str(), c.mode) && file.Write("new", 3) && file.Commit();
        }
        EXPECT_EQ(written, c.written);
        if (QFileInfo(QString::fromStdString(Path("f"))).isFile()) {  // never a FIFO: reading it would wait
            EXPECT_EQ(ReadBytes(Path("f")), c.bytes);
        } else {
            EXPECT_TRUE(c.bytes.isEmpty());
        }
        EXPECT_EQ(Bits(Path("f")), c.bits);
        EXPECT_EQ(Type(Path("f")), c.type);
        QStringList after = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        after.removeAll("later");  // made through the dangling link
        EXPECT_EQ(after, before.isEmpty() ? QStringList{"f"} : before) << "no temporary file left";
    }
}

}  // namespace
