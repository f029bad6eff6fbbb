#include "components/MainWindowVersion.h"

#include "components/TVersionNoShort.h"

void ConfigureMainWindowVersion(TVersionNoShort& version, CaptionLabel* versionLabel)
{
    version.SetFileType(TVFileType::vftApplication);
    version.SetVerMajor(2);
    version.SetVerMinor("1");
    version.SetVerSub("d");
    version.SetCompiledDate("14-3-01");
    version.SetCompiledTime("22:48:35");
    version.SetCopyrightName("Orbane Software");
    version.SetCopyrightYear("2000/2001");
    version.SetAssociatedLabel(versionLabel);
    version.SetLabelFormat("Version %1.%2%3");
    version.SetProductVerFormat("%1.%2%3");
    version.SetFileVersionFormat("%1.%2.%3.%4");
    version.SetVerSubType(TVerType::vtLetter);
    // The shipped file version is 2.1.4.0: build 0, where the component starts at 1.
    version.SetVerBuild(0);
    version.SetVerBuildSub(25);
    version.SetVerCompileNumber(25);
    version.SetAppTitle("Tarvik");
    version.SetDescription("Check local/remote links and images in HTML files");
    version.SetExeName("tarvik.exe");
    version.SetOSType(TOSType::ostWin9x);
    version.SetLanguage(TLangTypeShort::ltEnglish_UK);
    version.SetComments("%");
    version.SetProductName("Tarvik");
    version.SetWebAddress("%");
}

std::string MainWindowVersionLabel()
{
    TVersionNoShort version;
    ConfigureMainWindowVersion(version);
    return "Version " + version.GetVersion(true);
}

std::string MainWindowCopyright()
{
    TVersionNoShort version;
    ConfigureMainWindowVersion(version);
    return version.GetCopyrightMessage();
}
