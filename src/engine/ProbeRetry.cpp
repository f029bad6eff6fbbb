#include "engine/ProbeRetry.h"

#include "net/HttpHeaderLine.h"
#include "net/THttpCli.h"
#include "net/WSocketError.h"

#include <cstdlib>
#include <string>

namespace ProbeRetry {

namespace {

    /// The Retry-After seconds of the last answer's header; a date is not waited for.
    std::optional<long> RetryAfterSeconds(THttpCli& http)
    {
        const std::vector<std::string>& lines = http.RcvdHeader();
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            if (HttpHeaderLine::IsStatusLine(*line))
                return std::nullopt;
            auto field = HttpHeaderLine::SplitField(*line);
            if (!field || field->name != "retry-after")
                continue;
            const std::string value(field->value);
            char* end = nullptr;
            long seconds = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || seconds < 0)
                return std::nullopt;
            return seconds;
        }
        return std::nullopt;
    }

}

std::optional<std::chrono::milliseconds> DelayAfter(THttpCli& http, int maxWaitSeconds)
{
    const int error = http.RequestError();
    if (error == WSocketError::ConnectionReset || error == WSocketError::ConnectionRefused)
        return std::chrono::seconds(1);
    if (http.StatusCode() != 429 && http.StatusCode() != 503)
        return std::nullopt;
    std::optional<long> seconds = RetryAfterSeconds(http);
    if (!seconds || *seconds > maxWaitSeconds)
        return std::nullopt;
    return std::chrono::seconds(*seconds);
}

}
