#include "engine/GatheredPlaces.h"

void GatheredPlaces::Gather(const std::vector<std::uint32_t>& refs)
{
    if (m_lists.size() < refs.size())
        m_lists.resize(refs.size());
    for (std::vector<ReferencePlaces::Place>& list : m_lists)
        list.clear();
    for (std::uint32_t ref : refs)
        m_places.ForeseeReference(ref);
    m_walking.clear();
    for (std::size_t i = 0; i < refs.size(); ++i) {
        if (refs[i] == ReferencePlaces::None)
            continue;
        std::uint32_t first = m_places.FirstPlace(refs[i]);
        m_places.ForeseePlace(first);
        m_walking.push_back({ std::uint32_t(i), first });
    }
    // One step of every chain in turn: each place read was asked for a round earlier.
    while (!m_walking.empty()) {
        std::size_t kept = 0;
        for (const Cursor& cursor : m_walking) {
            const ReferencePlaces::Place& place = m_places.PlaceAt(cursor.at);
            m_lists[cursor.list].push_back(place);
            if (place.next == ReferencePlaces::None)
                continue;
            m_places.ForeseePlace(place.next);
            m_walking[kept++] = { cursor.list, place.next };
        }
        m_walking.resize(kept);
    }
}
