#include "components/MailAddress.h"

namespace {

void AppendEscaped(std::string& out, unsigned char c)
{
    constexpr char hex[] = "0123456789ABCDEF";
    out += '%';
    out += hex[c >> 4];
    out += hex[c & 15];
}

bool NeedsEscape(unsigned char c, MailBodyEncoding encoding)
{
    switch (encoding) {
    case MailBodyEncoding::LinkText:
        return false;
    case MailBodyEncoding::Composer:
        return c < 32;
    case MailBodyEncoding::ComposerUrlEncoded:
        return c < 32 || c > 127;
    }
    return false;
}

}

std::string ComposeMailAddress(
    std::string_view address, std::string_view subject, std::string_view body, MailBodyEncoding encoding)
{
    std::string mail;
    if (address.find("mailto:") == std::string_view::npos)
        mail = "mailto:";
    mail += address;
    if (!subject.empty()) {
        mail += "?subject=";
        mail += subject;
    }
    if (body.empty())
        return mail;
    mail += subject.empty() ? "?body=" : "&body=";
    for (char c : body) {
        if (c == '|')
            mail += "%0D%0A";
        else if (c == '"')
            mail += "%22";
        else if (NeedsEscape(static_cast<unsigned char>(c), encoding))
            AppendEscaped(mail, static_cast<unsigned char>(c));
        else
            mail += c;
    }
    return mail;
}
