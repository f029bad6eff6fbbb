#include "cli/CliOptions.h"

#include "engine/RememberedResults.h"
#include "engine/ExclusionList.h"

#include <cstdlib>

namespace {

const char* const Usage = R"(Usage: tarvik-cli [OPTIONS] [FILE...]

Checks the links and images of a web site kept as local files. FILE... are pages of
the folder to check (at most 500); without them the starting file is checked.

  --folder DIR          the folder of the site (default: the current folder)
  --start NAME          the starting file (default: index.html)
  --links-only          check links only, not images
  --external WHAT       probe external addresses: none (default), links, all
  --online BASE         check the published site at the address BASE, from --start
  --no-cache            download every page each time it is needed (on-line)
  --timeout SECONDS     give up a network request after SECONDS (default 30; 0: never)
  --jobs N              probe up to N external addresses at once (default 8; 1: one
                        at a time, each when its reference is checked)
  --per-host M          at most M of them to one host and port (default 2)
  --retries N           ask again up to N times after a "429" or "503" with a short
                        Retry-After, or a reset or refused connection (default 1;
                        0: never)
  --max-wait SECONDS    the longest Retry-After waited for (default 60)
  --remember FILE       keep the external results in FILE between runs: an "OK"
                        younger than --max-age is taken from it, not asked again
  --max-age AGE         how old a remembered "OK" may be: a number and s, m, h or d
                        (default 1d)
  --trace               follow the local links from page to page (one FILE at most)
  --separate            a separate report for each file (two FILEs or more)
  --unused              report the files no page uses (with --trace)
  --index-file NAME     a link to a folder holding NAME is a link to that file, as
                        a web server serves it (repeatable: tried in order)
  --html5               also check srcset, <source>, <audio>, <video> (src, poster),
                        <track>, <object data>, CSS url() in style attributes,
                        <style> elements and linked local .css files, and the
                        address of a <meta http-equiv="refresh">
  --exclude REGEX       do not check a reference that the extended regular
                        expression REGEX matches anywhere in, as written; it is
                        listed as not checked (repeatable)
  --no-list-unchecked   do not list external references that are not checked
  --no-to-non-html      skip pages without HTML markers instead of analysing them
  --report FILE         save the text report to FILE (CR LF line ends)
  --html FILE           save the HTML report to FILE
  --failed-only         the HTML report shows only the failures
  --json FILE           save the results as JSON to FILE
  --junit FILE          save the results as JUnit XML to FILE: a test case per page
                        analysed, a failure per place of a broken reference
  --sarif FILE          save the results as SARIF 2.1.0 to FILE: a result per place of
                        a broken reference, for code-scanning services
  --headers FILE        save the HTTP headers received by the probes to FILE
  -q, --quiet           no progress on standard error
  -h, --help            this text
  --version             the version of the program

A value may also be joined to its option: --report=FILE. Written so, it may begin
with "--"; as a separate argument it may not, nor be empty.

Exit status: 0 no errors were reported, 1 errors were reported, 2 the run could not
start or no page could be analysed.
)";

/// A whole number from `low` to `high` written in `text`, or nothing.
std::optional<int> WholeNumber(const std::string& text, long low, long high)
{
    char* end = nullptr;
    long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < low || n > high)
        return std::nullopt;
    return int(n);
}
}

std::string UsageText() { return Usage; }

std::string NormalizedBaseHRef(std::string base)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!base.empty() && blank(base.back()))
        base.pop_back();
    std::size_t start = 0;
    while (start < base.size() && blank(base[start]))
        ++start;
    base.erase(0, start);
    if (!base.empty() && base != "http://" && base.back() != '/')
        base += '/';
    return base;
}

std::optional<CliOptions> ParseCommandLine(const std::vector<std::string>& args, std::string& error)
{
    CliOptions o;
    bool unused = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // "--name=value" carries its value in the same argument, so that value may begin
        // with "--"; as the next argument, such a value is taken for a forgotten one.
        std::size_t equals = a.starts_with("--") ? a.find('=') : std::string::npos;
        const std::string name = a.substr(0, equals);
        bool valueTaken = false;
        auto value = [&](std::string& into) {
            valueTaken = true;
            if (equals == std::string::npos && i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            std::string given = equals != std::string::npos ? a.substr(equals + 1) : args[++i];
            if (given.empty()) {
                error = name + " needs a value, not an empty one";
                return false;
            }
            if (equals == std::string::npos && given.starts_with("--")) {
                error = name + " needs a value, not the option " + given + " (write " + name + "=" + given
                    + " for a value that begins with --)";
                return false;
            }
            into = std::move(given);
            return true;
        };
        if (name == "--folder") {
            if (!value(o.folder))
                return std::nullopt;
        } else if (name == "--start") {
            if (!value(o.startingFile))
                return std::nullopt;
        } else if (name == "--report") {
            if (!value(o.reportFile))
                return std::nullopt;
        } else if (name == "--json") {
            if (!value(o.jsonFile))
                return std::nullopt;
        } else if (name == "--junit") {
            if (!value(o.junitFile))
                return std::nullopt;
        } else if (name == "--sarif") {
            if (!value(o.sarifFile))
                return std::nullopt;
        } else if (name == "--html") {
            if (!value(o.htmlFile))
                return std::nullopt;
            o.choices.htmlResults = true;
        } else if (name == "--failed-only") {
            o.settings.showFailedOnly = true;
        } else if (name == "--headers") {
            if (!value(o.headersFile))
                return std::nullopt;
            o.choices.recordHeaders = true;
        } else if (name == "--external") {
            std::string what;
            if (!value(what))
                return std::nullopt;
            if (what == "none")
                o.choices.external = ExternalChoice::None;
            else if (what == "links")
                o.choices.external = ExternalChoice::LinksOnly;
            else if (what == "all")
                o.choices.external = ExternalChoice::ImagesAndLinks;
            else {
                error = "--external takes none, links or all, not " + what;
                return std::nullopt;
            }
        } else if (name == "--online") {
            if (!value(o.choices.baseHRef))
                return std::nullopt;
            o.choices.online = true;
        } else if (name == "--no-cache") {
            o.choices.cacheDownloads = false;
        } else if (name == "--timeout") {
            std::string seconds;
            if (!value(seconds))
                return std::nullopt;
            char* end = nullptr;
            long n = std::strtol(seconds.c_str(), &end, 10);
            if (seconds.empty() || *end != '\0' || n < 0 || n > 86400) {
                error = "--timeout takes a number of seconds from 0 to 86400, not " + seconds;
                return std::nullopt;
            }
            o.timeout = int(n);
        } else if (name == "--jobs" || name == "--per-host") {
            std::string count;
            if (!value(count))
                return std::nullopt;
            std::optional<int> n = WholeNumber(count, 1, 256);
            if (!n) {
                error = name + " takes a number from 1 to 256, not " + count;
                return std::nullopt;
            }
            (name == "--jobs" ? o.probes.jobs : o.probes.perHost) = *n;
        } else if (name == "--retries" || name == "--max-wait") {
            std::string count;
            if (!value(count))
                return std::nullopt;
            const bool retries = name == "--retries";
            std::optional<int> n = WholeNumber(count, 0, retries ? 10 : 86400);
            if (!n) {
                error = name
                    + (retries ? " takes a number from 0 to 10, not "
                               : " takes a number of seconds from 0 to 86400, not ")
                    + count;
                return std::nullopt;
            }
            (retries ? o.probes.retries : o.probes.maxWait) = *n;
        } else if (name == "--remember") {
            if (!value(o.probes.rememberFile))
                return std::nullopt;
        } else if (name == "--max-age") {
            std::string age;
            if (!value(age))
                return std::nullopt;
            std::optional<std::chrono::seconds> seconds = ParseMaxAge(age);
            if (!seconds) {
                error = "--max-age takes a number and s, m, h or d (\"12h\"), not " + age;
                return std::nullopt;
            }
            o.probes.maxAge = seconds->count();
        } else if (name == "--links-only") {
            o.choices.internal = InternalChoice::LinksOnly;
        } else if (name == "--trace") {
            o.choices.trace = true;
        } else if (name == "--separate") {
            o.choices.separateReports = true;
        } else if (name == "--unused") {
            unused = true;
        } else if (name == "--index-file") {
            std::string file;
            if (!value(file))
                return std::nullopt;
            if (file.find_first_of("/\\") != std::string::npos) {
                error = "--index-file takes a file name, not " + file;
                return std::nullopt;
            }
            o.choices.indexFiles.push_back(file);
        } else if (name == "--html5") {
            o.html5 = true;
        } else if (name == "--exclude") {
            std::string pattern;
            if (!value(pattern))
                return std::nullopt;
            std::string invalid;
            ExclusionList::Compile({ pattern }, invalid);
            if (!invalid.empty()) {
                error = "--exclude: " + invalid;
                return std::nullopt;
            }
            o.exclusions.push_back(pattern);
        } else if (name == "--no-list-unchecked") {
            o.settings.listUnchecked = false;
        } else if (name == "--no-to-non-html") {
            o.answerNoToNonHtml = true;
        } else if (name == "-q" || name == "--quiet") {
            o.quiet = true;
        } else if (name == "-h" || name == "--help") {
            o.help = true;
            return o;
        } else if (name == "--version") {
            o.version = true;
            return o;
        } else if (a == "--") {
            o.files.insert(o.files.end(), args.begin() + long(i) + 1, args.end());
            break;
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else {
            o.files.push_back(a);
        }
        if (equals != std::string::npos && !valueTaken) {
            error = name + " takes no value";
            return std::nullopt;
        }
    }
    if (o.choices.trace && o.files.size() >= 2) {
        error = "--trace needs one FILE at most: tracing starts from one page";
        return std::nullopt;
    }
    if (o.choices.separateReports && o.files.size() < 2) {
        error = "--separate needs two FILEs or more";
        return std::nullopt;
    }
    if (unused && !o.choices.trace) {
        error = "--unused needs --trace: unused files are found by following the site's links";
        return std::nullopt;
    }
    if (o.settings.showFailedOnly && !o.choices.htmlResults) {
        error = "--failed-only needs --html FILE: it filters the HTML report";
        return std::nullopt;
    }
    if (unused && o.choices.online) {
        error = "--unused cannot be used with --online: unused files are found on disk";
        return std::nullopt;
    }
    o.choices.reportUnused = unused;
    o.choices.baseHRef = NormalizedBaseHRef(o.choices.baseHRef);
    if (o.startingFile.empty())
        o.startingFile = "index.html";
    return o;
}
