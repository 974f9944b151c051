// Printing from the windows: the editor's text and selection, the abort dialog
// over the disabled main window, a missing printer, and the QPrinter device.
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "FakeFrame.h"
#include "PrintTestSupport.h"
#include "editor/CNuvEdit.h"
#include "print/CPrintAbortDlg.h"
#include "print/CPrintJob.h"
#include "print/CPrintProgress.h"
#include "print/CPrinterDevice.h"
#include "shell/PrintHandler.h"

namespace {

std::string B(int row, const std::string& text)
{
    return std::to_string(row) + ":     " + text;
}

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<FakeFrame>();
        frame->show();
    }
    void TearDown() override
    {
        SetPrintHandler(nullptr);
        frame.reset();
    }

    std::unique_ptr<FakeFrame> frame;
    ScriptedPrompts prompts;
};

// Print and Print Selection in an editor: what reaches paper is what the
// window shows, from the selection's start up to its end, under the file name.
TEST_F(PrintWindowTest, EditorPrintsItsTextOrItsSelection)
{
    const struct {
        const char* name;
        const char* bytes;  // the model file
        bool selectionOnly;
        int start, end;
        std::vector<std::string> body;
    } cases[] = {
        {"the whole text", "alpha\nbeta", false, 0, 0, {B(5, "alpha"), B(6, "beta")}},
        {"the selection from 10 up to 20", "0123456789abcdefghijKLMN", true, 10, 20, {B(5, "abcdefghij")}},
        {"a Latin-1 model prints its é", "caf\xe9 cr\xe8me", false, 0, 0, {B(5, "café crème")}},
        {"a UTF-8 model prints € and emoji", "\xe2\x82\xac \xf0\x9f\x98\x80!", false, 0, 0, {B(5, "€ 😀!")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CNuvEdit* editor = CNuvEdit::Create(kPlaceDefault);
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->SetText(c.bytes, "/w/m.nuv"));
        editor->Edit().SetSel(c.start, c.end);
        RecordingPrintDevice device;
        ScriptedAbort abort(prompts);
        CPrintJob job(device, abort);
        std::string title;
        SetPrintHandler([&](const char* text, const char* name) {
            title = name;
            job.Print(text, name);
        });
        editor->PrintText(c.selectionOnly);
        EXPECT_EQ(title, "/w/m.nuv");
        std::vector<std::string> expected = {"2:/w/m.nuv"};
        expected.insert(expected.end(), c.body.begin(), c.body.end());
        expected.push_back("18:Page 1");
        EXPECT_EQ(RecordedPages(device, job.Layout()), std::vector<std::vector<std::string>>{expected});
        editor->Destroy();
    }
}

TEST_F(PrintWindowTest, EditorWithoutMemoryForItsCopySaysSo)
{
    CNuvEdit* editor = CNuvEdit::Create(kPlaceDefault);
    ASSERT_NE(editor, nullptr);
    editor->Edit().SetText("abc");
    bool printed = false;
    SetPrintHandler([&](const char*, const char*) { printed = true; });
    prompts.ExpectMessageBox(IDOK);
    CNuvEdit::FailPrintCopyForTests(true);
    editor->PrintText(FALSE);
    CNuvEdit::FailPrintCopyForTests(false);
    EXPECT_FALSE(printed);
    EXPECT_EQ(prompts.Last().text, "Not enough memory.");
    EXPECT_EQ(prompts.Last().style, MB_ICONEXCLAMATION);
    editor->Destroy();
}

// While the job runs, its dialog answers over the disabled main window; each
// way of cancelling stops the job, drops the document and gives the window back.
TEST_F(PrintWindowTest, AbortDialogCancelsTheJob)
{
    const struct {
        const char* name;
        std::function<void(CPrintAbortDlg*)> cancel;  // null: the job runs to its end
        const char* ending;
    } cases[] = {
        {"no Cancel", nullptr, "EndDoc"},
        {"the Cancel button", [](CPrintAbortDlg* dialog) { dialog->CancelButton()->click(); }, "AbortDoc"},
        {"Esc",
         [](CPrintAbortDlg* dialog) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QCoreApplication::sendEvent(dialog, &escape);
         },
         "AbortDoc"},
        {"the close box", [](CPrintAbortDlg* dialog) { dialog->close(); }, "AbortDoc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPrintDevice device;
        CPrintProgress progress(frame.get());
        CPrintJob job(device, progress);
        bool looked = false;
        // Runs at the first pump, while the title is being drawn.
        QTimer::singleShot(0, frame.get(), [&] {
            looked = true;
            CPrintAbortDlg* dialog = progress.Dialog();
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_FALSE(dialog->isModal());
            EXPECT_EQ(dialog->parentWidget(), frame.get());
            EXPECT_EQ(dialog->windowTitle(), "NUV");
            EXPECT_EQ(dialog->findChild<QLabel*>()->text(), "Print job is in progress");
            EXPECT_EQ(dialog->CancelButton()->text(), "&Cancel");
            EXPECT_FALSE(frame->isEnabled()) << "the main window is disabled during the job";
            EXPECT_TRUE(dialog->isEnabled());
            if (c.cancel) {
                c.cancel(dialog);
                EXPECT_TRUE(frame->isEnabled()) << "Cancel gives the main window back at once";
                EXPECT_FALSE(dialog->isVisible());
            }
        });
        job.Print("1\n2\n3\n4\n5\n6\n7\n", "m.nuv");
        EXPECT_TRUE(looked);
        EXPECT_EQ(device.Names().back(), c.ending);
        EXPECT_TRUE(frame->isEnabled());
        EXPECT_EQ(progress.Dialog(), nullptr) << "the dialog is gone";
        EXPECT_TRUE(prompts.Records().empty()) << "Cancel shows no message";
    }
}

// The QPrinter device keeps the pages until the document ends: an aborted
// document leaves nothing behind, and a printer that cannot take the document
// says so at its end.
TEST_F(PrintWindowTest, PrinterDeviceSpoolsUntilTheDocumentEnds)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        QString output;
        bool abort;
        bool printed;
    } cases[] = {
        {"ended", dir.filePath("ended.pdf"), false, true},
        {"aborted", dir.filePath("aborted.pdf"), true, false},
        {"into a directory", dir.path(), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(c.output);
        CPrinterDevice device(std::move(printer));
        int hooks = 0;
        device.SetAbortProc([&] { return ++hooks > 0; });
        ASSERT_GT(device.StartDoc("m.nuv"), 0);
        ASSERT_GT(device.StartPage(), 0);
        device.TextOut(0, 0, "text");
        EXPECT_GE(device.EndPage(), 0);
        EXPECT_EQ(hooks, 2) << "the hook runs after drawing and after a page end";
        if (c.abort) {
            device.AbortDoc();
        } else {
            EXPECT_EQ(device.EndDoc() > 0, c.printed);
        }
        QFile file(c.output);
        const bool isPdf = file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
        EXPECT_EQ(isPdf, c.printed);
    }
}

}  // namespace
