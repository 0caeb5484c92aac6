// A URL and its parts, all text: protocol, host, port, path (the directory, ending in "/"),
// document, query (with its "?"), fragment, user name and password.
#pragma once

#include <string>

namespace zelvora {

class TIdURI {
public:
    TIdURI() = default;
    explicit TIdURI(const std::string& uri) { SetURI(uri); }
    void SetURI(std::string uri);
    const std::string& URI() const { return uri_; }
    // protocol://host[:port]path document query; raises EIdURIException without protocol or host.
    std::string FullURI() const;

    std::string Protocol, Host, Port, Path, Document, Query, Fragment, Username, Password;

private:
    std::string uri_;
};

// Resolves "." and ".." in a path made of "/"-separated segments.
std::string NormalizePath(const std::string& path);

}  // namespace zelvora
