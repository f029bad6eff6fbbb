#pragma once

#include <string>

class ReportDocument;
class WebAccess;

/// A page's source text as the report tab shows it for "View Document": read from disk
/// or downloaded from the web site, headed by where it came from.
namespace DocumentView {

struct Document {
    /// The full path of the file, or the address it was downloaded from.
    std::string heading;
    std::string text;
    /// Why the text could not be had; empty when it was.
    std::string failure;
};

/// `file` is a name in `folder`, both as the file system spells them.
Document ReadLocal(const std::string& folder, const std::string& file);
/// The file's namesake on the web site, `file` taken relative to the base address.
Document Download(WebAccess& web, const std::string& baseHRef, const std::string& file);

/// Replaces the report with the heading in bold, an empty line and the text, line by
/// line; a failure shows in red where the text would be.
void Show(ReportDocument& report, const Document& document);

}
