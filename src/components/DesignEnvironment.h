#pragma once

#include <string_view>

/// The build tool that stands in for the visual development environment: the version
/// components write their resource script only while hosted by a program of this name
/// and marked as being designed. The other values describe the tool chain and the maker
/// in the script's comments.
namespace DesignEnvironment {

inline constexpr std::string_view ExecutableName = "tarvik-rcgen";

#if defined(__clang__)
inline constexpr unsigned CompilerCode = __clang_major__ << 8 | __clang_minor__;
inline constexpr std::string_view DefaultCompiler = "clang++";
#else
inline constexpr unsigned CompilerCode = __GNUC__ << 8 | __GNUC_MINOR__;
inline constexpr std::string_view DefaultCompiler = "g++";
#endif

/// Stands in the comments when a component's web address is "%".
inline constexpr std::string_view MakerWebAddress = "www.orbane.example";

}
