#pragma once

#include "components/DateTimeFormat.h"
#include "components/VersionNoTypes.h"

#include <string>
#include <string_view>

class CaptionLabel;
class ComponentHost;

/// The behaviour shared by TVersionNo and TVersionNoShort: a program's version number and
/// release data, held as properties, turned into version texts, a compile date and time,
/// a copyright line and a version message. Every change keeps the associated label
/// current; inside the design tool (see DesignEnvironment) a change also rewrites the
/// resource script named by RCFileName, so the program's version resource always matches
/// the component. Texts are UTF-8; the script is written in the code page it declares.
/// Single-threaded, owned by the window or tool that configures it.
class VersionNoBase {
public:
    virtual ~VersionNoBase() = default;
    VersionNoBase(const VersionNoBase&) = delete;
    VersionNoBase& operator=(const VersionNoBase&) = delete;

    TDateType DateType() const { return m_dateType; }
    void SetDateType(TDateType value);
    TVFileType FileType() const { return m_fileType; }
    void SetFileType(TVFileType value) { m_fileType = value; }
    int VerMajor() const { return m_verMajor; }
    void SetVerMajor(int value);
    std::string VerMinor() const;
    void SetVerMinor(std::string_view value);
    /// The sub version as a letter for vtLetter, as decimal text for vtNumber.
    std::string VerSub() const;
    /// A leading letter is taken as its alphabet position (a or A = 1); anything else is
    /// read as a number. Throws std::out_of_range for an empty text.
    void SetVerSub(std::string_view value);
    const std::string& CompiledDate() const { return m_compiledDateText; }
    /// Empty means today. An unreadable text shows InvalidDateMessage and changes nothing;
    /// numbers that make no date throw std::invalid_argument.
    void SetCompiledDate(std::string_view value);
    const std::string& CompiledTime() const { return m_compiledTimeText; }
    /// Empty means now; "h:m" or "h:m:s". A text without ":" shows InvalidTimeMessage and
    /// changes nothing; numbers that make no time throw std::invalid_argument.
    void SetCompiledTime(std::string_view value);
    const std::string& CopyrightName() const { return m_copyrightName; }
    void SetCopyrightName(std::string value);
    const std::string& CopyrightYear() const { return m_copyrightYear; }
    void SetCopyrightYear(std::string value);
    CaptionLabel* AssociatedLabel() const { return m_associatedLabel; }
    void SetAssociatedLabel(CaptionLabel* label);
    const std::string& LabelFormat() const { return m_labelFormat; }
    void SetLabelFormat(std::string value);
    /// LabelFormat expanded; throws std::out_of_range when the template ends in "%".
    std::string LabelText() const;
    const std::string& ProductVerFormat() const { return m_productVerFormat; }
    void SetProductVerFormat(std::string value);
    const std::string& FileVersionFormat() const { return m_fileVersionFormat; }
    void SetFileVersionFormat(std::string value);
    const std::string& RCFileName() const { return m_rcFileName; }
    void SetRCFileName(std::string value);
    bool PadVerMinor() const { return m_padVerMinor; }
    void SetPadVerMinor(bool value);
    TVerType VerSubType() const { return m_verSubType; }
    void SetVerSubType(TVerType value);
    int VerBuild() const { return m_verBuild; }
    void SetVerBuild(int value);
    int VerBuildSub() const { return m_verBuildSub; }
    void SetVerBuildSub(int value);
    std::string LabelVersion() const { return LabelText(); }
    /// The value is ignored; the label is refreshed and the script written.
    void SetLabelVersion(std::string_view);
    const std::string& AppTitle() const { return m_appTitle; }
    /// Also names ExeName after the title (lower case + ".exe") while ExeName is empty.
    void SetAppTitle(std::string value);
    /// ProductVerFormat expanded.
    std::string ProductVersion() const;
    /// The value is ignored; the script is written.
    void SetProductVersion(std::string_view);
    /// FileVersionFormat expanded, with the sub version always as a number.
    std::string FileVersion() const;
    /// The value is ignored; the script is written.
    void SetFileVersion(std::string_view);
    const std::string& Description() const { return m_description; }
    void SetDescription(std::string value);
    const std::string& ExeName() const { return m_exeName; }
    void SetExeName(std::string value);
    TOSType OSType() const { return m_osType; }
    void SetOSType(TOSType value) { m_osType = value; }
    /// A "%" in the comments stands for the build information in the script.
    const std::string& Comments() const { return m_comments; }
    void SetComments(std::string value);
    const std::string& ProductName() const { return m_productName; }
    void SetProductName(std::string value);
    /// "%" stands for the maker's own address.
    const std::string& WebAddress() const { return m_webAddress; }
    void SetWebAddress(std::string value) { m_webAddress = std::move(value); }
    const std::string& Compiler() const { return m_compiler; }
    void SetCompiler(std::string value) { m_compiler = std::move(value); }

    /// Whether the component is being edited in the design tool.
    bool Designing() const { return m_designing; }
    void SetDesigning(bool value) { m_designing = value; }

    /// "v." (unless noPrefix) + major, then "." + minor unless shortForm with minor 0;
    /// unless shortForm, the sub version and, with withBuild, "." + a build above 0.
    std::string GetVersion(bool noPrefix = false, bool shortForm = false, bool withBuild = false) const;
    std::string GetVersionNoLong() const { return GetVersion(true, false, true); }
    std::string GetVersionNoShort() const { return GetVersion(true, true, false); }
    /// The chosen numbers joined by "."; a sub letter is joined without one.
    std::string ShowVersionNumber(bool major = true, bool minor = true, bool sub = false, bool build = false,
        bool buildSub = false) const;
    /// The compile moment in `format` (":", "." and "-" print as themselves); an empty
    /// format gives the date in DateType order and the time.
    std::string GetDateCompiled(std::string_view format = {}) const;
    /// "Copyright © " + CopyrightName + " " + CopyrightYear.
    std::string GetCopyrightMessage() const;
    /// The version message; shown through the host when `show` is set.
    std::string ShowVersionInfo(bool show = true, std::string_view header = {}, std::string_view footer = {});
    /// `format` with its %B, %J, %N, %S, %C, %CM, %CN, %CY and %D'date format' codes
    /// replaced.
    std::string GetVersionInfoFormatted(std::string_view format) const;
    /// Writes the resource script when hosted by the design tool, being designed and
    /// named; throws std::runtime_error when the file cannot be written.
    void WriteRCFile();
    void InvalidTimeMessage();
    void InvalidDateMessage();

protected:
    enum class Variant { Full, Short };

    VersionNoBase(Variant variant, ComponentHost& host);

    void SetLanguageId(int id) { m_languageId = id; }
    int CompileNumber() const { return m_verCompileNumber; }
    void SetCompileNumber(int value);

private:
    enum class Refresh { Label, LabelAndScript, Script };

    void Changed(Refresh refresh);
    void RefreshLabel();
    std::string Expand(std::string_view format, bool numericSub) const;
    std::string MinorText() const;
    std::string SubLetter() const;
    std::string FormattedDate() const;
    std::string ScriptText() const;
    std::string CommentsLine() const;

    Variant m_variant;
    ComponentHost& m_host;
    TDateType m_dateType = TDateType::dmy;
    TVFileType m_fileType = TVFileType::vftApplication;
    TVerType m_verSubType;
    TOSType m_osType = TOSType::ostWin9x;
    int m_verMajor = 1;
    int m_verMinor = 0;
    int m_verSub = 0;
    int m_verBuild;
    int m_verBuildSub = 0;
    int m_verCompileNumber = 1;
    int m_languageId = 2057;
    bool m_padVerMinor = false;
    bool m_designing = false;
    CalendarDate m_compiledDate;
    ClockTime m_compiledTime;
    std::string m_compiledDateText;
    std::string m_compiledTimeText;
    std::string m_copyrightName = "Orbane Software";
    std::string m_copyrightYear;
    CaptionLabel* m_associatedLabel = nullptr;
    std::string m_labelFormat;
    std::string m_productVerFormat;
    std::string m_fileVersionFormat = "%1.%2.%3.%4";
    std::string m_rcFileName;
    std::string m_appTitle;
    std::string m_description;
    std::string m_exeName;
    std::string m_comments;
    std::string m_productName;
    std::string m_webAddress;
    std::string m_compiler;
};
