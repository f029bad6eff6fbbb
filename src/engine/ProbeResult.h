#pragma once

#include "platform/StringList.h"

#include <chrono>
#include <string>

/// What one probe of an external address found, kept until the reference that asked for
/// it is checked: the verdict, the failure as the run reports it, the entries the probe
/// adds to the headers record, and the probe's own time.
struct ProbeResult {
    bool ok = false;
    int statusCode = 0;
    std::string reason;
    StringList headers;
    std::chrono::steady_clock::duration elapsed {};
    /// This probe's timeout was the one that made the run stop asking its host.
    bool hostGivenUp = false;
    /// Taken from the results kept between runs, without asking.
    bool remembered = false;
};
