#pragma once

#include <array>

/// Where the project lives on the web: the one place that names its addresses.
namespace ProjectAddresses {

inline constexpr const char* WebSite = "https://www.orbane.org/tarvik/";
inline constexpr const char* Mail = "tarvik@orbane.org";
/// The three hosts the upgrade check asks, in order, each overridable by a setting.
inline constexpr std::array<const char*, 3> UpgradeMirrors
    = { "https://www.orbane.org", "https://downloads.orbane.org", "https://people.orbane.org" };

}
