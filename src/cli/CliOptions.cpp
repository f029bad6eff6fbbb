#include "cli/CliOptions.h"

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
  --trace               follow the local links from page to page (one FILE at most)
  --separate            a separate report for each file (two FILEs or more)
  --unused              report the files no page uses (with --trace)
  --index-file NAME     a link to a folder holding NAME is a link to that file, as
                        a web server serves it (repeatable: tried in order)
  --no-list-unchecked   do not list external references that are not checked
  --no-to-non-html      skip pages without HTML markers instead of analysing them
  --report FILE         save the text report to FILE (CR LF line ends)
  --html FILE           save the HTML report to FILE
  --failed-only         the HTML report shows only the failures
  --json FILE           save the results as JSON to FILE
  --headers FILE        save the HTTP headers received by the probes to FILE
  -q, --quiet           no progress on standard error
  -h, --help            this text
  --version             the version of the program

Exit status: 0 no errors were reported, 1 errors were reported, 2 the run could not
start or no page could be analysed.
)";

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
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "--folder") {
            if (!value(o.folder))
                return std::nullopt;
        } else if (a == "--start") {
            if (!value(o.startingFile))
                return std::nullopt;
        } else if (a == "--report") {
            if (!value(o.reportFile))
                return std::nullopt;
        } else if (a == "--json") {
            if (!value(o.jsonFile))
                return std::nullopt;
        } else if (a == "--html") {
            if (!value(o.htmlFile))
                return std::nullopt;
            o.choices.htmlResults = true;
        } else if (a == "--failed-only") {
            o.settings.showFailedOnly = true;
        } else if (a == "--headers") {
            if (!value(o.headersFile))
                return std::nullopt;
            o.choices.recordHeaders = true;
        } else if (a == "--external") {
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
        } else if (a == "--online") {
            if (!value(o.choices.baseHRef))
                return std::nullopt;
            o.choices.online = true;
        } else if (a == "--no-cache") {
            o.choices.cacheDownloads = false;
        } else if (a == "--timeout") {
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
        } else if (a == "--links-only") {
            o.choices.internal = InternalChoice::LinksOnly;
        } else if (a == "--trace") {
            o.choices.trace = true;
        } else if (a == "--separate") {
            o.choices.separateReports = true;
        } else if (a == "--unused") {
            unused = true;
        } else if (a == "--index-file") {
            std::string name;
            if (!value(name))
                return std::nullopt;
            if (name.empty() || name.find_first_of("/\\") != std::string::npos) {
                error = "--index-file takes a file name, not " + (name.empty() ? std::string("an empty text") : name);
                return std::nullopt;
            }
            o.choices.indexFiles.push_back(name);
        } else if (a == "--no-list-unchecked") {
            o.settings.listUnchecked = false;
        } else if (a == "--no-to-non-html") {
            o.answerNoToNonHtml = true;
        } else if (a == "-q" || a == "--quiet") {
            o.quiet = true;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
            return o;
        } else if (a == "--version") {
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
