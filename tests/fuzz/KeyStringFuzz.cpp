// Parses the input as a key string, then checks that an accepted list plays balanced
// modifiers and that paste splitting only ever takes pieces of its input.
#include "FuzzCheck.h"

#include "components/KeyPlayback.h"
#include "components/KeyString.h"
#include "components/PasteSteps.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view keys(reinterpret_cast<const char*>(data), size);
    std::vector<std::uint8_t> codes;
    KeyStringResult result = KeyString::Parse(keys, codes);
    FUZZ_CHECK(codes.size() <= KeyString::MaxEvents);
    if (result != KeyStringResult::Ok) {
        FUZZ_CHECK(codes.empty());
    } else {
        int downs = 0;
        for (const KeyEvent& event : KeyPlaybackEvents(codes))
            downs += event.down ? 1 : -1;
        // Every modifier toggled on is toggled off again, so every press has its release.
        FUZZ_CHECK(downs == 0);
    }
    for (const PasteStep& step : PasteSteps(keys, 16)) {
        FUZZ_CHECK(step.kind != PasteStep::Kind::SetClipboard || step.text.size() <= 16);
        FUZZ_CHECK(step.text == "^v" || keys.find(step.text) != std::string_view::npos);
    }
    return 0;
}
