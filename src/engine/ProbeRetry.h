#pragma once

#include <chrono>
#include <optional>

class THttpCli;

/// When a failed probe is asked once more: a "429" or "503" whose Retry-After (in
/// seconds) is at most the run's longest wait, after that wait; a reset or refused
/// connection, after a second. Any other failure stands.
namespace ProbeRetry {

/// The wait before asking again after the request `http` has just ended, or nothing.
std::optional<std::chrono::milliseconds> DelayAfter(THttpCli& http, int maxWaitSeconds);

}
