// Printing through the real main frame. A PDF file stands in for the default
// printer, on the real QPrinter path, and poppler's pdftotext reads the pages
// back with the place of every word.
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QMdiArea>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"
#include "print/CPrinterDevice.h"
#include "print/CDefaultPrinter.h"
#include "print/PrintLayout.h"
#include "res/CommandIds.h"

namespace {

struct Word {
    double xMin, yMin, xMax;
    QString text;
};
using Page = std::vector<Word>;  // top to bottom, left to right

std::unique_ptr<QPrinter> PdfPrinter(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setOutputFileName(path);
    return printer;
}

class PrintE2e : public FrameFixture {
protected:
    ~PrintE2e() override { CDefaultPrinter::SetPrinterFactory(nullptr); }

    // The session's printer is the PDF file instead of the default printer.
    void PrintToPdf()
    {
        CDefaultPrinter::SetPrinterFactory([this] { return PdfPrinter(pdf); });
    }

    // The pages of the PDF, each as its words with their places in points, and
    // the size of the first page.
    std::vector<Page> ReadPages(QSizeF* size = nullptr) const
    {
        QProcess reader;
        reader.start("pdftotext", {"-bbox", pdf, "-"});
        if (!reader.waitForFinished(30000) || reader.exitCode() != 0) {
            ADD_FAILURE() << "pdftotext (poppler-utils, installed by scripts/install-deps.sh) failed: "
                          << reader.errorString().toStdString();
            return {};
        }
        const QString html = QString::fromUtf8(reader.readAllStandardOutput());
        static const QRegularExpression pageSize(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
        const QRegularExpressionMatch first = pageSize.match(html);
        if (size && first.hasMatch())
            *size = QSizeF(first.captured(1).toDouble(), first.captured(2).toDouble());
        static const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
        std::vector<Page> pages;
        for (const QString& part : html.split("<page ", Qt::SkipEmptyParts).mid(1)) {
            Page page;
            for (const QRegularExpressionMatch& m : word.globalMatch(part))
                page.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                m.captured(4).replace("&amp;", "&")});
            std::stable_sort(page.begin(), page.end(), [](const Word& a, const Word& b) {
                return a.yMin + 0.5 < b.yMin || (std::abs(a.yMin - b.yMin) <= 0.5 && a.xMin < b.xMin);
            });
            pages.push_back(page);
        }
        return pages;
    }

    QString pdf = dir.filePath("printed.pdf");
};

// A model of three pages: the file name centred on top of every page, its
// number at the foot, every row indented by five characters, a line longer
// than a row wrapped onto the next one at the same indent.
TEST_F(PrintE2e, AModelPrintsOnPagesAsLaidOut)
{
    auto printer = PdfPrinter(pdf);
    const QRectF area = printer->pageRect(QPrinter::Point);
    const double cell = QFontMetricsF(CPrinterDevice::DefaultFont(), printer.get()).horizontalAdvance('M') * 72.0 /
                        printer->resolution();
    const PrintLayout layout = PrintLayout::Measure(CPrinterDevice(std::move(printer)));
    const int rowsPerPage = layout.bodyRowLimit - PrintLayout::kFirstBodyRow;
    const int perRow = layout.lineCapacity - PrintLayout::kIndent;
    ASSERT_GT(rowsPerPage, 10);
    ASSERT_GT(perRow, 40);

    // One header row, a line wrapped onto two rows, then numbered lines up to
    // five rows into the third page.
    const QString longLine = QString("0123456789").repeated(perRow / 10 + 4);
    QString text = "//café-€-pages\n" + longLine + "\n";
    const int numbered = 2 * rowsPerPage + 5 - 3;
    for (int n = 1; n <= numbered; ++n)
        text += QString("line %1\n").arg(n, 3, 10, QChar('0'));
    const std::string model = WriteModel("three.nuv", text.toUtf8().constData());
    Start({model});
    ASSERT_NE(ActiveEditor(), nullptr);
    PrintToPdf();

    Frame().OnCommand(ID_FILE_PRINT);

    EXPECT_TRUE(prompts.Records().empty()) << prompts.Last().text.toStdString();
    EXPECT_TRUE(Frame().isEnabled());
    const std::vector<Page> pages = ReadPages();
    ASSERT_EQ(pages.size(), 3u);
    const double indentX = area.left() + PrintLayout::kIndent * cell;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        const Page& page = pages[i];
        ASSERT_GE(page.size(), 4u);
        const Word& title = page.front();
        EXPECT_EQ(title.text.toStdString(), model);
        EXPECT_NEAR((title.xMin + title.xMax) / 2, area.left() + area.width() / 2, cell);
        EXPECT_EQ(page[page.size() - 2].text, "Page");
        EXPECT_EQ(page.back().text, QString::number(i + 1));
        for (std::size_t w = 1; w + 2 < page.size(); ++w) {
            const bool startsRow = page[w].yMin > page[w - 1].yMin + 0.5;
            if (startsRow) {
                EXPECT_NEAR(page[w].xMin, indentX, 0.5) << page[w].text.toStdString();
            }
        }
    }
    const Page& first = pages[0];
    EXPECT_EQ(first[1].text, "//café-€-pages") << "the characters the editor shows";
    EXPECT_EQ(first[2].text, longLine.left(perRow)) << "the first row of the long line";
    EXPECT_EQ(first[3].text, longLine.mid(perRow)) << "wrapped onto the next row";
    EXPECT_GT(first[3].yMin, first[2].yMin);
    // Page 2 goes on where page 1 ended: one header row and two rows of the long line came first.
    EXPECT_EQ(pages[1][1].text, "line");
    EXPECT_EQ(pages[1][2].text, QString("%1").arg(rowsPerPage - 3 + 1, 3, 10, QChar('0')));
    EXPECT_EQ(pages[2][pages[2].size() - 3].text, QString("%1").arg(numbered, 3, 10, QChar('0')));
}

// While a job runs, the main window is disabled: commands that reach its
// event pump (a second Print, New, closing the window) start nothing.
TEST_F(PrintE2e, WhileAJobRunsNothingElseStarts)
{
    const std::string model = WriteModel("m.nuv", "print 1;\nprint 2;\n");
    Start({model});
    PrintToPdf();
    const int windows = static_cast<int>(Frame().MdiArea()->subWindowList().size());
    bool ran = false;
    QTimer::singleShot(0, &Frame(), [&] {
        ran = true;
        EXPECT_FALSE(Frame().isEnabled());
        Frame().PostCommand(ID_FILE_PRINT);
        Frame().PostCommand(ID_FILE_NEW);
        Frame().close();
    });

    Frame().OnCommand(ID_FILE_PRINT);

    EXPECT_TRUE(ran);
    EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), windows);
    EXPECT_TRUE(Frame().isVisible()) << "the window did not close under the job";
    EXPECT_TRUE(Frame().isEnabled());
    ASSERT_EQ(ReadPages().size(), 1u);
}

// This machine has no printer: Print says so, Printer Setup says so without a
// dialog, and the program goes on.
TEST_F(PrintE2e, WithoutAPrinterPrintAndPrinterSetupSaySo)
{
    const std::string model = WriteModel("m.nuv", "print 1;\n");
    Start({model});
    CDefaultPrinter::SetPrinterFactory([] { return std::unique_ptr<QPrinter>(); });

    prompts.ExpectMessageBox(IDOK);
    Frame().OnCommand(ID_FILE_PRINT);
    EXPECT_EQ(prompts.Last().text, "An error has occured while sending data to the printer. Print job terminated!");
    EXPECT_EQ(prompts.Last().style, MB_ICONHAND);
    EXPECT_TRUE(Frame().isEnabled());

    prompts.Clear();
    prompts.ExpectMessageBox(IDOK);
    Frame().OnCommand(ID_FILE_PRINT_SETUP);
    ASSERT_EQ(prompts.Records().size(), 1u);
    EXPECT_EQ(prompts.Last().text,
              "No printer is installed, so there is nothing to set up. Install a printer and make it the default "
              "printer to print from NUV.");
}

// What Printer Setup chooses holds for the jobs that follow, and the layout
// follows the page; a title wider than the page keeps its start and its file
// name on the page.
TEST_F(PrintE2e, PrinterSetupChoicesHoldForTheJobsThatFollow)
{
    // A path of 142 characters, as wide as no A4 row.
    QString folder = dir.path();
    for (int i = 0; folder.size() < 142 - 10; ++i)
        folder += QString("/folder-%1").arg(i);
    folder.truncate(142 - 10);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString name = folder.mid(dir.path().size() + 1) + "/model.nuv";
    const std::string model = WriteModel(name.toUtf8().constData(), QString(200, 'x').toUtf8().constData());
    ASSERT_EQ(model.size(), 142u);
    Start({model});
    PrintToPdf();

    // Each print: the page's size, its title, the first row of the long line.
    struct Printed {
        QSizeF page;
        QString title;
        qsizetype row = 0;
    };
    const auto print = [&] {
        Frame().OnCommand(ID_FILE_PRINT);
        QSizeF size;
        const std::vector<Page> pages = ReadPages(&size);
        EXPECT_EQ(pages.size(), 1u);
        if (pages.empty() || pages[0].size() < 2)
            return Printed{};
        const Word& title = pages[0].front();
        EXPECT_GE(title.xMin, 0.0) << "the title starts on the page";
        EXPECT_LE(title.xMax, size.width()) << "the title ends on the page";
        return Printed{size, title.text, pages[0][1].text.size()};
    };

    const Printed portrait = print();
    EXPECT_LT(portrait.page.width(), portrait.page.height());
    const qsizetype cut = portrait.title.indexOf(".../");
    EXPECT_GT(cut, 40) << portrait.title.toStdString();
    EXPECT_TRUE(QString::fromStdString(model).startsWith(portrait.title.left(cut))) << "the start of the path";
    EXPECT_TRUE(portrait.title.endsWith("/model.nuv")) << "the file name is printed";

    prompts.ExpectPrintSetup(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
    Frame().OnCommand(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(prompts.Last().owner, &Frame());
    const Printed landscape = print();
    EXPECT_GT(landscape.page.width(), landscape.page.height()) << "the chosen orientation";
    EXPECT_GT(landscape.row, portrait.row + 30) << "a landscape row holds more characters";
    EXPECT_GT(landscape.title.size(), portrait.title.size());
    EXPECT_TRUE(landscape.title.endsWith("/model.nuv"));
    EXPECT_EQ(prompts.Records().size(), 1u) << "no message box";
}

}  // namespace
