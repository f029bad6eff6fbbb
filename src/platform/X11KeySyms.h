#pragma once

#include <cstdint>
#include <optional>

/// The X keysym of a virtual-key code of the key language (letters as their lower-case
/// keysym, Shift being a key of its own); nothing for a code without an X key.
std::optional<std::uint32_t> KeysymOfVirtualKey(std::uint8_t code);
