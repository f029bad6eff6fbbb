#include "components/BrowserHandOff.h"
#include "components/DefaultProgramStart.h"
#include "components/MailAddress.h"
#include "components/TGeneralRoutines.h"
#include "components/WebLink.h"

#include "support/FakePrograms.h"
#include "RecordingHost.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Strings = std::vector<std::string>;

WebLink Link(
    std::string url, TServType type = TServType::svHTTP, std::string subject = "", std::string body = "")
{
    return { std::move(url), type, std::move(subject), std::move(body) };
}

}

TEST(MailAddress, ComposesAddressSubjectAndEncodedBody)
{
    using E = MailBodyEncoding;
    struct Case {
        const char* address;
        const char* subject;
        const char* body;
        E encoding;
        const char* mail;
    } cases[] = {
        { "me@x.org", "Hi there", "", E::LinkText, "mailto:me@x.org?subject=Hi there" },
        { "mailto:me@x.org", "", "", E::LinkText, "mailto:me@x.org" },
        { "me@x.org", "S", "one|two \"q\"", E::LinkText,
            "mailto:me@x.org?subject=S&body=one%0D%0Atwo %22q%22" },
        { "me@x.org", "", "b", E::LinkText, "mailto:me@x.org?body=b" },
        { "me@x.org", "", "\xE9\t", E::LinkText, "mailto:me@x.org?body=\xE9\t" },
        { "me@x.org", "", "\xE9\t", E::Composer, "mailto:me@x.org?body=\xE9%09" },
        { "me@x.org", "", "\xE9\t|", E::ComposerUrlEncoded, "mailto:me@x.org?body=%E9%09%0D%0A" },
        { "me@x.org", "\xE9", "\x7F", E::ComposerUrlEncoded, "mailto:me@x.org?subject=\xE9&body=\x7F" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeMailAddress(c.address, c.subject, c.body, c.encoding), c.mail) << c.mail;
}

TEST(TGeneralRoutines, FolderSlashAndLastCharacter)
{
    EXPECT_EQ(TGeneralRoutines::AddDirSlash("/tmp"), "/tmp/");
    EXPECT_EQ(TGeneralRoutines::AddDirSlash("/tmp/"), "/tmp/");
    EXPECT_EQ(TGeneralRoutines::LastChar("ab"), 'b');
    EXPECT_THROW(TGeneralRoutines::AddDirSlash(""), std::out_of_range);
    EXPECT_THROW(TGeneralRoutines::GetLastChar(""), std::out_of_range);
    TempSite site({ { "file", "" } });
    EXPECT_TRUE(TGeneralRoutines::DirectoryExists(site.Root()));
    EXPECT_FALSE(TGeneralRoutines::DirectoryExists(site.Root() + "/file"));
    EXPECT_FALSE(TGeneralRoutines::DirectoryExists(site.Root() + "/missing"));
}

TEST(BrowserHandOff, OffersAndResolvesOnlyWhatABrowserShouldOpen)
{
    struct Case {
        const char* link;
        bool online;
        bool offered;
        std::optional<std::string> address;
    } cases[] = {
        { "http://x.org/a", false, true, "http://x.org/a" },
        { "see ftp://x.org", false, true, "see ftp://x.org" },
        { "HTTP://x.org/a", false, false, "HTTP://x.org/a" },
        { "page.html", false, false, "page.html" },
        { "page.html", true, true, "http://site.org/page.html" },
        { "HTTP://x.org/a", true, true, "HTTP://x.org/a" },
        { "mailto:me@x.org", true, true, "mailto:me@x.org" },
        { "news:comp.lang", true, true, "news:comp.lang" },
        { "a.html?u=http://y", true, true, "http://site.org/a.html?u=http://y" },
        { "//cdn.org/x.js", true, true,
            "https:"
            "//cdn.org/x.js" },
        { "#top", true, true, std::nullopt },
        { "javascript:go('http://x')", false, true, std::nullopt },
        { " JavaScript:go()", true, true, std::nullopt },
    };
    for (const Case& c : cases) {
        std::string base = c.link[0] == '/' ? "https://site.org/" : "http://site.org/";
        EXPECT_EQ(BrowserHandOff::CanOpenUrl(c.link, c.online), c.offered) << c.link;
        EXPECT_EQ(BrowserHandOff::AddressToOpen(c.link, c.online, base), c.address) << c.link;
    }
}

TEST(BrowserHandOff, PlanStartsTheCommandOrTypesIntoAKnownBrowserWindow)
{
    struct Case {
        const char* exec;
        const char* link;
        Strings arguments; // after the fake program's path
        const char* windowTitle;
    } cases[] = {
        { "%u", "http://x.org/", { "http://x.org/" }, "" },
        { "--new-tab", "http://x.org/", { "--new-tab", "http://x.org/" }, "" },
        { "iexplore %u", "http://x.org/", { "iexplore", "http://x.org/" }, "Internet Explorer" },
        { "--profile NETSCAPE6", "http://x.org/", { "--profile", "NETSCAPE6", "http://x.org/" }, "Netscape" },
        { "%u", "-x http://y", { "./-x http://y" }, "" },
    };
    for (const Case& c : cases) {
        FakePrograms fake(c.exec);
        std::optional<BrowserHandOff::Plan> plan
            = BrowserHandOff::PlanHandOff(c.link, false, "", fake.folders);
        ASSERT_TRUE(plan) << c.exec;
        EXPECT_EQ(Strings(plan->commandLine.begin() + 1, plan->commandLine.end()), c.arguments) << c.exec;
        EXPECT_EQ(plan->windowTitle, c.windowTitle) << c.exec;
        EXPECT_EQ(plan->keyString, "^o{p}" + std::string(c.link) + "{/p}{enter}") << c.exec;
    }
    EXPECT_FALSE(BrowserHandOff::PlanHandOff("javascript:x()", false, "", FakePrograms().folders));
    EXPECT_FALSE(BrowserHandOff::PlanHandOff("http://x.org/", false, "", XdgFolders()));
}

TEST(WebLink, StartsTheDefaultProgramWithTheAddressAsOneArgument)
{
    struct Case {
        const char* name;
        const char* exec;
        std::function<void(ComponentHost&, const XdgFolders&)> click;
        Strings arguments;
    } cases[] = {
        { "browser, address in place of %u", "--a %u --b",
            [](ComponentHost& h, const XdgFolders& f) { Link("http://x.org/?a=1&b=$(id)").GoToURL(h, f); },
            { "--a", "http://x.org/?a=1&b=$(id)", "--b" } },
        { "browser without field code, the given address over URL", "--new",
            [](ComponentHost& h, const XdgFolders& f) { Link("http://u/").GoToURL(h, f, "http://v/"); },
            { "--new", "http://v/" } },
        { "browser, leading dash as a local path", "%u",
            [](ComponentHost& h, const XdgFolders& f) { Link("-remote").GoToURL(h, f); }, { "./-remote" } },
        { "mail label with subject", "-compose %u",
            [](ComponentHost& h, const XdgFolders& f) {
                Link("me@x.org", TServType::svMAIL, "Hello you").GoToURL(h, f);
            },
            { "-compose", "mailto:me@x.org?subject=Hello you" } },
        { "mail label copies high and control characters", "%u",
            [](ComponentHost& h, const XdgFolders& f) {
                Link("me@x.org", TServType::svMAIL, "", "a|\xE9\t\"").GoToURL(h, f);
            },
            { "mailto:me@x.org?body=a%0D%0A\xE9\t%22" } },
        { "mail composer with URL encoding", "%u",
            [](ComponentHost& h, const XdgFolders& f) {
                EXPECT_TRUE((TEMailCreator { "me@x.org", "S", "\xE9\t", true }.Execute(h, f)));
            },
            { "mailto:me@x.org?subject=S&body=%E9%09" } },
    };
    for (const Case& c : cases) {
        FakePrograms fake(c.exec, c.exec);
        RecordingHost host;
        c.click(host, fake.folders);
        EXPECT_EQ(fake.Arguments(), c.arguments) << c.name;
        EXPECT_TRUE(host.messages.empty()) << c.name;
    }
}

TEST(WebLink, ReportsWhatCannotBeStarted)
{
    RecordingHost host;
    XdgFolders nothing;
    Link("http://x.org/").GoToURL(host, nothing);
    Link("me@x.org", TServType::svMAIL).GoToURL(host, nothing);
    EXPECT_FALSE((TEMailCreator { "me@x.org", "", "", false }.Execute(host, nothing)));
    EXPECT_EQ(host.messages,
        (Strings { "Can't find default browser.", "Can't find default e-mail program.",
            "Can't find default e-mail program." }));

    FakePrograms fake;
    EXPECT_EQ(StartDefaultProgram(DefaultProgram::Mail, "-x mailto:y", fake.folders), StartResult::Refused);
    TempSite missing(
        { { "config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=b.desktop\n" },
            { "data/applications/b.desktop",
                "[Desktop Entry]\nType=Application\nExec=/nonexistent/browser %u\n" } });
    XdgFolders broken;
    broken.configHome = missing.Root() + "/config";
    broken.dataHome = missing.Root() + "/data";
    EXPECT_EQ(StartDefaultProgram(DefaultProgram::Browser, "http://x/", broken), StartResult::NotStarted);
}
