#include "report/ReportDocument.h"

void ReportDocument::Append(ReportLine line)
{
    m_lines.push_back(std::move(line));
    Changed();
}

void ReportDocument::Clear()
{
    m_lines.clear();
    Changed();
}

std::string ReportDocument::PlainText(const std::string& lineEnd) const
{
    std::string out;
    for (const ReportLine& line : m_lines) {
        std::string text = line.style == ReportStyle::Normal ? "    " + line.text : line.text;
        std::size_t start = 0;
        for (std::size_t crlf; (crlf = text.find("\r\n", start)) != std::string::npos; start = crlf + 2)
            out.append(text, start, crlf - start).append(lineEnd);
        out.append(text, start, std::string::npos).append(lineEnd);
    }
    return out;
}

void ReportDocument::Changed() const
{
    if (m_observer)
        m_observer(*this);
}
