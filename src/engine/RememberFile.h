#pragma once

#include "engine/RememberedResults.h"
#include "engine/RunHost.h"

#include <string>

/// The file a run keeps its external results in between runs: read when the run starts
/// and written atomically when it ends. A file that is not one of ours is left unread, said
/// once, and replaced; a file not there yet is simply made.
class RememberFile {
public:
    RememberFile(std::string path, RunHost& host);

    RememberedResults& Results() { return m_results; }
    void Save();

private:
    std::string m_path;
    RunHost& m_host;
    RememberedResults m_results;
};
