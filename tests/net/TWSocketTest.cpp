#include "net/TWSocket.h"

#include "net/ESocketException.h"
#include "net/FakeResolver.h"
#include "net/ThreadHostResolver.h"
#include "support/LoopbackServer.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using SocketState = TWSocket::TSocketState;

namespace {

template <typename Done> void PumpUntil(MessageQueue& queue, Done done)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        queue.WaitAndProcess(20ms);
}

}

TEST(TWSocket, ANumericAddressIsNotLookedUp)
{
    MessageQueue queue;
    FakeResolver resolver(queue);
    TWSocket socket(queue, resolver);
    int done = -1;
    socket.OnDnsLookupDone = [&](TWSocket&, int error) { done = error; };

    socket.DnsLookup("127.0.0.1");
    EXPECT_EQ(done, 0) << "reported inside the call";
    EXPECT_EQ(socket.DnsResult(), "127.0.0.1");
    EXPECT_EQ(resolver.lookups, 0);

    try {
        socket.DnsLookup("");
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_STREQ(e.what(), "DNS lookup: invalid host name.");
        EXPECT_EQ(e.ErrorCode(), 10022);
    }
}

TEST(TWSocket, ConnectNeedsPortAddressAndProtocol)
{
    MessageQueue queue;
    FakeResolver resolver(queue);
    TWSocket socket(queue, resolver);
    const auto message = [&]() -> std::string {
        try {
            socket.Connect();
        } catch (const ESocketException& e) {
            return e.what();
        }
        return "connected";
    };
    EXPECT_EQ(message(), "Connect: No Port Specified");
    socket.SetPort("80");
    EXPECT_EQ(message(), "Connect: No IP Address Specified");
    socket.SetAddr("127.0.0.1");
    socket.SetProto("");
    EXPECT_EQ(message(), "Connect: No Protocol Specified");
}

TEST(TWSocket, EventsComeInTheOrderConnectDataSentDataClose)
{
    LoopbackServer server({ LoopbackServer::Answer("pong") });
    MessageQueue queue;
    FakeResolver resolver(queue);
    TWSocket socket(queue, resolver);
    std::vector<std::string> events;
    std::string received;
    socket.OnSessionConnected = [&](TWSocket& s, int error) {
        events.push_back("connected " + std::to_string(error));
        EXPECT_EQ(s.Send("ping\r\n\r\n", 8), 8);
    };
    socket.OnDataSent = [&](TWSocket&, int) { events.push_back("sent"); };
    socket.OnDataAvailable = [&](TWSocket& s, int) {
        char buffer[16];
        const int count = s.Receive(buffer, sizeof buffer);
        if (count > 0) {
            received.append(buffer, static_cast<std::size_t>(count));
            events.push_back("data");
        }
    };
    socket.OnSessionClosed
        = [&](TWSocket&, int error) { events.push_back("closed " + std::to_string(error)); };
    socket.SetAddr("127.0.0.1");
    socket.SetPort(std::to_string(server.Port()));
    socket.Connect();
    EXPECT_EQ(socket.State(), SocketState::wsConnecting);

    PumpUntil(queue, [&] { return socket.State() == SocketState::wsClosed; });
    EXPECT_EQ(received, "pong");
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], "connected 0");
    EXPECT_EQ(events[1], "sent");
    EXPECT_EQ(events[2], "data");
    EXPECT_EQ(events[3], "closed 0");
    EXPECT_EQ(server.Requests().at(0), "ping\r\n\r\n");
    EXPECT_EQ(socket.Send("x", 1), -1);
    EXPECT_EQ(socket.LastError(), 10057);
}

TEST(TWSocket, ARefusedConnectionIsReportedOnceAndNoSessionCloses)
{
    MessageQueue queue;
    FakeResolver resolver(queue);
    TWSocket socket(queue, resolver);
    int connected = -1;
    int closed = 0;
    socket.OnSessionConnected = [&](TWSocket&, int error) { connected = error; };
    socket.OnSessionClosed = [&](TWSocket&, int) { ++closed; };
    socket.SetAddr("127.0.0.1");
    socket.SetPort(std::to_string(LoopbackServer::RefusedPort()));
    socket.Connect();

    PumpUntil(queue, [&] { return connected != -1; });
    EXPECT_EQ(connected, 10061);
    EXPECT_EQ(socket.State(), SocketState::wsClosed);
    queue.ProcessMessages();
    EXPECT_EQ(closed, 0);
}

TEST(ThreadHostResolver, ResolvesOffTheThreadAndDropsCancelledLookups)
{
    MessageQueue queue;
    ThreadHostResolver resolver(queue);
    std::vector<std::string> addresses;
    int error = -1;
    bool cancelledCalled = false;
    resolver.Start("localhost", [&](int e, const std::vector<std::string>& a) {
        error = e;
        addresses = a;
    });
    const auto cancelled
        = resolver.Start("localhost", [&](int, const std::vector<std::string>&) { cancelledCalled = true; });
    resolver.Cancel(cancelled);

    PumpUntil(queue, [&] { return error != -1; });
    queue.WaitAndProcess(50ms);
    EXPECT_EQ(error, 0);
    EXPECT_NE(std::find(addresses.begin(), addresses.end(), "127.0.0.1"), addresses.end());
    EXPECT_FALSE(cancelledCalled);
}
