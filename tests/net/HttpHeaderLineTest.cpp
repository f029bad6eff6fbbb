#include "net/HttpHeaderLine.h"
#include "net/LineReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace HttpHeaderLine;

TEST(HttpHeaderLine, StatusLines)
{
    EXPECT_TRUE(IsStatusLine("HTTP/1.1 200 OK"));
    EXPECT_TRUE(IsStatusLine("HTTP/1.0 404 Not Found"));
    EXPECT_FALSE(IsStatusLine("HTTP/2 200"));
    EXPECT_FALSE(IsStatusLine("http/1.1 200 OK"));
    EXPECT_FALSE(IsStatusLine("HTTP/1."));

    const auto ok = ParseStatus("HTTP/1.1 200 OK");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->code, 200);
    EXPECT_EQ(ok->reason, "OK");
    EXPECT_EQ(ParseStatus("HTTP/1.0 302 Moved Temporarily")->reason, "Moved Temporarily");
    EXPECT_EQ(ParseStatus("HTTP/1.0 204")->reason, "");
    EXPECT_FALSE(ParseStatus("HTTP/1.0 2x0 OK"));
    EXPECT_FALSE(ParseStatus("HTTP/1.0 2000 OK"));
    EXPECT_FALSE(ParseStatus("HTTP/1.0"));
    EXPECT_FALSE(ParseStatus("garbage!200 OK")) << "not a status line";
}

TEST(HttpHeaderLine, FieldsAreSplitAtTheFirstColon)
{
    const auto type = SplitField("Content-Type:   text/html; charset=x");
    ASSERT_TRUE(type);
    EXPECT_EQ(type->name, "content-type");
    EXPECT_EQ(type->value, "text/html; charset=x");
    EXPECT_EQ(SplitField("Location: http://a:8080/")->value, "http://a:8080/");
    EXPECT_EQ(SplitField("X-Empty:")->value, "");
    EXPECT_FALSE(SplitField("no colon here"));
}

TEST(HttpHeaderLine, LengthsAndRanges)
{
    EXPECT_EQ(ParseContentLength("5120"), 5120);
    EXPECT_EQ(ParseContentLength("0 "), 0);
    EXPECT_FALSE(ParseContentLength("-1"));
    EXPECT_FALSE(ParseContentLength("12abc"));
    EXPECT_FALSE(ParseContentLength(""));
    EXPECT_FALSE(ParseContentLength("99999999999999999999999"));

    const auto range = ParseContentRange("bytes 10-19/100");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->begin, "10");
    EXPECT_EQ(range->end, "19");
    EXPECT_FALSE(ParseContentRange("bytes */100"));
    EXPECT_FALSE(ParseContentRange("items 1-2/3"));
}

namespace {

std::vector<std::string> LinesOf(const std::vector<std::string>& pieces, std::string& rest)
{
    LineReader reader;
    std::vector<std::string> lines;
    for (const auto& piece : pieces) {
        std::size_t taken = 0;
        while (taken < piece.size()) {
            const auto space = reader.Space();
            const std::size_t count = std::min(space.size(), piece.size() - taken);
            std::copy_n(piece.data() + taken, count, space.data());
            reader.Commit(count);
            taken += count;
            while (auto line = reader.NextLine())
                lines.emplace_back(line->text);
        }
    }
    rest = reader.Rest();
    return lines;
}

}

TEST(LineReader, GivesTheSameLinesHoweverTheBytesAreSplit)
{
    const std::string response = "HTTP/1.0 200 OK\r\nA: 1\nB: 2\r\n\r\nbody\r";
    const std::vector<std::string> expected { "HTTP/1.0 200 OK", "A: 1", "B: 2", "" };
    std::string rest;
    EXPECT_EQ(LinesOf({ response }, rest), expected);
    EXPECT_EQ(rest, "body\r");
    for (std::size_t split = 0; split <= response.size(); ++split) {
        EXPECT_EQ(LinesOf({ response.substr(0, split), response.substr(split) }, rest), expected) << split;
        EXPECT_EQ(rest, "body\r");
    }
    std::vector<std::string> bytes;
    for (char c : response)
        bytes.emplace_back(1, c);
    EXPECT_EQ(LinesOf(bytes, rest), expected);
}

TEST(LineReader, IsFullWhenALineDoesNotFit)
{
    LineReader reader;
    auto space = reader.Space();
    ASSERT_EQ(space.size(), LineReader::Capacity);
    std::fill(space.begin(), space.end() - 1, 'a');
    space.back() = '\n';
    reader.Commit(space.size());
    EXPECT_FALSE(reader.Full());
    EXPECT_EQ(reader.NextLine()->text.size(), LineReader::Capacity - 1);

    space = reader.Space();
    std::fill(space.begin(), space.end(), 'b');
    reader.Commit(space.size());
    EXPECT_FALSE(reader.NextLine());
    EXPECT_TRUE(reader.Full());
}
