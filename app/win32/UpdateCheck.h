// The online update check: where the update server is, and the
// question-and-answer round the menu command runs.
#pragma once

#include <chrono>
#include <string>

namespace zelvora {

class TIdHTTP;
class TsiLang;

// The server's name when the settings name none: a reserved name that never belongs to anyone.
inline constexpr char kDefaultUpdateServer[] = "update.zelvora.example";
inline constexpr char kUpdateServerValue[] = "UpdateServer";
// A server that accepts and never answers still gets the user an answer after this long.
inline constexpr int kUpdateReadTimeout = 30000;
// The whole check, from "Yes" to the answer, however slowly a server answers.
inline constexpr std::chrono::seconds kUpdateCheckTime{60};
// A version text is a few bytes; a server sending more is not the update server.
inline constexpr long long kUpdateMaxBody = 64 * 1024;

// "host", "host:port" or an address with its scheme from the settings, read at each check; the default server
// otherwise.
std::string UpdateServer();

// The whole check: asks, fetches, compares and offers the download. Raises the connection
// failure as an error with the translated text for the application's error display.
void RunUpdateCheck(TIdHTTP& http, TsiLang& texts);

}  // namespace zelvora
