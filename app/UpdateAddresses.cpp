#include "app/UpdateAddresses.h"

#include "base/TextCase.h"

namespace zelvora {

namespace {

constexpr char kHttp[] = "http://";
constexpr char kHttps[] = "https://";

bool StartsWithText(const std::string& text, const std::string& start)
{
    return text.size() >= start.size() && SameText(text.substr(0, start.size()), start);
}

// "host[:port]" without a path or a trailing slash.
std::string HostAndPort(const std::string& rest)
{
    return rest.substr(0, rest.find('/'));
}

std::string WithPort(const std::string& hostAndPort, const char* port)
{
    return hostAndPort.find(':') == std::string::npos ? hostAndPort + ":" + port : hostAndPort;
}

std::string HostOnly(const std::string& hostAndPort)
{
    return hostAndPort.substr(0, hostAndPort.find(':'));
}

}  // namespace

TUpdateAddresses UpdateAddresses(const std::string& server)
{
    if (StartsWithText(server, kHttp)) {
        const std::string hostAndPort = HostAndPort(server.substr(sizeof kHttp - 1));
        return {kHttp + WithPort(hostAndPort, "80") + kVersionDocument,
                kHttp + hostAndPort + kDownloadDocument};
    }
    if (StartsWithText(server, kHttps)) {
        const std::string hostAndPort = HostAndPort(server.substr(sizeof kHttps - 1));
        return {kHttp + HostOnly(hostAndPort) + ":80" + kVersionDocument,
                kHttps + hostAndPort + kDownloadDocument};
    }
    const std::string hostAndPort = HostAndPort(server);
    return {kHttp + WithPort(hostAndPort, "80") + kVersionDocument,
            kHttps + HostOnly(hostAndPort) + kDownloadDocument};
}

}  // namespace zelvora
