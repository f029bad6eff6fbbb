#include "components/DesignEnvironment.h"
#include "components/MainWindowVersion.h"
#include "components/TVersionNo.h"
#include "components/TVersionNoShort.h"

#include "RecordingHost.h"
#include "support/TempSite.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the last line has no line break";
    return lines;
}

std::string CompilerCodeLine()
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", DesignEnvironment::CompilerCode);
    return std::string("     Compiler Code: 0x") + hex;
}

bool Exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

}

TEST(VersionScript, LinesOfTheFullComponent)
{
    TempSite site;
    const std::string script = site.Root() + "/app.rc";
    RecordingHost tool(std::string(DesignEnvironment::ExecutableName));
    TVersionNo v(tool);
    v.SetVerMajor(2);
    v.SetVerMinor("1");
    v.SetVerSub("d");
    v.SetVerSubType(TVerType::vtLetter);
    v.SetVerBuildSub(25);
    v.SetCompiledDate("14-3-01");
    v.SetCompiledTime("22:48:35");
    v.SetCopyrightYear("2001");
    v.SetAppTitle("Demo");
    v.SetDescription("A demo");
    v.SetProductName("Demo Product");
    v.SetProductVerFormat("%1.%2%3");
    v.SetComments("Made here % today");
    v.SetWebAddress("www.example.org");
    v.SetCompiler("cc");
    v.SetDesigning(true);
    v.SetRCFileName(script);

    const std::vector<std::string> expected {
        "/**********************************",
        "     " + script,
        "     Produced by VersionNo",
        "     from Orbane Software",
        CompilerCodeLine(),
        "**********************************/",
        "",
        "#define VERSIONINFO_1\t1",
        "",
        "VERSIONINFO_1 VERSIONINFO",
        "FILEVERSION 2, 1, 4, 0",
        "PRODUCTVERSION 2, 1, 4, 0",
        "FILEOS VOS_DOS_WINDOWS32",
        "FILETYPE VFT_APP",
        "{",
        " BLOCK \"StringFileInfo\"",
        " {",
        "  BLOCK \"080904E4\"",
        "  {",
        "   VALUE \"CompanyName\", \"Orbane Software\\000\\000\"",
        "   VALUE \"FileDescription\", \"A demo\\000\"",
        "   VALUE \"FileVersion\", \"2.1.4.0\\000\\000\"",
        "   VALUE \"InternalName\", \"Demo\\000\"",
        "   VALUE \"LegalCopyright\", \"Copyright \xA9 Orbane Software 2001\\000\\000\"",
        "   VALUE \"OriginalFilename\", \"demo.exe\\000\"",
        "   VALUE \"ProductName\", \"Demo Product\\000\"",
        "   VALUE \"ProductVersion\", \"2.1d\\000\"",
        "   VALUE \"Comments\", \"Made here   Build: 25 14-3-01 22:48:35  Compiler: cc. Web site: "
        "www.example.org "
        "today\\000\"",
        "  }",
        " }",
        "",
        " BLOCK \"VarFileInfo\"",
        " {",
        "  VALUE \"Translation\", 2057, 1252",
        " }",
        "}",
    };
    EXPECT_EQ(Lines(site.Read("app.rc")), expected);
}

TEST(VersionScript, MainWindowScriptNamesItsInternalReference)
{
    TempSite site;
    RecordingHost tool("TARVIK-RCGEN");
    TVersionNoShort v(tool);
    ConfigureMainWindowVersion(v);
    v.SetDesigning(true);
    v.SetRCFileName(site.Root() + "/tarvik.rc");
    const auto lines = Lines(site.Read("tarvik.rc"));
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[2], "     Produced by VersionNoShort");
    EXPECT_EQ(lines[3], CompilerCodeLine());
    EXPECT_EQ(lines[9], "FILEVERSION 2, 1, 4, 0");
    EXPECT_EQ(lines[16], "  BLOCK \"080904E4\"");
    EXPECT_EQ(lines[21], "   VALUE \"InternalName\", \"Tarvik\\000\"");
    EXPECT_EQ(lines[23], "   VALUE \"OriginalFilename\", \"tarvik.exe\\000\"");
    EXPECT_EQ(lines[25], "   VALUE \"ProductVersion\", \"2.1d\\000\"");
    EXPECT_EQ(lines[26],
        "   VALUE \"Comments\", \"  Build: 25 (Internal Ref: 25 14-3-01 22:48:35)  Compiler: "
            + std::string(DesignEnvironment::DefaultCompiler)
            + ". Web site: " + std::string(DesignEnvironment::MakerWebAddress) + "\\000\"");
    EXPECT_EQ(lines[32], "  VALUE \"Translation\", 2057, 1252");
}

TEST(VersionScript, LanguageSystemAndTypeLines)
{
    TempSite site;
    RecordingHost tool(std::string(DesignEnvironment::ExecutableName));
    TVersionNo v(tool);
    v.SetDesigning(true);
    v.SetRCFileName(site.Root() + "/x.rc");
    v.SetLanguage(TLangType::ltGerman_Austrian);
    v.SetOSType(TOSType::ostWin32);
    v.SetFileType(TVFileType::vftStaticLib);
    v.SetFileVersionFormat("%1.%2.%3.%4.%5");
    auto lines = Lines(site.Read("x.rc"));
    EXPECT_EQ(lines[11], "PRODUCTVERSION 1, 0, 0, 0");
    EXPECT_EQ(lines[12], "FILEOS VOS__WINDOWS32");
    EXPECT_EQ(lines[13], "FILETYPE VFT_STATIC_LIB");
    EXPECT_EQ(lines[17], "  BLOCK \"0C0704E4\"");
    EXPECT_EQ(lines[33], "  VALUE \"Translation\", 3079, 1252");

    v.SetLanguage(TLangType::ltNeutral);
    v.SetVerBuild(3);
    lines = Lines(site.Read("x.rc"));
    EXPECT_EQ(lines[17], "  BLOCK \"000004E4\"");
    EXPECT_EQ(lines[33], "  VALUE \"Translation\", 0, 1252");
    EXPECT_EQ(lines[21], "   VALUE \"FileVersion\", \"1.0.0.3.0\\000\\000\"");
}

TEST(VersionScript, WrittenOnlyInsideTheDesignToolWhileDesigned)
{
    TempSite site;
    const std::string script = site.Root() + "/v.rc";
    RecordingHost program("tarvik");
    TVersionNo outside(program);
    outside.SetDesigning(true);
    outside.SetRCFileName(script);
    outside.SetVerMajor(5);
    outside.WriteRCFile();
    EXPECT_FALSE(Exists(script));

    RecordingHost tool(std::string(DesignEnvironment::ExecutableName));
    TVersionNo notDesigned(tool);
    notDesigned.SetRCFileName(script);
    notDesigned.WriteRCFile();
    EXPECT_FALSE(Exists(script));

    TVersionNo unnamed(tool);
    unnamed.SetDesigning(true);
    unnamed.WriteRCFile();
    EXPECT_FALSE(Exists(script));
}

TEST(VersionScript, ChangesRewriteTheScriptAndDropTheStaleCompiledResource)
{
    TempSite site({ { "res.d/tarvik.res", "old" }, { "res.res", "unrelated" } });
    const std::string script = site.Root() + "/res.d/tarvik.rc";
    RecordingHost tool(std::string(DesignEnvironment::ExecutableName));
    TVersionNo v(tool);
    v.SetDesigning(true);
    v.SetRCFileName(script);
    EXPECT_FALSE(Exists(site.Root() + "/res.d/tarvik.res"));
    EXPECT_EQ(site.Read("res.res"), "unrelated");

    v.SetVerMajor(7);
    EXPECT_EQ(Lines(site.Read("res.d/tarvik.rc"))[10], "FILEVERSION 7, 0, 0, 0");
    v.SetCopyrightName("Next Owner");
    EXPECT_EQ(Lines(site.Read("res.d/tarvik.rc"))[19], "   VALUE \"CompanyName\", \"Next Owner\\000\\000\"");
}

TEST(VersionScript, AnUnwritableScriptIsAnErrorForTheCaller)
{
    TempSite site;
    RecordingHost tool(std::string(DesignEnvironment::ExecutableName));
    TVersionNo v(tool);
    v.SetDesigning(true);
    EXPECT_THROW(v.SetRCFileName(site.Root() + "/missing/x.rc"), std::runtime_error);
}
