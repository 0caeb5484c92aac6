// The HTTP client against servers that never end: endless folded header lines, a byte now and
// then, bodies without end in each framing. Each request fails with a clear error, holding no more
// than the limits allow; the slow server is timed by a clock of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "../support/MemoryStack.h"
#include "../support/ScriptedServer.h"
#include "update/AntiFreeze.h"
#include "update/Cookies.h"
#include "update/Exceptions.h"
#include "update/HttpClient.h"

namespace zelvora {
namespace {

using namespace testing;
using namespace std::chrono_literals;

constexpr long long kCheckBody = 64 * 1024;

std::string Url(const TScriptedServer& server)
{
    return "http://127.0.0.1:" + std::to_string(server.Port()) + "/zelvora/version.txt";
}

// The failure's text, or "" when the request succeeded.
std::string FailureOf(const std::vector<TServerStep>& script, long long maxBody = kCheckBody)
{
    TScriptedServer server({script});
    TIdHTTP http;
    http.MaxBodySize = maxBody;
    try {
        http.GetAsString(Url(server));
    } catch (const EIdException& error) {
        return error.what();
    }
    return "";
}

TEST(HostileServer, EndlessOrTooManyHeaderLinesFailTheHead)
{
    const std::string folded = "HTTP/1.1 200 OK\r\nX-Fold: a\r\n" + Repeated(" more folded text\r\n", 20000);
    EXPECT_EQ(FailureOf({ReadRequest(), Send(folded), HoldOpen()}), "Response head too large");

    const std::string many =
        "HTTP/1.1 200 OK\r\n" + Repeated("X-Many: 1\r\n", 99) + "Content-Length: 2\r\n\r\nok";
    EXPECT_EQ(FailureOf({ReadRequest(), Send(many), CloseNow()}), "Response head too large")
        << "status line and 100 header lines";
    const std::string enough =
        "HTTP/1.1 200 OK\r\n" + Repeated("X-Many: 1\r\n", 98) + "Content-Length: 2\r\n\r\nok";
    EXPECT_EQ(FailureOf({ReadRequest(), Send(enough), CloseNow()}), "") << "status line and 99 header lines";

    const std::string wide =
        "HTTP/1.1 200 OK\r\n" + Repeated("X-Wide: " + std::string(8000, 'w') + "\r\n", 9);
    EXPECT_EQ(FailureOf({ReadRequest(), Send(wide), HoldOpen()}), "Response head too large") << "over 64 KiB";

    const std::string interim = Repeated("HTTP/1.1 100 Continue\r\n\r\n", 200);
    EXPECT_EQ(FailureOf({ReadRequest(), Send(interim), HoldOpen()}), "Response head too large")
        << "endless interim heads count together";
}

TEST(HostileServer, BodiesBeyondTheLimitFailInEveryFraming)
{
    EXPECT_EQ(FailureOf({ReadRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 2000000000\r\n\r\n1.2.3"),
                         HoldOpen()}),
              "Response body too large")
        << "refused from the announced length, before a byte of it";
    const std::string oneByteChunks =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + Repeated("1\r\nx\r\n", 70000);
    EXPECT_EQ(FailureOf({ReadRequest(), Send(oneByteChunks), HoldOpen()}), "Response body too large");
    const std::string hugeChunk =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nx\r\n7fffffffffffffff\r\n";
    EXPECT_EQ(FailureOf({ReadRequest(), Send(hugeChunk), HoldOpen()}), "Response body too large")
        << "a size that overflows the sum with what came before";
    const std::string untilClose = "HTTP/1.1 200 OK\r\n\r\n" + std::string(100000, 'b');
    EXPECT_EQ(FailureOf({ReadRequest(), Send(untilClose), HoldOpen()}), "Response body too large")
        << "a body without length, never closed";
    EXPECT_EQ(FailureOf({ReadRequest(), Send("HTTP/1.1 200 OK\r\n\r\n" + std::string(kCheckBody, 'b')),
                         CloseNow()}),
              "")
        << "exactly the limit";
}

// A clock that moves ten seconds each time it is read: the deadline passes after six waits
// however quickly the bytes really come.
struct TenSecondTicks {
    std::chrono::steady_clock::time_point now{};
    int reads = 0;
    std::chrono::steady_clock::time_point operator()()
    {
        ++reads;
        now += 10s;
        return now;
    }
};

TEST(HostileServer, AByteNowAndThenEndsAtTheDeadline)
{
    std::vector<TServerStep> trickle = Trickle("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.2.3", 5);
    trickle.push_back(HoldOpen());
    TScriptedServer server({trickle});
    TIdHTTP http;
    auto ticks = std::make_shared<TenSecondTicks>();
    http.Clock = [ticks] { return (*ticks)(); };
    http.SetDeadline(std::chrono::steady_clock::time_point{} + 60s);
    EXPECT_THROW(http.GetAsString(Url(server)), EIdReadTimeout);
    EXPECT_GE(ticks->reads, 6);
    EXPECT_LE(ticks->reads, 7) << "no wait after the deadline passed";

    // Without the deadline the same server is answered in full.
    TScriptedServer again({trickle});
    TIdHTTP patient;
    EXPECT_EQ(patient.GetAsString(Url(again)), "1.2.3");
}

TEST(HostileServer, ManyCookiesAreStoredOnceEachAndReplacedByName)
{
    TIdCookieManager cookies(nullptr);
    for (int i = 0; i < 5000; ++i)
        cookies.AddCookie("c" + std::to_string(i) + "=v; path=/", "example.org", TIdCookieKind::RFC2109,
                          1000);
    for (int i = 0; i < 5000; i += 2)
        cookies.AddCookie("c" + std::to_string(i) + "=w; path=/", "example.org", TIdCookieKind::RFC2109,
                          1000);
    EXPECT_EQ(cookies.Count(), 5000u);
    cookies.AddCookie("old=1; path=/; max-age=10", "example.org", TIdCookieKind::RFC2109, 1000);
    EXPECT_EQ(cookies.Count(), 5001u);
    const std::string header = cookies.CookieHeader("example.org", "/", false, 2000);  // "old" expired
    EXPECT_EQ(cookies.Count(), 5000u);
    EXPECT_EQ(header.find("old="), std::string::npos);
    EXPECT_EQ(header.substr(0, 11), "c0=w; c1=v;");
    // Replacing by name still works after the expired one left its place.
    cookies.AddCookie("c4999=z; path=/", "example.org", TIdCookieKind::RFC2109, 2000);
    EXPECT_EQ(cookies.Count(), 5000u);
    EXPECT_NE(cookies.CookieHeader("example.org", "/", false, 2000).find("c4999=z"), std::string::npos);
}

}  // namespace
}  // namespace zelvora

namespace zelvora {
namespace {

// Lookups that wait for the window thread: a lookup on that thread itself would never end.
struct TLookupGate {
    std::mutex Lock;
    std::condition_variable Changed;
    int Pumps = 0;
    bool Open = false;
    std::thread::id LookupThread;

    void Pumped()
    {
        std::lock_guard lock(Lock);
        ++Pumps;
        Changed.notify_all();
    }
    // Held until the windows were served three times, or the gate opens, or 10 s pass.
    void Hold()
    {
        std::unique_lock lock(Lock);
        LookupThread = std::this_thread::get_id();
        Changed.wait_for(lock, std::chrono::seconds(10), [&] { return Pumps >= 3 || Open; });
    }
    void Release()
    {
        std::lock_guard lock(Lock);
        Open = true;
        Changed.notify_all();
    }
};

// The lookup threads a test started have let go of the socket services (the next test may need
// the real ones).
void WaitForLookupsToEnd()
{
    const auto until = std::chrono::steady_clock::now() + 10s;
    while (TIdStack::Holders() > 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(TIdStack::Holders(), 0);
}

TEST(HostNames, AreLookedUpOffTheWindowThreadWhileItsMessagesAreServed)
{
    testing::TMemoryStackScope scope;
    std::optional<TIdHTTP> owner(std::in_place);
    TIdHTTP& http = *owner;
    auto gate = std::make_shared<TLookupGate>();
    scope.Stack().OnLookup = [gate] { gate->Hold(); };
    scope.Stack().Incoming = {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.2.3"};
    TIdAntiFreeze antiFreeze;
    antiFreeze.ProcessMessages = [gate] { gate->Pumped(); };
    EXPECT_EQ(http.GetAsString("http://update.zelvora.example/zelvora/version.txt"), "1.2.3");
    EXPECT_GE(gate->Pumps, 3) << "the windows were served while the name was looked up";
    EXPECT_NE(gate->LookupThread, std::this_thread::get_id());

    http.SetDeadline(std::nullopt);
    scope.Stack().OnLookup = nullptr;
    try {
        http.GetAsString("http://unknown.zelvora.example/");
        ADD_FAILURE() << "an unknown name was found";
    } catch (const EIdSocketError& error) {
        EXPECT_EQ(error.LastError(), wsa::kHostNotFound) << "the lookup thread's error number";
    }
    owner.reset();
    WaitForLookupsToEnd();
}

TEST(HostNames, ClosingTheConnectionWhileTheNameIsLookedUpEndsTheRequest)
{
    testing::TMemoryStackScope scope;
    std::optional<TIdHTTP> owner(std::in_place);
    TIdHTTP& http = *owner;
    auto gate = std::make_shared<TLookupGate>();
    gate->Pumps = -1000000;  // the lookup hangs until the test opens the gate
    scope.Stack().OnLookup = [gate] { gate->Hold(); };
    scope.Stack().Incoming = {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.2.3"};
    TIdAntiFreeze antiFreeze;
    antiFreeze.MessagesWaiting = [] { return true; };
    int closes = 0;
    // What the main window does when it is closed during a request.
    antiFreeze.ProcessMessages = [&] {
        if (http.IsConnected()) ++closes, http.CloseConnection();
    };
    EXPECT_THROW(http.GetAsString("http://update.zelvora.example/zelvora/version.txt"), EIdException);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(scope.Stack().Connects, 0) << "nothing connects after the close";
    EXPECT_FALSE(http.IsConnected());
    gate->Release();  // the abandoned lookup ends on its own
    owner.reset();
    WaitForLookupsToEnd();
}

TEST(HostNames, AHangingLookupEndsAtTheDeadline)
{
    testing::TMemoryStackScope scope;
    std::optional<TIdHTTP> owner(std::in_place);
    TIdHTTP& http = *owner;
    auto gate = std::make_shared<TLookupGate>();
    gate->Pumps = -1000000;  // never enough: only the gate opens it
    scope.Stack().OnLookup = [gate] { gate->Hold(); };
    TIdAntiFreeze antiFreeze;
    auto ticks = std::make_shared<TenSecondTicks>();
    http.Clock = [ticks] { return (*ticks)(); };
    http.SetDeadline(std::chrono::steady_clock::time_point{} + 60s);
    EXPECT_THROW(http.GetAsString("http://update.zelvora.example/zelvora/version.txt"), EIdReadTimeout);
    gate->Release();  // the abandoned lookup ends on its own
    owner.reset();
    WaitForLookupsToEnd();
}

}  // namespace
}  // namespace zelvora
