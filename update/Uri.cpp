#include "update/Uri.h"

#include <algorithm>
#include <vector>

#include "update/Exceptions.h"

namespace zelvora {

void TIdURI::SetURI(std::string uri)
{
    for (char& c : uri)
        if (c == '\\') c = '/';
    uri_ = uri;
    Protocol.clear(), Host.clear(), Port.clear(), Path.clear(), Document.clear(), Query.clear(),
        Fragment.clear();
    Username.clear(), Password.clear();
    std::string pathText = uri;
    const std::size_t scheme = uri.find("://");
    const bool absolute = scheme != std::string::npos;
    if (absolute) {
        Protocol = uri.substr(0, scheme);
        const std::string rest = uri.substr(scheme + 3);
        const std::size_t slash = rest.find('/');
        std::string authority = rest.substr(0, slash);
        pathText = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
        const std::size_t at = authority.find('@');
        if (at != std::string::npos) {
            const std::string credentials = authority.substr(0, at);
            authority.erase(0, at + 1);
            const std::size_t colon = credentials.find(':');
            Username = credentials.substr(0, colon);
            if (colon != std::string::npos) Password = credentials.substr(colon + 1);
            if (Username.empty()) Password.clear();
        }
        const std::size_t colon = authority.find(':');
        Host = authority.substr(0, colon);
        if (colon != std::string::npos) Port = authority.substr(colon + 1);
    }
    std::size_t queryStart = pathText.find('?');
    if (queryStart == std::string::npos) queryStart = pathText.find('=');
    const std::string beforeQuery = pathText.substr(0, queryStart);
    const std::size_t lastSlash = beforeQuery.rfind('/');
    const std::size_t documentStart = lastSlash == std::string::npos ? 0 : lastSlash + 1;
    Path = pathText.substr(0, documentStart);
    if (absolute) Path = "/" + Path;
    Document = beforeQuery.substr(documentStart);
    if (queryStart != std::string::npos) Query = pathText.substr(queryStart);
    if (absolute) {
        const std::size_t hash = Document.find('#');
        if (hash != std::string::npos) {
            Fragment = Document.substr(hash + 1);
            Document.resize(hash);
        }
        if (Fragment.empty()) {
            const std::size_t queryHash = Query.find('#');
            if (queryHash != std::string::npos) {
                Fragment = Query.substr(queryHash + 1);
                Query.resize(queryHash);
            }
        }
    }
}

std::string TIdURI::FullURI() const
{
    if (Protocol.empty()) throw EIdURIException("Protokollfeld ist leer");
    if (Host.empty()) throw EIdURIException("Host-Feld ist leer");
    return Protocol + "://" + Host + (Port.empty() ? "" : ":" + Port) + Path + Document + Query;
}

std::string NormalizePath(const std::string& path)
{
    std::vector<std::string> segments;
    std::size_t start = 0;
    const bool leading = !path.empty() && path[0] == '/';
    const bool trailing = !path.empty() && path.back() == '/';
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string result = leading ? "/" : "";
    for (std::size_t i = 0; i < segments.size(); ++i) result += (i ? "/" : "") + segments[i];
    if (trailing && !segments.empty()) result += '/';
    return result;
}

}  // namespace zelvora
