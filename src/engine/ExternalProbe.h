#pragma once

#include "engine/ProbeResult.h"
#include "engine/ResolvedReference.h"
#include "engine/RunContext.h"
#include "engine/UnresponsiveHosts.h"
#include "platform/StringSet.h"

#include <string>

/// Where the check of an external reference gets its probe's result: the results kept
/// from an earlier run, the probes started ahead, or a probe made there and then. It
/// files what a probe received into the headers record, keeps the result for later runs
/// and stops asking a host that no longer answers. Owned by the reference check of a run.
class ExternalProbe {
public:
    explicit ExternalProbe(RunContext& context)
        : m_ctx(context)
    {
    }

    /// Whether the address of an external reference is probed, rather than listed as not
    /// checked.
    bool Wanted(const ResolvedReference& ref, bool image) const;
    /// Starts the probe a later check of the reference will want; each target once per
    /// page and only when probes run ahead.
    void StartAhead(const ResolvedReference& ref, bool image);
    /// Forgets the targets started ahead, before the walk of the next page.
    void ClearStartedAhead() { m_startedAhead.Clear(); }
    ProbeResult Probe(const ResolvedReference& ref);

private:
    /// A fresh "OK" for the address is remembered from an earlier run.
    bool Remembered(const std::string& address) const;
    /// One at a time, when no probes run ahead.
    ProbeResult ProbeNow(const std::string& address);

    RunContext& m_ctx;
    StringSet m_startedAhead;
    UnresponsiveHosts m_unresponsive;
};
