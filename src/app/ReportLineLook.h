#pragma once

#include "report/ReportLine.h"

#include <QColor>
#include <QFont>

/// How a report line looks, on the screen and on paper alike.
QColor ReportTextColour(ReportColour colour);
QFont ReportLineFont(const ReportLine& line);
