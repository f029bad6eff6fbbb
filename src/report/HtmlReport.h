#pragma once

#include "report/ReportLine.h"

#include <ctime>
#include <string>
#include <vector>

/// The HTML report of a run: every report line turned into a line of HTML in which each
/// text naming a page or an address is a link opening in the browser window "reportwin".
/// The run starts it (head lines), the report writer adds each line, the run ends it
/// (tail) and saves it. With failures-only on, only lines marked to be kept go in; the
/// setting is read at each line. Texts stay text: "&", "<" and ">" are written as
/// entities. Owned by the front end; used on the run's thread.
class HtmlReport {
public:
    /// Empties the report and adds the two head lines dated `started` (names in the
    /// global C++ locale's language).
    void Start(const std::tm& started);
    void Clear() { m_lines.clear(); }
    void Add(const ReportLine& line);
    void End();

    void SetShowFailedOnly(bool on) { m_showFailedOnly = on; }

    /// One entry per line of the file; an entry may itself end in CR LF.
    const std::vector<std::string>& HtmlReportLines() const { return m_lines; }
    /// The file: every entry followed by CR LF.
    std::string FileText() const;
    /// Writes the file in one piece; returns "" or a message naming the file and the reason.
    std::string SaveTo(const std::string& path) const;

private:
    std::string ColourChange(ReportColour colour);

    std::vector<std::string> m_lines;
    ReportColour m_rememberedColour = ReportColour::Black;
    bool m_showFailedOnly = false;
};
