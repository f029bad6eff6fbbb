#pragma once

#include "engine/LocalSite.h"
#include "engine/OnlineSite.h"
#include "engine/ProbeScheduler.h"
#include "engine/RememberedResults.h"
#include "engine/RunHost.h"
#include "engine/RunOptions.h"
#include "engine/RunState.h"
#include "engine/SiteTrace.h"
#include "engine/WebAccess.h"
#include "report/RunModels.h"

/// What the parts of one run share: its options, state, models, host, the site on disk,
/// the trace, the web access for probes, and the published site of an on-line run.
struct RunContext {
    const RunOptions& options;
    RunState& state;
    RunModels& models;
    RunHost& host;
    LocalSite& site;
    SiteTrace& trace;
    WebAccess& web;
    /// Present in an on-line run only.
    OnlineSite* online;
    /// Present when external addresses are probed ahead of their check.
    ProbeScheduler* probes = nullptr;
    /// Present when results are kept between runs.
    RememberedResults* remembered = nullptr;
};
