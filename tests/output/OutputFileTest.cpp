// Output files: their names and their exact bytes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "FaultInjection.h"
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

TEST_F(OutputFileTest, FailuresAreReported)
{
    COutputStore store;
    store.AddLine("one");
    store.AddLine("two");
    struct Case {
        const char* name;
        std::string path;
        int message;
        int failingWrite;  // 0: none
    } cases[] = {
        {"a directory in the way", dir.path().toStdString(), 133, 0},
        {"a missing directory", PathOf("missing/run.out"), 133, 0},
        {"no name", "", 133, 0},
        {"a write fails", PathOf("broken.out"), 134, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.Clear();
        prompts.ExpectMessageBox(IDOK);
        {
            WriteFailure failure(c.failingWrite > 0 ? c.failingWrite : 1 << 30);
            EXPECT_FALSE(store.WriteToFile(c.path.c_str()));
        }
        ASSERT_EQ(prompts.Records().size(), 1u);
        const QString expected = c.message == 133 ? "Cannot create the file " : "Cannot write output file ";
        EXPECT_EQ(prompts.Last().text, expected + QString::fromStdString(c.path));
        EXPECT_EQ(prompts.Last().style, MB_ICONSTOP);
    }
    EXPECT_EQ(Read(PathOf("broken.out")), QByteArray("one\r\n")) << "what was written before the failure stays";
}

}  // namespace
