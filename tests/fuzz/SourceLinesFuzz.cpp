// Cuts the input into lines and checks that each line lies inside it, in order, holds no
// line break, and that only line breaks are left out between them.
#include "FuzzCheck.h"

#include "report/SourceLines.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t next = 0;
    for (std::string_view line : SourceLines(text)) {
        FUZZ_CHECK(line.data() >= text.data() + next && line.data() + line.size() <= text.data() + size);
        std::size_t at = std::size_t(line.data() - text.data());
        FUZZ_CHECK(text.substr(next, at - next).find_first_not_of("\r\n") == std::string_view::npos);
        FUZZ_CHECK(at - next <= 2);
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
        next = at + line.size();
    }
    FUZZ_CHECK(text.substr(next).find_first_not_of("\r\n") == std::string_view::npos);
    FUZZ_CHECK(size - next <= 2);
    return 0;
}
