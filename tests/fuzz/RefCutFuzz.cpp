// Splits the input at its first line feed into an attribute name and a tag text, cuts the
// reference, runs the path texts over the pieces and resolves the reference.
#include "FuzzCheck.h"

#include "engine/PathText.h"
#include "engine/ReferenceCutter.h"
#include "engine/ResolvedReference.h"
#include "engine/UrlText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool IsSubsequence(std::string_view part, std::string_view whole)
{
    std::size_t at = 0;
    for (char c : part) {
        at = whole.find(c, at);
        if (at == std::string_view::npos)
            return false;
        ++at;
    }
    return true;
}

void CheckNormalize(std::string_view path)
{
    std::string normal = PathText::Normalize(path);
    FUZZ_CHECK(PathText::Normalize(normal) == normal);
    std::size_t names = 0;
    for (std::size_t i = 0; i < normal.size(); ++i)
        names += normal[i] != '/' && (i == 0 || normal[i - 1] == '/');
    FUZZ_CHECK(PathText::NormalizedNameCount(path) == names);
    FUZZ_CHECK(normal.find('\\') == std::string::npos);
    FUZZ_CHECK(normal.find("//") == std::string::npos);
    std::size_t start = !normal.empty() && normal.front() == '/' ? 1 : 0;
    bool climbing = true;
    while (start < normal.size()) {
        std::size_t end = std::min(normal.find('/', start), normal.size());
        std::string_view name = std::string_view(normal).substr(start, end - start);
        FUZZ_CHECK(!name.empty() && name != ".");
        // ".." survives only where it climbs above the start.
        FUZZ_CHECK(name != ".." || climbing);
        climbing = climbing && name == "..";
        start = end + 1;
    }
}

void CheckPath(std::string_view path)
{
    CheckNormalize(path);

    std::string withoutDots = PathText::RemoveDotSegments(std::string(path));
    FUZZ_CHECK(IsSubsequence(withoutDots, path));
    if (path.find("./") == std::string_view::npos)
        FUZZ_CHECK(withoutDots == path);

    std::string folder = PathText::FolderOf(path);
    FUZZ_CHECK(path.substr(0, folder.size()) == folder);
    FUZZ_CHECK(folder.empty() || (folder.size() >= 2 && IsSeparator(folder.back())));

    std::string_view extension = PathText::ExtensionOf(path);
    FUZZ_CHECK(path.substr(path.size() - extension.size()) == extension);
    FUZZ_CHECK(extension.empty() || extension.front() == '.');
    FUZZ_CHECK(extension.find_first_of("/\\") == std::string_view::npos);
}

void CheckResolution(std::string_view reference, const std::string& folder)
{
    std::string decoded = UrlText::Decode(reference);
    FUZZ_CHECK(decoded.size() <= reference.size());
    std::optional<std::string> path = UrlText::DecodePath(reference);
    FUZZ_CHECK(!path || *path == decoded);
    for (auto use : { ResolvedReference::Use::Image, ResolvedReference::Use::Link }) {
        ResolvedReference r = ResolvedReference::Resolve(
            reference, folder, folder + "page.html", use, ResolvedReference::Decoding::Decoded);
        bool address = !UrlText::SchemeOf(reference).empty() || reference.substr(0, 2) == "//";
        FUZZ_CHECK(address == (r.kind != ResolvedReference::Kind::Local));
        FUZZ_CHECK(!r.samePage || r.path == folder + "page.html");
        FUZZ_CHECK(r.fragment.size() < reference.size() || r.fragment.empty());
        // The query part is never read as part of the fragment.
        FUZZ_CHECK(r.fragment.find('?') == std::string::npos);
        // The key made without the texts shown is the key of the whole resolution.
        FUZZ_CHECK(ResolvedReference::SeenKeyOf(
                       reference, folder, folder + "page.html", use, ResolvedReference::Decoding::Decoded)
                       .View()
            == r.SeenKeyParts().View());
        r.SeenKey();
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find('\n');
    std::string_view attribute = input.substr(0, split);
    std::string_view tag = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    CheckPath(input);
    CheckPath(tag);
    std::optional<std::string_view> reference = CutReference(tag, attribute);
    if (!reference)
        return 0;
    FUZZ_CHECK(!reference->empty());
    FUZZ_CHECK(
        reference->data() >= tag.data() && reference->data() + reference->size() <= tag.data() + tag.size());
    CheckPath(*reference);
    std::string folder = PathText::FolderOf(attribute);
    CheckPath(folder + std::string(*reference));
    CheckResolution(*reference, folder);
    return 0;
}
