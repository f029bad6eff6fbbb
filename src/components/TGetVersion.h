#pragma once

#include <string>

/// Reads the version-information resource of a Windows executable or library and shows
/// its language, code page and standard string values. Setting FileName reads the file
/// at once; setting any other property only reads the file again. A missing file, a file
/// without version information or a malformed one leaves "Unknown" in CodePage and
/// Language and empty strings elsewhere.
class TGetVersion {
public:
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(std::string value);

    const std::string& CodePage() const { return m_codePage; }
    void SetCodePage(const std::string&) { ReadVersionInfo(); }
    const std::string& Language() const { return m_language; }
    void SetLanguage(const std::string&) { ReadVersionInfo(); }
    const std::string& FileVersion() const { return m_fileVersion; }
    void SetFileVersion(const std::string&) { ReadVersionInfo(); }
    const std::string& ProductVersion() const { return m_productVersion; }
    void SetProductVersion(const std::string&) { ReadVersionInfo(); }
    const std::string& CompanyName() const { return m_companyName; }
    void SetCompanyName(const std::string&) { ReadVersionInfo(); }
    const std::string& FileDescription() const { return m_fileDescription; }
    void SetFileDescription(const std::string&) { ReadVersionInfo(); }
    const std::string& InternalName() const { return m_internalName; }
    void SetInternalName(const std::string&) { ReadVersionInfo(); }
    const std::string& LegalCopyright() const { return m_legalCopyright; }
    void SetLegalCopyright(const std::string&) { ReadVersionInfo(); }
    const std::string& LegalTrademarks() const { return m_legalTrademarks; }
    void SetLegalTrademarks(const std::string&) { ReadVersionInfo(); }
    const std::string& OriginalFilename() const { return m_originalFilename; }
    void SetOriginalFilename(const std::string&) { ReadVersionInfo(); }
    const std::string& ProductName() const { return m_productName; }
    void SetProductName(const std::string&) { ReadVersionInfo(); }
    const std::string& Comments() const { return m_comments; }
    void SetComments(const std::string&) { ReadVersionInfo(); }
    const std::string& PrivateBuild() const { return m_privateBuild; }
    void SetPrivateBuild(const std::string&) { ReadVersionInfo(); }
    const std::string& SpecialBuild() const { return m_specialBuild; }
    void SetSpecialBuild(const std::string&) { ReadVersionInfo(); }

private:
    void ReadVersionInfo();

    std::string m_fileName;
    std::string m_codePage = "Unknown";
    std::string m_language = "Unknown";
    std::string m_fileVersion;
    std::string m_productVersion;
    std::string m_companyName;
    std::string m_fileDescription;
    std::string m_internalName;
    std::string m_legalCopyright;
    std::string m_legalTrademarks;
    std::string m_originalFilename;
    std::string m_productName;
    std::string m_comments;
    std::string m_privateBuild;
    std::string m_specialBuild;
};
