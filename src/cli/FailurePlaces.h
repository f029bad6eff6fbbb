#pragma once

#include "engine/ReferencePlaces.h"
#include "report/ResultGrid.h"

#include <cstdint>
#include <string_view>
#include <vector>

/// One place where a broken reference stands, for the formats that CI systems read.
struct FailurePlace {
    enum class Kind { MissingFile, CaseMismatch, MissingAnchor, FailedAddress };

    Kind kind;
    /// The grid row's reference and result cells, as the grid keeps them.
    std::string_view ref;
    std::string_view result;
    /// The page, as the run's places number it, and the line.
    std::uint32_t page;
    std::uint32_t line;
};

/// Every place of every red row of both grids: the links' rows first, then the images',
/// each row's places in the order the run met them.
std::vector<FailurePlace> FailurePlacesOf(
    const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places);
