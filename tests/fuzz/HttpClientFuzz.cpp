// Plays arbitrary bytes as a server's answer to the real HTTP client over a loopback
// connection, relocations included. Every connection goes to a proxy name that only this
// target's resolver knows, so whatever address the input names, nothing but 127.0.0.1
// is ever contacted. An input of odd length is the answer to a HEAD, one of even length to a GET.
#include "net/HostResolver.h"
#include "net/THttpCli.h"
#include "net/WSocketError.h"
#include "platform/MessageQueue.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdint>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class LoopbackOnly : public HostResolver {
public:
    explicit LoopbackOnly(MessageQueue& queue)
        : m_queue(queue)
    {
    }
    Ticket Start(const std::string& host, Done done) override
    {
        m_queue.Post([host, done = std::move(done)] {
            if (host == "proxy.fuzz")
                done(0, { "127.0.0.1" });
            else
                done(WSocketError::HostNotFound, {});
        });
        return ++m_ticket;
    }
    void Cancel(Ticket) override { }

private:
    MessageQueue& m_queue;
    Ticket m_ticket = 0;
};

int Listener(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(fd, 64);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MessageQueue queue;
    static LoopbackOnly resolver(queue);
    static int port = 0;
    static const int listener = Listener(port);

    THttpCli http(queue);
    http.SetResolver(resolver);
    http.Proxy = "proxy.fuzz";
    http.ProxyPort = std::to_string(port);
    http.URL = "http://site.test/dir/page.html";
    http.Timeout = 2;
    http.MaxBodySize = 1 << 16;
    std::ostringstream body;
    http.RcvdStream = &body;
    if (size % 2 == 1)
        http.HeadASync();
    else
        http.GetASync();

    while (http.State() != THttpCli::THttpState::httpReady) {
        queue.WaitAndProcess(std::chrono::milliseconds(1));
        const int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        [[maybe_unused]] auto sent = ::send(connection, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        ::close(connection);
    }
    queue.ProcessMessages();
    return 0;
}
