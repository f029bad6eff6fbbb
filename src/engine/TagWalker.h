#pragma once

#include <cstddef>
#include <string_view>

/// Walks a page's text tag by tag the way the scanner reads markup: each tag runs from a
/// "<" to the next ">", and a comment opened by "<!-" is skipped whole up to its "-->".
/// The text of a script, style, textarea or xmp element is not markup, as in a browser:
/// after such a tag the walk goes on at its end tag (letter case ignored), or ends when
/// there is none. An unterminated comment or tag ends the walk. It never reads outside
/// the text.
class TagWalker {
public:
    explicit TagWalker(std::string_view text)
        : m_text(text)
    {
    }

    /// The next tag, "<" and ">" included; false when the walk has ended.
    bool Next(std::string_view& tag);
    /// The text the walk skipped as not markup after the last tag (empty for most tags).
    std::string_view RawText() const { return m_text.substr(m_rawStart, m_pos - m_rawStart); }
    /// Where RawText begins in the text.
    std::size_t RawTextOffset() const { return m_rawStart; }

    /// The tag's element name, as written.
    static std::string_view NameOf(std::string_view tag);

private:
    /// Where the walk goes on after `tag`, which ends at `end`.
    std::size_t After(std::string_view tag, std::size_t end) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_rawStart = 0;
};
