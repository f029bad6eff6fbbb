#include "engine/HeadersRecord.h"

#include "net/THttpCli.h"

namespace HeadersRecord {

void Append(StringList& received, THttpCli& http, const std::string& address, Outcome outcome)
{
    std::string separator = outcome == Outcome::Success ? std::string(36, '=') : std::string(14, '=') + "xx" + std::string(20, '=');
    std::string summary;
    if (http.ContentLength() > 0)
        summary += "Size: " + std::to_string(http.ContentLength()) + "     ";
    if (!http.ContentType().empty())
        summary += "Type: " + http.ContentType() + "     ";
    summary += "Status Code: " + std::to_string(http.StatusCode()) + "  " + http.ReasonPhrase();
    std::string header;
    for (const std::string& line : http.RcvdHeader())
        header += line + "\r\n";
    received.Add(separator);
    received.Add(address);
    received.Add(std::move(summary));
    received.Add(separator);
    received.Add(std::move(header));
}

std::string Text(const StringList& received)
{
    std::string text;
    received.ForEach([&](const std::string& entry) { text += entry + "\r\n"; });
    return text;
}

}
