#pragma once

#include "support/TempSite.h"

#include <string>

/// Pages p0.html to p<pages-1>.html, each linking the next and showing ten images of its
/// own: a traced run long enough to be paused, aborted or closed on its way.
inline void WriteChainSite(const TempSite& site, int pages)
{
    for (int i = 0; i < pages; ++i) {
        std::string page = "<html><body><a href=\"p" + std::to_string(i + 1) + ".html\">next</a>";
        for (int image = 0; image < 10; ++image)
            page += "<img src=\"i" + std::to_string(i) + "-" + std::to_string(image) + ".gif\">";
        site.Write("p" + std::to_string(i) + ".html", page + "</body></html>");
    }
}
