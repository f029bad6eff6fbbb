#include "report/ResultLists.h"

void ResultLists::ClearResults()
{
    for (StringList* list : { &ValidImages, &ValidLinks, &CommentedImages, &CommentedLinks, &FailedLinks,
             &MissingImages, &UncheckedExtLinks, &UncheckedExtImages, &FailedExtImages, &FailedExtLinks,
             &NotFoundExtLinks })
        list->Clear();
}

std::size_t ResultLists::RunErrorCount() const
{
    return FailedLinks.Count() + MissingImages.Count() + FailedExtLinks.Count() + FailedExtImages.Count();
}

std::size_t ResultLists::PageErrorCount() const { return FailedLinks.Count() + MissingImages.Count(); }
