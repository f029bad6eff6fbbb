#include "cli/SarifResults.h"

#include "cli/FailurePlaces.h"
#include "cli/JsonResults.h"

namespace {

struct Rule {
    const char* id;
    const char* name;
    const char* description;
};

// In the order of FailurePlace::Kind: a result's rule index is its kind.
const Rule Rules[] = {
    { "missing-file", "MissingFile", "A reference leads to a file that does not exist." },
    { "case-mismatch", "CaseMismatch",
        "A reference names its file or anchor in other letter case than it has: it fails on a case-sensitive "
        "web server." },
    { "missing-anchor", "MissingAnchor", "A reference leads to a page that has no such anchor." },
    { "failed-address", "FailedAddress", "An external address did not answer with the page or image." },
};

/// A relative URI reference for a page path: bytes other than unreserved characters,
/// sub-delimiters, ":", "@" and "/" are percent-escaped.
std::string UriOf(const std::string& path)
{
    static const char* const Hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || std::string_view("-._~/!$&'()*+,;=:@").find(char(c)) != std::string_view::npos;
        if (c == '\\')
            out += '/';
        else if (plain)
            out += char(c);
        else
            out.append("%").append(1, Hex[c >> 4]).append(1, Hex[c & 15]);
    }
    return out;
}

}

std::string SarifLog(const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places)
{
    std::string out = "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n  \"version\": "
                      "\"2.1.0\",\n  \"runs\": [\n    {\n      \"tool\": {\n        \"driver\": {\n          "
                      "\"name\": \"tarvik-cli\",\n          \"rules\": [";
    for (const Rule& rule : Rules)
        out += std::string(&rule == Rules ? "\n" : ",\n") + "            {\"id\": \"" + rule.id
            + "\", \"name\": \"" + rule.name + "\", \"shortDescription\": {\"text\": \"" + rule.description
            + "\"}, \"defaultConfiguration\": {\"level\": \"error\"}}";
    out += "\n          ]\n        }\n      },\n      \"results\": [";
    std::vector<FailurePlace> failures = FailurePlacesOf(links, images, places);
    for (const FailurePlace& f : failures) {
        int rule = int(f.kind);
        out += &f == failures.data() ? "\n" : ",\n";
        out += "        {\"ruleId\": \"" + std::string(Rules[rule].id) + "\", \"ruleIndex\": "
            + std::to_string(rule) + ", \"level\": \"error\", \"message\": {\"text\": ";
        AppendJsonString(out, std::string(f.ref).append(": ").append(f.result));
        out += "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": ";
        AppendJsonString(out, UriOf(std::string(places.PageName(f.page))));
        out += "}, \"region\": {\"startLine\": " + std::to_string(f.line) + "}}}]}";
    }
    out += failures.empty() ? "]" : "\n      ]";
    return out + "\n    }\n  ]\n}\n";
}
