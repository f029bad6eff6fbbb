#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

/// Result codes of sending a key string; the numbers are part of the interface.
enum class KeyStringResult : int {
    Ok = 0,
    UnclosedBrace = 1,
    UnknownKeyName = 2,
    UnclosedGroup = 3,
    BadRepeatCount = 4,
    TooManyEvents = 5,
    NoPlayback = 6,
};

/// The key that types a character on a keyboard layout: a virtual-key code and whether
/// Shift must be held. Nothing when the layout has no key for it.
struct LayoutKey {
    std::uint8_t code = 0;
    bool shift = false;
};
using KeyboardLayout = std::function<std::optional<LayoutKey>(unsigned char)>;

/// The United States layout, which the key names and the modifier prefixes assume.
std::optional<LayoutKey> UsLayoutKey(unsigned char c);

/// Turns a key string into virtual-key codes, where 16 (Shift), 17 (Control) and 18 (Alt)
/// toggle their modifier and every other code is one press and release. "+", "^" and "%"
/// hold a modifier over the next token, "(...)" groups tokens, "{NAME}" or "{NAME count}"
/// names a key, and 0xAC stands for Enter. A character without a key on the layout types
/// nothing. The whole string is parsed before anything may be played; on an error `codes`
/// holds no events.
class KeyString {
public:
    static constexpr std::size_t MaxEvents = 4096;

    static KeyStringResult Parse(
        std::string_view text, std::vector<std::uint8_t>& codes, const KeyboardLayout& layout = UsLayoutKey);
};
