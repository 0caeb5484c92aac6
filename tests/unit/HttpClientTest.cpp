// The HTTP client against a scripted loopback server that sends exact bytes, pauses and closes,
// and against an in-memory stack where the bytes on the wire must be exact.
#include <gtest/gtest.h>

#include <chrono>

#include "../support/MemoryStack.h"
#include "../support/ScriptedServer.h"
#include "update/Exceptions.h"
#include "update/HttpClient.h"

namespace zelvora {
namespace {

using namespace testing;

constexpr char kVersionPath[] = "/zelvora/version.txt";

std::string Url(const TScriptedServer& server, const std::string& path = kVersionPath)
{
    return "http://127.0.0.1:" + std::to_string(server.Port()) + path;
}

// One request answered by `reply`, then the server closes.
std::vector<std::vector<TServerStep>> Answer(const std::string& reply)
{
    return {{ReadRequest(), Send(reply), CloseNow()}};
}

TEST(HttpRequest, SendsExactlyFiveLinesAndTheHostPortOnlyWhenNot80)
{
    const auto sentFor = [](const std::string& url) {
        TMemoryStackScope scope;
        TIdHTTP http;
        scope.Stack().Incoming = {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.0.0"};
        EXPECT_EQ(http.GetAsString(url), "1.0.0");
        return scope.Stack().Sent;
    };
    const std::string rest =
        "Accept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Zelvora)\r\n\r\n";
    EXPECT_EQ(
        sentFor("http://update.zelvora.example/zelvora/version.txt"),
        "GET /zelvora/version.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: update.zelvora.example\r\n" +
            rest);
    EXPECT_EQ(sentFor("http://update.zelvora.example:8080/zelvora/version.txt"),
              "GET /zelvora/version.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: "
              "update.zelvora.example:8080\r\n" +
                  rest);
    EXPECT_EQ(
        sentFor("http://update.zelvora.example:80/zelvora/version.txt"),
        "GET /zelvora/version.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: update.zelvora.example\r\n" +
            rest);
}

TEST(HttpRequest, RefusesHttpsAndUnknownProtocolsBeforeConnecting)
{
    TMemoryStackScope scope;
    TIdHTTP http;
    try {
        http.GetAsString("https://update.zelvora.example/zelvora/version.txt");
        ADD_FAILURE();
    } catch (const EIdIOHandlerPropInvalid& e) {
        EXPECT_STREQ(e.what(),
                     "Wert f\xFC"
                     "r IOHandler ist ung\xFC"
                     "ltig");
    }
    EXPECT_THROW(http.GetAsString("ftp://update.zelvora.example/version.txt"), EIdUnknownProtocol);
    EXPECT_EQ(scope.Stack().Connects, 0);
    EXPECT_EQ(scope.Stack().Sent, "");
}

TEST(HttpBody, ByLengthChunkedUntilCloseAndEmpty)
{
    const auto get = [](const std::string& reply) {
        TScriptedServer server(Answer(reply));
        TIdHTTP http;
        return http.GetAsString(Url(server));
    };
    EXPECT_EQ(get("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.2.3"), "1.2.3");
    EXPECT_EQ(get("HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\n1.2.3\r\n"), "1.2.3\r\n");
    EXPECT_EQ(get("HTTP/1.1 200 OK\r\n\r\n1.2.3 and more"), "1.2.3 and more");
    EXPECT_EQ(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n1.2.3\r\n0\r\n\r\n"), "1.2.3");
    EXPECT_EQ(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\n1.\r\n3\r\n2.3\r\n0\r\n\r\n"),
              "1.2.3");
    // A chunk extension is skipped; a trailer is read up to its empty line.
    EXPECT_EQ(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;name=value\r\n1.2.3\r\n0\r\n\r\n"),
              "1.2.3");
    EXPECT_EQ(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n1.2.3\r\n0\r\nX-T: 1\r\n\r\n"),
              "1.2.3");
    EXPECT_EQ(get("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"), "ok");
}

TEST(HttpBody, CutShortOrMalformedBodiesFail)
{
    const auto get = [](const std::string& reply) {
        TScriptedServer server(Answer(reply));
        TIdHTTP http;
        return http.GetAsString(Url(server));
    };
    // Closed before the announced length or the last chunk: never a (spurious) version text.
    EXPECT_THROW(get("HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\n1.2"), EIdException);
    EXPECT_THROW(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n1.2.3\r\n"), EIdException);
    EXPECT_THROW(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n1.2"), EIdException);
    EXPECT_THROW(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n1.2.3\r\n0\r\n\r\n"),
                 EIdException)
        << "a chunk size that is no number";
    EXPECT_THROW(get("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n\r\n"), EIdException);
}

TEST(HttpBody, HostileLengthsNeitherReserveNorWrap)
{
    TScriptedServer server(Answer("HTTP/1.1 200 OK\r\nContent-Length: 2000000000\r\n\r\nsmall"));
    TIdHTTP http;
    TIdMemoryStream stream;
    EXPECT_THROW(http.GetToStream(Url(server), stream), EIdException) << "cut short";
    EXPECT_EQ(stream.Data(), "small");
    EXPECT_LE(stream.Data().capacity(), kIdMaxPresize);

    // Room follows what arrives: four times at most, and no more than an announced size.
    const auto receive = [](TIdMemoryStream& target, std::size_t total) {
        for (std::size_t got = 0; got < total; got += 32768) {
            target.Extend(32768);
            target.Commit(32768);
        }
    };
    TIdMemoryStream hostile;
    hostile.Reserve(2000000000);
    receive(hostile, 3 << 20);
    EXPECT_LE(hostile.Data().capacity(), 4u * (3 << 20));
    TIdMemoryStream announced;
    announced.Reserve(3 << 20);
    receive(announced, 3 << 20);
    EXPECT_EQ(announced.Data().capacity(), 3u << 20);
    TIdMemoryStream unannounced;
    receive(unannounced, 3 << 20);
    EXPECT_EQ(unannounced.Size(), 3u << 20);
    EXPECT_LE(unannounced.Data().capacity(), 4u * (3 << 20));

    // A body until close that fills its room exactly is not moved into a larger one at the close.
    const std::string hundred(100, 'h');
    TScriptedServer untilClose(Answer("HTTP/1.1 200 OK\r\n\r\n" + hundred));
    TIdMemoryStream exact;
    exact.Reserve(100);
    http.GetToStream(Url(untilClose), exact);
    EXPECT_EQ(exact.Data(), hundred);
    EXPECT_EQ(exact.Data().capacity(), 100u);

    TScriptedServer chunked(Answer(
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10000000000000005\r\nabcde\r\n0\r\n\r\n"));
    EXPECT_THROW(http.GetAsString(Url(chunked)), EIdException);
}

TEST(HttpConnection, KeptAliveIsReusedAndCloseEndsIt)
{
    TScriptedServer kept({{ReadRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"), ReadRequest(),
                           Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"), HoldOpen()}});
    TIdHTTP http;
    EXPECT_EQ(http.GetAsString(Url(kept)), "");
    EXPECT_TRUE(http.IsConnected());
    EXPECT_EQ(http.GetAsString(Url(kept)), "ok");
    EXPECT_EQ(kept.Connections(), 1);

    TScriptedServer closing(
        {{ReadRequest(), Send("HTTP/1.1 200 OK\r\nConnection: CLOSE\r\nContent-Length: 1\r\n\r\na"),
          HoldOpen()}});
    TIdHTTP other;
    EXPECT_EQ(other.GetAsString(Url(closing)), "a");
    EXPECT_FALSE(other.Response().KeepAlive);
    EXPECT_EQ(other.GetAsString(Url(closing)), "a");
    EXPECT_EQ(closing.Connections(), 2);

    // An HTTP/1.0 reply without "keep-alive" is not reused, even while the server has not closed yet.
    TScriptedServer old({{ReadRequest(), Send("HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\nb"), HoldOpen()}});
    TIdHTTP third;
    EXPECT_EQ(third.GetAsString(Url(old)), "b");
    EXPECT_FALSE(third.Response().KeepAlive);
    EXPECT_EQ(third.GetAsString(Url(old)), "b");
    EXPECT_EQ(old.Connections(), 2);
}

TEST(HttpFailures, RedirectsAndErrorStatusesRaiseTheProtocolException)
{
    const auto failure = [](const std::string& reply) -> std::pair<int, std::string> {
        TScriptedServer server(Answer(reply));
        TIdHTTP http;
        try {
            http.GetAsString(Url(server));
        } catch (const EIdHTTPProtocolException& e) {
            return {e.ReplyErrorCode(), std::string(e.what()) + "|" + e.ErrorMessage()};
        }
        return {0, "no exception"};
    };
    EXPECT_EQ(failure("HTTP/1.1 302 Found\r\nLocation: http://elsewhere/\r\nContent-Length: 0\r\n\r\n"),
              std::make_pair(302, std::string("HTTP/1.1 302 Found|")));
    EXPECT_EQ(failure("HTTP/1.1 200 OK\r\nLocation: /moved\r\nContent-Length: 2\r\n\r\nok"),
              std::make_pair(200, std::string("HTTP/1.1 200 OK|ok")));
    EXPECT_EQ(failure("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot here."),
              std::make_pair(404, std::string("HTTP/1.1 404 Not Found|Not here.")));
    EXPECT_EQ(failure("garbage\r\n\r\n"), std::make_pair(-1, std::string("garbage|")));
}

TEST(HttpFailures, AnErrorPageIsWaitedForTwoSecondsAtMost)
{
    // Virtual time: the silent rest of the page passes the wait's time at once.
    for (const std::string& reply : {std::string("HTTP/1.1 404 Not Found\r\nContent-Length: 20\r\n\r\nhalf"),
                                     std::string("garbage\r\n\r\n")}) {
        TMemoryStackScope scope;
        TIdHTTP http;
        scope.Stack().Incoming = {reply};
        scope.Stack().HoldOpen = true;
        EXPECT_THROW(http.GetAsString("http://update.zelvora.example/zelvora/version.txt"), EIdReadTimeout)
            << reply;
        EXPECT_EQ(scope.Stack().NowMs, kIdErrorBodyTimeout) << "one wait of the error page's limit";
    }
}

TEST(HttpFailures, ClosedBeforeAStatusLineAndTruncatedHeads)
{
    TScriptedServer silent(Answer(""));
    TIdHTTP http;
    EXPECT_THROW(http.GetAsString(Url(silent)), EIdConnClosedGracefully);
    TScriptedServer cut(Answer("HTTP/1.1 200 OK\r\nContent-Le"));
    try {
        http.GetAsString(Url(cut));
        ADD_FAILURE();
    } catch (const EIdException& e) {
        EXPECT_STREQ(e.what(), "Undefined situation");
    }
}

TEST(HttpCookies, OnlyCookiesWithAMatchingPathAreSentBack)
{
    TScriptedServer server(
        {{ReadRequest(),
          Send("HTTP/1.1 200 OK\r\nSet-Cookie: session=42; path=\"/\"\r\nSet-cookie: nopath=1\r\n"
               "Content-Length: 0\r\n\r\n"),
          ReadRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"), HoldOpen()}});
    TIdHTTP http;
    http.GetAsString(Url(server));
    ASSERT_NE(http.CookieManager(), nullptr);
    EXPECT_EQ(http.CookieManager()->Count(), 2u);
    http.GetAsString(Url(server));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].find("Cookie"), std::string::npos);
    EXPECT_NE(requests[1].find("\r\nCookie: session=42\r\n"), std::string::npos) << requests[1];
    EXPECT_EQ(requests[1].find("nopath"), std::string::npos);
}

TEST(HttpAuthentication, BasicChallengeFailsAndLaterRequestsCarryTheEmptyCredentials)
{
    TScriptedServer server(
        {{ReadRequest(),
          Send("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"x\"\r\n"
               "Content-Length: 0\r\n\r\n"),
          ReadRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"), HoldOpen()}});
    TIdHTTP http;
    EXPECT_THROW(http.GetAsString(Url(server)), EIdHTTPProtocolException);
    http.GetAsString(Url(server));
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_NE(server.Requests()[1].find("\r\nAuthorization: Basic Og==\r\n"), std::string::npos);
}

TEST(HttpParts, UrlsHeaderListsAndDates)
{
    const TIdURI uri("http://user:pw@update.zelvora.example:8080/zelvora/version.txt?x=1#top");
    EXPECT_EQ(uri.Protocol, "http");
    EXPECT_EQ(uri.Host, "update.zelvora.example");
    EXPECT_EQ(uri.Port, "8080");
    EXPECT_EQ(uri.Path, "/zelvora/");
    EXPECT_EQ(uri.Document, "version.txt");
    EXPECT_EQ(uri.Query, "?x=1");
    EXPECT_EQ(uri.Fragment, "top");
    EXPECT_EQ(uri.Username, "user");
    EXPECT_EQ(uri.Password, "pw");
    const TIdURI plain("http://update.zelvora.example\\zelvora\\version.txt");
    EXPECT_EQ(plain.Port, "");
    EXPECT_EQ(plain.Path, "/zelvora/");
    EXPECT_EQ(NormalizePath("/a/b/../c/./d/"), "/a/c/d/");
    EXPECT_THROW(TIdURI("relative/path").FullURI(), EIdURIException);

    TIdHeaderList headers;
    headers.Add("Content-Type: text/plain");
    headers.Add("X-Long: one,");
    headers.Add("\ttwo");
    EXPECT_EQ(headers.Values("content-TYPE"), "text/plain");
    EXPECT_EQ(headers.Values("x-long"), "one, two");
    headers.SetValue("X-Long", "");
    EXPECT_EQ(headers.Lines().size(), 1u);
    TIdHeaderList folded(20);
    folded.SetValue("Accept", "text/html, text/plain, \"a, b, c\"");
    EXPECT_GT(folded.Lines().size(), 1u);
    EXPECT_EQ(folded.Values("Accept"), "text/html, text/plain, \"a, b, c\"");

    EXPECT_EQ(ParseInternetDate("Sun, 06 Nov 1994 08:49:37 GMT"), 784111777);
    EXPECT_EQ(ParseInternetDate("Sunday, 06-Nov-94 08:49:37 GMT"), 784111777);
    EXPECT_EQ(ParseInternetDate("Sun Nov  6 08:49:37 1994"), 784111777);
    EXPECT_EQ(ParseInternetDate("yesterday"), 0);
    // Negative fields are no date (they overflowed the sum before).
    EXPECT_EQ(ParseInternetDate("Sun, 06 Nov 1994 -2147483648:49:37 GMT"), 0);
    EXPECT_EQ(ParseInternetDate("Sun, 06 Nov 1994 08:-2147483648:37 GMT"), 0);
    EXPECT_EQ(ParseInternetDate("Sun Nov  6 08:49:-1 1994"), 0);
    EXPECT_EQ(ParseInternetDate("Fri, 31 Dec 9999 23:59:59 GMT"), 253402300799);
    EXPECT_EQ(FormatInternetDate(784111777), "Sun, 06 Nov 1994 08:49:37 GMT");
}

TEST(HttpParts, CookieDomainsMustFitTheHost)
{
    TIdCookieManager cookies(nullptr);
    EXPECT_TRUE(cookies.AddCookie("a=1; path=/", "www.zelvora.example", TIdCookieKind::RFC2109, 1000));
    EXPECT_TRUE(cookies.AddCookie("b=2; path=/; domain=.zelvora.example", "www.zelvora.example",
                                  TIdCookieKind::RFC2109, 1000));
    EXPECT_FALSE(
        cookies.AddCookie("c=3; domain=other.example", "www.zelvora.example", TIdCookieKind::RFC2109, 1000));
    EXPECT_FALSE(cookies.AddCookie("d=4; domain=10.0.0.2", "10.0.0.1", TIdCookieKind::RFC2109, 1000));
    EXPECT_TRUE(cookies.AddCookie("e=5; path=/deep/; max-age=10", "www.zelvora.example",
                                  TIdCookieKind::RFC2109, 1000));
    EXPECT_EQ(cookies.CookieHeader("www.zelvora.example", "/deep/x/", false, 1005),
              "e=5; b=2; a=1");  // longest path first
    EXPECT_EQ(cookies.CookieHeader("www.zelvora.example", "/deep/", false, 1011), "b=2; a=1");  // e expired
    EXPECT_EQ(Base64Encode("user:pw"), "dXNlcjpwdw==");
}

}  // namespace
}  // namespace zelvora
