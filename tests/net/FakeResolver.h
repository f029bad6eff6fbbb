#pragma once

#include "net/HostResolver.h"
#include "net/WSocketError.h"
#include "platform/MessageQueue.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

/// Resolves names from a table, answering through the queue as a real lookup would; a
/// table value lists a name's addresses, blank-separated. A name not in the table is
/// "Host not found", a name mapped to "" never gets an answer. No name leaves the machine.
class FakeResolver : public HostResolver {
public:
    explicit FakeResolver(MessageQueue& queue, std::map<std::string, std::string> table = {})
        : m_queue(queue)
        , m_table(std::move(table))
    {
    }

    Ticket Start(const std::string& host, Done done) override
    {
        const Ticket ticket = m_next++;
        m_live[ticket] = true;
        ++lookups;
        m_queue.Post([this, ticket, host, done = std::move(done)]() {
            if (!m_live[ticket])
                return;
            m_live.erase(ticket);
            auto it = m_table.find(host);
            if (it != m_table.end() && it->second.empty())
                return;
            if (it == m_table.end())
                done(WSocketError::HostNotFound, {});
            else
                done(0, Addresses(it->second));
        });
        return ticket;
    }
    void Cancel(Ticket ticket) override
    {
        m_live[ticket] = false;
        ++cancels;
    }

    int lookups = 0;
    int cancels = 0;

private:
    static std::vector<std::string> Addresses(const std::string& list)
    {
        std::istringstream words(list);
        std::vector<std::string> addresses;
        for (std::string address; words >> address;)
            addresses.push_back(address);
        return addresses;
    }

    MessageQueue& m_queue;
    std::map<std::string, std::string> m_table;
    std::map<Ticket, bool> m_live;
    Ticket m_next = 1;
};
