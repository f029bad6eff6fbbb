#include "components/TGetVersion.h"
#include "components/DesignEnvironment.h"

#include "MingwResource.h"
#include "support/TempSite.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using MingwResource::Bits;

std::string Fixture(const std::string& name)
{
    const char* root = std::getenv("TARVIK_FIXTURES");
    return std::string(root ? root : "tests/fixtures") + "/version/" + name;
}

/// Compiles `script` into `<site>/<name>`; fails the test with the tools' output if the
/// mingw tools are missing or refuse the script.
std::string Executable(const TempSite& site, const std::string& script, const std::string& name, Bits bits)
{
    const std::string executable = site.Root() + "/" + name;
    const std::string error = MingwResource::BuildExecutable(script, executable, bits);
    EXPECT_EQ(error, "");
    return executable;
}

void ExpectNothingRead(const TGetVersion& g)
{
    EXPECT_EQ(g.Language(), "Unknown");
    EXPECT_EQ(g.CodePage(), "Unknown");
    for (const std::string* s : { &g.FileVersion(), &g.ProductVersion(), &g.CompanyName(),
             &g.FileDescription(), &g.InternalName(), &g.LegalCopyright(), &g.LegalTrademarks(),
             &g.OriginalFilename(), &g.ProductName(), &g.Comments(), &g.PrivateBuild(), &g.SpecialBuild() })
        EXPECT_EQ(*s, "");
}

}

// The main window's script, written by the design tool as the build does, compiled and
// linked by the mingw tools, and read back from 32- and 64-bit executables.
TEST(GetVersion, ReadsBackTheMainWindowsResource)
{
    TempSite site;
    const std::string script = site.Root() + "/tarvik.rc";
    ASSERT_EQ(MingwResource::Run({ TARVIK_RCGEN, script }), "");
    for (Bits bits : { Bits::Pe32Plus, Bits::Pe32 }) {
        TGetVersion g;
        g.SetFileName(Executable(site, script, bits == Bits::Pe32 ? "tarvik32.exe" : "tarvik.exe", bits));
        EXPECT_EQ(g.Language(), "English (UK)");
        EXPECT_EQ(g.CodePage(), "Windows US (ANSI)");
        EXPECT_EQ(g.FileVersion(), "2.1.4.0");
        EXPECT_EQ(g.ProductVersion(), "2.1d");
        EXPECT_EQ(g.CompanyName(), "Orbane Software");
        EXPECT_EQ(g.FileDescription(), "Check local/remote links and images in HTML files");
        EXPECT_EQ(g.InternalName(), "Tarvik");
        EXPECT_EQ(g.LegalCopyright(), "Copyright © Orbane Software 2000/2001");
        EXPECT_EQ(g.OriginalFilename(), "tarvik.exe");
        EXPECT_EQ(g.ProductName(), "Tarvik");
        EXPECT_EQ(g.Comments(),
            "  Build: 25 (Internal Ref: 25 14-3-01 22:48:35)  Compiler: "
                + std::string(DesignEnvironment::DefaultCompiler)
                + ". Web site: " + std::string(DesignEnvironment::MakerWebAddress));
        EXPECT_EQ(g.LegalTrademarks(), "");
        EXPECT_EQ(g.PrivateBuild(), "");
        EXPECT_EQ(g.SpecialBuild(), "");
    }
}

TEST(GetVersion, NeutralTranslationFallsBackToTheAnsiBlock)
{
    TempSite site;
    TGetVersion g;
    g.SetFileName(Executable(site, Fixture("neutral.rc"), "neutral.exe", Bits::Pe32Plus));
    EXPECT_EQ(g.Language(), "Neutral");
    EXPECT_EQ(g.CodePage(), "0x04B0");
    EXPECT_EQ(g.FileVersion(), "3.2.1.0");
    EXPECT_EQ(g.CompanyName(), "Fallback block");
    EXPECT_EQ(g.SpecialBuild(), "neutral");

    g.SetFileName(Executable(site, Fixture("neutral-own-block.rc"), "own.exe", Bits::Pe32));
    EXPECT_EQ(g.Language(), "Neutral");
    EXPECT_EQ(g.FileVersion(), "3.0");
    EXPECT_EQ(g.CompanyName(), "Neutral block");
}

TEST(GetVersion, UnknownLanguageAndCodePageAreShownByNumber)
{
    TempSite site;
    TGetVersion g;
    g.SetFileName(Executable(site, Fixture("unknown-language.rc"), "unknown.exe", Bits::Pe32Plus));
    EXPECT_EQ(g.Language(), "Unknown (0401)");
    EXPECT_EQ(g.CodePage(), "0x1234");
    EXPECT_EQ(g.FileVersion(), "1.0.0.7");
    EXPECT_EQ(g.PrivateBuild(), "private");
    EXPECT_EQ(g.LegalTrademarks(), "TM");
    EXPECT_EQ(g.CompanyName(), "");
}

TEST(GetVersion, AssigningAPropertyReadsTheFileAgain)
{
    TempSite site;
    const std::string path = site.Root() + "/program.exe";
    std::filesystem::copy_file(
        Executable(site, Fixture("unknown-language.rc"), "a.exe", Bits::Pe32Plus), path);
    TGetVersion g;
    g.SetFileName(path);
    g.SetCompanyName("Someone Else");
    EXPECT_EQ(g.CompanyName(), "");
    EXPECT_EQ(g.FileVersion(), "1.0.0.7");

    std::filesystem::copy_file(Executable(site, Fixture("neutral.rc"), "b.exe", Bits::Pe32Plus), path,
        std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(g.FileVersion(), "1.0.0.7");
    g.SetLanguage("German");
    EXPECT_EQ(g.Language(), "Neutral");
    EXPECT_EQ(g.CompanyName(), "Fallback block");

    std::filesystem::remove(path);
    g.SetComments("x");
    ExpectNothingRead(g);
}

TEST(GetVersion, FilesWithoutVersionInformationReadAsUnknown)
{
    TempSite site({ { "empty.exe", "" }, { "text.exe", "MZ but not a program" }, { "folder/readme", "x" } });
    TGetVersion g;
    ExpectNothingRead(g);
    for (const std::string name : { "", "missing.exe", "empty.exe", "text.exe", "folder" }) {
        g.SetFileName(name.empty() ? name : site.Root() + "/" + name);
        ExpectNothingRead(g);
    }
    g.SetFileName(TARVIK_RCGEN);
    ExpectNothingRead(g);
}
