// The HTTP/1.1 client: request and response records, and one logical request with its interim
// heads, redirect and authentication handling, cookies and connection reuse.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "update/Cookies.h"
#include "update/HeaderList.h"
#include "update/TcpConnection.h"
#include "update/Uri.h"

namespace zelvora {

enum class TIdHTTPProtocolVersion { pv1_0, pv1_1 };
enum class TIdHTTPMethod { hmHead, hmGet, hmPost, hmOptions, hmTrace, hmPut, hmDelete, hmConnect };
enum class TIdHTTPConnectionType { ctNormal, ctSSL, ctProxy, ctSSLProxy };
inline constexpr unsigned hoInProcessAuth = 1, hoKeepOrigProtocol = 2, hoForceEncodeParams = 4;

// A response head (status line, header lines and any interim heads before it) may hold at most
// this much; a longer one fails the request instead of growing without end.
inline constexpr std::size_t kIdMaxHeadBytes = 64 * 1024;
inline constexpr int kIdMaxHeadLines = 100;

// Reading an error page or a discarded body waits at most this long.
inline constexpr int kIdErrorBodyTimeout = 2000;
inline constexpr int kIdDiscardBodyTimeout = 4000;

class TIdBasicAuthentication {
public:
    std::string Username, Password;
    std::string Authentication() const;
    void Reset() { steps_ = 0; }

private:
    int steps_ = 0;
};

std::string Base64Encode(const std::string& bytes);

struct TIdEntityHeaderInfo {
    TIdEntityHeaderInfo() { Clear(); }
    void Clear();
    TIdHeaderList RawHeaders{kIdRecordFoldLength};
    std::vector<std::string> CustomHeaders;
    std::string Connection, ContentVersion, ContentEncoding, ContentLanguage, ContentType, CacheControl,
        Pragma;
    long long ContentLength = -1;
    bool HasContentLength() const { return ContentLength >= 0; }
    long long ContentRangeStart = 0, ContentRangeEnd = 0;
    std::time_t Date = 0, Expires = 0, LastModified = 0;
};

struct TIdRequestHeaderInfo : TIdEntityHeaderInfo {
    TIdRequestHeaderInfo() { ClearRequest(); }
    void ClearRequest();
    // The fields in their order into the raw list.
    void SetHeaders();
    std::string Accept, AcceptCharSet, AcceptEncoding, AcceptLanguage, Host, From, Referer, UserAgent,
        ProxyConnection, Username, Password;
    bool BasicAuthentication = false;
    std::unique_ptr<TIdBasicAuthentication> Authentication;
};

struct TIdHTTPRequest : TIdRequestHeaderInfo {
    std::string URL;
    TIdHTTPMethod Method = TIdHTTPMethod::hmGet;
    const std::string* Source = nullptr;
    TIdHTTPConnectionType ConnectionType = TIdHTTPConnectionType::ctNormal;
};

struct TIdResponseHeaderInfo : TIdEntityHeaderInfo {
    // The fields from the raw list.
    void ProcessHeaders();
    std::string Location, Server, ProxyConnection;
    std::vector<std::string> WWWAuthenticate, ProxyAuthenticate;
};

struct TIdHTTPResponse : TIdResponseHeaderInfo {
    std::string ResponseText;
    int ResponseCode = -1;
    TIdHTTPProtocolVersion ResponseVersion = TIdHTTPProtocolVersion::pv1_1;
    bool KeepAlive = false;
};

class TIdHTTP : public TIdTCPClient {
public:
    explicit TIdHTTP(TComponent* owner = nullptr);
    ~TIdHTTP() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The body, byte for byte; every failure is an exception.
    std::string GetAsString(const std::string& url);
    void GetToStream(const std::string& url, TIdMemoryStream& stream);
    void PerformRequest(TIdHTTPMethod method, const std::string& url, const std::string* source,
                        TIdMemoryStream* content);

    TIdHTTPRequest& Request() { return request_; }
    TIdHTTPResponse& Response() { return response_; }
    int ResponseCode() const { return response_.ResponseCode; }
    const std::string& ResponseText() const { return response_.ResponseText; }
    const TIdURI& URL() const { return url_; }
    TIdCookieManager* CookieManager() const { return cookieManager_; }
    void SetCookieManager(TIdCookieManager* manager);

    TIdHTTPProtocolVersion ProtocolVersion = TIdHTTPProtocolVersion::pv1_1;
    bool HandleRedirects = false;
    int RedirectMaximum = 15;
    int AuthRetries = 3;
    bool AllowCookies = true;
    // A longer body fails the request; -1: no limit.
    long long MaxBodySize = -1;
    unsigned HTTPOptions = hoForceEncodeParams;
    std::string ProxyServer;
    int ProxyPort = 0;

    // Offered every redirect: the location and method may be changed; `handled` decides.
    std::function<void(std::string& location, TIdHTTPMethod& method, int count, bool& handled)> OnRedirect;
    // Asked for credentials on 401; true to retry with them.
    std::function<bool(TIdBasicAuthentication&)> OnAuthorization;

private:
    enum class TOutcome { GoToURL, Done, Undecided, Authorise };
    void PrepareRequest();
    void SetHostAndPort();
    void ConnectToHost();
    void SendRequest();
    void ReadResult();
    TOutcome ProcessResponse(TIdMemoryStream* content);
    void ReadBody(TIdMemoryStream* stream);
    void DiscardBody();
    [[noreturn]] void RaiseProtocolException();
    bool Authorize();

    TIdHTTPRequest request_;
    TIdHTTPResponse response_;
    TIdURI url_;
    int redirectCount_ = 0, serverAuthCount_ = 0, proxyAuthCount_ = 0;
    TIdCookieManager* cookieManager_ = nullptr;
    std::unique_ptr<TIdCookieManager> ownedCookieManager_;
};

}  // namespace zelvora
