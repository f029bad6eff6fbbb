#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

/// Readers of the references that today's markup carries outside plain attributes. Each
/// returns views into its input and never reads outside it.
namespace Html5References {

/// Every candidate address of a srcset value: each runs to a blank, a trailing comma
/// ends it too, and its width or density descriptor is left out.
std::vector<std::string_view> SrcsetUrls(std::string_view srcset);

struct CssUrl {
    std::string_view url;
    /// Where the address begins in the style text.
    std::size_t offset;
};

/// The addresses of the url(...) functions of a style text (a style attribute, a style
/// element or a style sheet), quoted or not, blanks around them left out; comments are
/// skipped and an empty url() carries none.
std::vector<CssUrl> CssUrls(std::string_view css);

/// The address a refresh's content ("5; url=next.html", "0;URL='next.html'") leads to;
/// nothing when it only reloads the page.
std::optional<std::string_view> RefreshUrl(std::string_view content);

}
