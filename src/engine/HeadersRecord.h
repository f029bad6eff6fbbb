#pragma once

#include "platform/StringList.h"

#include <string>

class THttpCli;

/// The log of what HTTP probes received: per probe a block of five entries (separator,
/// the address asked for, a summary of size, type and status, the separator again, and
/// every received header line each ending in CR LF). Failed probes are always logged;
/// successful ones only when the user asked to see the headers.
namespace HeadersRecord {

enum class Outcome { Success, Failure };

void Append(StringList& received, THttpCli& http, const std::string& address, Outcome outcome);
/// The block of a failure that received nothing.
void AppendFailure(
    StringList& received, const std::string& address, int statusCode, const std::string& reason);

/// The saved text: every entry followed by CR LF.
std::string Text(const StringList& received);

}
