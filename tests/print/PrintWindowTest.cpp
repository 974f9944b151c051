// Printing from the windows: the editor's text and selection, the abort dialog
// over the disabled main window, a missing printer, and the QPrinter device.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
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
#include "print/PrintLayout.h"
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

// A QPrinter into a PDF file that tells when it is given a page after the first.
class HandOverPrinter : public QPrinter {
public:
    explicit HandOverPrinter(const QString& path) : QPrinter(QPrinter::HighResolution)
    {
        setOutputFormat(QPrinter::PdfFormat);
        setPageSize(QPageSize(QPageSize::A4));
        setOutputFileName(path);
    }
    bool newPage() override
    {
        if (onNewPage)
            onNewPage();
        return QPrinter::newPage();
    }
    std::function<void()> onNewPage;
};

// The real abort side, counting the pumps of the job.
class CountingAbort : public IPrintAbort {
public:
    explicit CountingAbort(CPrintProgress& progress) : m_progress(progress) {}
    void Begin() override { m_progress.Begin(); }
    bool Continue() override
    {
        ++pumps;
        return m_progress.Continue();
    }
    void End() override { m_progress.End(); }
    int pumps = 0;

private:
    CPrintProgress& m_progress;
};

// The pages of a PDF file as pdfinfo counts them; -1 when there is no file.
int PdfPages(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return -1;
    QProcess info;
    info.start("pdfinfo", {path});
    if (!info.waitForFinished(30000))
        return 0;
    const QRegularExpressionMatch pages =
        QRegularExpression(R"(Pages:\s+(\d+))").match(QString::fromUtf8(info.readAllStandardOutput()));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

// The QPrinter device gives every page to the printer as it ends, with the
// job's event pump running between pages, so that the dialog answers through a
// long job and Cancel stops it: the pages handed over before it make a shorter
// job, and a job cancelled on its first page leaves nothing.
TEST_F(PrintWindowTest, PrinterDeviceHandsEachPageOverAsItEnds)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        bool cancelOnFirstPage;
        bool cancelAtPage2;  // while the printer takes page 2
        bool intoDirectory;
        int pages;  // in the file; -1: none written
        const char* message;
    } cases[] = {
        {"the whole job", false, false, false, 3, nullptr},
        {"Cancel while page 2 is handed over", false, true, false, 2, nullptr},
        {"Cancel on the first page", true, false, false, -1, nullptr},
        {"a printer that cannot take the document", false, false, true, -1,
         "An error has occured while sending data to the printer. Print job terminated!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString pdf = c.intoDirectory ? dir.path() : dir.filePath(QString(c.name) + ".pdf");
        HandOverPrinter printer(pdf);
        CPrinterDevice device(printer);
        const PrintLayout layout = PrintLayout::Measure(device);
        const int rowsPerPage = layout.bodyRowLimit - PrintLayout::kFirstBodyRow;
        ASSERT_GT(rowsPerPage, 10);
        std::string text;
        for (int line = 0; line < 2 * rowsPerPage + 3; ++line)
            text += "line " + std::to_string(line) + "\n";
        CPrintProgress progress(frame.get());
        CountingAbort abort(progress);
        std::vector<int> pumpsAtHandOver;
        printer.onNewPage = [&] {
            pumpsAtHandOver.push_back(abort.pumps);
            if (c.cancelAtPage2 && pumpsAtHandOver.size() == 1)
                QTimer::singleShot(0, frame.get(), [&] { progress.Dialog()->CancelButton()->click(); });
        };
        if (c.cancelOnFirstPage)
            QTimer::singleShot(0, frame.get(), [&] { progress.Dialog()->CancelButton()->click(); });
        if (c.message)
            prompts.ExpectMessageBox(IDOK);
        CPrintJob job(device, abort);
        job.Print(text.c_str(), "/w/m.nuv");

        EXPECT_EQ(PdfPages(pdf), c.pages);
        if (c.pages == 3) {
            ASSERT_EQ(pumpsAtHandOver.size(), 2u);
            EXPECT_GE(pumpsAtHandOver[1] - pumpsAtHandOver[0], 3) << "page 3's rows were made after page 2 went";
        }
        EXPECT_TRUE(frame->isEnabled());
        if (c.message)
            EXPECT_EQ(prompts.Last().text.toStdString(), c.message);
        else
            EXPECT_TRUE(prompts.Records().empty());
    }
}

}  // namespace
