#pragma once

#include <string>
#include <string_view>

/// How a mail body's characters are written into a "mailto:" address. Every form turns
/// "|" into a line break ("%0D%0A") and '"' into "%22"; the mail composer also escapes
/// control characters, and with URL encoding the characters above 127.
enum class MailBodyEncoding { LinkText, Composer, ComposerUrlEncoded };

/// "mailto:" (unless the address already holds it) + address, then "?subject=" and the
/// subject unchanged, then "&body=" ("?body=" without a subject) and the encoded body;
/// an empty subject or body is left out.
std::string ComposeMailAddress(
    std::string_view address, std::string_view subject, std::string_view body, MailBodyEncoding encoding);
