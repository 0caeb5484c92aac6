// The socket layer: host lookup, connect failures and time limits with the anti-freeze pumping,
// line reads and their limits, time-outs and closes.
#include <fcntl.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include "../support/Loopback.h"
#include "../support/MemoryStack.h"
#include "../support/ScriptedServer.h"
#include "update/AntiFreeze.h"
#include "update/Exceptions.h"
#include "update/TcpConnection.h"

namespace zelvora {
namespace {

using namespace testing;

// A connection over the memory stack whose peer sends `pieces` and closes (or holds open).
struct TScriptedConnection {
    explicit TScriptedConnection(std::deque<std::string> pieces, bool holdOpen = false)
    {
        client.Host = "10.1.2.3";
        client.Port = 80;
        client.OpenConnection(-1);
        scope.Stack().Incoming = std::move(pieces);
        scope.Stack().HoldOpen = holdOpen;
    }
    TMemoryStackScope scope;
    TIdTCPClient client;
};

// A client connected to a local server over the real sockets.
void ConnectToLocal(TIdTCPClient& client, int port)
{
    client.Host = "127.0.0.1";
    client.Port = port;
    client.OpenConnection(-1);
}

TEST(SocketLayer, HostLookupAndDottedQuads)
{
    for (const char* quad : {"10.0.0.1", "0.0.0.0", "255.255.255.255", "127.0.0.1"})
        EXPECT_TRUE(TIdStack::IsDottedQuad(quad)) << quad;
    for (const char* other : {"10.0.0", "256.1.1.1", "1.2.3.4.5", "a.b.c.d", "", "1..2.3", "1.2.3.-4"})
        EXPECT_FALSE(TIdStack::IsDottedQuad(other)) << other;

    TMemoryStackScope scope;
    TIdTCPClient client;
    std::vector<std::string> statuses;
    client.OnStatus = [&](TIdStatus, const std::string& text) { statuses.push_back(text); };
    client.Host = "LocalHost";
    client.Port = 8080;
    client.OpenConnection(-1);
    EXPECT_EQ(scope.Stack().ConnectedTo, "127.0.0.1:8080");
    ASSERT_EQ(statuses.size(), 3u);
    EXPECT_EQ(statuses[0], "Host-Name LocalHost wird aufgel\xF6st.");
    EXPECT_EQ(statuses[1], "Verbinden mit 127.0.0.1.");
    EXPECT_EQ(statuses[2], "Verbunden.");
    EXPECT_THROW(client.OpenConnection(-1), EIdAlreadyConnected);
    client.CloseConnection();

    client.Host = "no-such-host.unknown";
    try {
        client.OpenConnection(-1);
        ADD_FAILURE();
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError(), 11001);
        EXPECT_STREQ(e.what(), "Socket-Fehler # 11001\r\nHost nicht gefunden.");
    }
    EXPECT_FALSE(client.IsConnected());  // a failed connect leaves the socket closed
}

TEST(SocketLayer, RefusedConnectCarriesTheSocketErrorText)
{
    TIdTCPClient client;
    client.Host = "127.0.0.1";
    client.Port = FreeLoopbackPort();
    try {
        client.OpenConnection(-1);  // no anti-freeze: the system's own connect
        ADD_FAILURE();
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError(), 10061);
        EXPECT_STREQ(e.what(), "Socket-Fehler # 10061\r\nVerbindung abgelehnt.");
    }
    TIdAntiFreeze antiFreeze;
    try {
        client.OpenConnection(-1);  // with one: the limited connect
        ADD_FAILURE();
    } catch (const EIdConnectException& e) {
        EXPECT_STREQ(e.what(), "Socket-Fehler # 10061\r\nVerbindung abgelehnt.");
    }
}

TEST(SocketLayer, ConnectTimeLimitIsSlicedAndPumpsMessages)
{
    // A listener with a full queue that never accepts: further connects hang.
    TScriptedServer server({}, 0);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        fcntl(fd, F_SETFL, O_NONBLOCK);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(server.Port()));
        connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(fd);
    }
    TIdAntiFreeze antiFreeze;
    int pumps = 0;
    antiFreeze.ProcessMessages = [&] { ++pumps; };
    TIdTCPClient client;
    client.Host = "127.0.0.1";
    client.Port = server.Port();
    EXPECT_THROW(client.OpenConnection(700), EIdConnectTimeout);
    EXPECT_GE(pumps, 4);  // 125 ms slices
    EXPECT_FALSE(client.IsConnected());

    // Dispatched code that closes the connection ends the connect, and nothing freed is touched.
    antiFreeze.MessagesWaiting = [] { return true; };
    antiFreeze.ProcessMessages = [&] { client.CloseConnection(); };
    EXPECT_THROW(client.OpenConnection(700), EIdConnClosedGracefully);
    EXPECT_FALSE(client.IsConnected());
    for (int fd : fillers) close(fd);
}

TEST(SocketLayer, LinesEndInLineFeedsAndCarriageReturnsAreDropped)
{
    TScriptedConnection c({"abc\r\nabc\n", "abc\r\r\n", "x\r", "\ny"}, true);
    EXPECT_EQ(c.client.ReadLine(), "abc");
    EXPECT_EQ(c.client.ReadLine(), "abc");
    EXPECT_EQ(c.client.ReadLine(), "abc\r");
    EXPECT_EQ(c.client.ReadLine(), "x");  // terminator split across two receives
    EXPECT_EQ(c.client.ReadExact(1), "y");
}

TEST(SocketLayer, LineLengthLimitCountsTheCarriageReturn)
{
    const std::string longest(kIdMaxLineLength, 'a');
    {
        TScriptedConnection fits({longest + "\n"});
        EXPECT_EQ(fits.client.ReadLine().size(), static_cast<std::size_t>(kIdMaxLineLength));
    }
    {
        TScriptedConnection crlf({longest + "\r\n"});
        EXPECT_THROW(crlf.client.ReadLine(), EIdReadLnMaxLineLengthExceeded);
    }
    {
        TScriptedConnection noEnd({longest + "a"}, true);
        EXPECT_THROW(noEnd.client.ReadLine(), EIdReadLnMaxLineLengthExceeded);
    }
    TScriptedConnection split({longest + "bc\n"});
    split.client.MaxLineAction = TIdMaxLineAction::maSplit;
    EXPECT_EQ(split.client.ReadLine(), longest);
    EXPECT_TRUE(split.client.ReadLnSplit);
    EXPECT_EQ(split.client.ReadLine(), "bc");
}

TEST(SocketLayer, ClosesTimeOutsAndBuffers)
{
    {
        TScriptedConnection partial({"par", "tial"});
        const auto readTwice = [&] {
            partial.client.ReadLine();
            partial.client.ReadLine();
        };
        EXPECT_THROW(readTwice(), EIdConnClosedGracefully);
    }

    TScriptedServer silent({{HoldOpen()}});
    TIdTCPClient client;
    ConnectToLocal(client, silent.Port());
    client.ReadTimeout = 300;
    try {
        client.ReadLine();
        ADD_FAILURE();
    } catch (const EIdReadTimeout& e) {
        EXPECT_STREQ(e.what(),
                     "Zeit\xFC"
                     "berschreitung beim Lesen");
    }
    client.CloseConnection();
    EXPECT_THROW(client.WriteText("x"), EIdNotConnected);

    TIdManagedBuffer buffer;
    buffer.Append("0123456789", 10);
    EXPECT_EQ(buffer.Extract(4), "0123");
    EXPECT_THROW(buffer.Extract(7), EIdNotEnoughDataInBuffer);
    EXPECT_EQ(buffer.Size(), 6u);  // nothing lost by the refusal
    std::string big(40000, 'x');
    buffer.Append(big.data(), big.size());
    buffer.Remove(33000);
    EXPECT_EQ(buffer.Size(), 7006u);
    EXPECT_EQ(std::string(buffer.Memory(), 3), "xxx");
}

TEST(SocketLayer, WaitingMessagesAreDispatchedAsTheyArriveNotASliceLater)
{
    // In virtual time, a line that arrives 600 ms after the wait began.
    const auto readLateLine = [](TIdAntiFreeze& antiFreeze) {
        TMemoryStackScope scope;
        TIdTCPClient client;  // starts the memory services
        TMemoryStack& stack = scope.Stack();
        stack.Incoming = {"late\r\n"};
        stack.Arrivals = {600};
        stack.HoldOpen = true;
        antiFreeze.Clock = [&stack] { return stack.Now(); };
        ConnectToLocal(client, 80);
        EXPECT_EQ(client.ReadLine(), "late");
        EXPECT_EQ(stack.NowMs, 600);
    };
    {
        TIdAntiFreeze antiFreeze;  // cannot tell whether messages wait: one dispatch per quiet slice
        int pumps = 0;
        antiFreeze.ProcessMessages = [&] { ++pumps; };
        readLateLine(antiFreeze);
        EXPECT_EQ(pumps, 2) << "after the slices ending at 250 and 500 ms";
    }
    {
        TIdAntiFreeze antiFreeze;  // a message always waits, like the 10 ms marking timer
        int pumps = 0;
        antiFreeze.ProcessMessages = [&] { ++pumps; };
        antiFreeze.MessagesWaiting = [] { return true; };
        readLateLine(antiFreeze);
        EXPECT_GE(pumps, 600 / 5 - 3) << "one dispatch every 5 ms step";
        EXPECT_LE(pumps, 600 / 5);
    }
    const auto readLateLineReal = [] {
        TScriptedServer late({{Pause(600), Send("late\r\n"), HoldOpen()}});
        TIdTCPClient client;
        ConnectToLocal(client, late.Port());
        EXPECT_EQ(client.ReadLine(), "late");
    };
    {
        auto antiFreeze = std::make_unique<TIdAntiFreeze>();  // a dispatch that frees it: the wait goes on
        antiFreeze->MessagesWaiting = [] { return true; };
        antiFreeze->ProcessMessages = [&] { antiFreeze.reset(); };
        readLateLineReal();
        EXPECT_EQ(TIdAntiFreeze::Instance(), nullptr);
    }
    {
        TScriptedServer silent({{HoldOpen()}});  // a dispatch that closes the connection ends the read
        TIdTCPClient client;
        ConnectToLocal(client, silent.Port());
        TIdAntiFreeze antiFreeze;
        antiFreeze.MessagesWaiting = [] { return true; };
        antiFreeze.ProcessMessages = [&] { client.CloseConnection(); };
        EXPECT_THROW(client.ReadLine(), EIdConnClosedGracefully);
    }
}

TEST(SocketLayer, NewestAntiFreezeIsTheProcessWideOne)
{
    EXPECT_EQ(TIdAntiFreeze::Instance(), nullptr);
    auto first = std::make_unique<TIdAntiFreeze>();
    EXPECT_TRUE(TIdAntiFreeze::Applies());  // tests run on the main thread
    auto second = std::make_unique<TIdAntiFreeze>();
    EXPECT_EQ(TIdAntiFreeze::Instance(), second.get());
    first.reset();
    EXPECT_EQ(TIdAntiFreeze::Instance(), second.get()) << "an older one going leaves the newer in place";
    second.reset();
    EXPECT_EQ(TIdAntiFreeze::Instance(), nullptr);
    std::thread other([] { EXPECT_FALSE(TIdAntiFreeze::Applies()); });
    other.join();
}

TEST(SocketLayer, WinsockErrorTexts)
{
    EXPECT_EQ(SocketErrorMessage(10035),
              "Socket-Fehler # 10035\r\nDie Operation w\xFC"
              "rde blockieren. ");
    EXPECT_EQ(SocketErrorMessage(10066), "Socket-Fehler # 10066\r\nVerzeichnis ist nicht leer");
    EXPECT_EQ(SocketErrorMessage(12345), "Socket-Fehler # 12345\r\n");
}

}  // namespace
}  // namespace zelvora
