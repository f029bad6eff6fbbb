#pragma once

#include <string>
#include <string_view>

/// The standard base64 form of `bytes` (RFC 4648 alphabet, "=" padding, no line breaks).
std::string Base64(std::string_view bytes);
