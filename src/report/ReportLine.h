#pragma once

#include <string>

enum class ReportStyle { Normal, Bold, BoldItalic };

/// Text colours of report lines; as red, green, blue: Black (0,0,0), Blue (0,0,255),
/// Green (0,128,0), Red (255,0,0), Gray (128,128,128), Maroon (128,0,0).
enum class ReportColour { Black, Blue, Green, Red, Gray, Maroon };

/// Whether a line also goes into an HTML report that shows only failures.
enum class KeepWhenFailedOnly { No, Yes };

/// One styled line of the report. The text may begin with CR LF, which puts an empty line
/// before it; the font size is 8 points plus `sizeStep` (0 to 2).
struct ReportLine {
    std::string text;
    ReportStyle style = ReportStyle::Normal;
    int sizeStep = 0;
    ReportColour colour = ReportColour::Black;
    KeepWhenFailedOnly keep = KeepWhenFailedOnly::No;
};
