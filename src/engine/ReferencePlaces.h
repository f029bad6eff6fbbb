#pragma once

#include "engine/ResolvedReference.h"
#include "platform/ChunkedVector.h"
#include "platform/InternedTexts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// The references a run has checked, by the text it knows each by, with every place
/// (page and line) where each stands and the grid row its one check wrote. Places of a site run into the
/// millions, so each is three numbers in one array, chained per reference, and each page name is kept once,
/// interned with the keys' texts.
class ReferencePlaces {
public:
    enum class Grid : std::uint8_t { Links, Images };
    static constexpr std::uint32_t None = UINT32_MAX;

    struct Place {
        std::uint32_t page;
        std::uint32_t line;
        std::uint32_t next; // the reference's following place, or None
    };

    /// Records a place of the reference known by `key` (a reference's seen key) and
    /// returns the reference's number; `first` tells whether the key was new.
    std::uint32_t Note(const ResolvedReference::KeyView& key, const std::string& page, std::uint32_t line, bool& first);
    /// Looks all of a page's keys up at once, the memory reads of all of them overlapping:
    /// the page's references are noted one after another, and in a large run each look-up
    /// would otherwise wait on memory several times over. `refs` gets each key's reference,
    /// or None where the key is new (or shares its hash with another key); a reference
    /// found stays the key's until keys are forgotten, for NoteAgain.
    void Foresee(const std::vector<ResolvedReference::KeyView>& keys, std::vector<std::uint32_t>& refs);
    /// Records a place of `ref`, a reference noted before, as Note does; returns `ref`.
    std::uint32_t NoteAgain(std::uint32_t ref, const std::string& page, std::uint32_t line);
    /// Whether a reference known by `key` was noted already.
    bool Known(const ResolvedReference::KeyView& key) const;
    /// The reference's check wrote `row` of `grid`.
    void BindRow(std::uint32_t ref, Grid grid, std::size_t row);
    /// The reference leads to a page that exists but lacks its anchor.
    void MarkMissingAnchor(std::uint32_t ref) { m_refs.at(ref).missingAnchor = true; }
    void NoteAnalysedPage(const std::string& page) { m_analysed.push_back(PageNumber(page)); }

    /// The reference whose check wrote the row, or None.
    std::uint32_t RefOfRow(Grid grid, std::size_t row) const;
    /// The reference's first place; follow `next` through PlaceAt for the later ones.
    std::uint32_t FirstPlace(std::uint32_t ref) const { return m_refs.at(ref).first; }
    const Place& PlaceAt(std::uint32_t index) const { return m_places.at(index); }
    /// Start bringing a reference or a place into the cache, for a reader of many.
    void ForeseeReference(std::uint32_t ref) const
    {
        if (ref < m_refs.size())
            __builtin_prefetch(&m_refs[ref]);
    }
    void ForeseePlace(std::uint32_t index) const
    {
        if (index < m_places.size())
            __builtin_prefetch(&m_places[index]);
    }
    bool MissingAnchor(std::uint32_t ref) const { return m_refs.at(ref).missingAnchor; }
    std::string_view PageName(std::uint32_t page) const { return m_texts.Text(m_pageTexts.at(page)); }
    std::size_t PageCount() const { return m_pageTexts.size(); }
    /// The analysed pages by number, in the order they were analysed.
    const std::vector<std::uint32_t>& AnalysedPages() const { return m_analysed; }

    /// A reference met again from now on is a new one (a separate report begins), while
    /// the places and rows recorded so far stay.
    void ForgetKeys();
    void Clear();

private:
    /// A reference holds its key: the scope, where its path is kept (so that comparing a
    /// key reads the path straight from there) and its fragment. Paths and fragments are
    /// interned, as many keys share a path (one per fragment and per count of folder names
    /// not judged) and a few fragments serve many keys.
    struct Ref {
        std::uint32_t first = None;
        std::uint32_t last = None;
        std::uint32_t scope = 0;
        std::uint32_t fragment = 0;
        const char* text = nullptr;
        std::uint32_t textSize = 0;
        bool missingAnchor = false;
    };

    std::uint32_t PageNumber(const std::string& page);

    static std::uint32_t HashOf(const ResolvedReference::KeyView& key);
    bool IsKeyOf(const Ref& ref, const ResolvedReference::KeyView& key) const;
    std::uint32_t FindKey(const ResolvedReference::KeyView& key, std::uint32_t hash) const;
    void GrowKeys();

    /// An open table of the references by key, eight bytes a slot: a look-up touches one
    /// slot and, on a hash match, the reference. Keys, references and places are kept in
    /// blocks, so a large run never holds an old and a new copy of one while it grows.
    struct KeySlot {
        std::uint32_t hash = 0;
        std::uint32_t ref = None;
    };
    std::vector<KeySlot> m_keySlots;
    /// The keys' paths and fragments and the pages' names, which are mostly paths too.
    InternedTexts m_texts;
    std::size_t m_keyCount = 0;
    ChunkedVector<Ref> m_refs;
    ChunkedVector<Place> m_places;
    /// Page number to text number, and text number to page number (or None).
    std::vector<std::uint32_t> m_pageTexts;
    std::vector<std::uint32_t> m_pageOfText;
    std::vector<std::uint32_t> m_analysed;
    /// Places come page after page: the page of the last one is asked for again.
    std::uint32_t m_lastPage = None;
    std::vector<std::uint32_t> m_rowRefs[2];
    std::vector<std::uint32_t> m_foreseenHashes;
};
