#pragma once

#include "net/EHttpException.h"
#include "net/FakeResolver.h"
#include "net/THttpCli.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

/// Names a test's resolver knows; a value may hold several addresses, blank-separated.
using Names = std::map<std::string, std::string>;

/// A client on its own queue with a resolver that knows only the names a test gives it;
/// the body goes to `body`.
struct TestClient {
    explicit TestClient(Names names = {})
        : resolver(queue, std::move(names))
        , http(queue)
    {
        http.SetResolver(resolver);
        http.RcvdStream = &body;
    }

    /// Runs the request; the error code of the EHttpException it raised, or 0.
    int Run(void (THttpCli::*request)())
    {
        try {
            (http.*request)();
            return 0;
        } catch (const EHttpException& e) {
            raisedMessage = e.what();
            return e.ErrorCode();
        }
    }
    int Head() { return Run(&THttpCli::Head); }
    int Get() { return Run(&THttpCli::Get); }

    MessageQueue queue;
    FakeResolver resolver;
    THttpCli http;
    std::ostringstream body;
    std::string raisedMessage;
};

/// The lines joined, each followed by "|".
inline std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "|";
    return text;
}
