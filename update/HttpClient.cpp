#include "update/HttpClient.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <limits>

#include "base/Restore.h"
#include "update/Exceptions.h"

namespace zelvora {

namespace {

constexpr char kDefaultAccept[] = "text/html, */*";
constexpr char kDefaultUserAgent[] = "Mozilla/3.0 (compatible; Zelvora)";
constexpr char kDefaultContentType[] = "text/html";

// A whole decimal number (sign allowed), or nothing.
bool ToInteger(const std::string& text, long long& value)
{
    const std::string t = Trim(text);
    std::size_t i = t.size() > 0 && (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i == t.size() || t.size() - i > 18) return false;
    for (std::size_t j = i; j < t.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(t[j]))) return false;
    value = std::stoll(t);
    return true;
}

long long StrToInt(const std::string& text)
{
    long long value = 0;
    if (!ToInteger(text, value)) throw EConvertError(text);
    return value;
}

const char* MethodWord(TIdHTTPMethod method)
{
    switch (method) {
        case TIdHTTPMethod::hmHead:
            return "HEAD ";
        case TIdHTTPMethod::hmGet:
            return "GET ";
        case TIdHTTPMethod::hmPost:
            return "POST ";
        case TIdHTTPMethod::hmOptions:
            return "OPTIONS ";
        case TIdHTTPMethod::hmTrace:
            return "TRACE ";
        case TIdHTTPMethod::hmPut:
            return "PUT ";
        case TIdHTTPMethod::hmConnect:
            return "CONNECT ";
        case TIdHTTPMethod::hmDelete:
            return "";  // no word of its own
    }
    return "";
}

}  // namespace

std::string Base64Encode(const std::string& bytes)
{
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned n = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += {kAlphabet[n >> 18], kAlphabet[(n >> 12) & 63], kAlphabet[(n >> 6) & 63], kAlphabet[n & 63]};
    }
    if (i + 1 == bytes.size()) {
        const unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
        out += {kAlphabet[n >> 18], kAlphabet[(n >> 12) & 63], '=', '='};
    } else if (i + 2 == bytes.size()) {
        const unsigned n =
            (static_cast<unsigned char>(bytes[i]) << 16) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        out += {kAlphabet[n >> 18], kAlphabet[(n >> 12) & 63], kAlphabet[(n >> 6) & 63], '='};
    }
    return out;
}

std::string TIdBasicAuthentication::Authentication() const
{
    return "Basic " + Base64Encode(Username + ":" + Password);
}

// ---- records ----

void TIdEntityHeaderInfo::Clear()
{
    Connection.clear(), ContentVersion.clear(), ContentEncoding.clear(), ContentLanguage.clear();
    CacheControl.clear(), Pragma.clear();
    ContentType = kDefaultContentType;
    ContentLength = -1;
    ContentRangeStart = ContentRangeEnd = 0;
    Date = Expires = LastModified = 0;
    RawHeaders.Clear();
}

void TIdRequestHeaderInfo::ClearRequest()
{
    Accept = kDefaultAccept;
    UserAgent = kDefaultUserAgent;
    AcceptCharSet.clear(), AcceptEncoding.clear(), AcceptLanguage.clear(), Host.clear(), From.clear(),
        Referer.clear();
    ProxyConnection.clear(), Username.clear(), Password.clear();
    BasicAuthentication = false;
}

void TIdRequestHeaderInfo::SetHeaders()
{
    TIdHeaderList& raw = RawHeaders;
    raw.Clear();
    raw.SetValue("Connection", Connection);
    raw.SetValue("Content-Version", ContentVersion);
    raw.SetValue("Content-Encoding", ContentEncoding);
    raw.SetValue("Content-Language", ContentLanguage);
    raw.SetValue("Content-Type", ContentType);
    if (ContentLength >= 0) raw.SetValue("Content-Length", std::to_string(ContentLength));
    raw.SetValue("Cache-control", CacheControl);
    if (Date > 0) raw.SetValue("Date", FormatInternetDate(Date));
    if (Expires > 0) raw.SetValue("Expires", FormatInternetDate(Expires));
    raw.SetValue("Pragma", Pragma);
    for (const std::string& line : CustomHeaders) raw.Add(line);
    raw.SetValue("Proxy-Connection", ProxyConnection);
    raw.SetValue("Host", Host);
    raw.SetValue("Accept", Accept);
    raw.SetValue("Accept-Charset", AcceptCharSet);
    raw.SetValue("Accept-Encoding", AcceptEncoding);
    raw.SetValue("Accept-Language", AcceptLanguage);
    raw.SetValue("From", From);
    raw.SetValue("Referer", Referer);
    raw.SetValue("User-Agent", UserAgent);
    if (LastModified > 0) raw.SetValue("If-Modified-Since", FormatInternetDate(LastModified));
    if (ContentRangeStart != 0 || ContentRangeEnd != 0)
        raw.SetValue("Range", "bytes=" + std::to_string(ContentRangeStart) + "-" +
                                  (ContentRangeEnd != 0 ? std::to_string(ContentRangeEnd) : std::string()));
    if (Authentication) {
        raw.SetValue("Authorization", Authentication->Authentication());
    } else if (BasicAuthentication) {
        TIdBasicAuthentication basic;
        basic.Username = Username, basic.Password = Password;
        raw.SetValue("Authorization", basic.Authentication());
    }
}

void TIdResponseHeaderInfo::ProcessHeaders()
{
    const TIdHeaderList& raw = RawHeaders;
    Location = raw.Values("Location");
    Server = raw.Values("Server");
    ProxyConnection = raw.Values("Proxy-Connection");
    const std::string range = raw.Values("Content-Range");
    ContentRangeStart = ContentRangeEnd = 0;
    if (!range.empty()) {
        const std::string span =
            range.substr(range.find(' ') == std::string::npos ? range.size() : range.find(' ') + 1);
        const std::size_t dash = span.find('-');
        ContentRangeStart = StrToInt(span.substr(0, dash));
        const std::string afterDash = dash == std::string::npos ? std::string() : span.substr(dash + 1);
        ContentRangeEnd = StrToInt(afterDash.substr(0, afterDash.find('/')));
    }
    WWWAuthenticate = raw.AllValues("WWW-Authenticate");
    ProxyAuthenticate = raw.AllValues("Proxy-Authenticate");
    Connection = raw.Values("Connection");
    ContentVersion = raw.Values("Content-Version");
    ContentEncoding = raw.Values("Content-Encoding");
    ContentLanguage = raw.Values("Content-Language");
    ContentType = raw.Values("Content-Type");
    long long length = -1;
    ContentLength = ToInteger(raw.Values("Content-Length"), length) ? length : -1;
    Date = ParseInternetDate(raw.Values("Date"));
    LastModified = ParseInternetDate(raw.Values("Last-Modified"));
    const std::string expires = raw.Values("Expires");
    long long seconds = 0;
    if (ToInteger(expires, seconds)) {
        // A delta in seconds; a negative one is no date, a huge one the farthest time there is.
        const std::time_t now = std::time(nullptr);
        const std::time_t latest = std::numeric_limits<std::time_t>::max();
        Expires = seconds < 0 ? 0 : seconds > latest - now ? latest : now + static_cast<std::time_t>(seconds);
    } else {
        Expires = ParseInternetDate(expires);
    }
    Pragma = raw.Values("Pragma");
}

// ---- client ----

TIdHTTP::TIdHTTP(TComponent* owner) : TIdTCPClient(owner)
{
    Port = 80;
    url_.Port = "80";
}

TIdHTTP::~TIdHTTP() = default;

const TClassInfo& TIdHTTP::StaticClassInfo()
{
    static const TClassInfo info("TIdHTTP", &TComponent::StaticClassInfo(), {});
    return info;
}

void TIdHTTP::SetCookieManager(TIdCookieManager* manager)
{
    if (manager != ownedCookieManager_.get()) ownedCookieManager_.reset();
    cookieManager_ = manager;
}

std::string TIdHTTP::GetAsString(const std::string& url)
{
    TIdMemoryStream stream;
    GetToStream(url, stream);
    return stream.Take();
}

void TIdHTTP::GetToStream(const std::string& url, TIdMemoryStream& stream)
{
    PerformRequest(TIdHTTPMethod::hmGet, url, nullptr, &stream);
}

void TIdHTTP::PrepareRequest()
{
    const TIdURI uri(request_.URL);
    if (!uri.Username.empty()) {
        request_.Username = uri.Username;
        request_.Password = uri.Password;
    }
    url_.Username = request_.Username;
    url_.Password = request_.Password;
    url_.Path = !uri.Path.empty() && uri.Path[0] == '/' ? uri.Path : NormalizePath(url_.Path + uri.Path);
    url_.Document = uri.Document;
    url_.Query = uri.Query;
    if (!uri.Host.empty()) url_.Host = uri.Host;
    url_.Protocol = uri.Protocol.empty() ? "http" : uri.Protocol;
    if (!uri.Port.empty()) {
        url_.Port = uri.Port;
    } else if (url_.Port.empty() || url_.Port == "0" || url_.Port == "80" || url_.Port == "443") {
        if (SameText(url_.Protocol, "http"))
            url_.Port = "80";
        else if (SameText(url_.Protocol, "https"))
            url_.Port = "443";
        else
            throw EIdUnknownProtocol();
    }
    const TIdHTTPMethod method = request_.Method;
    const bool onlyIn11 = method == TIdHTTPMethod::hmOptions || method == TIdHTTPMethod::hmTrace ||
                          method == TIdHTTPMethod::hmPut || method == TIdHTTPMethod::hmDelete;
    if (onlyIn11 && ProtocolVersion == TIdHTTPProtocolVersion::pv1_0)
        throw EIdException("This request method is supported in HTTP 1.1");
    const bool withBody = method == TIdHTTPMethod::hmPost || method == TIdHTTPMethod::hmPut;
    request_.ContentLength =
        withBody && request_.Source ? static_cast<long long>(request_.Source->size()) : -1;
    request_.Host = url_.Port != "80" ? url_.Host + ":" + url_.Port : url_.Host;
}

void TIdHTTP::SetHostAndPort()
{
    const long long urlPort = StrToInt(url_.Port);
    if (urlPort < 0 || urlPort > 65535) throw EConvertError(url_.Port);
    if (ProxyServer.empty()) {
        if (!SameText(Host, url_.Host) || Port != urlPort) {
            if (IsConnected()) CloseConnection();
            Host = url_.Host;
            Port = static_cast<int>(urlPort);
        }
        // No secure transport is ever attached.
        if (SameText(url_.Protocol, "HTTPS")) throw EIdIOHandlerPropInvalid();
        request_.ConnectionType = TIdHTTPConnectionType::ctNormal;
        if (ProtocolVersion == TIdHTTPProtocolVersion::pv1_0 && request_.Connection.empty())
            request_.Connection = "keep-alive";
    } else {
        if (!SameText(Host, ProxyServer) || Port != ProxyPort) {
            if (IsConnected()) CloseConnection();
            Host = ProxyServer;
            Port = ProxyPort;
        }
        if (SameText(url_.Protocol, "HTTPS")) throw EIdIOHandlerPropInvalid();
        request_.ConnectionType = TIdHTTPConnectionType::ctProxy;
        if (ProtocolVersion == TIdHTTPProtocolVersion::pv1_0 && request_.Connection.empty())
            request_.ProxyConnection = "keep-alive";
    }
}

void TIdHTTP::ConnectToHost()
{
    if (!response_.KeepAlive) CloseConnection();
    if (transport_ && transport_->Connected()) PollPeerClosed();
    if (!IsConnected()) OpenConnection(ReadTimeout);
}

void TIdHTTP::SendRequest()
{
    std::string target = url_.Path + url_.Document + url_.Query;
    if (request_.Method == TIdHTTPMethod::hmOptions && url_.Document == "*") target = "*";
    if (request_.ConnectionType == TIdHTTPConnectionType::ctProxy) target = url_.FullURI();
    request_.SetHeaders();
    if (cookieManager_) {
        const std::string cookies =
            cookieManager_->CookieHeader(url_.Host, url_.Path, false, std::time(nullptr));
        if (!cookies.empty()) request_.RawHeaders.SetValue("Cookie", cookies);
    }
    BeginWriteBatch(-1);
    try {
        WriteLine(MethodWord(request_.Method) + target + " HTTP/" +
                  (ProtocolVersion == TIdHTTPProtocolVersion::pv1_0 ? "1.0" : "1.1"));
        for (const std::string& line : request_.RawHeaders.Lines())
            if (!line.empty()) WriteLine(line);
        WriteLine("");
    } catch (...) {
        EndWriteBatch();
        throw;
    }
    EndWriteBatch();
    if (request_.Source &&
        (request_.Method == TIdHTTPMethod::hmPost || request_.Method == TIdHTTPMethod::hmPut))
        WriteText(*request_.Source);
}

void TIdHTTP::ReadResult()
{
    std::size_t headBytes = 0;
    int headLines = 0;
    const auto count = [&](const std::string& line) {
        headBytes += line.size() + 2;
        if (++headLines > kIdMaxHeadLines || headBytes > kIdMaxHeadBytes)
            throw EIdException("Response head too large");
    };
    do {
        response_.ResponseText = ReadLine();
        count(response_.ResponseText);
        response_.RawHeaders.Clear();
        try {
            for (std::string line = ReadLine(); !line.empty(); line = ReadLine()) {
                count(line);
                response_.RawHeaders.Add(line);
            }
        } catch (const EIdConnClosedGracefully&) {
            CloseConnection();
        }
        response_.ProcessHeaders();
        // Status code: the word after the first space.
        const std::string& status = response_.ResponseText;
        const std::size_t space = status.find(' ');
        std::string code = Trim(space == std::string::npos ? status : status.substr(space + 1));
        code = code.substr(0, code.find(' '));
        long long value = -1;
        response_.ResponseCode =
            ToInteger(code, value) && value >= INT_MIN && value <= INT_MAX ? static_cast<int>(value) : -1;
        // Cookies.
        if (AllowCookies && !cookieManager_) {
            ownedCookieManager_ = std::make_unique<TIdCookieManager>(nullptr);
            cookieManager_ = ownedCookieManager_.get();
        }
        if (cookieManager_) {
            const std::time_t now = std::time(nullptr);
            for (const std::string& cookie : response_.RawHeaders.AllValues("Set-cookie"))
                cookieManager_->AddCookie(cookie, url_.Host, TIdCookieKind::RFC2109, now);
            for (const std::string& cookie : response_.RawHeaders.AllValues("Set-cookie2"))
                cookieManager_->AddCookie(cookie, url_.Host, TIdCookieKind::RFC2965, now);
        }
    } while (response_.ResponseCode == 100);
    const std::string version =
        response_.ResponseText.size() >= 8 ? response_.ResponseText.substr(5, 3) : std::string();
    response_.ResponseVersion =
        SameText(version, "1.0") ? TIdHTTPProtocolVersion::pv1_0 : TIdHTTPProtocolVersion::pv1_1;
    CheckPeerClosed(false, false);
    if (!transport_ || !transport_->Connected()) {
        response_.KeepAlive = false;
    } else if (ProtocolVersion == TIdHTTPProtocolVersion::pv1_0) {
        response_.KeepAlive =
            SameText(response_.Connection, "KEEP-ALIVE") || SameText(response_.ProxyConnection, "KEEP-ALIVE");
    } else if (response_.ResponseVersion == TIdHTTPProtocolVersion::pv1_0) {
        // An HTTP/1.0 server closes after its reply unless it says otherwise; reusing the
        // connection would race its close and fail the next request.
        response_.KeepAlive = SameText(response_.Connection, "KEEP-ALIVE");
    } else {
        response_.KeepAlive =
            !SameText(response_.Connection, "CLOSE") && !SameText(response_.ProxyConnection, "CLOSE");
    }
}

namespace {

// The size of a chunk: hex digits, then an optional extension after ";" (skipped) or blanks.
long long ChunkSize(const std::string& line)
{
    long long size = 0;
    std::size_t digits = 0;
    for (char c : line) {
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : -1;
        if (digit < 0) {
            if (c == ';' || c == ' ' || c == '\t') break;
            throw EIdException("Malformed chunk size: " + line);
        }
        if (size > (LLONG_MAX >> 4)) throw EIdException("Chunk size out of range: " + line);
        size = size * 16 + digit;
        ++digits;
    }
    if (digits == 0) throw EIdException("Malformed chunk size: " + line);
    return size;
}

}  // namespace

void TIdHTTP::ReadBody(TIdMemoryStream* stream)
{
    if (!stream) return;
    const std::size_t start = stream->Position();
    const auto tooLarge = [&](long long more) {
        // Compared without adding: a chunk may announce nearly LLONG_MAX bytes.
        const auto used = static_cast<long long>(stream->Position() - start);
        return MaxBodySize >= 0 && (used > MaxBodySize || more > MaxBodySize - used);
    };
    if (response_.ContentLength >= 1) {
        if (tooLarge(response_.ContentLength)) throw EIdException("Response body too large");
        try {
            ReadIntoStream(*stream, response_.ContentLength, false);
        } catch (const EIdConnClosedGracefully&) {
            throw EIdException("Response body cut short");
        }
        if (static_cast<long long>(stream->Position() - start) < response_.ContentLength)
            throw EIdException("Response body cut short");
    } else if (LowerCase(response_.RawHeaders.Values("Transfer-Encoding")).find("chunked") !=
               std::string::npos) {
        DoStatus(TIdStatus::hsStatusText, "Chunk gestartet");
        try {
            for (long long size = ChunkSize(ReadLine()); size > 0; size = ChunkSize(ReadLine())) {
                if (tooLarge(size)) throw EIdException("Response body too large");
                ReadIntoStream(*stream, size, false);
                ReadLine();
            }
            // The trailer: header lines up to an empty one, as many as a head may hold.
            for (int lines = 0; !ReadLine().empty();)
                if (++lines > kIdMaxHeadLines) throw EIdException("Response head too large");
        } catch (const EIdConnClosedGracefully&) {
            throw EIdException("Response body cut short");
        }
    } else if (!response_.HasContentLength()) {
        ReadIntoStream(*stream, MaxBodySize >= 0 && MaxBodySize < LLONG_MAX ? MaxBodySize + 1 : -1, true);
        if (tooLarge(0)) throw EIdException("Response body too large");
    }
}

void TIdHTTP::DiscardBody()
{
    TRestore<int> restore{ReadTimeout, ReadTimeout};
    ReadTimeout = kIdDiscardBodyTimeout;
    TIdMemoryStream scratch;
    try {
        ReadBody(&scratch);
    } catch (const std::exception&) {
        // What a redirect or authorisation page says is not needed.
    }
}

void TIdHTTP::RaiseProtocolException()
{
    TIdMemoryStream page;
    {
        TRestore<int> restore{ReadTimeout, ReadTimeout};
        ReadTimeout = kIdErrorBodyTimeout;
        ReadBody(&page);
    }
    throw EIdHTTPProtocolException(response_.ResponseCode, response_.ResponseText, page.Data());
}

bool TIdHTTP::Authorize()
{
    ++serverAuthCount_;
    if (!request_.Authentication) {
        bool basic = false;
        for (const std::string& value : response_.WWWAuthenticate)
            if (SameText(value.substr(0, value.find(' ')), "Basic")) {
                basic = true;
                break;
            }
        if (!basic) return false;
        request_.Authentication = std::make_unique<TIdBasicAuthentication>();
    }
    if (!OnAuthorization) return false;
    return OnAuthorization(*request_.Authentication);
}

TIdHTTP::TOutcome TIdHTTP::ProcessResponse(TIdMemoryStream* content)
{
    TOutcome outcome = TOutcome::Undecided;
    const int code = response_.ResponseCode;
    const int statusClass = code / 100;
    bool needAuthorisation = false;
    if ((statusClass == 3 && code != 304) || !response_.Location.empty()) {
        std::string location = response_.Location;
        TIdHTTPMethod method = request_.Method;
        bool handled = HandleRedirects;
        if (HandleRedirects && redirectCount_ < RedirectMaximum) {
            if (OnRedirect) OnRedirect(location, method, redirectCount_, handled);
            if (!handled) RaiseProtocolException();
            outcome = TOutcome::GoToURL;
            request_.URL = location;
            request_.Method = method;
        } else {
            outcome = TOutcome::Done;
            handled = false;
            if (OnRedirect) OnRedirect(location, method, redirectCount_, handled);
            if (!handled) RaiseProtocolException();
            response_.Location = location;
        }
        if (IsConnected()) DiscardBody();
        return outcome;
    }
    if (statusClass != 2) {
        outcome = TOutcome::GoToURL;
        if (code == 401 || code == 407) {
            int& counter = code == 401 ? serverAuthCount_ : proxyAuthCount_;
            if (counter >= AuthRetries || !Authorize()) {
                if (request_.Authentication) request_.Authentication->Reset();
                RaiseProtocolException();
            }
            if (HTTPOptions & hoInProcessAuth) needAuthorisation = true;
        } else {
            RaiseProtocolException();
        }
    }
    if (IsConnected()) {
        if (needAuthorisation) {
            DiscardBody();
            outcome = TOutcome::Authorise;
        } else {
            if (code != 204) ReadBody(content);
            outcome = TOutcome::Done;
        }
    }
    return outcome;
}

void TIdHTTP::PerformRequest(TIdHTTPMethod method, const std::string& url, const std::string* source,
                             TIdMemoryStream* content)
{
    serverAuthCount_ = proxyAuthCount_ = 0;
    request_.URL = url;
    request_.Method = method;
    request_.Source = source;
    const std::size_t start = content ? content->Position() : 0;
    const auto rewind = [&] {
        if (!content) return;
        content->Seek(start);
        content->Truncate();
    };
    try {
        for (bool more = true; more;) {
            ++redirectCount_;
            PrepareRequest();
            SetHostAndPort();
            ConnectToHost();
            SendRequest();
            ReadResult();
            switch (ProcessResponse(content)) {
                case TOutcome::GoToURL:
                    rewind();
                    serverAuthCount_ = proxyAuthCount_ = 0;
                    break;
                case TOutcome::Authorise:
                    --redirectCount_;
                    request_.URL = url;
                    break;
                case TOutcome::Undecided:
                    throw EIdException("Undefined situation");
                case TOutcome::Done:
                    more = false;
                    break;
            }
        }
        redirectCount_ = 0;
    } catch (const EIdHTTPProtocolException&) {
        redirectCount_ = 0;
        if (!response_.KeepAlive) CloseConnection();
        throw;
    } catch (...) {
        redirectCount_ = 0;
        // A failure inside an exchange may leave unread bytes behind: the connection is not used again.
        CloseConnection();
        throw;
    }
    if (!response_.KeepAlive) CloseConnection();
}

}  // namespace zelvora
