#pragma once

#include "report/HtmlReport.h"
#include "report/ReportDocument.h"
#include "report/ResultGrid.h"
#include "report/RunLabels.h"

/// Everything a run shows: the two result grids, the report, the HTML report and the
/// labels. Owned by the front end, which binds them to its screen; they keep their
/// contents after a run.
struct RunModels {
    ResultGrid LinkGrid { "Link" };
    ResultGrid ImgGrid { "Image" };
    ReportDocument Report;
    HtmlReport Html;
    RunLabels Labels;
};
