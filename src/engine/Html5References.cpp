#include "engine/Html5References.h"

#include "platform/CaseFold.h"

namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && Blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && Blank(s.back()))
        s.remove_suffix(1);
    return s;
}

}

namespace Html5References {

std::vector<std::string_view> SrcsetUrls(std::string_view srcset)
{
    std::vector<std::string_view> urls;
    std::size_t i = 0;
    while (i < srcset.size()) {
        while (i < srcset.size() && (Blank(srcset[i]) || srcset[i] == ','))
            ++i;
        std::size_t start = i;
        while (i < srcset.size() && !Blank(srcset[i]))
            ++i;
        std::string_view url = srcset.substr(start, i - start);
        bool commaEnded = !url.empty() && url.back() == ',';
        while (!url.empty() && url.back() == ',')
            url.remove_suffix(1);
        if (!url.empty())
            urls.push_back(url);
        if (commaEnded)
            continue;
        // The descriptors run to the next comma outside parentheses.
        int depth = 0;
        for (; i < srcset.size() && (srcset[i] != ',' || depth > 0); ++i)
            depth += srcset[i] == '(' ? 1 : srcset[i] == ')' && depth > 0 ? -1 : 0;
    }
    return urls;
}

std::vector<CssUrl> CssUrls(std::string_view css)
{
    std::vector<CssUrl> urls;
    std::size_t i = 0;
    while (i < css.size()) {
        if (css.substr(i, 2) == "/*") {
            std::size_t end = css.find("*/", i + 2);
            i = end == std::string_view::npos ? css.size() : end + 2;
            continue;
        }
        if (i + 4 > css.size() || !CaseFold::EqualIgnoringCase(css.substr(i, 4), "url(")) {
            ++i;
            continue;
        }
        i += 4;
        while (i < css.size() && Blank(css[i]))
            ++i;
        std::size_t start = i;
        std::size_t end;
        if (i < css.size() && (css[i] == '"' || css[i] == '\'')) {
            start = i + 1;
            end = css.find(css[i], start);
            if (end == std::string_view::npos)
                end = css.size();
            i = end;
        } else {
            end = css.find(')', start);
            if (end == std::string_view::npos)
                end = css.size();
            i = end;
        }
        std::string_view url = Trimmed(css.substr(start, end - start));
        if (!url.empty())
            urls.push_back({ url, std::size_t(url.data() - css.data()) });
    }
    return urls;
}

std::optional<std::string_view> RefreshUrl(std::string_view content)
{
    std::size_t i = 0;
    while (i < content.size()
        && (Blank(content[i]) || (content[i] >= '0' && content[i] <= '9') || content[i] == '.'))
        ++i;
    if (i < content.size() && (content[i] == ';' || content[i] == ','))
        ++i;
    while (i < content.size() && Blank(content[i]))
        ++i;
    std::string_view rest = content.substr(i);
    if (rest.size() >= 3 && CaseFold::EqualIgnoringCase(rest.substr(0, 3), "url")) {
        std::size_t j = 3;
        while (j < rest.size() && Blank(rest[j]))
            ++j;
        if (j < rest.size() && rest[j] == '=') {
            rest.remove_prefix(j + 1);
            while (!rest.empty() && Blank(rest.front()))
                rest.remove_prefix(1);
        }
    }
    if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
        char quote = rest.front();
        rest.remove_prefix(1);
        rest = rest.substr(0, rest.find(quote));
    }
    rest = Trimmed(rest);
    if (rest.empty())
        return std::nullopt;
    return rest;
}

}
