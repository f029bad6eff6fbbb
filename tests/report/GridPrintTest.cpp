#include "report/GridPrint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every character is 5 units wide (6 in bold or bold italic); every line is 12 high.
class RecordingCanvas : public PrintCanvas {
public:
    RecordingCanvas(int width, int height)
        : m_width(width)
        , m_height(height)
    {
    }

    int PageWidth() const override { return m_width; }
    int PageHeight() const override { return m_height; }
    TextSize TextExtent(std::string_view text, PrintStyle style) override
    {
        int perChar = style == PrintStyle::Regular ? 5 : 6;
        return { static_cast<int>(text.size()) * perChar, 12 };
    }
    void DrawText(int x, int y, std::string_view text, PrintStyle style, PrintInk ink) override
    {
        const char* styles[] = { "r", "b", "bi" };
        drawn.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " "
            + styles[static_cast<int>(style)] + (ink == PrintInk::Gray ? " gray " : " ") + std::string(text));
    }
    void DrawRule(int y, int fromX, int toX, int thickness) override
    {
        drawn.push_back("rule " + std::to_string(y) + " " + std::to_string(fromX) + "-" + std::to_string(toX)
            + " w" + std::to_string(thickness));
    }
    void NewPage() override { drawn.push_back("page"); }

    std::vector<std::string> drawn;

private:
    int m_width;
    int m_height;
};

struct Row {
    std::string reference;
    std::string result;
    RowColour colour;
};

ResultGrid Grid(const char* title, std::vector<Row> rows)
{
    ResultGrid grid(title);
    for (const Row& row : rows)
        grid.FillLastRow(row.reference, row.result, "index.html", row.colour);
    return grid;
}

}

TEST(GridPrint, PlacesEveryTextAndRuleOfTheLayout)
{
    constexpr RowColour W = RowColour::White, R = RowColour::Red, S = RowColour::Silver;
    struct Case {
        const char* name;
        int pageWidth;
        int pageHeight;
        std::vector<Row> links;
        std::vector<Row> images; // printed after the links when not empty
        std::vector<std::string> drawn;
    } cases[] = {
        { "title and one empty row: two rows, three rules", 1000, 1000, {}, {},
            {
                "text 150,40 bi Link",
                "text 204,40 bi Result",
                "rule 40 150-240 w1",
                "rule 62 150-240 w1",
                "rule 84 150-240 w1",
            } },
        { "x1 follows the widest column-0 text; silver rows print gray", 1000, 1000,
            { { "a.html", "OK", W }, { "mailto:x", "Not checked", S } }, {},
            {
                "text 150,40 bi Link",
                "text 220,40 bi Result",
                "rule 40 150-275 w1",
                "text 150,62 r a.html",
                "text 220,62 r OK",
                "rule 62 150-275 w1",
                "text 150,84 r gray mailto:x",
                "text 220,84 r gray Not checked",
                "rule 84 150-275 w1",
                "rule 106 150-275 w1",
                "rule 128 150-275 w1",
            } },
        { "a very long column-1 entry pulls x1 left over column 0", 400, 1000,
            { { "page.html", std::string(60, 'x'), W } }, {},
            {
                "text 150,40 bi Link",
                "text 80,40 bi Result",
                "rule 40 150-380 w1",
                "text 150,62 r page.html",
                "text 80,62 r " + std::string(60, 'x'),
                "rule 62 150-380 w1",
                "rule 84 150-380 w1",
                "rule 106 150-380 w1",
            } },
        { "two red rows in a row are framed by thick rules", 1000, 1000,
            { { "a", "FAILED", R }, { "b", "FAILED", R }, { "c", "OK", W } }, {},
            {
                "text 150,40 bi Link",
                "text 204,40 bi Result",
                "rule 40 150-240 w1",
                "text 150,62 b a",
                "text 204,62 b FAILED",
                "rule 62 150-240 w3",
                "text 150,84 b b",
                "text 204,84 b FAILED",
                "rule 84 150-240 w3",
                "text 150,106 r c",
                "text 204,106 r OK",
                "rule 106 150-240 w3",
                "rule 128 150-240 w1",
                "rule 150 150-240 w1",
            } },
        { "a row ending past the usable bottom breaks the page", 1000, 180,
            { { "a", "FAILED", R }, { "b", "OK", W }, { "c", "OK", W } }, {},
            {
                "text 150,40 bi Link",
                "text 204,40 bi Result",
                "rule 40 150-240 w1",
                "text 150,62 b a",
                "text 204,62 b FAILED",
                "rule 62 150-240 w3",
                "rule 84 150-240 w3",
                "page",
                "text 150,40 r b",
                "text 204,40 r OK",
                "rule 40 150-240 w3",
                "text 150,62 r c",
                "text 204,62 r OK",
                "rule 62 150-240 w1",
                "rule 84 150-240 w1",
                "page",
                "rule 40 150-240 w1",
                "rule 62 150-240 w1",
            } },
        { "both grids: the image grid continues on the same page, measured together", 1000, 1000,
            { { "a", "OK", W } }, { { "picture.gif", "FAILED", R } },
            {
                "text 150,40 bi Link",
                "text 246,40 bi Result",
                "rule 40 150-282 w1",
                "text 150,62 r a",
                "text 246,62 r OK",
                "rule 62 150-282 w1",
                "rule 84 150-282 w1",
                "rule 106 150-282 w1",
                "text 150,106 bi Image",
                "text 246,106 bi Result",
                "rule 106 150-282 w1",
                "text 150,128 b picture.gif",
                "text 246,128 b FAILED",
                "rule 128 150-282 w3",
                "rule 150 150-282 w3",
                "rule 172 150-282 w1",
            } },
    };
    for (const Case& c : cases) {
        ResultGrid links = Grid("Link", c.links);
        ResultGrid images = Grid("Image", c.images);
        std::vector<const ResultGrid*> grids { &links };
        if (!c.images.empty())
            grids.push_back(&images);
        RecordingCanvas canvas(c.pageWidth, c.pageHeight);
        GridPrint::Print(canvas, grids);
        EXPECT_EQ(canvas.drawn, c.drawn) << c.name;
    }
}
