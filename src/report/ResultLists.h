#pragma once

#include "platform/StringList.h"

/// The result lists of a run (or of one page, with separate reports): what the link check
/// files and the reports read. Sorted lists keep one entry per text, letter case ignored.
struct ResultLists {
    StringList ValidImages { StringList::Order::SortedUnique };
    StringList MissingImages { StringList::Order::SortedUnique };
    StringList FailedExtImages;
    StringList UncheckedExtImages { StringList::Order::SortedUnique };
    StringList CommentedImages { StringList::Order::SortedUnique };
    StringList ValidLinks { StringList::Order::SortedUnique };
    StringList FailedLinks { StringList::Order::SortedUnique };
    StringList FailedExtLinks;
    StringList NotFoundExtLinks;
    StringList UncheckedExtLinks { StringList::Order::SortedUnique };
    StringList CommentedLinks { StringList::Order::SortedUnique };

    void ClearResults();
    /// Failures of a combined report: failed and missing, local and external.
    std::size_t RunErrorCount() const;
    /// Failures of a per-page report, where external failures do not count.
    std::size_t PageErrorCount() const;
};
