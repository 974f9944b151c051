// Where a run's output and a preprocessor listing end up.
#include <QFile>
#include <QMdiArea>

#include "RunFixture.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "run/CInterpreterLibrary.h"
#include "run/DllList.h"
#include "run/Services.h"

namespace {

std::string g_listing;
int KeepListing(const char* text)
{
    g_listing = text;
    return 1;
}

// The listing the interpreter gives for `model`, asked of it directly.
std::string ListingOf(const std::string& model)
{
    CInterpreterLibrary library;
    EXPECT_TRUE(library.Load());
    library.ApplySettings(TRUE, 20, TRUE);
    library.Run(model.c_str(), &LookupService);
    g_listing.clear();
    library.GivePreprocText(&KeepListing);
    return g_listing;
}

const char* const kModel = "// a model\nprint \"one\\n\";\nprint \"two\\n\";\n";

}  // namespace

class DestinationTest : public RunFixture {
protected:
    void SendToFile(BOOL on, BOOL append)
    {
        output->SetOption(CNuvOutput::kOptionSendToFile, on);
        output->SetOption(CNuvOutput::kOptionAppend, append);
    }
    std::vector<CNuvEdit*> Editors() const
    {
        std::vector<CNuvEdit*> editors;
        for (QMdiSubWindow* window : const_cast<FakeFrame&>(frame).MdiArea()->subWindowList()) {
            if (auto* editor = dynamic_cast<CNuvEdit*>(window))
                editors.push_back(editor);
        }
        return editors;
    }
};

TEST_F(DestinationTest, SendToFileWritesTheOutputFileReplacingOrAppending)
{
    const std::string model = WriteModel("out.model.nuv", kModel);
    const struct {
        BOOL append;
        const char* content;
    } cases[] = {
        {FALSE, "one\r\ntwo\r\n"},
        {TRUE, "one\r\ntwo\r\none\r\ntwo\r\n"},
    };
    for (const auto& c : cases) {
        QFile::remove(QString::fromStdString(PathOf("out.out")));
        SendToFile(TRUE, c.append);
        ASSERT_TRUE(Run(model));
        ASSERT_TRUE(Run(model));
        EXPECT_EQ(ReadFile("out.out"), QByteArray(c.content)) << c.append;
        EXPECT_EQ(frame.messageText.toStdString(),
                  "The model '" + model + "' has finished. Output saved in the file 'out.out'");
    }
}

TEST_F(DestinationTest, APreprocessOnlyListingGoesToAFileReplacingOrAppending)
{
    const std::string model = WriteModel("pre.x.nuv", kModel);
    settings.m_bPreprocessOnly = TRUE;
    const QByteArray listing = QByteArray::fromStdString(ListingOf(model));
    ASSERT_TRUE(listing.contains("print \"two\\n\";"));
    const QByteArray once = "// Preprocessor listing\r\n\r\n\r\n" + listing + "\r\n";
    const struct {
        BOOL append;
        QByteArray content;
    } cases[] = {{FALSE, once}, {TRUE, once + once}};
    for (const auto& c : cases) {
        QFile::remove(QString::fromStdString(PathOf("pre.prp")));
        SendToFile(TRUE, c.append);
        ASSERT_TRUE(Run(model));
        ASSERT_TRUE(Run(model));
        EXPECT_EQ(ReadFile("pre.prp"), c.content) << c.append;
        EXPECT_EQ(ReadFile("pre.out"), QByteArray("<missing>"));
        EXPECT_TRUE(Editors().empty());
    }
}

TEST_F(DestinationTest, APreprocessOnlyListingFillsTheEditorOfItsName)
{
    frame.findEditor = [this](const char* path) { return FindEditorIn(frame.MdiArea(), path); };
    const std::string model = WriteModel("lst.v1.nuv", kModel);
    settings.m_bPreprocessOnly = TRUE;
    const QString listing = QString::fromStdString(ListingOf(model));
    ASSERT_TRUE(Run(model));
    ASSERT_EQ(Editors().size(), 1u);
    CNuvEdit* editor = Editors().front();
    EXPECT_EQ(std::string(editor->FileName()), PathOf("lst.v1.prp"));
    EXPECT_EQ(editor->Edit().GetText(), listing);
    EXPECT_TRUE(editor->m_bModified);
    EXPECT_EQ(ReadFile("lst.prp"), QByteArray("<missing>"));

    // The next listing of that model replaces the text in the same window.
    editor->Edit().SetText("changed");
    ASSERT_TRUE(Run(model));
    ASSERT_EQ(Editors().size(), 1u);
    EXPECT_EQ(Editors().front(), editor);
    EXPECT_EQ(editor->Edit().GetText(), listing);
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), editor);

    // Edits typed into it are asked about first: Cancel keeps them and the
    // output says where the listing did not go; Yes saves them, then the
    // listing replaces the text.
    editor->Edit().SetSel(0, 0);
    editor->Edit().ReplaceSel("my notes ");
    const QString typed = editor->Edit().GetText();
    prompts.ExpectMessageBox(IDCANCEL);
    ASSERT_TRUE(Run(model));
    EXPECT_EQ(editor->Edit().GetText(), typed);
    EXPECT_TRUE(editor->m_bModified);
    EXPECT_EQ(OutputLines().back(), "The preprocessor listing was not loaded: the window '" + PathOf("lst.v1.prp") +
                                        "' keeps its changes");
    prompts.ExpectMessageBox(IDYES);
    ASSERT_TRUE(Run(model));
    EXPECT_EQ(editor->Edit().GetText(), listing);
    EXPECT_TRUE(ReadFile("lst.v1.prp").startsWith("my notes ")) << ReadFile("lst.v1.prp").constData();
}

TEST_F(DestinationTest, ANewListingWindowIsMaximisedWhenTheActiveChildIs)
{
    const std::string model = WriteModel("max.nuv", kModel);
    settings.m_bPreprocessOnly = TRUE;
    output->ShowOutputWindow(nullptr);
    output->showMaximized();
    ASSERT_TRUE(Run(model));
    ASSERT_EQ(Editors().size(), 1u);
    EXPECT_TRUE(Editors().front()->isMaximized());
}

TEST_F(DestinationTest, AListingWindowThatCannotBeMadeIsReported)
{
    settings.m_bPreprocessOnly = TRUE;
    CNuvEdit::FailAllocationsAfterForTests(0);
    prompts.ExpectMessageBox(IDOK);
    ASSERT_TRUE(Run(WriteModel("nomem.nuv", kModel)));
    CNuvEdit::FailAllocationsAfterForTests(-1);
    EXPECT_EQ(prompts.Last().text, "Not enough memory to load preprocessor's output.");
    EXPECT_EQ(prompts.Last().style, MB_ICONEXCLAMATION);
    EXPECT_TRUE(Editors().empty());
}

TEST_F(DestinationTest, TheLibraryReadsTheAdditionalDllNames)
{
    theDllList = {"first.dll", "second.so"};
    ASSERT_TRUE(Run(WriteModel("dlls.nuv", "dlls;\n")));
    EXPECT_EQ(OutputLines(), (std::vector<std::string>{"first.dll", "second.so"}));
}
