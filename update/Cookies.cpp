#include "update/Cookies.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "update/HeaderList.h"
#include "update/SocketStack.h"

namespace zelvora {

namespace {

constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kDays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

int MonthIndex(const char* name)
{
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (SameText(std::string(name).substr(0, 3), kMonths[i])) return static_cast<int>(i);
    return -1;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

std::vector<std::string> SplitTrimmed(const std::string& text, char separator)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        items.push_back(Trim(text.substr(start, end - start)));
        start = end + 1;
    }
    return items;
}

}  // namespace

std::time_t ParseInternetDate(const std::string& text)
{
    char month[4] = {};
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    const char* s = text.c_str();
    const char* comma = std::strchr(s, ',');
    bool parsed = false;
    if (comma) {
        // "Sun, 06 Nov 1994 08:49:37 GMT" or "Sunday, 06-Nov-94 08:49:37 GMT"
        parsed =
            std::sscanf(comma + 1, " %d %3s %d %d:%d:%d", &day, month, &year, &hour, &minute, &second) == 6 ||
            std::sscanf(comma + 1, " %d-%3s-%d %d:%d:%d", &day, month, &year, &hour, &minute, &second) == 6;
        if (parsed && year < 100) year += year < 70 ? 2000 : 1900;
    } else {
        // "Sun Nov  6 08:49:37 1994"
        char weekday[4] = {};
        parsed = std::sscanf(s, "%3s %3s %d %d:%d:%d %d", weekday, month, &day, &hour, &minute, &second,
                             &year) == 7;
    }
    const int m = parsed ? MonthIndex(month) : -1;
    if (m < 0 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 60 || year < 1970 || year > 9999)
        return 0;
    return static_cast<std::time_t>(
        DaysFromCivil(year, static_cast<unsigned>(m + 1), static_cast<unsigned>(day)) * 86400LL +
        hour * 3600LL + minute * 60LL + second);
}

std::string FormatInternetDate(std::time_t when)
{
    const long long days = static_cast<long long>(when) / 86400;
    long long rest = static_cast<long long>(when) % 86400;
    // Civil date from days (inverse of DaysFromCivil).
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02u %s %04lld %02lld:%02lld:%02lld GMT",
                  kDays[static_cast<std::size_t>((days % 7 + 11) % 7)], d, kMonths[m - 1], y, rest / 3600,
                  rest / 60 % 60, rest % 60);
    return text;
}

const TClassInfo& TIdCookieManager::StaticClassInfo()
{
    static const TClassInfo info("TIdCookieManager", &TComponent::StaticClassInfo(), {});
    return info;
}

bool TIdCookieManager::AddCookie(const std::string& value, const std::string& host, TIdCookieKind kind,
                                 std::time_t now)
{
    const std::vector<std::string> items = SplitTrimmed(value, ';');
    TIdCookie cookie;
    cookie.Kind = kind;
    const std::size_t equals = items[0].find('=');
    cookie.Name = Trim(items[0].substr(0, equals));
    if (equals != std::string::npos) cookie.Value = Trim(items[0].substr(equals + 1));
    if (cookie.Name.empty()) return false;
    std::string maxAge;
    bool hasExpires = false;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const std::size_t eq = items[i].find('=');
        const std::string name = UpperCase(Trim(items[i].substr(0, eq)));
        std::string attribute = eq == std::string::npos ? std::string() : Trim(items[i].substr(eq + 1));
        if (name == "PATH") {
            if (attribute.size() >= 2 && attribute.front() == '"' && attribute.back() == '"')
                attribute = attribute.substr(1, attribute.size() - 2);
            cookie.Path = attribute;
        } else if (name == "EXPIRES") {
            hasExpires = true;
            cookie.Expires = ParseInternetDate(attribute);
        } else if (name == "DOMAIN") {
            cookie.Domain = attribute;
        } else if (name == "SECURE") {
            cookie.Secure = true;
        } else if (kind == TIdCookieKind::RFC2109 && name == "MAX-AGE") {
            maxAge = attribute;
        } else if (kind == TIdCookieKind::RFC2109 && name == "VERSION") {
            cookie.Version = attribute;
        } else if (kind == TIdCookieKind::RFC2109 && name == "COMMENT") {
            cookie.Comment = attribute;
        }
    }
    if (!hasExpires && !maxAge.empty() &&
        std::all_of(maxAge.begin(), maxAge.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        maxAge.size() < 12)
        cookie.Expires = now + static_cast<std::time_t>(std::stoll(maxAge));
    if (cookie.Domain.empty()) cookie.Domain = host;
    // Only for the host that sent it: exactly, or from its first dot on for a ".domain".
    bool fits;
    if (TIdStack::IsDottedQuad(host) || cookie.Domain[0] != '.') {
        fits = SameText(cookie.Domain, host);
    } else {
        const std::size_t dot = host.find('.');
        fits = dot != std::string::npos && SameText(cookie.Domain, host.substr(dot));
    }
    if (!fits || (OnNewCookie && !OnNewCookie(cookie))) return false;
    TCookieGroup& group = domains_[LowerCase(cookie.Domain)];
    const auto [place, added] = group.ByName.try_emplace(cookie.Name, group.Cookies.size());
    if (added)
        group.Cookies.push_back(std::move(cookie));
    else
        group.Cookies[place->second] = std::move(cookie);
    return true;
}

std::string TIdCookieManager::CookieHeader(const std::string& host, const std::string& path, bool secure,
                                           std::time_t now)
{
    for (auto& [domain, group] : domains_) {
        std::vector<TIdCookie>& cookies = group.Cookies;
        const auto expired = std::remove_if(cookies.begin(), cookies.end(), [&](const TIdCookie& c) {
            return c.Expires != 0 && c.Expires < now;
        });
        if (expired == cookies.end()) continue;
        cookies.erase(expired, cookies.end());
        group.ByName.clear();
        for (std::size_t i = 0; i < cookies.size(); ++i) group.ByName.emplace(cookies[i].Name, i);
    }
    std::vector<const TIdCookie*> chosen;
    const std::string lowerHost = LowerCase(host);
    for (const auto& [domain, group] : domains_) {
        if (lowerHost.find(domain) == std::string::npos) continue;
        for (const TIdCookie& c : group.Cookies)
            if (!c.Path.empty() && path.compare(0, c.Path.size(), c.Path) == 0 && !c.Value.empty() &&
                (!c.Secure || secure))
                chosen.push_back(&c);
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const TIdCookie* a, const TIdCookie* b) { return a->Path.size() > b->Path.size(); });
    std::string header;
    for (const TIdCookie* c : chosen) header += (header.empty() ? "" : "; ") + c->Name + "=" + c->Value;
    return header;
}

std::size_t TIdCookieManager::Count() const
{
    std::size_t count = 0;
    for (const auto& [domain, group] : domains_) count += group.Cookies.size();
    return count;
}

}  // namespace zelvora
