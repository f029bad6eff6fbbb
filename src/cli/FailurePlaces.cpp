#include "cli/FailurePlaces.h"

namespace {

FailurePlace::Kind KindOf(const GridRow& row, const ReferencePlaces& places, std::uint32_t ref)
{
    std::string_view result = row.cells[1];
    if (result.starts_with("OK but CASE MISMATCH"))
        return FailurePlace::Kind::CaseMismatch;
    if (result.starts_with("FAILED:"))
        return FailurePlace::Kind::FailedAddress;
    return places.MissingAnchor(ref) ? FailurePlace::Kind::MissingAnchor : FailurePlace::Kind::MissingFile;
}

void Collect(std::vector<FailurePlace>& out, const ResultGrid& grid, const ReferencePlaces& places,
    ReferencePlaces::Grid which)
{
    for (std::size_t r = 1; r < grid.RowCount(); ++r) {
        const GridRow& row = grid.Row(r);
        std::uint32_t ref = places.RefOfRow(which, r);
        if (row.colour != RowColour::Red || ref == ReferencePlaces::None)
            continue;
        FailurePlace::Kind kind = KindOf(row, places, ref);
        for (std::uint32_t at = places.FirstPlace(ref); at != ReferencePlaces::None;
             at = places.PlaceAt(at).next)
            out.push_back(
                { kind, row.cells[0], row.cells[1], places.PlaceAt(at).page, places.PlaceAt(at).line });
    }
}

}

std::vector<FailurePlace> FailurePlacesOf(
    const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places)
{
    std::vector<FailurePlace> out;
    Collect(out, links, places, ReferencePlaces::Grid::Links);
    Collect(out, images, places, ReferencePlaces::Grid::Images);
    return out;
}
