#pragma once

#include "engine/ReferencePlaces.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/// The places of a number of references, read side by side. A reference's places are
/// chained through an array written over the whole run, so walking one chain waits on
/// memory at every step; walking many at once lets those waits overlap. A writer that
/// goes through rows in order gathers the places of the rows ahead a block at a time.
class GatheredPlaces {
public:
    explicit GatheredPlaces(const ReferencePlaces& places)
        : m_places(places)
    {
    }

    /// Reads every place of each of `refs` (None stands for no reference), replacing
    /// what was gathered before.
    void Gather(const std::vector<std::uint32_t>& refs);
    /// The places of the `i`th reference of the last gather, in the order they were
    /// noted; empty for None.
    const std::vector<ReferencePlaces::Place>& Of(std::size_t i) const { return m_lists.at(i); }

private:
    struct Cursor {
        std::uint32_t list;
        std::uint32_t at;
    };

    const ReferencePlaces& m_places;
    /// Kept from gather to gather, so that their storage is reused.
    std::vector<std::vector<ReferencePlaces::Place>> m_lists;
    std::vector<Cursor> m_walking;
};
