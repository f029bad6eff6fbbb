#include "cli/Utf8Text.h"

std::size_t Utf8Length(std::string_view s, std::size_t at)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = byte(at);
    if (c < 0x80)
        return 1;
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    if (n == 0 || at + n > s.size())
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    unsigned char d = byte(at + 1);
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90)
        || (c == 0xF4 && d >= 0x90))
        return 0;
    return n;
}
