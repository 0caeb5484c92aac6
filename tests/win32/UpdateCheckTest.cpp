// The network layer on Winsock under a real window system: a request to a local server, the
// refused connect's error, the anti-freeze dispatching window messages while a reply is awaited,
// the program's version text and where the update server is looked up.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/win32/Autostart.h"
#include "app/win32/MainWindow.h"
#include "app/win32/UpdateCheck.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Registry.h"
#include "toolkit/win32/VersionText.h"
#include "update/AntiFreeze.h"
#include "update/Exceptions.h"
#include "update/HttpClient.h"

namespace zelvora {
namespace {

// A one-connection server on Winsock that waits `delayMs`, sends `reply` and closes.
class TLocalServer {
public:
    TLocalServer(std::string reply, int delayMs)
    {
        WSADATA data;
        WSAStartup(0x0202, &data);
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 4);
        int size = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        worker_ = std::thread([this, reply, delayMs] {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int n = recv(client, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                request.append(buffer, n);
            }
            request_ = request;
            Sleep(delayMs);
            send(client, reply.data(), static_cast<int>(reply.size()), 0);
            shutdown(client, SD_SEND);
            closesocket(client);
        });
    }
    ~TLocalServer()
    {
        closesocket(listener_);
        worker_.join();
        WSACleanup();
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/zelvora/version.txt"; }
    int Port() const { return port_; }
    std::string Request() const { return request_; }

private:
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::string request_;
    std::thread worker_;
};

std::atomic<int> ticks{0};
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++ticks;
}

TEST(WinsockClient, FetchesFromALocalServerWhileWindowMessagesKeepFlowing)
{
    TApplication app;
    TIdAntiFreeze antiFreeze;
    antiFreeze.ProcessMessages = [&] { app.ProcessMessages(); };
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, CountTick);
    TLocalServer server("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.0.0", 800);
    TIdHTTP http;
    ticks = 0;
    EXPECT_EQ(http.GetAsString(server.Url()), "1.0.0");
    KillTimer(nullptr, timer);
    const int sliced = ticks.load();
    EXPECT_GE(sliced, 1) << "the wait dispatched no messages";  // one pump per 250 ms slice without data

    // Where the window layer tells that messages wait, they are dispatched as they come: the
    // 10 ms timer keeps most of its pace (about 80 ticks in 800 ms).
    antiFreeze.MessagesWaiting = [&] { return app.MessageWaiting(); };
    TLocalServer paced("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.0.1", 800);
    const UINT_PTR pacedTimer = SetTimer(nullptr, 0, 10, CountTick);
    ticks = 0;
    EXPECT_EQ(http.GetAsString(paced.Url()), "1.0.1");
    KillTimer(nullptr, pacedTimer);
    // The same wait, measured in the same run: a timer of 10 ms against slices of 250 ms.
    EXPECT_GT(ticks.load(), 3 * sliced)
        << "woken by each message, the wait dispatched no more than the sliced one";
    EXPECT_EQ(server.Request(),
              "GET /zelvora/version.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: 127.0.0.1:" +
                  std::to_string(server.Port()) +
                  "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Zelvora)\r\n\r\n");
}

TEST(WinsockClient, RefusedConnectReportsWinsockError10061)
{
    int port = 0;
    {
        TLocalServer closed("", 0);
        port = closed.Port();
        // Answer the server's accept so that it ends.
        TIdTCPClient wake;
        wake.Host = "127.0.0.1";
        wake.Port = port;
        wake.OpenConnection(-1);
        wake.CloseConnection();
    }
    TIdHTTP http;
    try {
        http.GetAsString("http://127.0.0.1:" + std::to_string(port) + "/zelvora/version.txt");
        ADD_FAILURE() << "connected to a closed port";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError(), 10061);
        EXPECT_STREQ(e.what(), "Socket-Fehler # 10061\r\nVerbindung abgelehnt.");
    }
}

TEST(UpdateCheckParts, VersionTextAndTheServerSetting)
{
    EXPECT_EQ(GetVersionText(), "1.0.0");  // file version 1.0.0.1: the build number is left out
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, kUpdateServerValue);
    EXPECT_EQ(UpdateServer(), kDefaultUpdateServer);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    UniqueRegistryKey owned(key);
    const char mirror[] = "mirror.corp.example:8080";
    RegSetValueExA(key, kUpdateServerValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(mirror), sizeof mirror);
    EXPECT_EQ(UpdateServer(), "mirror.corp.example:8080");
    const DWORD number = 5;
    RegSetValueExA(key, kUpdateServerValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    EXPECT_EQ(UpdateServer(), kDefaultUpdateServer);  // a wrong type is passed over
    RegDeleteValueA(key, kUpdateServerValue);
}

TEST(UpdateCheckParts, ReadingTheServerAndTheAutostartLeavesNoKeyBehind)
{
    const auto keyExists = [](const char* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    };
    for (const char* path : {kSettingsKeyPath, kRunKeyPath}) RegDeleteTreeA(HKEY_CURRENT_USER, path);
    for (const char* path : {kSettingsKeyPath, kRunKeyPath}) RegDeleteKeyA(HKEY_CURRENT_USER, path);
    ASSERT_FALSE(keyExists(kSettingsKeyPath));
    ASSERT_FALSE(keyExists(kRunKeyPath));
    EXPECT_EQ(UpdateServer(), kDefaultUpdateServer);
    EXPECT_FALSE(AutostartEnabled());
    EXPECT_FALSE(keyExists(kSettingsKeyPath));
    EXPECT_FALSE(keyExists(kRunKeyPath));
}

}  // namespace
}  // namespace zelvora
