#include "app/FileBrowser.h"
#include "app/GridSort.h"
#include "app/ReportLinesModel.h"
#include "app/ResultGridModel.h"
#include "report/ReportDocument.h"
#include "report/ResultGrid.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QFont>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ResultGrid GridOf(const std::vector<std::pair<std::string, RowColour>>& rows)
{
    ResultGrid grid("Link");
    for (const auto& [reference, colour] : rows)
        grid.FillLastRow(reference, colour == RowColour::Red ? "FAILED" : "OK", "index.html", colour);
    grid.TrimBlankRow();
    return grid;
}

std::vector<std::string> Column(const ResultGrid& grid, std::size_t column)
{
    std::vector<std::string> texts;
    for (std::size_t row = 0; row < grid.RowCount(); ++row)
        texts.emplace_back(grid.Row(row).cells[column]);
    return texts;
}

}

TEST(GridSort, OrdersRowsBelowTheTitleByteByByte)
{
    struct Case {
        const char* name;
        std::vector<std::string> references;
        std::vector<std::string> sorted;
    };
    const Case cases[] = {
        { "upper case before lower case", { "b.html", "B.html", "a.html" },
            { "Link", "B.html", "a.html", "b.html" } },
        { "digits and punctuation by code", { "z", "#top", "1", "/x" }, { "Link", "#top", "/x", "1", "z" } },
        { "a single row", { "only" }, { "Link", "only" } },
        { "an empty first cell sorts first", { "x", "" }, { "Link", "", "x" } },
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, RowColour>> rows;
        for (const std::string& r : c.references)
            rows.push_back({ r, RowColour::White });
        ResultGrid grid = GridOf(rows);
        SortGridRows(grid, 0);
        EXPECT_EQ(Column(grid, 0), c.sorted) << c.name;
    }
}

TEST(GridSort, WholeRowsMoveWithTheirColoursAndEqualKeysFollowSelectionSort)
{
    ResultGrid grid
        = GridOf({ { "c", RowColour::Red }, { "a", RowColour::Silver }, { "b", RowColour::White } });
    grid.SetCell(1, 3, "2.0");
    SortGridRows(grid, 0);
    EXPECT_EQ(grid.Row(1).colour, RowColour::Silver);
    EXPECT_EQ(grid.Row(3).colour, RowColour::Red);
    EXPECT_EQ(grid.Row(3).cells[3], "2.0");

    // Selection sort swaps: sorting [k1 x, k2 x, k3 a] by column 1 moves k3 first and k1
    // to the end, behind k2, where a stable sort would keep k1 before k2.
    ResultGrid ties
        = GridOf({ { "k1", RowColour::White }, { "k2", RowColour::White }, { "k3", RowColour::Red } });
    ties.SetCell(1, 1, "x");
    ties.SetCell(2, 1, "x");
    ties.SetCell(3, 1, "a");
    SortGridRows(ties, 1);
    EXPECT_EQ(Column(ties, 0), (std::vector<std::string> { "Link", "k3", "k2", "k1" }));
}

TEST(GridSort, ADraggedRowMovesWithItsColourAndTheRowsBetweenShift)
{
    struct Case {
        const char* name;
        std::size_t from, to;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        { "down", 1, 3, { "Link", "b", "c", "a", "d" } },
        { "up", 4, 2, { "Link", "a", "d", "b", "c" } },
        { "the title row stays", 0, 2, { "Link", "a", "b", "c", "d" } },
        { "past the last row", 2, 5, { "Link", "a", "b", "c", "d" } },
    };
    for (const Case& c : cases) {
        ResultGrid grid = GridOf({ { "a", RowColour::Red }, { "b", RowColour::White },
            { "c", RowColour::Silver }, { "d", RowColour::White } });
        MoveGridRow(grid, c.from, c.to);
        EXPECT_EQ(Column(grid, 0), c.order) << c.name;
        for (std::size_t row = 1; row < grid.RowCount(); ++row) {
            const std::string reference(grid.Row(row).cells[0]);
            RowColour expected = reference == "a" ? RowColour::Red
                : reference == "c"                ? RowColour::Silver
                                                  : RowColour::White;
            EXPECT_EQ(grid.Row(row).colour, expected) << c.name << ": " << reference;
        }
    }
}

TEST(ResultGridModel, RowsReachTheViewOnlyAtAFlushWithTheirColours)
{
    ResultGrid grid("Image");
    ResultGridModel model(grid);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(model.rowCount(), 1) << "the blank row";
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Image");

    grid.FillLastRow("a.gif", "OK", "index.html", RowColour::White);
    grid.FillLastRow("b.gif", "FAILED: File not found", "index.html", RowColour::Red);
    grid.FillLastRow("http://x/c.gif", "Not checked", "index.html", RowColour::Silver);
    EXPECT_EQ(model.rowCount(), 1) << "not before the flush";
    model.Flush();
    ASSERT_EQ(model.rowCount(), 4);
    auto colour = [&](int row, Qt::ItemDataRole role) {
        return model.data(model.index(row, 0), role).value<QBrush>().color();
    };
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), "FAILED: File not found");
    EXPECT_EQ(colour(0, Qt::BackgroundRole), QColor(Qt::white));
    EXPECT_EQ(colour(1, Qt::BackgroundRole), QColor(255, 0, 0));
    EXPECT_EQ(colour(1, Qt::ForegroundRole), QColor(Qt::white));
    EXPECT_EQ(colour(2, Qt::BackgroundRole), QColor(192, 192, 192));
    EXPECT_EQ(colour(2, Qt::ForegroundRole), QColor(Qt::black));

    grid.Reset();
    EXPECT_FALSE(model.data(model.index(3, 0), Qt::DisplayRole).isValid()) << "a stale row reads nothing";
    model.Flush();
    EXPECT_EQ(model.rowCount(), 1);
}

TEST(FileBrowser, FilterTextGivesTheMask)
{
    const std::pair<QString, QString> cases[] = {
        { "HTML Files (*.*htm*)", "*.*htm*" },
        { "Active Server Pages (*.asp)", "*.asp" },
        { "PHP (*.php)", "*.php" },
        { "*.txt)", "*.txt" },
        { "*.txt", "*.tx" },
    };
    for (const auto& [text, mask] : cases)
        EXPECT_EQ(MaskFromFilterText(text), mask) << text.toStdString();
}

TEST(FileBrowser, MaskIgnoresLetterCaseAndRightClickSelectsOneFile)
{
    QTemporaryDir dir;
    for (const char* name : { "a.html", "B.HTM", "c.shtml", "notes.txt", "d.html" }) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    FileBrowser browser;
    browser.resize(300, 500);
    browser.show();
    ASSERT_TRUE(browser.SetFolder(dir.path()));
    EXPECT_EQ(browser.FileNames(), (QStringList { "a.html", "B.HTM", "c.shtml", "d.html" }));

    QListWidget* list = browser.FileList();
    for (int row : { 0, 1, 3 })
        list->item(row)->setSelected(true);
    QRect cell = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_EQ(browser.SelectedFiles(), QStringList { "c.shtml" });
    EXPECT_EQ(browser.CurrentSelectedFile(), "c.shtml");
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(5, list->viewport()->height() - 2));
    EXPECT_EQ(browser.SelectedFiles(), QStringList { "c.shtml" }) << "outside the items nothing changes";
}

TEST(ReportLinesModel, EachLineKeepsItsLookAndALeadingLineBreakGivesAnEmptyLine)
{
    ReportDocument document;
    ReportLinesModel model(document);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    document.Append({ "index.html", ReportStyle::BoldItalic, 2, ReportColour::Green });
    document.Append(
        { "\r\nThe following 2 images CANNOT BE FOUND", ReportStyle::Bold, 0, ReportColour::Red });
    document.Append({ "img/a.gif", ReportStyle::Normal, 0, ReportColour::Black });
    EXPECT_EQ(model.rowCount(), 0) << "not before the flush";
    model.Flush();

    struct Expected {
        QString text;
        bool bold;
        bool italic;
        int points;
        QColor colour;
    };
    const Expected rows[] = {
        { "index.html", true, true, 10, QColor(0, 128, 0) },
        { "", true, false, 8, QColor(255, 0, 0) },
        { "The following 2 images CANNOT BE FOUND", true, false, 8, QColor(255, 0, 0) },
        { "img/a.gif", false, false, 8, QColor(0, 0, 0) },
    };
    ASSERT_EQ(model.rowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        QModelIndex at = model.index(row);
        QFont font = model.data(at, Qt::FontRole).value<QFont>();
        EXPECT_EQ(model.data(at, Qt::DisplayRole).toString(), rows[row].text) << row;
        EXPECT_EQ(font.bold(), rows[row].bold) << row;
        EXPECT_EQ(font.italic(), rows[row].italic) << row;
        EXPECT_EQ(font.pointSize(), rows[row].points) << row;
        EXPECT_EQ(model.data(at, Qt::ForegroundRole).value<QBrush>().color(), rows[row].colour) << row;
    }
    document.Clear();
    document.Append({ "again", ReportStyle::Normal, 0, ReportColour::Black });
    model.Flush();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0), Qt::DisplayRole).toString(), "again");
}
