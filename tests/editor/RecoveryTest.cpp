// Recovery copies: their file format, the folder of each running program, and
// what an editor window and the start-up offer do with them.
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include "EditorTestSupport.h"
#include "editor/CRecoveryStore.h"
#include "editor/RecoveredModels.h"
#include "editor/RecoveryRecord.h"

namespace {

RecoveryRecord Sample()
{
    RecoveryRecord record;
    record.untitled = false;
    record.fileName = "/m/café.nuv";
    record.line0 = 3;
    record.column1 = 7;
    record.timeMs = 1'700'000'000'123;
    record.bytes = std::string("x = 1;\r\n\xE9\0tail", 14);
    return record;
}

TEST(RecoveryRecord, RoundTripAndDamagedCopies)
{
    const std::string good = EncodeRecoveryRecord(Sample());
    RecoveryRecord read;
    ASSERT_TRUE(DecodeRecoveryRecord(good.data(), good.size(), &read));
    EXPECT_EQ(read.fileName, Sample().fileName);
    EXPECT_EQ(read.bytes, Sample().bytes);
    EXPECT_EQ(read.line0, 3);
    EXPECT_EQ(read.column1, 7);
    EXPECT_EQ(read.timeMs, Sample().timeMs);
    EXPECT_FALSE(read.untitled);

    // Every cut short copy, a byte too many, another magic or version, a
    // negative line: refused, the record untouched.
    std::vector<std::string> damaged;
    for (std::size_t size = 0; size < good.size(); ++size)
        damaged.push_back(good.substr(0, size));
    damaged.push_back(good + "x");
    std::string magic = good;
    magic[0] = 'X';
    damaged.push_back(magic);
    std::string version = good;
    version[8] = 2;
    damaged.push_back(version);
    RecoveryRecord negative = Sample();
    negative.line0 = -1;
    damaged.push_back(EncodeRecoveryRecord(negative));
    for (const std::string& bytes : damaged) {
        RecoveryRecord untouched;
        untouched.fileName = "kept";
        EXPECT_FALSE(DecodeRecoveryRecord(bytes.data(), bytes.size(), &untouched)) << bytes.size();
        EXPECT_EQ(untouched.fileName, "kept");
    }
}

// A program's copies are orphans only once that program no longer runs.
TEST(RecoveryStore, CopiesOfARunningProgramAreNeverTaken)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/recovery";
    auto first = std::make_unique<CRecoveryStore>();
    ASSERT_TRUE(first->Open(base));
    first->Keep(first->NewId(), Sample());
    first->Flush();

    CRecoveryStore second;
    ASSERT_TRUE(second.Open(base));
    EXPECT_TRUE(second.TakeOrphans().empty()) << "the first program still runs";
    second.DiscardOrphans();
    EXPECT_TRUE(QDir(QString::fromStdString(first->Folder())).exists());

    const QString gone = QString::fromStdString(first->Folder());
    first.reset();  // the first program ends without a normal exit
    const std::vector<CRecoveryStore::Orphan> orphans = second.TakeOrphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].record.bytes, Sample().bytes);
    second.DiscardOrphans();
    EXPECT_FALSE(QDir(gone).exists());

    second.RemoveAll();  // a normal end leaves nothing
    EXPECT_TRUE(QDir(QString::fromStdString(base)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

class RecoveryWindowTest : public EditorWidgetTest {
protected:
    void SetUp() override
    {
        EditorWidgetTest::SetUp();
        ASSERT_TRUE(store.Open(Path("recovery")));
        SetRecoveryStore(&store);
    }
    void TearDown() override
    {
        SetRecoveryStore(nullptr);
        EditorWidgetTest::TearDown();
    }
    QStringList Copies() const
    {
        return QDir(QString::fromStdString(store.Folder())).entryList({"*.rec"}, QDir::Files);
    }
    CRecoveryStore store;
};

// A window keeps a copy while its changes are unsaved, and drops it when they
// are saved or given up.
TEST_F(RecoveryWindowTest, AWindowKeepsACopyOnlyWhileItHasUnsavedChanges)
{
    CNuvEdit* saved = Loaded("s.nuv", "s");
    CNuvEdit* dropped = Loaded("d.nuv", "d");
    for (CNuvEdit* window : {saved, dropped}) {
        window->Edit().ReplaceSel("typed ");
        window->WriteRecoveryCopyNow();
    }
    store.Flush();
    EXPECT_EQ(Copies().size(), 2);
    ASSERT_TRUE(saved->Save());
    prompts->ExpectMessageBox(IDNO);
    dropped->close();
    store.Flush();
    EXPECT_TRUE(Copies().isEmpty());
}

// The start-up offer: No deletes the copies; Yes reopens them, in the window
// that already shows the file when there is one.
TEST_F(RecoveryWindowTest, TheOfferReopensIntoOpenWindowsOrDeletes)
{
    const std::string shown = File("shown.nuv", "on disk");
    for (const int answer : {IDNO, IDYES}) {
        {
            CRecoveryStore crashed;
            ASSERT_TRUE(crashed.Open(Path("recovery")));
            RecoveryRecord named;
            named.untitled = false;
            named.fileName = shown;
            named.bytes = "recovered text";
            crashed.Keep(crashed.NewId(), named);
            RecoveryRecord untitled;
            untitled.bytes = "new model";
            crashed.Keep(crashed.NewId(), untitled);
        }
        CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, shown.c_str());
        prompts->ExpectMessageBox(answer);
        OfferRecoveredModels(store);
        EXPECT_TRUE(prompts->Last().text.contains("2 model(s) can be recovered: shown.nuv, Untitled.")) << prompts->Last().text.toStdString();
        if (answer == IDNO) {
            EXPECT_EQ(WindowCount(), 1);
            EXPECT_EQ(window->Edit().GetText(), "on disk");
            window->Destroy();
            continue;
        }
        EXPECT_EQ(WindowCount(), 2);
        EXPECT_EQ(window->Edit().GetText(), "recovered text");
        EXPECT_TRUE(window->m_bModified);
        EXPECT_STREQ(window->FileName(), shown.c_str());
    }
    store.Flush();
    EXPECT_EQ(Copies().size(), 2) << "the reopened windows keep copies of their own";
    OfferRecoveredModels(store);  // nothing is left to offer: no question
}

}  // namespace
