#include "engine/HeadersRecord.h"

#include "net/THttpCli.h"

namespace HeadersRecord {

namespace {

    void AppendBlock(StringList& received, Outcome outcome, const std::string& address, std::string summary,
        std::string header)
    {
        std::string separator = outcome == Outcome::Success
            ? std::string(36, '=')
            : std::string(14, '=') + "xx" + std::string(20, '=');
        received.Add(separator);
        received.Add(address);
        received.Add(std::move(summary));
        received.Add(separator);
        received.Add(std::move(header));
    }

    std::string StatusSummary(int statusCode, const std::string& reason)
    {
        return "Status Code: " + std::to_string(statusCode) + "  " + reason;
    }

}

void Append(StringList& received, THttpCli& http, const std::string& address, Outcome outcome)
{
    std::string summary;
    if (http.ContentLength() > 0)
        summary += "Size: " + std::to_string(http.ContentLength()) + "     ";
    if (!http.ContentType().empty())
        summary += "Type: " + http.ContentType() + "     ";
    summary += StatusSummary(http.StatusCode(), http.ReasonPhrase());
    std::string header;
    for (const std::string& line : http.RcvdHeader())
        header += line + "\r\n";
    AppendBlock(received, outcome, address, std::move(summary), std::move(header));
}

void AppendFailure(
    StringList& received, const std::string& address, int statusCode, const std::string& reason)
{
    AppendBlock(received, Outcome::Failure, address, StatusSummary(statusCode, reason), "");
}

std::string Text(const StringList& received)
{
    std::string text;
    received.ForEach([&](std::string_view entry) { text.append(entry).append("\r\n"); });
    return text;
}

}
