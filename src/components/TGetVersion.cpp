#include "components/TGetVersion.h"

#include "components/VersionNames.h"
#include "platform/PeVersionResource.h"
#include "platform/VersionInfoBlock.h"

#include <cstdio>
#include <utility>

namespace {

constexpr std::string_view NeutralKey = "000004B0";
constexpr std::string_view NeutralFallbackKey = "000004E4";

std::string Hex2(unsigned byte)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte & 0xFF);
    return text;
}

}

void TGetVersion::SetFileName(std::string value)
{
    m_fileName = std::move(value);
    ReadVersionInfo();
}

void TGetVersion::ReadVersionInfo()
{
    m_codePage = "Unknown";
    m_language = "Unknown";
    std::string* const strings[] = { &m_fileVersion, &m_productVersion, &m_companyName, &m_fileDescription,
        &m_internalName, &m_legalCopyright, &m_legalTrademarks, &m_originalFilename, &m_productName,
        &m_comments, &m_privateBuild, &m_specialBuild };
    for (std::string* s : strings)
        s->clear();

    auto resource = PeVersionResource::FromFile(m_fileName);
    if (!resource)
        return;
    const VersionInfoBlock block(std::move(*resource));

    // The string-table key is the first translation's language and code page as eight
    // hexadecimal digits ("080904E4"); a translation with a zero byte is taken as neutral.
    // A translation shorter than its four bytes counts as missing.
    std::string key(NeutralKey);
    int codePage = 0;
    auto translation = block.Value("\\VarFileInfo\\Translation");
    if (translation && translation->size() >= 4) {
        const auto& t = *translation;
        if (t[0] != 0 && t[1] != 0 && t[2] != 0 && t[3] != 0) {
            key = Hex2(t[1]) + Hex2(t[0]) + Hex2(t[3]) + Hex2(t[2]);
            codePage = t[2] + 256 * t[3];
        }
    }
    const std::string languageKey = key.substr(0, 4);
    auto language = VersionNames::Language(languageKey);
    m_language = language ? std::string(*language) : "Unknown (" + languageKey + ")";
    auto codePageName = VersionNames::CodePage(codePage);
    m_codePage = codePageName ? std::string(*codePageName) : "0x" + key.substr(4, 4);

    const auto query = [&](std::string_view name) {
        return block.Text("\\StringFileInfo\\" + key + "\\" + std::string(name));
    };
    auto fileVersion = query("FileVersion");
    if (!fileVersion && key == NeutralKey) {
        key = NeutralFallbackKey;
        fileVersion = query("FileVersion");
    }
    if (fileVersion)
        m_fileVersion = *fileVersion;

    const std::pair<std::string_view, std::string*> values[] = { { "ProductVersion", &m_productVersion },
        { "CompanyName", &m_companyName }, { "FileDescription", &m_fileDescription },
        { "InternalName", &m_internalName }, { "LegalCopyright", &m_legalCopyright },
        { "LegalTrademarks", &m_legalTrademarks }, { "OriginalFilename", &m_originalFilename },
        { "ProductName", &m_productName }, { "Comments", &m_comments }, { "PrivateBuild", &m_privateBuild },
        { "SpecialBuild", &m_specialBuild } };
    for (const auto& [name, property] : values) {
        if (auto text = query(name))
            *property = *text;
    }
}
