// Cookies the server set, grouped by domain, and the "Cookie" line sent back with later requests.
#pragma once

#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/Component.h"

namespace zelvora {

// Seconds since 1970 (UTC) of an Internet date ("Sun, 06 Nov 1994 08:49:37 GMT", the RFC 850 and
// asctime forms); 0 when the text is none of them.
std::time_t ParseInternetDate(const std::string& text);
std::string FormatInternetDate(std::time_t when);

enum class TIdCookieKind { RFC2109, RFC2965 };

struct TIdCookie {
    TIdCookieKind Kind = TIdCookieKind::RFC2109;
    std::string Name, Value, Path, Domain, Comment, Version;
    std::time_t Expires = 0;  // 0: none
    bool Secure = false;
};

class TIdCookieManager : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Stores a "Set-cookie" (or "Set-cookie2") value received from `host`; false when it was refused.
    bool AddCookie(const std::string& value, const std::string& host, TIdCookieKind kind, std::time_t now);
    // The "Cookie" value for a request, empty when none applies; expired cookies are dropped first.
    std::string CookieHeader(const std::string& host, const std::string& path, bool secure, std::time_t now);
    std::size_t Count() const;
    // May refuse a cookie by returning false.
    std::function<bool(const TIdCookie&)> OnNewCookie;

private:
    // A domain's cookies in arrival order, and where each name stands, so that storing a response's
    // worth of cookies takes linear time.
    struct TCookieGroup {
        std::vector<TIdCookie> Cookies;
        std::unordered_map<std::string, std::size_t> ByName;
    };
    std::map<std::string, TCookieGroup> domains_;
};

}  // namespace zelvora
