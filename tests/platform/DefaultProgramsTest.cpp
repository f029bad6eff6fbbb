#include "platform/DefaultPrograms.h"
#include "platform/DesktopExec.h"

#include "support/TempSite.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

std::string Application(const std::string& exec, const std::string& extra = "")
{
    return "[Desktop Entry]\nType=Application\nName=App\n" + extra + "Exec=" + exec + "\n";
}

}

TEST(DesktopExec, SplitUndoesQuotingWithoutAShell)
{
    struct Case {
        const char* exec;
        std::optional<Strings> arguments;
    } cases[] = {
        { "firefox %u", Strings { "firefox", "%u" } },
        { "  a   b\tc ", Strings { "a", "b", "c" } },
        { R"("/opt/My App/run" --x)", Strings { "/opt/My App/run", "--x" } },
        { R"(a "q\"uo\`te\$\\" b)", Strings { "a", "q\"uo`te$\\", "b" } },
        { R"(a "x y"z "")", Strings { "a", "x yz", "" } },
        { R"(a "unclosed)", std::nullopt },
        { "   ", std::nullopt },
        { R"("" b)", std::nullopt },
        { "a;rm -rf $HOME", Strings { "a;rm", "-rf", "$HOME" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopExec::Split(c.exec), c.arguments) << c.exec;
}

TEST(DesktopExec, ExpandPlacesTheAddressOnceAndRemovesOtherFieldCodes)
{
    struct Case {
        Strings command;
        Strings arguments;
    } cases[] = {
        { { "b", "%u" }, { "b", "A" } },
        { { "b", "%U", "%f", "%F" }, { "b", "A" } },
        { { "b", "--url=%f" }, { "b", "--url=A" } },
        { { "b", "--new" }, { "b", "--new", "A" } },
        { { "b", "%i", "%c", "%k", "%u" }, { "b", "A" } },
        { { "b", "100%%", "%d%u" }, { "b", "100%", "A" } },
        { { "b", "x%" }, { "b", "x%", "A" } },
        { { "b", "%u;ls" }, { "b", "A;ls" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopExec::Expand(c.command, "A"), c.arguments) << c.command[1];
}

TEST(DefaultPrograms, CommandFollowsTheXdgAssociations)
{
    struct Case {
        const char* name;
        DefaultProgram program;
        TempSite::Files files;
        std::optional<Strings> command;
    } cases[] = {
        { "user default for http", DefaultProgram::Browser,
            { { "config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=web.desktop\n" },
                { "data/applications/web.desktop", Application("web --new %u") } },
            Strings { "web", "--new", "%u" } },
        { "text/html when http has no handler", DefaultProgram::Browser,
            { { "config/mimeapps.list", "[Default Applications]\ntext/html=html.desktop;\n" },
                { "data/applications/html.desktop", Application("html %f") } },
            Strings { "html", "%f" } },
        { "an uninstalled default is passed over", DefaultProgram::Browser,
            { { "config/mimeapps.list",
                  "[Default Applications]\nx-scheme-handler/http=gone.desktop;web.desktop\n" },
                { "sys/applications/web.desktop", Application("web") } },
            Strings { "web" } },
        { "the desktop's own list comes first", DefaultProgram::Browser,
            { { "config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=web.desktop\n" },
                { "config/test-mimeapps.list",
                    "[Default Applications]\nx-scheme-handler/http=other.desktop\n" },
                { "data/applications/web.desktop", Application("web") },
                { "data/applications/other.desktop", Application("other") } },
            Strings { "other" } },
        { "the user's desktop file masks the system's", DefaultProgram::Browser,
            { { "sysconfig/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=web.desktop\n" },
                { "data/applications/web.desktop", Application("mine") },
                { "sys/applications/web.desktop", Application("theirs") } },
            Strings { "mine" } },
        { "added association when no default", DefaultProgram::Mail,
            { { "sys/applications/mimeapps.list",
                  "[Added Associations]\nx-scheme-handler/mailto=mail.desktop;\n" },
                { "sys/applications/mail.desktop", Application(R"("/opt/mail app/bin" -compose %u)") } },
            Strings { "/opt/mail app/bin", "-compose", "%u" } },
        { "a removed association is not used", DefaultProgram::Mail,
            { { "config/mimeapps.list", "[Removed Associations]\nx-scheme-handler/mailto=mail.desktop;\n" },
                { "sys/applications/mimeinfo.cache",
                    "[MIME Cache]\nx-scheme-handler/mailto=mail.desktop;\n" },
                { "sys/applications/mail.desktop", Application("mail") } },
            std::nullopt },
        { "the mime cache is the last resort", DefaultProgram::Mail,
            { { "sys/applications/mimeinfo.cache", "[MIME Cache]\nx-scheme-handler/mailto=mail.desktop;\n" },
                { "sys/applications/mail.desktop", Application("mail %u") } },
            Strings { "mail", "%u" } },
        { "a hidden application is not installed", DefaultProgram::Browser,
            { { "config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=web.desktop\n" },
                { "data/applications/web.desktop", Application("web", "Hidden=true\n") },
                { "sys/applications/web.desktop", Application("theirs") } },
            std::nullopt },
        { "an ID is never a path", DefaultProgram::Browser,
            { { "config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=../evil.desktop\n" },
                { "data/evil.desktop", Application("evil") } },
            std::nullopt },
        { "escapes of the value are decoded before splitting", DefaultProgram::Browser,
            { { "config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=web.desktop\n" },
                { "data/applications/web.desktop", Application(R"("a\\\\b" c\sd)") } },
            Strings { "a\\b", "c", "d" } },
        { "nothing configured", DefaultProgram::Browser, {}, std::nullopt },
    };
    for (const Case& c : cases) {
        TempSite site(c.files);
        XdgFolders folders;
        folders.configHome = site.Root() + "/config";
        folders.configDirs = { site.Root() + "/sysconfig" };
        folders.dataHome = site.Root() + "/data";
        folders.dataDirs = { site.Root() + "/sys" };
        folders.desktops = { "test" };
        EXPECT_EQ(DefaultPrograms::Command(c.program, folders), c.command) << c.name;
    }
}
