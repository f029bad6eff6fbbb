#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// A reference value read the way a browser reads it, its query part left out: an
/// address of another kind ("http:", "//host", "mailto:", "javascript:" ...), a "file:"
/// address, or a path of the site, resolved against the page's folder or, after a leading
/// "/", against the site's own folder. Texts shown and listed keep the reference as
/// written; the path looked up on disk has its percent escapes decoded, as a web server
/// decodes them before it looks for the file.
struct ResolvedReference {
    enum class Kind { Address, FileUrl, Local };
    enum class Use { Image, Link };
    enum class Decoding { Decoded, AsWritten };

    Kind kind = Kind::Local;
    /// What the grid's first column shows.
    std::string display;
    /// What the result lists keep: for a link, `display` with a leading "../" or "./"
    /// dropped and "./" segments removed; for anything else `display` itself.
    std::string target;
    /// The part of `path` that names the referring page's folder, whose letter case is not
    /// judged again; empty for a root-relative reference.
    std::string folder;
    /// The file looked up (for a "file:" address, on this machine); nothing when no file
    /// can have that name.
    std::optional<std::string> path;
    /// The reference names the page it is in ("#name", "?query", "#").
    bool samePage = false;
    /// After "#", as written; empty when there is none or it is empty.
    std::string fragment;

    static ResolvedReference Resolve(std::string_view value, const std::string& pageFolder,
        const std::string& currentPage, Use use, Decoding decoding);

    /// A seen key (see KeyParts) whose texts are held elsewhere.
    struct KeyView {
        std::uint32_t scope = 0;
        std::string_view text;
        std::string_view fragment;
        bool operator==(const KeyView&) const = default;
    };
    /// What the run knows a reference it has already checked by, in parts: for a local
    /// path, how many of its folder names are not judged, the path with "." and ".."
    /// resolved, and the fragment; for anything else a scope below and the text shown.
    struct KeyParts {
        static constexpr std::uint32_t NotLocal = UINT32_MAX;
        static constexpr std::uint32_t NoPath = UINT32_MAX - 1;
        std::uint32_t scope = NotLocal;
        std::string text;
        std::string fragment;
        KeyView View() const { return { scope, text, fragment }; }
    };
    KeyParts SeenKeyParts() const;
    /// The seen key of what Resolve makes of the value, without the texts it shows.
    static KeyParts SeenKeyOf(std::string_view value, const std::string& pageFolder, const std::string& currentPage,
        Use use, Decoding decoding);
    /// The same key as one text.
    std::string SeenKey() const;

private:
    enum class Texts { Shown, KeyOnly };
    static ResolvedReference Resolve(std::string_view value, const std::string& pageFolder,
        const std::string& currentPage, Use use, Decoding decoding, Texts texts);
};
