// Where the update check asks and where the download lies, from the "UpdateServer" setting.
#pragma once

#include <string>

namespace zelvora {

inline constexpr char kVersionDocument[] = "/zelvora/version.txt";
inline constexpr char kDownloadDocument[] = "/zelvora/Zelvora.exe";

struct TUpdateAddresses {
    std::string Version;   // always with its port: the client keeps a port an earlier request named
    std::string Download;  // what the browser opens
};

// "host" or "host:port": the version text over plain HTTP, the download over HTTPS on its standard
// port (the browser checks the server, so no one on the way can swap the program). A value that
// names its scheme is used as it stands: "http://host:port" keeps both plain (a local mirror);
// "https://host[:port]" names where the download lies.
TUpdateAddresses UpdateAddresses(const std::string& server);

}  // namespace zelvora
