#include "engine/RunState.h"

void RunState::ClearResultLists()
{
    ClearResults();
    FilesAnalysed.Clear();
    SeenRefs.Clear();
}

void RunState::Reset()
{
    ClearResultLists();
    PagesToCheck.Clear();
    FilesNotAnalysed.Clear();
    UnusedFiles.Clear();
    ReceivedHeaders.Clear();
    LastFetchedUrl.clear();
    LastFetchedText.clear();
    CurrentPage.clear();
    CurrentPageName.clear();
    CurrentRef.clear();
    AbortRequested = false;
    GiveUpCurrentRequest = false;
    Paused = false;
    YesToAllGiven = false;
}
