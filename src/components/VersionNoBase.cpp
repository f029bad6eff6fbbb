#include "components/VersionNoBase.h"

#include "components/CaptionLabel.h"
#include "components/ComponentHost.h"
#include "components/DesignEnvironment.h"
#include "components/Windows1252.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::string_view LineBreak = "\r\n";

/// Reads a decimal integer as the component always has: leading blanks, an optional sign,
/// then digits up to the first other character; no digits give 0. Large values saturate.
int LeadingInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    return static_cast<int>(negative ? -value : value);
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = Lower(c);
    return text;
}

std::string DateFormatFor(TDateType type)
{
    switch (type) {
    case TDateType::dmy:
        return "d-m-yy";
    case TDateType::mdy:
        return "m-d-yy";
    case TDateType::ymd:
        return "yy-m-d";
    }
    return {};
}

std::string_view DateFormsFor(TDateType type)
{
    switch (type) {
    case TDateType::dmy:
        return "d-m-yy, d/m/yy or d.m.yy";
    case TDateType::mdy:
        return "m-d-yy, m/d/yy or m.d.yy";
    case TDateType::ymd:
        return "yy-m-d, yy/m/d or yy.m.d";
    }
    return {};
}

std::string_view OSTypeName(TOSType type)
{
    switch (type) {
    case TOSType::ostUnknown:
        return "VOS_UNKNOWN";
    case TOSType::ostWin3x:
        return "VOS_DOS_WINDOWS16";
    case TOSType::ostWin9x:
        return "VOS_DOS_WINDOWS32";
    case TOSType::ostWinNT:
        return "VOS_NT_WINDOWS32";
    case TOSType::ostDOS:
        return "VOS_DOS";
    case TOSType::ostNT:
        return "VOS_NT";
    // The resource compiler knows these two only by their double-underscore names.
    case TOSType::ostWin16:
        return "VOS__WINDOWS16";
    case TOSType::ostWin32:
        return "VOS__WINDOWS32";
    }
    return {};
}

std::string_view FileTypeName(TVFileType type)
{
    switch (type) {
    case TVFileType::vftUnknown:
        return "VFT_UNKNOWN";
    case TVFileType::vftApplication:
        return "VFT_APP";
    case TVFileType::vftDLL:
        return "VFT_DLL";
    case TVFileType::vftDriver:
        return "VFT_DRV";
    case TVFileType::vftFont:
        return "VFT_FONT";
    case TVFileType::vftVirtualDev:
        return "VFT_VXD";
    case TVFileType::vftStaticLib:
        return "VFT_STATIC_LIB";
    }
    return {};
}

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

/// "2.1.4.0" becomes "2, 1, 4, 0": the first three "." turn into ", " and anything from a
/// fourth "." on is dropped.
std::string ScriptVersion(const std::string& fileVersion)
{
    std::string out;
    int dots = 0;
    for (char c : fileVersion) {
        if (c == '.' && ++dots > 3)
            break;
        if (c == '.')
            out += ", ";
        else
            out += c;
    }
    return out;
}

/// The compiled resource file that belongs to a script: the script's own name with the
/// extension "res". Only the file name's extension is replaced, so a "." in a folder name
/// never leads to deleting some other file.
std::string CompiledResourceName(const std::string& script)
{
    const std::size_t slash = script.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = script.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return script + ".res";
    return script.substr(0, dot + 1) + "res";
}

std::string QuotedSeparators(std::string_view format)
{
    std::string out;
    for (char c : format) {
        if (c == ':' || c == '.' || c == '-')
            out += std::string("'") + c + "'";
        else
            out += c;
    }
    return out;
}

}

VersionNoBase::VersionNoBase(Variant variant, ComponentHost& host)
    : m_variant(variant)
    , m_host(host)
    , m_verSubType(variant == Variant::Short ? TVerType::vtLetter : TVerType::vtNumber)
    , m_verBuild(variant == Variant::Short ? 1 : 0)
    , m_compiledDate(DateTimeFormat::Today())
    , m_compiledTime(DateTimeFormat::Now())
    , m_labelFormat(variant == Variant::Short ? " Version %1.%2%3 Build %4" : "Version %1.%2 Build %4")
    , m_productVerFormat(variant == Variant::Short ? "%1.%2%3" : "%1.%2")
    , m_comments(variant == Variant::Short ? "%" : "")
    , m_webAddress(variant == Variant::Short ? "%" : "")
    , m_compiler(DesignEnvironment::DefaultCompiler)
{
    m_compiledDateText = FormattedDate();
    m_compiledTimeText = DateTimeFormat::Format("hh:nn:ss", {}, m_compiledTime);
    m_copyrightYear = DateTimeFormat::Format("yyyy", m_compiledDate, {});
}

void VersionNoBase::Changed(Refresh refresh)
{
    if (refresh != Refresh::Script)
        RefreshLabel();
    if (refresh != Refresh::Label)
        WriteRCFile();
}

void VersionNoBase::RefreshLabel()
{
    // Expanded even without a label, so a broken LabelFormat fails where it is set.
    const std::string text = LabelText();
    if (m_associatedLabel)
        m_associatedLabel->SetCaption(text);
}

// The stored date is shown in the new order, not read back from its two-digit-year text,
// so a year outside the window (1951 to 2050) survives the change.
void VersionNoBase::SetDateType(TDateType value)
{
    m_dateType = value;
    m_compiledDateText = FormattedDate();
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetVerMajor(int value)
{
    m_verMajor = value;
    Changed(Refresh::LabelAndScript);
}

std::string VersionNoBase::VerMinor() const
{
    return MinorText();
}

void VersionNoBase::SetVerMinor(std::string_view value)
{
    m_verMinor = LeadingInteger(value);
    Changed(Refresh::LabelAndScript);
}

std::string VersionNoBase::VerSub() const
{
    if (m_verSubType == TVerType::vtLetter)
        return std::string(1, static_cast<char>((m_verSub + 96) & 0xFF));
    return std::to_string(m_verSub);
}

void VersionNoBase::SetVerSub(std::string_view value)
{
    if (value.empty())
        throw std::out_of_range("VerSub must not be empty");
    m_verSub = IsAsciiLetter(value[0]) ? Lower(value[0]) - 'a' + 1 : LeadingInteger(value);
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetCompiledDate(std::string_view value)
{
    if (value.empty()) {
        m_compiledDate = DateTimeFormat::Today();
        m_compiledDateText = FormattedDate();
        Changed(Refresh::LabelAndScript);
        return;
    }
    char separator = 0;
    for (char candidate : { '-', '/', '.' }) {
        if (value.find(candidate) != std::string_view::npos) {
            separator = candidate;
            break;
        }
    }
    const std::size_t first = separator ? value.find(separator) : std::string_view::npos;
    const std::size_t second = first == std::string_view::npos ? first : value.find(separator, first + 1);
    if (second == std::string_view::npos) {
        InvalidDateMessage();
        return;
    }
    const int a = LeadingInteger(value.substr(0, first));
    const int b = LeadingInteger(value.substr(first + 1));
    const int c = LeadingInteger(value.substr(second + 1));
    int day = a, month = b, year = c;
    switch (m_dateType) {
    case TDateType::dmy:
        break;
    case TDateType::mdy:
        month = a, day = b;
        break;
    case TDateType::ymd:
        year = a, day = c;
        break;
    }
    // Two-digit years are windowed (up to 50 in this century); a year written in full
    // is taken as it stands.
    if (year < 100)
        year += year <= 50 ? 2000 : 1900;
    if (!DateTimeFormat::IsValidDate(year, month, day))
        throw std::invalid_argument("'" + std::string(value) + "' is not a valid date");
    m_compiledDate = { year, month, day };
    m_compiledDateText = FormattedDate();
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetCompiledTime(std::string_view value)
{
    if (value.empty()) {
        m_compiledTime = DateTimeFormat::Now();
    } else {
        const std::size_t firstColon = value.find(':');
        if (firstColon == std::string_view::npos) {
            InvalidTimeMessage();
            return;
        }
        const std::size_t secondColon = value.find(':', firstColon + 1);
        const int hour = LeadingInteger(value);
        const int minute = LeadingInteger(value.substr(firstColon + 1));
        const int second
            = secondColon == std::string_view::npos ? 0 : LeadingInteger(value.substr(secondColon + 1));
        if (!DateTimeFormat::IsValidTime(hour, minute, second))
            throw std::invalid_argument("'" + std::string(value) + "' is not a valid time");
        m_compiledTime = { hour, minute, second };
    }
    m_compiledTimeText = DateTimeFormat::Format("hh:nn:ss", {}, m_compiledTime);
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetCopyrightName(std::string value)
{
    m_copyrightName = std::move(value);
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetCopyrightYear(std::string value)
{
    m_copyrightYear = std::move(value);
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetAssociatedLabel(CaptionLabel* label)
{
    m_associatedLabel = label;
    RefreshLabel();
}

void VersionNoBase::SetLabelFormat(std::string value)
{
    m_labelFormat = std::move(value);
    Changed(m_variant == Variant::Short ? Refresh::LabelAndScript : Refresh::Label);
}

std::string VersionNoBase::LabelText() const
{
    return Expand(m_labelFormat, false);
}

void VersionNoBase::SetProductVerFormat(std::string value)
{
    m_productVerFormat = std::move(value);
    // Expanding at once hands a broken template's error to the caller that set it.
    ProductVersion();
    Changed(Refresh::Script);
}

void VersionNoBase::SetFileVersionFormat(std::string value)
{
    m_fileVersionFormat = std::move(value);
    // Expanding at once hands a broken template's error to the caller that set it.
    FileVersion();
    Changed(Refresh::Script);
}

void VersionNoBase::SetRCFileName(std::string value)
{
    m_rcFileName = std::move(value);
    Changed(Refresh::Script);
}

void VersionNoBase::SetPadVerMinor(bool value)
{
    m_padVerMinor = value;
    Changed(Refresh::Label);
}

void VersionNoBase::SetVerSubType(TVerType value)
{
    m_verSubType = value;
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetVerBuild(int value)
{
    m_verBuild = value;
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetVerBuildSub(int value)
{
    m_verBuildSub = value;
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetLabelVersion(std::string_view)
{
    Changed(Refresh::LabelAndScript);
}

void VersionNoBase::SetAppTitle(std::string value)
{
    m_appTitle = std::move(value);
    if (m_exeName.empty())
        m_exeName = LowerCase(m_appTitle) + ".exe";
    Changed(Refresh::Script);
}

std::string VersionNoBase::ProductVersion() const
{
    return Expand(m_productVerFormat, false);
}

void VersionNoBase::SetProductVersion(std::string_view)
{
    Changed(Refresh::Script);
}

std::string VersionNoBase::FileVersion() const
{
    return Expand(m_fileVersionFormat, true);
}

void VersionNoBase::SetFileVersion(std::string_view)
{
    Changed(Refresh::Script);
}

void VersionNoBase::SetDescription(std::string value)
{
    m_description = std::move(value);
    Changed(Refresh::Script);
}

void VersionNoBase::SetExeName(std::string value)
{
    m_exeName = std::move(value);
    Changed(Refresh::Script);
}

void VersionNoBase::SetComments(std::string value)
{
    m_comments = std::move(value);
    Changed(Refresh::Script);
}

void VersionNoBase::SetProductName(std::string value)
{
    m_productName = std::move(value);
    Changed(Refresh::Script);
}

void VersionNoBase::SetCompileNumber(int value)
{
    m_verCompileNumber = value;
    Changed(Refresh::Script);
}

std::string VersionNoBase::MinorText() const
{
    std::string text = std::to_string(m_verMinor);
    if (m_padVerMinor && m_verMinor < 10)
        text.insert(0, "0");
    return text;
}

std::string VersionNoBase::SubLetter() const
{
    return std::string(1, static_cast<char>((m_verSub + 96) & 0xFF));
}

std::string VersionNoBase::FormattedDate() const
{
    return DateTimeFormat::Format(DateFormatFor(m_dateType), m_compiledDate, {});
}

// "%" and one character: 1 major, 2 minor, 3 sub, 4 build, 5 build sub; C or N the
// copyright name, D the compile date, T the compile time, Y the copyright year. Any other
// number or letter gives nothing. Only one character after "%" is consumed, so "%12"
// reads as the unknown code 12 followed by the digit "2".
std::string VersionNoBase::Expand(std::string_view format, bool numericSub) const
{
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 == format.size())
            throw std::out_of_range("version template ends in \"%\": " + std::string(format));
        const char code = format[++i];
        if (std::isdigit(static_cast<unsigned char>(code))) {
            switch (LeadingInteger(format.substr(i))) {
            case 1:
                out += std::to_string(m_verMajor);
                break;
            case 2:
                out += MinorText();
                break;
            case 3:
                if (m_verSubType == TVerType::vtNumber || numericSub)
                    out += std::to_string(m_verSub);
                else if (m_verSub != 0)
                    out += SubLetter();
                break;
            case 4:
                out += std::to_string(m_verBuild);
                break;
            case 5:
                out += std::to_string(m_verBuildSub);
                break;
            default:
                break;
            }
            continue;
        }
        switch (Lower(code)) {
        case 'c':
        case 'n':
            out += m_copyrightName;
            break;
        case 'd':
            out += DateTimeFormat::Format("d mmm yyyy", m_compiledDate, m_compiledTime);
            break;
        case 't':
            out += DateTimeFormat::Format("hh:nn:ss", m_compiledDate, m_compiledTime);
            break;
        case 'y':
            out += m_copyrightYear;
            break;
        default:
            break;
        }
    }
    return out;
}

std::string VersionNoBase::GetVersion(bool noPrefix, bool shortForm, bool withBuild) const
{
    std::string text = noPrefix ? "" : "v.";
    text += std::to_string(m_verMajor);
    if (shortForm && m_verMinor == 0)
        return text;
    text += "." + MinorText();
    if (shortForm)
        return text;
    switch (m_verSubType) {
    case TVerType::vtLetter:
        if (m_verSub != 0)
            text += SubLetter();
        break;
    case TVerType::vtNumber:
        text += "." + std::to_string(m_verSub);
        break;
    }
    if (withBuild && m_verBuild > 0)
        text += "." + std::to_string(m_verBuild);
    return text;
}

std::string VersionNoBase::ShowVersionNumber(
    bool major, bool minor, bool sub, bool build, bool buildSub) const
{
    std::string text;
    const auto joined = [&text](const std::string& part) { text += (text.empty() ? "" : ".") + part; };
    if (major)
        text += std::to_string(m_verMajor);
    if (minor)
        joined(MinorText());
    if (sub) {
        switch (m_verSubType) {
        case TVerType::vtNumber:
            joined(std::to_string(m_verSub));
            break;
        case TVerType::vtLetter:
            if (m_verSub > 0)
                text += SubLetter();
            break;
        }
    }
    if (build)
        joined(std::to_string(m_verBuild));
    if (buildSub)
        joined(std::to_string(m_verBuildSub));
    return text;
}

std::string VersionNoBase::GetDateCompiled(std::string_view format) const
{
    const std::string pattern = format.empty() ? QuotedSeparators(DateFormatFor(m_dateType) + " hh:nn:ss")
                                               : QuotedSeparators(format);
    return DateTimeFormat::Format(pattern, m_compiledDate, m_compiledTime);
}

std::string VersionNoBase::GetCopyrightMessage() const
{
    return "Copyright © " + m_copyrightName + " " + m_copyrightYear;
}

std::string VersionNoBase::ShowVersionInfo(bool show, std::string_view header, std::string_view footer)
{
    std::string text;
    if (!header.empty())
        text += std::string(header) + "\r\n\n";
    text += "Version " + GetVersion(true, false, true) + " (Build " + std::to_string(m_verBuildSub) + ")";
    text += "\r\nCompiled: " + GetDateCompiled("ddd d mmmm yyyy") + " at " + GetDateCompiled("hh:nn:ss");
    text += "\r\n\n" + GetCopyrightMessage();
    if (!footer.empty())
        text += "\r\n\n" + std::string(footer);
    if (show)
        m_host.ShowMessage(text);
    return text;
}

std::string VersionNoBase::GetVersionInfoFormatted(std::string_view format) const
{
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i++];
            continue;
        }
        const char code = Lower(format[i + 1]);
        i += 2;
        switch (code) {
        case 'b':
            out += std::to_string(m_verBuild);
            break;
        case 'j':
            out += std::to_string(m_verMajor);
            break;
        case 'n':
            out += MinorText();
            break;
        case 's':
            if (m_verSubType == TVerType::vtNumber)
                out += std::to_string(m_verSub);
            else if (m_verSub > 0)
                out += SubLetter();
            break;
        case 'c': {
            const char which = i < format.size() ? Lower(format[i]) : 0;
            if (which == 'n')
                out += m_copyrightName;
            else if (which == 'y')
                out += m_copyrightYear;
            else
                out += GetCopyrightMessage();
            if (which == 'm' || which == 'n' || which == 'y')
                ++i;
            break;
        }
        case 'd': {
            if (i < format.size() && format[i] == '\'')
                ++i;
            const std::size_t end = std::min(format.find_first_of("'%", i), format.size());
            out += GetDateCompiled(format.substr(i, end - i));
            i = end < format.size() && format[end] == '\'' ? end + 1 : end;
            break;
        }
        default:
            out += '%';
            --i;
            break;
        }
    }
    return out;
}

void VersionNoBase::InvalidTimeMessage()
{
    m_host.ShowMessage(m_variant == Variant::Short ? "Invalid compile time"
                                                   : "Invalid compile time. Please format time as h:m:s");
}

void VersionNoBase::InvalidDateMessage()
{
    if (m_variant == Variant::Short) {
        m_host.ShowMessage("Invalid compile date");
        return;
    }
    m_host.ShowMessage("Invalid Compile Date - please use one of the following forms:\r\n"
        + std::string(DateFormsFor(m_dateType)));
}

std::string VersionNoBase::CommentsLine() const
{
    std::string comments = m_comments;
    const std::size_t mark = comments.find('%');
    if (mark == std::string::npos)
        return comments;
    const int build = m_verBuildSub != 0 ? m_verBuildSub : m_verBuild;
    std::string info = "  Build: " + std::to_string(build) + " ";
    if (m_variant == Variant::Short)
        info += "(Internal Ref: " + std::to_string(m_verCompileNumber) + " ";
    info += m_compiledDateText + " " + m_compiledTimeText;
    info += m_variant == Variant::Short ? ")  Compiler: " : "  Compiler: ";
    info += m_compiler + ". Web site: ";
    info += m_webAddress == "%" ? std::string(DesignEnvironment::MakerWebAddress) : m_webAddress;
    return comments.replace(mark, 1, info);
}

std::string VersionNoBase::ScriptText() const
{
    const std::string fileVersion = FileVersion();
    const std::string version = ScriptVersion(fileVersion);
    std::vector<std::string> lines {
        "/**********************************",
        "     " + m_rcFileName,
        m_variant == Variant::Short ? "     Produced by VersionNoShort" : "     Produced by VersionNo",
        "     from Orbane Software",
        "     Compiler Code: 0x" + Hex4(DesignEnvironment::CompilerCode),
        "**********************************/",
        "",
        "#define VERSIONINFO_1\t1",
        "",
        "VERSIONINFO_1 VERSIONINFO",
        "FILEVERSION " + version,
        "PRODUCTVERSION " + version,
        "FILEOS " + std::string(OSTypeName(m_osType)),
        "FILETYPE " + std::string(FileTypeName(m_fileType)),
        "{",
        " BLOCK \"StringFileInfo\"",
        " {",
        "  BLOCK \"" + Hex4(static_cast<unsigned>(m_languageId)) + "04E4\"",
        "  {",
        "   VALUE \"CompanyName\", \"" + m_copyrightName + "\\000\\000\"",
        "   VALUE \"FileDescription\", \"" + m_description + "\\000\"",
        "   VALUE \"FileVersion\", \"" + fileVersion + "\\000\\000\"",
        "   VALUE \"InternalName\", \"" + m_appTitle + "\\000\"",
        "   VALUE \"LegalCopyright\", \"" + GetCopyrightMessage() + "\\000\\000\"",
        "   VALUE \"OriginalFilename\", \"" + LowerCase(m_exeName) + "\\000\"",
        "   VALUE \"ProductName\", \"" + m_productName + "\\000\"",
        "   VALUE \"ProductVersion\", \"" + ProductVersion() + "\\000\"",
        "   VALUE \"Comments\", \"" + CommentsLine() + "\\000\"",
        "  }",
        " }",
        "",
        " BLOCK \"VarFileInfo\"",
        " {",
        "  VALUE \"Translation\", " + std::to_string(m_languageId) + ", 1252",
        " }",
        "}",
    };
    if (m_variant == Variant::Short)
        lines.erase(lines.begin() + 3);
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += LineBreak;
    }
    return text;
}

void VersionNoBase::WriteRCFile()
{
    if (!m_designing || m_rcFileName.empty()
        || LowerCase(m_host.ExecutableName()) != DesignEnvironment::ExecutableName)
        return;
    const std::string error = WriteFileAtomically(m_rcFileName, ToWindows1252(ScriptText()));
    if (!error.empty())
        throw std::runtime_error(error);
    std::remove(CompiledResourceName(m_rcFileName).c_str());
}
