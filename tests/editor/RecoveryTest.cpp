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

// What two programs, both killed while editing the same model, left behind:
// a copy of that model from each, and an untitled one.
void LeaveCopiesOfTwoPrograms(const std::string& base, const std::string& model)
{
    for (const char* text : {"first program's text", "second program's text"}) {
        CRecoveryStore crashed;
        ASSERT_TRUE(crashed.Open(base));
        RecoveryRecord named;
        named.untitled = false;
        named.fileName = model;
        named.bytes = text;
        crashed.Keep(crashed.NewId(), named);
        if (text[0] == 's') {
            RecoveryRecord untitled;
            untitled.bytes = "new model";
            crashed.Keep(crashed.NewId(), untitled);
        }
    }
}

QStringList CopiesUnder(const std::string& base)
{
    QStringList copies;
    for (const QString& folder : QDir(QString::fromStdString(base)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copies += QDir(QString::fromStdString(base) + "/" + folder).entryList({"*.rec"}, QDir::Files);
    return copies;
}

// The start-up offer. Cancel (as Escape and closing the box) changes nothing
// and offers the copies again next time; No deletes them. Yes gives every copy
// back: the windows that show the model unchanged take them, the second
// titled as a recovered copy, and the old copies go once the windows' own
// copies are on disk.
TEST_F(RecoveryWindowTest, TheOfferKeepsDeletesOrGivesBackEveryCopy)
{
    const std::string shown = File("shown.nuv", "on disk");
    const std::string base = Path("recovery");
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, shown.c_str());
    LeaveCopiesOfTwoPrograms(base, shown);
    prompts->ExpectMessageBox(IDCANCEL);
    OfferRecoveredModels(store);
    EXPECT_EQ(prompts->Last().style, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_TRUE(prompts->Last().text.contains("3 model(s) can be recovered: shown.nuv, shown.nuv, Untitled."))
        << prompts->Last().text.toStdString();
    EXPECT_EQ(CopiesUnder(base).size(), 3);
    prompts->ExpectMessageBox(IDNO);
    OfferRecoveredModels(store);  // the next start
    EXPECT_TRUE(CopiesUnder(base).isEmpty());
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(window->Edit().GetText(), "on disk");

    // The workspace had opened the model twice.
    CNuvEdit* second = CNuvEdit::CreateForFile(kPlaceDefault, shown.c_str());
    LeaveCopiesOfTwoPrograms(base, shown);
    prompts->ExpectMessageBox(IDYES);
    OfferRecoveredModels(store);
    ASSERT_EQ(WindowCount(), 3);
    const QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList(QMdiArea::CreationOrder);
    auto* untitled = qobject_cast<CNuvEdit*>(windows[2]);
    EXPECT_EQ(window->Edit().GetText(), "first program's text");
    EXPECT_EQ(window->windowTitle().toStdString(), shown);
    EXPECT_EQ(second->Edit().GetText(), "second program's text");
    EXPECT_EQ(second->windowTitle().toStdString(), shown + " (recovered copy)");
    EXPECT_STREQ(second->FileName(), shown.c_str());
    EXPECT_EQ(untitled->Edit().GetText(), "new model");
    for (CNuvEdit* recovered : {window, second, untitled})
        EXPECT_TRUE(recovered->m_bModified);
    EXPECT_EQ(CopiesUnder(base), Copies()) << "only this program's own copies are left";
    EXPECT_EQ(Copies().size(), 3);

    ASSERT_TRUE(second->Save());
    EXPECT_EQ(second->windowTitle().toStdString(), shown);
    store.Flush();
    EXPECT_EQ(Copies().size(), 2);
    OfferRecoveredModels(store);  // nothing is left to offer: no question
}

// Without a folder of its own (one that cannot be written) the program still
// offers the copies it can read; each stays on disk until its text is saved
// (under any name) or its window is closed after the save question.
TEST_F(RecoveryWindowTest, CopiesOfferedWithoutAFolderStayUntilSavedOrGivenUp)
{
    const std::string shown = File("shown.nuv", "on disk");
    const std::string base = Path("recovery");
    LeaveCopiesOfTwoPrograms(base, shown);
    CRecoveryStore::FailOpenForTests(true);
    CRecoveryStore unwritable;
    EXPECT_FALSE(unwritable.Open(base));
    CRecoveryStore::FailOpenForTests(false);
    EXPECT_EQ(unwritable.OpenError(), EACCES);
    SetRecoveryStore(&unwritable);
    prompts->ExpectMessageBox(IDYES);
    OfferRecoveredModels(unwritable);
    ASSERT_EQ(WindowCount(), 3);
    unwritable.Flush();
    EXPECT_EQ(CopiesUnder(base).size(), 3) << "nothing else holds their texts";

    const QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList(QMdiArea::CreationOrder);
    EXPECT_EQ(windows[1]->windowTitle().toStdString(), shown + " (recovered copy)") << "a window of its own";
    prompts->ExpectFile(QString::fromStdString(Path("elsewhere.nuv")));
    ASSERT_TRUE(qobject_cast<CNuvEdit*>(windows[0])->SaveAs());
    EXPECT_EQ(CopiesUnder(base).size(), 2);
    prompts->ExpectMessageBox(IDCANCEL);
    windows[1]->close();
    EXPECT_EQ(CopiesUnder(base).size(), 2) << "a window that stays keeps its copy";
    prompts->ExpectMessageBox(IDNO);
    windows[1]->close();
    EXPECT_EQ(CopiesUnder(base).size(), 1);
    SetRecoveryStore(&store);
}

}  // namespace
