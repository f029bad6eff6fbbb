#include "net/ThreadHostResolver.h"

#include "net/WSocketError.h"

#include <algorithm>
#include <arpa/inet.h>
#include <map>
#include <netdb.h>
#include <thread>
#include <utility>

struct ThreadHostResolver::Pending {
    std::map<Ticket, Done> calls;
};

namespace {

struct LookupResult {
    int error = 0;
    std::vector<std::string> addresses;
};

LookupResult Lookup(const std::string& host)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &found); rc != 0)
        return { WSocketError::FromAddrInfoError(rc), {} };
    LookupResult result;
    for (const addrinfo* a = found; a; a = a->ai_next) {
        if (a->ai_family != AF_INET && a->ai_family != AF_INET6)
            continue;
        char text[INET6_ADDRSTRLEN] = {};
        const void* raw = a->ai_family == AF_INET
            ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr)
            : static_cast<const void*>(&reinterpret_cast<const sockaddr_in6*>(a->ai_addr)->sin6_addr);
        ::inet_ntop(a->ai_family, raw, text, sizeof text);
        if (std::find(result.addresses.begin(), result.addresses.end(), text) == result.addresses.end())
            result.addresses.emplace_back(text);
    }
    ::freeaddrinfo(found);
    if (result.addresses.empty())
        result.error = WSocketError::HostNotFound;
    return result;
}

}

ThreadHostResolver::ThreadHostResolver(MessageQueue& queue)
    : m_queue(queue)
    , m_pending(std::make_shared<Pending>())
{
}

ThreadHostResolver::~ThreadHostResolver() = default;

HostResolver::Ticket ThreadHostResolver::Start(const std::string& host, Done done)
{
    const Ticket ticket = m_nextTicket++;
    m_pending->calls.emplace(ticket, std::move(done));
    std::weak_ptr<Pending> pending = m_pending;
    // The worker touches only its copies and the thread-safe post; `pending` is read back
    // on the owner's thread, where it may already be gone.
    auto work = [host, ticket, pending, post = m_queue.ThreadSafePoster()]() {
        LookupResult result = Lookup(host);
        post([ticket, pending, result = std::move(result)]() {
            auto live = pending.lock();
            if (!live)
                return;
            auto it = live->calls.find(ticket);
            if (it == live->calls.end())
                return;
            Done done = std::move(it->second);
            live->calls.erase(it);
            done(result.error, result.addresses);
        });
    };
    try {
        std::thread(std::move(work)).detach();
    } catch (...) {
        m_pending->calls.erase(ticket);
        throw;
    }
    return ticket;
}

void ThreadHostResolver::Cancel(Ticket ticket)
{
    m_pending->calls.erase(ticket);
}
