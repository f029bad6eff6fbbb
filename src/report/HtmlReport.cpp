#include "report/HtmlReport.h"

#include "platform/AtomicFile.h"
#include "platform/DateFormat.h"

namespace {

const std::string indent = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

const char* ColourWord(ReportColour colour)
{
    switch (colour) {
    case ReportColour::Black:
        return "BLACK>";
    case ReportColour::Blue:
        return "BLUE>";
    case ReportColour::Green:
        return "GREEN>";
    case ReportColour::Red:
        return "RED>";
    case ReportColour::Gray:
        return "GRAY>";
    case ReportColour::Maroon:
        return "MAROON>";
    }
    return "BLACK>";
}

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string Trimmed(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first]))
        ++first;
    while (last > first && IsBlankOrControl(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool NamesPageOrAddress(const std::string& text)
{
    for (const char* mark : { ".htm", ".shtm", "http:", "https:" })
        if (text.find(mark) != std::string::npos)
            return true;
    return false;
}

// Texts come from scanned pages and file names; markup in them must stay text, or a
// page could put live script into the report the user opens.
std::string HtmlText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A double quote would end the attribute; as "%22" the link still leads to the name.
std::string HrefValue(const std::string& target)
{
    std::string value;
    for (char c : HtmlText(target))
        value += c == '"' ? std::string("%22") : std::string(1, c);
    return value;
}

std::string Content(const std::string& text)
{
    std::string t = Trimmed(text);
    if (!NamesPageOrAddress(t))
        return HtmlText(t);
    return "<A HREF=\"" + HrefValue(t) + "\" TARGET=\"reportwin\">" + HtmlText(t) + "</A>";
}

}

void HtmlReport::Start(const std::tm& started)
{
    std::string when
        = DateFormat::Format("ddd d mmmm yyyy", started) + " at " + DateFormat::Format("hh:nn", started);
    m_lines.clear();
    m_lines.push_back(
        "<HTML><HEAD><TITLE>Tarvik Report - " + when + "</TITLE><BASE TARGET=\"reportwin\"></HEAD>");
    m_lines.push_back("<BODY LEFTMARGIN=30 LINK=BLACK VLINK=GRAY><H2><FONT COLOR=RED><CENTER>Tarvik Report - "
        + when + "</CENTER></FONT></H2>");
    m_rememberedColour = ReportColour::Black;
}

void HtmlReport::Add(const ReportLine& line)
{
    if (m_showFailedOnly && line.keep == KeepWhenFailedOnly::No)
        return;

    std::string text(line.text);
    if (text.empty() || text[0] == '\r' || text[0] == '\n') {
        m_lines.push_back("<BR>\r\n");
        text.erase(0, 2);
        if (text.empty())
            return;
    }

    bool bold = line.style != ReportStyle::Normal;
    bool italic = line.style == ReportStyle::BoldItalic;
    std::string entry;
    if (text.compare(0, 5, "     ") == 0)
        entry += indent;
    entry += ColourChange(line.colour);
    if (bold)
        entry += "<B>";
    if (italic)
        entry += "<I>";
    if (!bold)
        entry += indent;
    entry += Content(text);
    if (italic)
        entry += "</I>";
    if (bold)
        entry += "</B>";
    entry += "<BR>";
    m_lines.push_back(std::move(entry));
}

void HtmlReport::End()
{
    m_lines.push_back("</BODY></HTML>");
}

std::string HtmlReport::FileText() const
{
    std::string text;
    for (const std::string& entry : m_lines)
        text.append(entry).append("\r\n");
    return text;
}

std::string HtmlReport::SaveTo(const std::string& path) const
{
    return WriteFileAtomically(path, FileText());
}

std::string HtmlReport::ColourChange(ReportColour colour)
{
    if (colour == m_rememberedColour)
        return {};
    m_rememberedColour = colour;
    return std::string("</FONT><FONT COLOR=") + ColourWord(colour);
}
