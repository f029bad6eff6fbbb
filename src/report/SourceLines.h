#pragma once

#include <string_view>
#include <vector>

/// A document's text cut into its lines, as an editor shows them: a line ends in CR LF,
/// LF or a lone CR, and the end of the last line adds no empty line after it. The views
/// point into `text`.
std::vector<std::string_view> SourceLines(std::string_view text);
