#pragma once

#include <cstddef>
#include <string_view>

/// Length of the valid UTF-8 sequence at `at`, or 0 when the bytes there are not one
/// (overlong forms, UTF-16 surrogates and code points past U+10FFFF are not UTF-8).
std::size_t Utf8Length(std::string_view s, std::size_t at);
