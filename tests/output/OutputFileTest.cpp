// Output files: their names and their exact bytes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "FailingWriter.h"
#include "ScriptedPrompts.h"
#include "output/COutputStore.h"

namespace {

TEST(OutputFileName, FromTheModelPath)
{
    struct Case {
        const char* path;
        BOOL preprocess;
        const char* expected;
    } cases[] = {
        {"/home/ann/models/demo.nuv", FALSE, "demo.out"},
        {"/home/ann/models/demo.nuv", TRUE, "demo.prp"},
        {"my.first.model.nuv", FALSE, "my.out"},
        {"demo.nuv", FALSE, "demo.out"},
        {"/home/ann/models/", FALSE, ".out"},
        {"/dir.with.dots/Model", FALSE, "Model.out"},
        {nullptr, FALSE, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path ? c.path : "(null)");
        COutputStore store;
        EXPECT_TRUE(store.SetOutputFileName(c.path, c.preprocess));
        EXPECT_STREQ(store.m_szFileName, c.expected);
    }
    // A base name that leaves no room for the extension is refused, not cut
    // into the name of some other file.
    COutputStore store;
    const std::string longName = "/m/" + std::string(256, 'n') + ".nuv";
    EXPECT_FALSE(store.SetOutputFileName(longName.c_str(), FALSE));
    EXPECT_STREQ(store.m_szFileName, "");
    const std::string fitting = "/m/" + std::string(255, 'n') + ".nuv";
    EXPECT_TRUE(store.SetOutputFileName(fitting.c_str(), FALSE));
    EXPECT_EQ(std::string(store.m_szFileName), std::string(255, 'n') + ".out");
}

class OutputFileTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
    static QByteArray Read(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void Write(const std::string& path, const QByteArray& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

TEST_F(OutputFileTest, BytesWrittenReplacingAndAppending)
{
    COutputStore store;
    store.AddLine("first");
    store.AddEmptyLine();
    store.AddLine("// Preprocessor listing\r\n\r\n");
    store.AddLine("last");
    const QByteArray bytes = "first\r\n\r\n// Preprocessor listing\r\n\r\n\r\nlast\r\n";

    const std::string path = PathOf("run.out");
    Write(path, "old content that goes");
    ASSERT_TRUE(store.WriteToFile(path.c_str()));
    EXPECT_EQ(Read(path), bytes);

    store.m_bAppend = TRUE;
    ASSERT_TRUE(store.WriteToFile(path.c_str()));
    EXPECT_EQ(Read(path), bytes + bytes);

    const std::string fresh = PathOf("fresh.out");
    ASSERT_TRUE(store.WriteToFile(fresh.c_str())) << "append creates a missing file";
    EXPECT_EQ(Read(fresh), bytes);
    EXPECT_TRUE(prompts.Records().empty());
}

TEST_F(OutputFileTest, EmptyStore)
{
    COutputStore store;
    const std::string created = PathOf("empty.out");
    ASSERT_TRUE(store.WriteToFile(created.c_str()));
    EXPECT_EQ(Read(created), QByteArray());

    const std::string existing = PathOf("existing.out");
    Write(existing, "kept\r\n");
    store.m_bAppend = TRUE;
    ASSERT_TRUE(store.WriteToFile(existing.c_str()));
    EXPECT_EQ(Read(existing), QByteArray("kept\r\n"));
}

// What cannot be written is reported, and leaves what was there as it was: a
// FIFO is refused without being opened (opening it for writing would block
// the program until someone reads it), a failed write leaves the old file,
// also when appending, and no temporary file stays behind.
TEST_F(OutputFileTest, FailuresAreReportedAndLeaveTheFileAsItWas)
{
    COutputStore store;
    store.AddLine("one");
    store.AddLine("two");
    const std::string fifo = PathOf("pipe.out");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // With a reader on the pipe a writer would not block but write into it, which the end shows.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const std::string kept = PathOf("kept.out");
    Write(kept, "kept\r\n");
    struct Case {
        const char* name;
        std::string path;
        BOOL append;
        int message;
        std::size_t diskBudget;
    } cases[] = {
        {"a directory in the way", dir.path().toStdString(), FALSE, 133, 1 << 20},
        {"a missing directory", PathOf("missing/run.out"), FALSE, 133, 1 << 20},
        {"no name", "", FALSE, 133, 1 << 20},
        {"a FIFO", fifo, FALSE, 133, 1 << 20},
        {"a FIFO, appending", fifo, TRUE, 133, 1 << 20},
        {"a write fails", kept, FALSE, 134, 3},
        {"a write fails while appending", kept, TRUE, 134, 8},  // the old six bytes are copied, then two
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.Clear();
        prompts.ExpectMessageBox(IDOK);
        store.m_bAppend = c.append;
        {
            FailingWriter disk(c.diskBudget);
            EXPECT_FALSE(store.WriteToFile(c.path.c_str()));
        }
        ASSERT_EQ(prompts.Records().size(), 1u);
        const QString expected = c.message == 133 ? "Cannot create the file " : "Cannot write output file ";
        EXPECT_EQ(prompts.Last().text, expected + QString::fromStdString(c.path));
        EXPECT_EQ(prompts.Last().style, MB_ICONSTOP);
    }
    EXPECT_EQ(Read(kept), QByteArray("kept\r\n"));
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "nothing went into the pipe";
    ::close(reader);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
              QStringList({"kept.out", "pipe.out"}));
}

}  // namespace
