#pragma once

#include <cstdint>
#include <string_view>

enum class ReportStyle : std::uint8_t { Normal, Bold, BoldItalic };

/// Text colours of report lines; as red, green, blue: Black (0,0,0), Blue (0,0,255),
/// Green (0,128,0), Red (255,0,0), Gray (128,128,128), Maroon (128,0,0).
enum class ReportColour : std::uint8_t { Black, Blue, Green, Red, Gray, Maroon };

/// Whether a line also goes into an HTML report that shows only failures.
enum class KeepWhenFailedOnly : std::uint8_t { No, Yes };

/// One styled line of the report. The text may begin with CR LF, which puts an empty line
/// before it; the font size is 8 points plus `sizeStep` (0 to 2). The text is a view: a
/// line appended to a report document views the document's own copy, valid until it is
/// cleared.
struct ReportLine {
    std::string_view text;
    ReportStyle style = ReportStyle::Normal;
    std::int8_t sizeStep = 0; // small, as a large report holds hundreds of thousands of lines
    ReportColour colour = ReportColour::Black;
    KeepWhenFailedOnly keep = KeepWhenFailedOnly::No;
};
