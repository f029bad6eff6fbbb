#include "platform/X11KeySyms.h"

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

#include <array>
#include <utility>

std::optional<std::uint32_t> KeysymOfVirtualKey(std::uint8_t code)
{
    if (code >= 'A' && code <= 'Z')
        return XK_a + (code - 'A');
    if ((code >= '0' && code <= '9') || code == ' ')
        return code;
    if (code >= 112 && code <= 127)
        return XK_F1 + (code - 112);
    static constexpr std::array<std::pair<std::uint8_t, std::uint32_t>, 38> keys { {
        { 8, XK_BackSpace },
        { 9, XK_Tab },
        { 12, XK_Clear },
        { 13, XK_Return },
        { 16, XK_Shift_L },
        { 17, XK_Control_L },
        { 18, XK_Alt_L },
        { 19, XK_Pause },
        { 20, XK_Caps_Lock },
        { 27, XK_Escape },
        { 33, XK_Prior },
        { 34, XK_Next },
        { 35, XK_End },
        { 36, XK_Home },
        { 37, XK_Left },
        { 38, XK_Up },
        { 39, XK_Right },
        { 40, XK_Down },
        { 44, XK_Print },
        { 45, XK_Insert },
        { 46, XK_Delete },
        { 47, XK_Help },
        { 91, XK_Super_L },
        { 92, XK_Super_R },
        { 93, XK_Menu },
        { 144, XK_Num_Lock },
        { 145, XK_Scroll_Lock },
        { 186, XK_semicolon },
        { 187, XK_equal },
        { 188, XK_comma },
        { 189, XK_minus },
        { 190, XK_period },
        { 191, XK_slash },
        { 192, XK_grave },
        { 219, XK_bracketleft },
        { 220, XK_backslash },
        { 221, XK_bracketright },
        { 222, XK_apostrophe },
    } };
    for (auto [virtualKey, keysym] : keys) {
        if (virtualKey == code)
            return keysym;
    }
    return std::nullopt;
}
