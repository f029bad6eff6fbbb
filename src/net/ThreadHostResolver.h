#pragma once

#include "net/HostResolver.h"
#include "platform/MessageQueue.h"

#include <memory>

/// Resolves each name with getaddrinfo(3), both address families, on a short-lived worker
/// thread that posts the addresses back to the owner's queue in the order the system's
/// resolver ranks them. A worker that finishes
/// after its lookup was cancelled, or after the resolver is gone, has its result dropped.
class ThreadHostResolver : public HostResolver {
public:
    explicit ThreadHostResolver(MessageQueue& queue);
    ~ThreadHostResolver() override;

    Ticket Start(const std::string& host, Done done) override;
    void Cancel(Ticket ticket) override;

private:
    struct Pending;
    MessageQueue& m_queue;
    std::shared_ptr<Pending> m_pending;
    Ticket m_nextTicket = 1;
};
