#include "engine/ResolvedReference.h"

#include "engine/PathText.h"
#include "engine/UrlText.h"
#include "platform/CaseFold.h"

#include <algorithm>

namespace {

std::string WithoutLeadingDotSlash(std::string path)
{
    while (path.rfind("./", 0) == 0)
        path.erase(0, 2);
    return path;
}

/// What a local link's target is tested as: a leading "../" or "./" dropped, then the
/// "./" segments.
std::string LinkTarget(std::string target)
{
    if (target.rfind("../", 0) == 0)
        target.erase(0, 3);
    if (target.rfind("./", 0) == 0)
        target.erase(0, 2);
    return PathText::RemoveDotSegments(std::move(target));
}

/// How many names of the page's folder stay in a target written in that folder: letter
/// case is judged only in the names the reference itself writes, so "Docs/pic.gif" from a
/// page in "Docs/" and "../Docs/pic.gif" from the same page are tested differently.
std::size_t UnjudgedFolderNames(const std::string& folder, std::string_view target)
{
    if (folder.empty() || target.compare(0, folder.size(), folder) != 0)
        return 0;
    long depth = long(PathText::NormalizedNameCount(folder));
    long lowest = depth;
    PathText::ForEachName(target.substr(folder.size()), [&](std::string_view name) {
        if (name == "..")
            lowest = std::min(lowest, --depth);
        else if (name != ".")
            ++depth;
    });
    return std::size_t(std::max(0L, lowest));
}

}

ResolvedReference ResolvedReference::Resolve(std::string_view value, const std::string& pageFolder,
    const std::string& currentPage, Use use, Decoding decoding)
{
    return Resolve(value, pageFolder, currentPage, use, decoding, Texts::Shown);
}

ResolvedReference::KeyParts ResolvedReference::SeenKeyOf(std::string_view value, const std::string& pageFolder,
    const std::string& currentPage, Use use, Decoding decoding)
{
    return Resolve(value, pageFolder, currentPage, use, decoding, Texts::KeyOnly).SeenKeyParts();
}

ResolvedReference ResolvedReference::Resolve(std::string_view value, const std::string& pageFolder,
    const std::string& currentPage, Use use, Decoding decoding, Texts texts)
{
    ResolvedReference r;
    value = value.substr(0, value.find('?'));
    std::string_view scheme = UrlText::SchemeOf(value);
    if (scheme.empty() && value.substr(0, 2) == "//") {
        // Another host, reached the way the page itself is: over the web.
        r.kind = Kind::Address;
        r.display = r.target = "http:" + std::string(value);
        return r;
    }
    if (!scheme.empty()) {
        r.kind = CaseFold::EqualIgnoringCase(scheme, "file") ? Kind::FileUrl : Kind::Address;
        r.display = r.target = std::string(value);
        if (r.kind == Kind::FileUrl)
            r.path = UrlText::FilePathOf(value);
        return r;
    }

    std::size_t hash = value.find('#');
    std::string_view written = value.substr(0, hash);
    if (hash != std::string_view::npos)
        r.fragment = value.substr(hash + 1);
    // An empty fragment is the top of the page: the page without an anchor.
    std::string anchor = r.fragment.empty() ? "" : "#" + r.fragment;
    r.folder = pageFolder;
    std::string_view bare = written;
    while (bare.substr(0, 2) == "./")
        bare.remove_prefix(2);
    if (bare.empty()) {
        r.samePage = true;
        r.display = r.target = currentPage + anchor;
        r.path = currentPage;
        return r;
    }
    if (PathText::IsSeparator(written.front())) {
        // The root of the site is the folder the run checks.
        r.folder.clear();
        while (!written.empty() && PathText::IsSeparator(written.front()))
            written.remove_prefix(1);
    }
    std::optional<std::string> path
        = decoding == Decoding::Decoded ? UrlText::DecodePath(written) : std::optional<std::string>(written);
    if (path) {
        path = WithoutLeadingDotSlash(r.folder + *path);
        r.path = use == Use::Link ? LinkTarget(std::move(*path)) : std::move(*path);
    }
    // A path that is no file's name is known by the text shown.
    if (texts == Texts::Shown || !r.path) {
        r.display = WithoutLeadingDotSlash(r.folder + std::string(written.empty() ? "/" : written) + anchor);
        r.target = use == Use::Link ? LinkTarget(r.display) : r.display;
    }
    return r;
}

ResolvedReference::KeyParts ResolvedReference::SeenKeyParts() const
{
    // A local path is known with "." and ".." resolved, so different spellings of one file
    // ("a/../b.html", "b.html") are checked once, and with the folder names the test does
    // not judge. A same-page anchor belongs to its page, since "#top" on two pages names
    // two different anchors.
    if (kind != Kind::Local)
        return { KeyParts::NotLocal, display, {} };
    if (!path)
        return { KeyParts::NoPath, display, {} };
    return { std::uint32_t(UnjudgedFolderNames(folder, *path)), PathText::Normalize(*path), fragment };
}

std::string ResolvedReference::SeenKey() const
{
    KeyParts parts = SeenKeyParts();
    switch (parts.scope) {
    case KeyParts::NotLocal:
        return parts.text;
    case KeyParts::NoPath:
        return "?" + parts.text;
    }
    std::string key = std::to_string(parts.scope) + "|" + parts.text;
    if (!parts.fragment.empty())
        key.append("#").append(parts.fragment);
    return key;
}
