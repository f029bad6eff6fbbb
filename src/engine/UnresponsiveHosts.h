#pragma once

#include "engine/ProbeResult.h"

#include <string>
#include <unordered_map>

/// The hosts a run stops asking: one whose probes timed out three times in a row would
/// make every further address of it wait out the time limit too. A host is its name and
/// port, as the address gives them.
class UnresponsiveHosts {
public:
    static constexpr int TimeoutsInARow = 3;

    static std::string HostKeyOf(const std::string& address);

    bool GivenUp(const std::string& hostKey) const;
    /// Its last probe timed out: it is asked one probe at a time until it answers.
    bool Suspect(const std::string& hostKey) const;
    /// Counts a finished probe of the host; sets `result.hostGivenUp` on the probe that
    /// makes it given up.
    void Count(const std::string& hostKey, ProbeResult& result);
    /// What a probe of a given-up host reads, without asking it.
    static ProbeResult NotAsked(const std::string& address);

private:
    /// Timeouts in a row; `TimeoutsInARow` or more once given up.
    std::unordered_map<std::string, int> m_timeouts;
};
