#include "components/KeyPlayback.h"

std::vector<KeyEvent> KeyPlaybackEvents(const std::vector<std::uint8_t>& codes)
{
    constexpr std::uint8_t Shift = 16, Control = 17, Alt = 18;
    bool shift = false, control = false, alt = false, keySinceAlt = false;
    std::vector<KeyEvent> events;
    for (std::uint8_t code : codes) {
        switch (code) {
        case Shift:
            shift = !shift;
            events.push_back({ code, shift, alt && !control });
            break;
        case Control:
            control = !control;
            events.push_back({ code, control, alt && !control });
            break;
        case Alt:
            alt = !alt;
            if (alt)
                keySinceAlt = false;
            events.push_back({ code, alt, !control && (alt || !keySinceAlt) });
            break;
        default:
            keySinceAlt = true;
            events.push_back({ code, true, alt && !control });
            events.push_back({ code, false, alt && !control });
            break;
        }
    }
    return events;
}
