#pragma once

#include <optional>
#include <string>
#include <string_view>

/// Names of the languages and code pages a version resource's translation can name.
namespace VersionNames {

/// `key` is four upper-case hexadecimal digits, as at the start of a string-table key
/// ("0809" for English (UK)).
std::optional<std::string_view> Language(std::string_view key);

std::optional<std::string_view> CodePage(int codePage);

}
