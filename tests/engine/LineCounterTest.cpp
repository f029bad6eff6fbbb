#include "engine/LineCounter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

/// The line of the byte at `offset`, found by reading every byte from the start.
std::uint32_t LineByReadingEveryByte(std::string_view text, std::size_t offset)
{
    std::uint32_t line = 1;
    for (std::size_t i = 0; i < std::min(offset, text.size()); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
    return line;
}

}

// The counter skips from line end to line end, many bytes at a time: whatever the steps
// the walk asks in, it must agree with a count of every byte, above all where a CR LF
// straddles the offset asked for and where lines are longer than one skip.
TEST(LineCounter, AgreesWithReadingEveryByteWhateverTheSteps)
{
    const std::string longLine(200, 'x');
    const std::string texts[] = {
        "",
        "<a>\n<b>\n\n<c>",
        "<a>\r\n<b>\r\n\r\n<c>\r\n",
        "<a>\r<b>\r\r<c>\r",
        "\r\n\n\r\r\n\n\r",
        longLine + "\n" + longLine + "\r\n" + longLine + "\r" + longLine,
        "<a\r\nhref=x>" + longLine + "\r" + "\n\r\n" + longLine + "\n",
    };
    for (const std::string& text : texts) {
        for (std::size_t step : { 1, 2, 3, 5, 64, 1000 }) {
            LineCounter lines(text);
            for (std::size_t offset = 0; offset <= text.size() + 1; offset += step)
                ASSERT_EQ(lines.LineAt(offset), LineByReadingEveryByte(text, offset))
                    << "step " << step << ", offset " << offset << " of " << text.size();
        }
    }
}
