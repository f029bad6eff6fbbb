#include "TestWindow.h"
#include "app/DocumentView.h"
#include "report/ReportDocument.h"
#include "support/LoopbackServer.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include <QApplication>
#include <QTabWidget>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

Lines TextOf(const ReportDocument& report)
{
    Lines lines;
    for (const ReportLine& line : report.Lines())
        lines.emplace_back(line.text);
    return lines;
}

bool ReportTabShown(const TestWindow& w)
{
    auto* tabs = w.Control<QTabWidget>("PageControlAn");
    return tabs->isVisible() && tabs->currentWidget() == w.Control("ReportForm");
}

}

TEST(DocumentView, ShowsTheHeadingInBoldAnEmptyLineThenTheTextLineByLine)
{
    struct Case {
        std::string text;
        std::string failure;
        Lines shown; // after the heading and the empty line
    } cases[] = {
        { "a\r\nb\r\n", "", { "a", "b" } },
        { "a\nb", "", { "a", "b" } },
        { "a\rb\r", "", { "a", "b" } },
        { "a\n\n\r\n\rb", "", { "a", "", "", "", "b" } },
        { "\n", "", { "" } },
        { "", "", {} },
        { "ignored", "Page not found", { "FAILED: Page not found" } },
    };
    for (const Case& c : cases) {
        ReportDocument report;
        report.Append({ "an earlier report" });
        DocumentView::Show(report, { "/site/index.html", c.text, c.failure });
        Lines expected { "/site/index.html", "" };
        expected.insert(expected.end(), c.shown.begin(), c.shown.end());
        EXPECT_EQ(TextOf(report), expected) << c.text;
        EXPECT_EQ(report.Lines().at(0).style, ReportStyle::Bold);
        EXPECT_EQ(report.Lines().back().colour, c.failure.empty() ? ReportColour::Black : ReportColour::Red);
    }
}

TEST(TTarvikMainForm, ViewDocumentShowsTheFileFromDiskInTheReportTab)
{
    TempSite site({ { "index.html", "<html>\r\n<p>x</p>\r\n</html>\r\n" } });
    TestWindow w(site.Root());
    w.form.Browser()->SelectFile("index.html");
    w.Click("ViewButton");
    EXPECT_EQ(TextOf(w.form.Models().Report),
        (Lines { site.Root() + "/index.html", "", "<html>", "<p>x</p>", "</html>" }));
    EXPECT_TRUE(ReportTabShown(w));
    EXPECT_FALSE(w.Control("ImagePanel")->isVisible());
    EXPECT_FALSE(w.form.RunInProgress());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is gone";
}

TEST(TTarvikMainForm, ViewDocumentFromTheWebSiteDownloadsTheFileRelativeToTheBaseAddress)
{
    struct Case {
        const char* answer;
        Lines shown;
    } cases[] = {
        { "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>remote</p>\n", { "<p>remote</p>" } },
        { "HTTP/1.0 404 Not Found\r\n\r\n", { "FAILED: Page not found" } },
    };
    for (const Case& c : cases) {
        LoopbackServer server({ LoopbackServer::Answer(c.answer) });
        TestWindow w(FixturesFolder() + "/sites/faults");
        w.form.Browser()->SelectFile("index.html");
        w.Analyse();
        std::size_t rows = w.form.Models().LinkGrid.RowCount();
        w.store.WriteString("BaseHRef", QString::fromStdString(server.Url("/site/")));
        w.form.LoadSettings({ 0, 0, 1024, 768 });
        w.form.Browser()->SelectFile("index.html");

        w.form.ViewDocument(TTarvikMainForm::ViewSource::WebSite);
        Lines expected { server.Url("/site/index.html"), "" };
        expected.insert(expected.end(), c.shown.begin(), c.shown.end());
        EXPECT_EQ(TextOf(w.form.Models().Report), expected) << c.answer;
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(server.Requests()[0].rfind("GET /site/index.html HTTP/1.", 0), 0u) << server.Requests()[0];
        EXPECT_TRUE(ReportTabShown(w));
        EXPECT_EQ(w.form.Models().LinkGrid.RowCount(), rows) << "the last run's grid is left alone";

        // The off-line run's rule stands again: a local link is not offered to the browser.
        auto* grid = w.Control<QTableView>("LinkGrid");
        const ResultGrid& links = w.form.Models().LinkGrid;
        for (std::size_t row = 1; row < links.RowCount(); ++row) {
            if (links.Row(row).cells[0] == "about.html")
                grid->setCurrentIndex(grid->model()->index(int(row) - 1, 0));
        }
        EXPECT_FALSE(w.MenuAsOpened("GridMenu")["&Open URL in browser"]);
    }
}

TEST(TTarvikMainForm, ViewDocumentDuringARunDoesNothing)
{
    TestWindow w(FixturesFolder() + "/sites/faults");
    w.form.Browser()->SelectFile("index.html");
    Lines duringRun { "not looked at" };
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!w.form.RunInProgress())
            return;
        probe.stop();
        w.form.ViewDocument(TTarvikMainForm::ViewSource::LocalFile);
        duringRun = TextOf(w.form.Models().Report);
    });
    probe.start(0);
    w.Analyse();
    EXPECT_TRUE(duringRun.empty()) << duringRun.front();
}
