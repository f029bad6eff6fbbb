#include "engine/RunState.h"

void RunState::ClearResultLists()
{
    ClearResults();
    FilesAnalysed.Clear();
    Places.ForgetKeys();
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
    CurrentLine = 0;
    Places.Clear();
    AbortRequested = false;
    GiveUpCurrentRequest = false;
    Paused = false;
    YesToAllGiven = false;
}
