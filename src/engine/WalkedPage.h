#pragma once

#include "engine/AnchorIndex.h"
#include "engine/ResolvedReference.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// A page's text and what the run needs of its markup, found in one pass that reads no
/// run state, so that it can be made on the read-ahead thread while the run checks
/// earlier pages: whether the text carries the HTML markers, its title, the tags whose
/// references are checked (with the line each begins on), those references cut out as
/// the check reads them (line ends inside a tag read as blanks) and, when asked, the
/// page's anchors. The run replays it in order and does every check itself.
struct WalkedPage {
    /// Html5 keeps every tag, as the scan of today's markup looks at each of them.
    enum class Markup { Classic, Html5 };
    enum class Anchors { Skip, Index };

    struct Reference {
        std::uint32_t valueOffset;
        std::uint32_t valueSize;
        ResolvedReference::Use use;
    };
    struct Tag {
        std::uint32_t offset;
        std::uint32_t size;
        /// The text after the tag that the walk skipped as not markup.
        std::uint32_t rawOffset;
        std::uint32_t rawSize;
        /// 1-based; the line of the run's current place while the tag is checked.
        std::uint32_t line;
        std::uint32_t firstReference;
        std::uint8_t referenceCount;
        /// The tag is of a kind that carries references, whether or not it has any.
        bool carriesReferences;
    };

    std::string text;
    bool htmlMarkers = false;
    /// What the page's title shows; nothing when the page has no title element.
    std::optional<std::string> title;
    std::vector<Tag> tags;
    std::vector<Reference> references;
    /// The cut values of `references`, one after another.
    std::string values;
    /// Empty unless indexed.
    AnchorIndex::Anchors anchors;
    /// The seen key of each reference, once MakeKeys has run: its text and then its
    /// fragment in `keyTexts`.
    struct Key {
        std::uint32_t scope;
        std::uint32_t offset;
        std::uint32_t textSize;
        std::uint32_t fragmentSize;
    };
    std::vector<Key> keys;
    std::string keyTexts;

    static WalkedPage Of(std::string text, Markup markup, Anchors anchors);

    /// Resolves every reference as the off-line run resolves them on the page `page`, so
    /// that the thread that walked the page does that work too.
    void MakeKeys(const std::string& page);
    bool HasKeys() const { return keys.size() == references.size(); }
    ResolvedReference::KeyView KeyOf(std::size_t reference) const
    {
        const Key& k = keys[reference];
        std::string_view texts = keyTexts;
        return { k.scope, texts.substr(k.offset, k.textSize), texts.substr(k.offset + k.textSize, k.fragmentSize) };
    }

    std::string_view TagText(const Tag& tag) const
    {
        return std::string_view(text).substr(tag.offset, tag.size);
    }
    std::string_view RawText(const Tag& tag) const
    {
        return std::string_view(text).substr(tag.rawOffset, tag.rawSize);
    }
    std::string_view Value(const Reference& r) const
    {
        return std::string_view(values).substr(r.valueOffset, r.valueSize);
    }
    /// About what the page holds in memory, for the bound of the read-ahead queue.
    std::size_t Bytes() const;
};

/// The extensions of the files the run analyses as pages.
bool HasPageExtension(std::string_view page);
