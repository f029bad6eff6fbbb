#include "components/MainWindowVersion.h"
#include "components/TVersionNo.h"
#include "components/TVersionNoShort.h"

#include "RecordingHost.h"

#include <gtest/gtest.h>
#include <regex>
#include <stdexcept>

namespace {

constexpr const char* Copyright = "Copyright © Orbane Software 2000/2001";

struct MainWindow {
    RecordingHost host;
    RecordingLabel label;
    TVersionNoShort version { host };
    MainWindow() { ConfigureMainWindowVersion(version, &label); }
};

void Number(TVersionNo& version, int major, const char* minor, const char* sub, int build)
{
    version.SetVerMajor(major);
    version.SetVerMinor(minor);
    version.SetVerSub(sub);
    version.SetVerBuild(build);
}

}

TEST(VersionNo, MainWindowConfigurationGivesItsVersionTexts)
{
    MainWindow w;
    EXPECT_EQ(w.version.GetVersion(true), "2.1d");
    EXPECT_EQ(w.version.GetVersion(), "v.2.1d");
    EXPECT_EQ(w.version.ProductVersion(), "2.1d");
    EXPECT_EQ(w.version.FileVersion(), "2.1.4.0");
    EXPECT_EQ(w.version.ShowVersionNumber(true, true, true, true, true), "2.1d.0.25");
    EXPECT_EQ(w.version.LabelText(), "Version 2.1d");
    EXPECT_EQ(w.label.caption, "Version 2.1d");
    EXPECT_EQ(w.version.GetCopyrightMessage(), Copyright);
    EXPECT_EQ(MainWindowVersionLabel(), "Version 2.1d");
    EXPECT_EQ(MainWindowCopyright(), Copyright);
    EXPECT_TRUE(w.host.messages.empty());
}

TEST(VersionNo, DefaultLabelsOfBothVariants)
{
    RecordingHost host;
    EXPECT_EQ(TVersionNo(host).LabelText(), "Version 1.0 Build 0");
    TVersionNoShort shortForm(host);
    EXPECT_EQ(shortForm.LabelText(), " Version 1.0 Build 1");
    EXPECT_EQ(shortForm.ProductVersion(), "1.0");
    EXPECT_EQ(shortForm.FileVersion(), "1.0.0.1");
    EXPECT_TRUE(std::regex_match(shortForm.CopyrightYear(), std::regex("[0-9]{4}")));
    EXPECT_TRUE(std::regex_match(shortForm.CompiledTime(), std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}")));
    EXPECT_TRUE(std::regex_match(shortForm.CompiledDate(), std::regex("[0-9]{1,2}-[0-9]{1,2}-[0-9]{2}")));
}

TEST(VersionNo, GetVersionForms)
{
    RecordingHost host;
    TVersionNo v(host);
    Number(v, 3, "0", "2", 7);
    EXPECT_EQ(v.GetVersion(), "v.3.0.2");
    EXPECT_EQ(v.GetVersion(true, true), "3");
    EXPECT_EQ(v.GetVersionNoShort(), "3");
    EXPECT_EQ(v.GetVersionNoLong(), "3.0.2.7");
    v.SetVerMinor("4");
    EXPECT_EQ(v.GetVersionNoShort(), "3.4");
    v.SetVerBuild(0);
    EXPECT_EQ(v.GetVersionNoLong(), "3.4.2");
    v.SetVerSubType(TVerType::vtLetter);
    EXPECT_EQ(v.GetVersion(true), "3.4b");
    v.SetVerSub("0");
    EXPECT_EQ(v.GetVersion(true), "3.4");
}

TEST(VersionNo, ShowVersionNumberJoinsTheChosenParts)
{
    RecordingHost host;
    TVersionNo v(host);
    Number(v, 3, "0", "2", 7);
    v.SetVerBuildSub(40);
    EXPECT_EQ(v.ShowVersionNumber(), "3.0");
    EXPECT_EQ(v.ShowVersionNumber(true, true, true), "3.0.2");
    EXPECT_EQ(v.ShowVersionNumber(false, false, true), "2");
    EXPECT_EQ(v.ShowVersionNumber(false, false, false, true, true), "7.40");
    v.SetVerSubType(TVerType::vtLetter);
    EXPECT_EQ(v.ShowVersionNumber(true, true, true), "3.0b");
    v.SetVerSub("0");
    EXPECT_EQ(v.ShowVersionNumber(true, true, true, true), "3.0.7");
}

TEST(VersionNo, MinorAndSubNumbersAreReadLeniently)
{
    RecordingHost host;
    TVersionNo v(host);
    v.SetVerMinor(" +7x");
    EXPECT_EQ(v.VerMinor(), "7");
    v.SetVerMinor("abc");
    EXPECT_EQ(v.VerMinor(), "0");
    v.SetVerMinor("-3");
    EXPECT_EQ(v.VerMinor(), "-3");
    v.SetVerMinor("5");
    v.SetPadVerMinor(true);
    EXPECT_EQ(v.VerMinor(), "05");
    v.SetLabelFormat("%2");
    EXPECT_EQ(v.LabelText(), "05");
    v.SetVerMinor("10");
    EXPECT_EQ(v.LabelText(), "10");

    v.SetVerSub("B");
    EXPECT_EQ(v.VerSub(), "2");
    v.SetVerSubType(TVerType::vtLetter);
    EXPECT_EQ(v.VerSub(), "b");
    v.SetVerSub("12");
    EXPECT_EQ(v.VerSub(), "l");
    v.SetVerSubType(TVerType::vtNumber);
    EXPECT_EQ(v.VerSub(), "12");
    EXPECT_THROW(v.SetVerSub(""), std::out_of_range);
    EXPECT_EQ(v.VerSub(), "12");
}

TEST(VersionNo, TemplateCodes)
{
    MainWindow w;
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        { "%1.%2%3", "2.1d" },
        { "%1.%2.%3.%4.%5", "2.1.d.0.25" },
        { "%12", "2" },
        { "%9|%0|%x|%-1", "|||1" },
        { "%C %n %Y", "Orbane Software Orbane Software 2000/2001" },
        { "%D %t", "14 Mar 2001 22:48:35" },
        { "no codes", "no codes" },
    };
    for (const auto& c : cases) {
        w.version.SetLabelFormat(c.format);
        EXPECT_EQ(w.version.LabelText(), c.text) << c.format;
        EXPECT_EQ(w.label.caption, c.text) << c.format;
    }
    w.version.SetFileVersionFormat("%1.%2.%3");
    EXPECT_EQ(w.version.FileVersion(), "2.1.4");
}

TEST(VersionNo, ATemplateEndingInPercentIsARangeError)
{
    RecordingHost host;
    TVersionNo v(host);
    EXPECT_THROW(v.SetLabelFormat("Version %1%"), std::out_of_range);
    EXPECT_THROW(v.LabelText(), std::out_of_range);
    EXPECT_THROW(v.SetProductVerFormat("%"), std::out_of_range);
    EXPECT_THROW(v.SetFileVersionFormat("1.%"), std::out_of_range);
}

TEST(VersionNo, EveryDisplayedTextFollowsItsProperties)
{
    RecordingHost host;
    RecordingLabel label;
    TVersionNoShort v(host);
    v.SetAssociatedLabel(&label);
    EXPECT_EQ(label.caption, " Version 1.0 Build 1");
    v.SetLabelFormat("%1.%2%3 %C %Y");
    v.SetVerMajor(4);
    v.SetVerSub("c");
    v.SetCopyrightName("Someone");
    v.SetCopyrightYear("1999");
    EXPECT_EQ(label.caption, "4.0c Someone 1999");
    v.SetVerMinor("3");
    v.SetPadVerMinor(true);
    EXPECT_EQ(label.caption, "4.03c Someone 1999");
    // The product version follows the sub version too, not only the numbers.
    EXPECT_EQ(v.ProductVersion(), "4.03c");
    v.SetVerSub("e");
    EXPECT_EQ(v.ProductVersion(), "4.03e");
    EXPECT_EQ(v.LabelVersion(), "4.03e Someone 1999");
}

TEST(VersionNo, AppTitleNamesTheExecutableOnlyWhileItHasNoName)
{
    RecordingHost host;
    TVersionNo v(host);
    v.SetAppTitle("My Tool");
    EXPECT_EQ(v.ExeName(), "my tool.exe");
    v.SetAppTitle("Other");
    EXPECT_EQ(v.ExeName(), "my tool.exe");
}

TEST(VersionNo, CompileDateByFieldOrder)
{
    RecordingHost host;
    TVersionNo v(host);
    v.SetCompiledDate("14/3/01");
    EXPECT_EQ(v.CompiledDate(), "14-3-01");
    EXPECT_EQ(v.GetDateCompiled("yyyy-mm-dd"), "2001-03-14");

    v.SetDateType(TDateType::mdy);
    EXPECT_EQ(v.CompiledDate(), "3-14-01");
    EXPECT_EQ(v.GetDateCompiled("yyyy-mm-dd"), "2001-03-14");
    v.SetCompiledDate("3.14.51");
    EXPECT_EQ(v.GetDateCompiled("yyyy-mm-dd"), "1951-03-14");
    EXPECT_EQ(v.CompiledDate(), "3-14-51");

    v.SetDateType(TDateType::ymd);
    v.SetCompiledDate("50-12-31");
    EXPECT_EQ(v.GetDateCompiled("yyyy-mm-dd"), "2050-12-31");
    EXPECT_EQ(v.CompiledDate(), "50-12-31");
    EXPECT_TRUE(host.messages.empty());
}

TEST(VersionNo, AFourDigitYearIsTakenAsWritten)
{
    RecordingHost host;
    TVersionNo v(host);
    v.SetCompiledDate("14-3-2001");
    EXPECT_EQ(v.GetDateCompiled("yyyy-mm-dd"), "2001-03-14");
    v.SetCompiledDate("1-1-1850");
    EXPECT_EQ(v.GetDateCompiled("yyyy"), "1850");
    v.SetDateType(TDateType::ymd);
    EXPECT_EQ(v.CompiledDate(), "50-1-1");
    EXPECT_EQ(v.GetDateCompiled("yyyy"), "1850");
}

TEST(VersionNo, UnreadableCompileDatesShowTheirMessageAndChangeNothing)
{
    RecordingHost host;
    TVersionNo v(host);
    v.SetCompiledDate("14-3-01");
    for (const char* text : { "14-3", "1432001", "14.3-01" })
        v.SetCompiledDate(text);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0],
        "Invalid Compile Date - please use one of the following forms:\r\nd-m-yy, d/m/yy or d.m.yy");
    EXPECT_EQ(v.CompiledDate(), "14-3-01");
    v.SetDateType(TDateType::ymd);
    v.SetCompiledDate("01");
    EXPECT_EQ(host.messages.back(),
        "Invalid Compile Date - please use one of the following forms:\r\nyy-m-d, yy/m/d or yy.m.d");

    RecordingHost shortHost;
    TVersionNoShort s(shortHost);
    s.SetCompiledDate("14-3");
    ASSERT_EQ(shortHost.messages.size(), 1u);
    EXPECT_EQ(shortHost.messages[0], "Invalid compile date");
}

TEST(VersionNo, ImpossibleDatesAndTimesAreErrorsForTheCaller)
{
    RecordingHost host;
    TVersionNo v(host);
    v.SetCompiledDate("14-3-01");
    v.SetCompiledTime("22:48:35");
    for (const char* date : { "31-2-01", "29-2-01", "0-1-01", "1-13-01" })
        EXPECT_THROW(v.SetCompiledDate(date), std::invalid_argument) << date;
    v.SetCompiledDate("29-2-04");
    EXPECT_EQ(v.CompiledDate(), "29-2-04");
    for (const char* time : { "24:00", "12:60", "1:2:60", "-1:00" })
        EXPECT_THROW(v.SetCompiledTime(time), std::invalid_argument) << time;
    EXPECT_EQ(v.CompiledTime(), "22:48:35");
    EXPECT_TRUE(host.messages.empty());
}

TEST(VersionNo, CompileTimeParsing)
{
    RecordingHost host;
    TVersionNo v(host);
    v.SetCompiledTime("22:48");
    EXPECT_EQ(v.CompiledTime(), "22:48:00");
    v.SetCompiledTime(" 7:5:9");
    EXPECT_EQ(v.CompiledTime(), "07:05:09");
    v.SetCompiledTime("2248");
    EXPECT_EQ(v.CompiledTime(), "07:05:09");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Invalid compile time. Please format time as h:m:s");
    v.SetCompiledTime("");
    EXPECT_TRUE(std::regex_match(v.CompiledTime(), std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}")));

    RecordingHost shortHost;
    TVersionNoShort s(shortHost);
    s.SetCompiledTime("2248");
    ASSERT_EQ(shortHost.messages.size(), 1u);
    EXPECT_EQ(shortHost.messages[0], "Invalid compile time");
}

TEST(VersionNo, DateCompiledFormats)
{
    MainWindow w;
    EXPECT_EQ(w.version.GetDateCompiled(), "14-3-01 22:48:35");
    EXPECT_EQ(w.version.GetDateCompiled("ddd d mmmm yyyy"), "Wed 14 March 2001");
    EXPECT_EQ(w.version.GetDateCompiled("dddd dd.mm.yy hh:nn:ss"), "Wednesday 14.03.01 22:48:35");
    EXPECT_EQ(w.version.GetDateCompiled("h:m 'at' d/m"), "22:48 at 14/3");
    w.version.SetDateType(TDateType::mdy);
    EXPECT_EQ(w.version.GetDateCompiled(), "3-14-01 22:48:35");
    w.version.SetDateType(TDateType::ymd);
    EXPECT_EQ(w.version.GetDateCompiled(), "01-3-14 22:48:35");
}

TEST(VersionNo, VersionInfoMessage)
{
    MainWindow w;
    const std::string body
        = "Version 2.1d (Build 25)\r\nCompiled: Wed 14 March 2001 at 22:48:35\r\n\n" + std::string(Copyright);
    EXPECT_EQ(w.version.ShowVersionInfo(false), body);
    EXPECT_TRUE(w.host.messages.empty());
    EXPECT_EQ(w.version.ShowVersionInfo(true, "Tarvik", "Thanks"), "Tarvik\r\n\n" + body + "\r\n\nThanks");
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_EQ(w.host.messages[0], "Tarvik\r\n\n" + body + "\r\n\nThanks");

    w.version.SetVerBuild(1);
    EXPECT_EQ(w.version.ShowVersionInfo(false).substr(0, 25), "Version 2.1d.1 (Build 25)");
}

TEST(VersionNo, FormattedVersionInfo)
{
    MainWindow w;
    const struct {
        const char* format;
        std::string text;
    } cases[] = {
        { "%J.%N%S build %B", "2.1d build 0" },
        { "%cm|%CN|%Cy|%Cx", std::string(Copyright) + "|Orbane Software|2000/2001|" + Copyright + "x" },
        { "%C", Copyright },
        { "%D'dd/mm/yyyy' at %Dhh:nn", "14/03/2001 at 22:48" },
        { "%Dyyyy%J", "20012" },
        { "%D", "14-3-01 22:48:35" },
        { "100%", "100%" },
        { "%q%%J", "%q%2" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(w.version.GetVersionInfoFormatted(c.format), c.text) << c.format;
    w.version.SetVerSubType(TVerType::vtNumber);
    EXPECT_EQ(w.version.GetVersionInfoFormatted("%S"), "4");
}
