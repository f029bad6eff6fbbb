#pragma once

#include "engine/LocalSite.h"
#include "engine/RunHost.h"
#include "engine/RunOptions.h"
#include "engine/RunState.h"
#include "engine/SiteTrace.h"
#include "report/RunModels.h"

/// What the parts of one run share: its options, state, models, host, site and trace.
struct RunContext {
    const RunOptions& options;
    RunState& state;
    RunModels& models;
    RunHost& host;
    LocalSite& site;
    SiteTrace& trace;
};
