#include "net/SendBuffer.h"

#include <gtest/gtest.h>
#include <string>

TEST(SendBuffer, GivesBackWhatWasAppendedInOrderAcrossBlocks)
{
    SendBuffer buffer(4);
    buffer.Append("abcdefghij");
    buffer.Append("kl");
    std::string out;
    while (!buffer.Empty()) {
        const auto front = buffer.Front();
        const std::size_t take = std::min<std::size_t>(3, front.size());
        out += front.substr(0, take);
        buffer.Consume(take);
    }
    EXPECT_EQ(out, "abcdefghijkl");
    buffer.Append("m");
    EXPECT_EQ(buffer.Front(), "m");
}
