#include "components/VersionNames.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 36> Languages { {
    { "0409", "English (US)" },
    { "0809", "English (UK)" },
    { "0406", "Danish" },
    { "0413", "Dutch" },
    { "0813", "Dutch (Belgian)" },
    { "0C09", "English (Australian)" },
    { "1009", "English (Canadian)" },
    { "1409", "English (New Zealand)" },
    { "1809", "English (Ireland)" },
    { "040B", "Finnish" },
    { "040C", "French" },
    { "080C", "French (Belgian)" },
    { "0C0C", "French (Canadian)" },
    { "100C", "French (Swiss)" },
    { "0407", "German" },
    { "0807", "German (Swiss)" },
    { "0C07", "German (Austrian)" },
    { "040F", "Icelandic" },
    { "0410", "Italian" },
    { "0810", "Italian (Swiss)" },
    { "0414", "Norwegian (Bokmal)" },
    { "0814", "Norwegian (Nynorsk)" },
    { "0416", "Portuguese (Brazilian)" },
    { "0816", "Portuguese" },
    { "041D", "Swedish" },
    { "040A", "Spanish (Traditional)" },
    { "080A", "Spanish (Mexican)" },
    { "0C0A", "Spanish (Modern)" },
    { "041F", "Turkish" },
    { "0415", "Polish" },
    { "0405", "Czech" },
    { "041B", "Slovak" },
    { "040E", "Hungarian" },
    { "0419", "Russian" },
    { "0408", "Greek" },
    { "0000", "Neutral" },
} };

constexpr std::array<std::pair<int, std::string_view>, 45> CodePages { {
    { 37, "EBCDIC" },
    { 437, "MS-DOS  United States" },
    { 500, "EBCDIC \"500V1\"" },
    { 708, "Arabic (ASMO 708)" },
    { 709, "Arabic (ASMO 449+, BCON V4)" },
    { 710, "Arabic (Transparent Arabic)" },
    { 720, "Arabic (Transparent ASMO)" },
    { 737, "Greek (formerly 437G)" },
    { 775, "Baltic" },
    { 850, "MS-DOS  Multilingual (Latin I)" },
    { 852, "MS-DOS  Slavic (Latin II)" },
    { 855, "IBM Cyrillic (primarily Russian)" },
    { 857, "IBM Turkish" },
    { 860, "MS-DOS Portuguese" },
    { 861, "MS-DOS Icelandic" },
    { 862, "Hebrew" },
    { 863, "MS-DOS Canadian-French" },
    { 864, "Arabic" },
    { 865, "MS-DOS Nordic" },
    { 866, "MS-DOS Russian" },
    { 869, "IBM Modern Greek" },
    { 874, "Thai" },
    { 875, "EBCDIC" },
    { 932, "Japan" },
    { 936, "Chinese (PRC, Singapore)" },
    { 949, "Korean" },
    { 950, "Chinese (Taiwan, Hong Kong)" },
    { 1026, "EBCDIC" },
    { 1200, "Unicode (BMP of ISO 10646)" },
    { 1250, "Windows Eastern European" },
    { 1251, "Windows Cyrillic" },
    { 1252, "Windows US (ANSI)" },
    { 1253, "Windows Greek" },
    { 1254, "Windows Turkish" },
    { 1255, "Hebrew" },
    { 1256, "Arabic" },
    { 1257, "Baltic" },
    { 1361, "Korean (Johab)" },
    { 10000, "Macintosh Roman" },
    { 10001, "Macintosh Japanese" },
    { 10006, "Macintosh Greek I" },
    { 10007, "Macintosh Cyrillic" },
    { 10029, "Macintosh Latin 2" },
    { 10079, "Macintosh Icelandic" },
    { 10081, "Macintosh Turkish" },
} };

}

namespace VersionNames {

std::optional<std::string_view> Language(std::string_view key)
{
    for (const auto& [code, name] : Languages) {
        if (code == key)
            return name;
    }
    return std::nullopt;
}

std::optional<std::string_view> CodePage(int codePage)
{
    for (const auto& [number, name] : CodePages) {
        if (number == codePage)
            return name;
    }
    return std::nullopt;
}

}
