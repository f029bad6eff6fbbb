// Reads the input as an upgrade information file from a mirror, then checks that the
// fields are pieces of the input and that the line count rule holds.
#include "FuzzCheck.h"

#include "components/UpgradeInfo.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = SplitLines(text);
    std::size_t kept = 0;
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find('\n') == std::string::npos);
        FUZZ_CHECK(text.find(line) != std::string_view::npos);
        kept += line.size();
    }
    FUZZ_CHECK(kept <= size);
    std::optional<UpgradeInfo> info = ParseUpgradeInfo(text);
    if (info) {
        FUZZ_CHECK(lines.size() >= UpgradeInfo::MinimumLines);
        FUZZ_CHECK(info->summary.size() == (lines.size() > 6 ? lines.size() - 6 : 0));
        FUZZ_CHECK(info->version == lines[1] && info->pageAddress == lines[3]);
    }
    ReadBuildNumber(text);
    return 0;
}
