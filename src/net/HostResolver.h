#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// Turns a host name into its addresses (texts, IPv4 and IPv6) without blocking the
/// calling thread. The result arrives later on the thread of the queue the resolver posts
/// to, never inside `Start`. Tests install their own resolver so no name ever leaves the
/// machine.
class HostResolver {
public:
    using Ticket = std::uint64_t;
    /// `error` is 0 or a socket error code (11001 "Host not found", ...); on success
    /// `addresses` holds at least one, in the order they are to be tried.
    using Done = std::function<void(int error, const std::vector<std::string>& addresses)>;

    virtual ~HostResolver() = default;
    virtual Ticket Start(const std::string& host, Done done) = 0;
    /// After this the ticket's `done` is never called.
    virtual void Cancel(Ticket ticket) = 0;
};
