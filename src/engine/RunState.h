#pragma once

#include "engine/ReferencePlaces.h"
#include "platform/StringList.h"
#include "report/ResultLists.h"

#include <chrono>
#include <cstdint>
#include <string>

/// The lists, flags and scalars of one run, under the names the whole run uses. The
/// result lists come from ResultLists; the working lists and flags are here. Owned by the
/// front end; Pause and Abort handlers only set the flags.
struct RunState : ResultLists {
    StringList PagesToCheck;
    StringList FilesAnalysed;
    StringList FilesNotAnalysed;
    StringList UnusedFiles;
    StringList ReceivedHeaders;
    /// The resolved targets already checked in this run (letter case counts: a wrongly
    /// cased repeat is a different target and is checked too) and every place each
    /// stands; the places are kept after the run for the result files.
    ReferencePlaces Places;

    std::string CurrentPage;
    std::string CurrentPageName;
    std::string CurrentRef;
    /// The line of the current page where the tag being checked begins.
    std::uint32_t CurrentLine = 0;
    /// The last page text an on-line run obtained, which spares loading it again.
    std::string LastFetchedUrl;
    std::string LastFetchedText;

    bool AbortRequested = false;
    /// The user gave up the network request the run waits for: that one fails as aborted
    /// and the run goes on. A blocking request is aborted by the front end itself.
    bool GiveUpCurrentRequest = false;
    bool Paused = false;
    bool YesToAllGiven = false;

    std::chrono::steady_clock::time_point startTime;
    std::chrono::steady_clock::time_point endTime;

    /// Empties the result lists, the pages analysed and the references seen.
    void ClearResultLists();
    /// Empties every list for a new run and clears the flags.
    void Reset();
};
