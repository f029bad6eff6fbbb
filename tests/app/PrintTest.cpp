#include "TestWindow.h"
#include "app/Printing.h"
#include "report/ResultGrid.h"
#include "support/Process.h"
#include "support/ReportText.h"

#include <QPlainTextEdit>
#include <QPrinter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace {

/// A printer that writes a PDF file, and what poppler's tools read back from it.
class PdfPrint {
public:
    PdfPrint()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath("out.pdf"));
    }

    static bool ToolsMissing() { return QStandardPaths::findExecutable("pdftotext").isEmpty(); }

    /// The text's letters and digits only: line breaks fall where the layout wraps, and
    /// the font may turn "-" into another dash.
    std::string Text() const { return Squeezed(Tool("pdftotext", { "-" })); }
    std::string Info(const std::string& field) const
    {
        std::string info = "\n" + Tool("pdfinfo", {});
        std::size_t at = info.find("\n" + field + ":");
        if (at == std::string::npos)
            return {};
        std::size_t from = info.find_first_not_of(' ', at + field.size() + 2);
        return info.substr(from, info.find('\n', from) - from);
    }

    static std::string Squeezed(std::string text)
    {
        std::erase_if(text, [](unsigned char c) { return !std::isalnum(c); });
        return text;
    }

    QPrinter printer { QPrinter::HighResolution };

private:
    std::string Tool(const std::string& tool, std::vector<std::string> after) const
    {
        std::vector<std::string> argv {
            QStandardPaths::findExecutable(QString::fromStdString(tool)).toStdString(),
            m_dir.filePath("out.pdf").toStdString()
        };
        argv.insert(argv.end(), after.begin(), after.end());
        return RunProcess(argv).out;
    }

    QTemporaryDir m_dir;
};

#define SKIP_WITHOUT_POPPLER()                                                                               \
    if (PdfPrint::ToolsMissing())                                                                            \
    GTEST_SKIP() << "pdftotext is missing (Debian package poppler-utils): the printout cannot be read"

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(PdfPrint::Squeezed(std::string(part))) != std::string::npos;
}

ResultGrid Grid(const std::string& title, int rows, const std::string& stem)
{
    ResultGrid grid(title);
    grid.Reset();
    for (int i = 1; i <= rows; ++i)
        grid.FillLastRow(stem + std::to_string(i) + ".html", i % 2 ? "OK" : "FAILED: File not found",
            "from.html", i % 2 ? RowColour::White : RowColour::Red);
    grid.TrimBlankRow();
    return grid;
}

const std::string Faults = FixturesFolder() + "/sites/faults";

}

TEST(Printing, GridsPrintTheirFirstTwoColumnsOneAfterTheOther)
{
    SKIP_WITHOUT_POPPLER();
    ResultGrid links = Grid("Link", 3, "page");
    ResultGrid images = Grid("Image", 2, "picture");
    ResultGrid longLinks = Grid("Link", 400, "long");
    struct Case {
        const char* name;
        std::vector<const ResultGrid*> grids;
        std::vector<std::string> shown;
        std::vector<std::string> notShown;
        const char* pages;
    } cases[] = {
        { "both grids share a page", { &links, &images },
            { "LinkResult", "page1.htmlOK", "page2.htmlFAILED: File not found", "page3.html", "ImageResult",
                "picture2.htmlFAILED: File not found" },
            { "In File", "from.html", "Secs" }, "1" },
        { "a long grid goes on over new pages", { &longLinks }, { "long1.html", "long400.htmlFAILED" }, {},
            nullptr },
    };
    for (const Case& c : cases) {
        PdfPrint pdf;
        Printing::PrintGrids(pdf.printer, c.grids);
        std::string text = pdf.Text();
        for (const std::string& part : c.shown)
            EXPECT_TRUE(Contains(text, part)) << c.name << ": " << part;
        for (const std::string& part : c.notShown)
            EXPECT_FALSE(Contains(text, part)) << c.name << ": " << part;
        if (c.pages)
            EXPECT_EQ(pdf.Info("Pages"), c.pages) << c.name;
        else
            EXPECT_GT(std::stoi(pdf.Info("Pages")), 1) << c.name;
        EXPECT_EQ(pdf.Info("Title"), "Tarvik") << c.name;
    }
}

TEST(TTarvikMainForm, PrintsTheCurrentGridBothGridsAndTheReportAsShown)
{
    SKIP_WITHOUT_POPPLER();
    TestWindow w(Faults);
    w.form.Browser()->SelectFile("index.html");
    w.Analyse();
    auto* tabs = w.Control<QTabWidget>("PageControlAn");
    const RunModels& models = w.form.Models();

    tabs->setCurrentIndex(tabs->indexOf(w.Control("ImgGrid")));
    PdfPrint images;
    w.form.PrintGrids(images.printer, TTarvikMainForm::GridChoice::CurrentGrid);
    EXPECT_TRUE(Contains(images.Text(), "ImageResult"));
    EXPECT_FALSE(Contains(images.Text(), "LinkResult")) << "the image tab is current";

    PdfPrint both;
    w.form.PrintGrids(both.printer, TTarvikMainForm::GridChoice::BothGrids);
    std::string text = both.Text();
    EXPECT_LT(text.find("LinkResult"), text.find("ImageResult")) << "the link grid first";
    EXPECT_TRUE(Contains(text, std::string(models.LinkGrid.Row(1).cells[0]) + std::string(models.LinkGrid.Row(1).cells[1])));

    tabs->setCurrentIndex(tabs->indexOf(w.Control("ReportForm")));
    PdfPrint report;
    w.form.PrintReport(report.printer);
    text = report.Text();
    for (const ReportLine& line : models.Report.Lines())
        EXPECT_TRUE(Contains(text, line.text)) << line.text;
    EXPECT_EQ(report.Info("Title"), "Tarvik");
}

TEST(Printing, ATextBoxPrintsItsText)
{
    SKIP_WITHOUT_POPPLER();
    QPlainTextEdit box;
    box.setPlainText("HTTP/1.1 200 OK\nServer: loopback\n");
    PdfPrint pdf;
    Printing::PrintTextBox(pdf.printer, box);
    EXPECT_TRUE(Contains(pdf.Text(), "HTTP/1.1 200 OK Server: loopback"));
    EXPECT_EQ(pdf.Info("Title"), "Tarvik");
}

TEST(TTarvikMainForm, PrintCommandsAskForThePrinterUnlessThereIsNothingToPrint)
{
    TestWindow w(Faults);
    w.form.Browser()->SelectFile("index.html");
    {
        DialogResponder cancel([](QWidget* d) { QMetaObject::invokeMethod(d, "reject"); });
        w.form.PrintReportClick();
        EXPECT_TRUE(cancel.seen.empty()) << "no report yet";
    }
    w.Analyse();
    DialogResponder cancel([](QWidget* d) { QMetaObject::invokeMethod(d, "reject"); });
    w.form.PrintReportClick();
    w.form.PrintGridsClick(TTarvikMainForm::GridChoice::BothGrids);
    EXPECT_EQ(cancel.seen, (QStringList { "PrintDialog", "PrintDialog" }));
    w.Control<QTabWidget>("PageControlAn")->setCurrentIndex(0);
    w.form.PrintReportClick();
    EXPECT_EQ(cancel.seen.size(), 2) << "the Links tab and no headers: nothing to print";
}
