#pragma once

#include "components/ComponentHost.h"
#include "platform/XdgFolders.h"

#include <string>
#include <string_view>

enum class TServType { svHTTP, svMAIL };

/// What a hyperlink label or button opens when clicked: a web address in the default
/// browser, or a new message in the default mail program. The widget holds one, runs its
/// own click handler first (which may change any field) and then calls `GoToURL`.
struct WebLink {
    std::string URL;
    TServType ServiceType = TServType::svHTTP;
    std::string Subject;
    /// A "|" stands for a line break.
    std::string Body;

    /// Opens `address`, or `URL` when it is empty. A missing default program is told to
    /// the user through the host; a program that does not start is not.
    void GoToURL(ComponentHost& host, const XdgFolders& folders, std::string_view address = {}) const;
};

/// Starts a new message in the default mail program with recipient, subject and body.
struct TEMailCreator {
    std::string Address;
    std::string Subject;
    std::string Body;
    bool URLEncode = false;

    /// True when the mail program was started.
    bool Execute(ComponentHost& host, const XdgFolders& folders) const;
};
