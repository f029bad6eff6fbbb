#include "report/ReportDocument.h"

void ReportDocument::Append(ReportLine line)
{
    line.text = m_texts.Keep(line.text);
    m_lines.push_back(line);
    Changed();
}

void ReportDocument::Clear()
{
    m_lines.clear();
    m_texts = TextBlocks();
    Changed();
}

std::string ReportDocument::PlainText(const std::string& lineEnd) const
{
    std::string whole;
    WritePlainText(lineEnd, [&whole](std::string_view piece) { whole.append(piece); });
    return whole;
}

void ReportDocument::WritePlainText(const std::string& lineEnd, const TextSink& sink) const
{
    constexpr std::size_t PieceSize = 64 * 1024;
    std::string out;
    for (const ReportLine& line : m_lines) {
        if (line.style == ReportStyle::Normal)
            out.append("    ");
        std::string_view text = line.text;
        std::size_t start = 0;
        for (std::size_t crlf; (crlf = text.find("\r\n", start)) != std::string::npos; start = crlf + 2)
            out.append(text.substr(start, crlf - start)).append(lineEnd);
        out.append(text.substr(start)).append(lineEnd);
        if (out.size() >= PieceSize) {
            sink(out);
            out.clear();
        }
    }
    sink(out);
}

void ReportDocument::Changed() const
{
    if (m_observer)
        m_observer(*this);
}
