#include "support/Process.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

const std::string usageHint = "Try 'tarvik-cli --help'.\n";

}

// Every way tarvik-cli refuses or fails, each message naming the program, so a build log
// that mixes tools shows which one complained.
TEST(CliErrorMessages, EachFailureNamesTheProgramAndEndsWithItsStatus)
{
    TempSite work({ { "site/index.html", "<html><body><a href=\"about.html\">a</a></body></html>" },
        { "site/about.html", "<html><body></body></html>" } });
    std::vector<std::string> tooMany = { "-q", "--folder", "site" };
    tooMany.insert(tooMany.end(), 501, "index.html");
    struct Case {
        std::vector<std::string> args;
        int exitStatus;
        std::string err;
    };
    const Case cases[] = {
        { { "--bogus" }, 2, "tarvik-cli: unknown option --bogus\n" + usageHint },
        { { "--folder" }, 2, "tarvik-cli: --folder needs a value\n" + usageHint },
        { { "--report", "--folder", "site" }, 2,
            "tarvik-cli: --report needs a value, not the option --folder (write --report=--folder for a "
            "value "
            "that begins with --)\n"
                + usageHint },
        { { "--report", "" }, 2, "tarvik-cli: --report needs a value, not an empty one\n" + usageHint },
        { { "--json=" }, 2, "tarvik-cli: --json needs a value, not an empty one\n" + usageHint },
        { { "--trace=yes" }, 2, "tarvik-cli: --trace takes no value\n" + usageHint },
        { { "--external", "some" }, 2,
            "tarvik-cli: --external takes none, links or all, not some\n" + usageHint },
        { { "--timeout=-1" }, 2,
            "tarvik-cli: --timeout takes a number of seconds from 0 to 86400, not -1\n" + usageHint },
        { { "--trace", "a.html", "b.html" }, 2,
            "tarvik-cli: --trace needs one FILE at most: tracing starts from one page\n" + usageHint },
        { { "--separate", "a.html" }, 2, "tarvik-cli: --separate needs two FILEs or more\n" + usageHint },
        { { "--unused" }, 2,
            "tarvik-cli: --unused needs --trace: unused files are found by following the site's links\n"
                + usageHint },
        { { "--failed-only" }, 2,
            "tarvik-cli: --failed-only needs --html FILE: it filters the HTML report\n" + usageHint },
        { { "--trace", "--unused", "--online", "http://example.org/" }, 2,
            "tarvik-cli: --unused cannot be used with --online: unused files are found on disk\n"
                + usageHint },
        { { "--folder", "missing" }, 2,
            "tarvik-cli: Cannot open folder missing: No such file or directory\n" },
        { { "--folder", "site/index.html" }, 2,
            "tarvik-cli: Cannot open folder site/index.html: Not a directory\n" },
        { { "--folder", "site", "--start", "none.html" }, 2,
            "tarvik-cli: To check files locally you must first select at least one file in the file "
            "list.\n" },
        { { "--folder", "site", "--online", "http://" }, 2,
            "tarvik-cli: You must specify a Base HREF for your site\nbefore you can perform an on-line "
            "check.\n" },
        { { "-q", "--folder", "site", "missing.html" }, 2, "tarvik-cli: not one page could be analysed\n" },
        { { "-q", "--folder", "site", "--report", "no-folder/r.txt" }, 2,
            "tarvik-cli: Cannot write no-folder/r.txt: No such file or directory\n" },
        { { "-q", "--folder", "site", "--json", "no-folder/r.json" }, 2,
            "tarvik-cli: Cannot write no-folder/r.json: No such file or directory\n" },
        { { "-q", "--folder", "site", "--headers", "no-folder/h.txt" }, 2,
            "tarvik-cli: Cannot write no-folder/h.txt: No such file or directory\n" },
        { { "-q", "--folder", "site", "--html", "no-folder/r.html" }, 2,
            "tarvik-cli: Cannot write no-folder/r.html: No such file or directory\n" },
        { tooMany, 0,
            "tarvik-cli: Cannot check more than 500 files at one time.\nOnly the first 500 will be "
            "checked.\n" },
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv = c.args;
        argv.insert(argv.begin(), TARVIK_CLI);
        ProcessResult r = RunProcess(argv, work.Root());
        std::string shown = c.args.size() > 8 ? "501 FILEs" : testing::PrintToString(c.args);
        EXPECT_EQ(r.err, c.err) << shown;
        EXPECT_EQ(r.exitStatus, c.exitStatus) << shown;
    }
}
