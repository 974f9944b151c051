// Models of any size up to the load limit, and files that are no models: what
// a person does with a 16 MiB model, and what the editor makes of bad files.
#include <QFile>
#include <QRandomGenerator>

#include "EditorTestSupport.h"
#include "editor/CRecoveryStore.h"
#include "editor/ModelFile.h"
#include "platform/SystemMemory.h"
#include "res/CommandIds.h"
#include "shell/PrintHandler.h"

namespace {

class LargeModelTest : public EditorWidgetTest {
protected:
    void TearDown() override
    {
        SetRecoveryStore(nullptr);
        SetPrintHandler({});
        SetAvailableMemoryForTests(UINT64_MAX);
        EditorWidgetTest::TearDown();
    }
};

// Statements naming alpha, each in a line with CR LF, of about `size` bytes,
// and the only "needle" on the last line but one.
QByteArray LargeModel(qsizetype size)
{
    QByteArray lines;
    for (int i = 0; i < 1000; ++i)
        lines += "    x" + QByteArray::number(i) + " = alpha * (beta + " + QByteArray::number(i % 97) +
                 ");  // step \"" + QByteArray::number(i) + "\" {}\r\n";
    return lines.repeated(size / lines.size() + 1) + "    needle = 1;\r\n}\r\n";
}

std::pair<int, int> Selection(CNuvEdit* window)
{
    int start = 0;
    int end = 0;
    window->Edit().GetSel(&start, &end);
    return {start, end};
}

// A person opens a 16 MiB model, finds a word near its end, replaces a word
// everywhere, goes to a line near the end and prints; then the program dies,
// and the recovery copy gives the text and the caret back.
TEST_F(LargeModelTest, ASixteenMebibyteModelOpensFindsReplacesPrintsAndRecovers)
{
    const QByteArray bytes = LargeModel(16 << 20);
    const std::string base = Path("recovery");
    auto crashing = std::make_unique<CRecoveryStore>();
    ASSERT_TRUE(crashing->Open(base));
    SetRecoveryStore(crashing.get());
    CNuvEdit* window = Loaded("large.nuv", bytes);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Edit().GetTextLength(), bytes.size());
    const int lines = window->Edit().GetLineCount();

    window->Edit().SetSel(0, 0);
    ASSERT_TRUE(window->FindText("NEEDLE", TRUE, FALSE));
    const int needle = static_cast<int>(bytes.indexOf("needle"));
    EXPECT_EQ(Selection(window), std::make_pair(needle, needle + 6));

    window->Edit().SetSel(0, 0);
    window->ReplaceAll("alpha", "gamma", TRUE, TRUE);
    QByteArray replaced = bytes;
    const qsizetype count = bytes.count("alpha");
    replaced.replace("alpha", "gamma");
    EXPECT_EQ(frame->messageText, QString("String 'alpha' was found %1 times").arg(count));
    EXPECT_EQ(window->SaveBytes(), replaced);

    window->SetCaret(lines - 3, 5);
    window->UpdatePositionPanes();
    EXPECT_EQ(frame->panes[ID_INDICATOR_LINE], QString("%1").arg(lines - 2, 6, 10, QChar('0')));
    EXPECT_EQ(frame->panes[ID_INDICATOR_COLUMN], "005");
    window->WriteRecoveryCopyNow();

    QByteArray printed;
    SetPrintHandler([&printed](const char* text, const char*) { printed = text; });
    window->PrintText(FALSE);
    EXPECT_TRUE(printed == replaced) << "printed " << printed.size() << " of " << replaced.size() << " bytes";

    window->SelectLine(static_cast<unsigned long long>(lines - 1));  // Go to error's selection
    const int last = window->Edit().LineIndex(lines - 2);
    EXPECT_EQ(Selection(window), std::make_pair(last, last + 1));

    crashing->Flush();
    SetRecoveryStore(nullptr);
    crashing.reset();  // no normal end: the copy stays
    CRecoveryStore next;
    ASSERT_TRUE(next.Open(base));
    const std::vector<CRecoveryStore::Orphan> orphans = next.TakeOrphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_TRUE(orphans[0].record.bytes == replaced.toStdString()) << "the copy holds another text";
    EXPECT_EQ(orphans[0].record.line0, lines - 3);
    EXPECT_EQ(orphans[0].record.column1, 5);
    next.DiscardOrphans();
    next.RemoveAll();
}

// Each bad file opens, or is refused with message 102 and the window that
// tried keeps its text, name and changes. One that opens shows its text up to
// its first zero byte, which a save gives back byte for byte.
TEST_F(LargeModelTest, BadFilesOpenOrAreRefusedWithMessage102)
{
    QByteArray random(1 << 20, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QByteArray zeroFirst = LargeModel(1 << 20);
    zeroFirst[0] = '\0';
    const struct {
        const char* name;
        QByteArray bytes;      // written to the file, unless sparse
        qsizetype sparse;      // a file of this many zero bytes instead
        std::uint64_t memory;  // the memory available
        bool opens;
    } cases[] = {
        {"random bytes", random, 0, UINT64_MAX, true},
        {"random bytes without a zero", QByteArray(random).replace('\0', '\1'), 0, UINT64_MAX, true},
        {"a zero byte first", zeroFirst, 0, UINT64_MAX, true},
        {"64 MiB in one line", QByteArray(static_cast<qsizetype>(kMaxModelFileSize), 'x'), 0, UINT64_MAX, false},
        {"64 MiB + 1 byte", {}, static_cast<qsizetype>(kMaxModelFileSize) + 1, UINT64_MAX, false},
        {"more than the memory holds", LargeModel(1 << 20), 0, 4 << 20, false},
    };
    CNuvEdit* window = Loaded("kept.nuv", "kept");
    window->Edit().ReplaceSel("typed ");
    for (const auto& c : cases) {
        const std::string path = File(c.name, c.bytes);
        if (c.sparse > 0)
            QFile(QString::fromStdString(path)).resize(c.sparse);
        SetAvailableMemoryForTests(c.memory);
        prompts->Clear();
        if (c.opens) {
            CNuvEdit* opened = CNuvEdit::CreateForFile(kPlaceDefault, path.c_str());
            ASSERT_NE(opened, nullptr) << c.name;
            EXPECT_TRUE(prompts->Records().empty()) << c.name;
            const qsizetype zero = c.bytes.indexOf('\0');
            EXPECT_TRUE(opened->SaveBytes() == c.bytes.left(zero < 0 ? c.bytes.size() : zero)) << c.name;
            opened->Destroy();
            continue;
        }
        prompts->ExpectMessageBox(IDOK);
        EXPECT_FALSE(window->LoadFile(path.c_str())) << c.name;
        EXPECT_EQ(prompts->Last().text, "File is too large. Use another editor to edit this file.") << c.name;
        EXPECT_EQ(prompts->Last().style, MB_ICONHAND) << c.name;
        EXPECT_EQ(window->FileName(), Path("kept.nuv")) << c.name;
        EXPECT_EQ(window->Edit().GetText(), "typed kept") << c.name;
        EXPECT_TRUE(window->m_bModified) << c.name;
    }
}

}  // namespace
