#pragma once

#include <cstdint>
#include <vector>

/// One synthetic key event. A system-key event is what the desktop sees while Alt is
/// held without Control (a menu shortcut rather than typing).
struct KeyEvent {
    std::uint8_t code = 0;
    bool down = false;
    bool systemKey = false;

    /// The window message: key down 256, key up 257, system key down 260, up 261.
    unsigned Message() const { return (systemKey ? 260u : 256u) + (down ? 0u : 1u); }

    bool operator==(const KeyEvent&) const = default;
};

/// The events that play a parsed key list, in order: a modifier code flips its modifier
/// (a press when it goes down, a release when it comes up); any other code is a press
/// and its release. The release of Alt is a system key only when no other key was pressed
/// while Alt was down.
std::vector<KeyEvent> KeyPlaybackEvents(const std::vector<std::uint8_t>& codes);
