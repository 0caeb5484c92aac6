// The network layer on Winsock under a real window system: a request to a local server, the
// refused connect's error, the anti-freeze dispatching window messages while a reply is awaited,
// the program's version text and where the update server is looked up.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
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
#include "update/SocketStack.h"

namespace zelvora {
namespace {

// A one-connection server on Winsock that reads a request, waits until `replyWhen` says so (at
// once when it says nothing), sends `reply` and closes.
class TLocalServer {
public:
    TLocalServer(std::string reply, std::function<void()> replyWhen = {})
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
        worker_ = std::thread([this, reply, replyWhen] {
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
            if (replyWhen) replyWhen();
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

// The platform's socket services, counting how the client's waits for data end.
class TCountingStack : public TIdStack {
public:
    static inline std::atomic<int> SliceEnds{0}, MessageWakes{0};

    TIdSocket NewSocket() override { return inner_->NewSocket(); }
    int Bind(TIdSocket s, const std::string& ip, int port) override { return inner_->Bind(s, ip, port); }
    int Connect(TIdSocket s, const std::string& ip, int port) override
    {
        return inner_->Connect(s, ip, port);
    }
    int ConnectStart(TIdSocket s, const std::string& ip, int port) override
    {
        return inner_->ConnectStart(s, ip, port);
    }
    int ConnectWait(TIdSocket s, int ms) override { return inner_->ConnectWait(s, ms); }
    void Shutdown(TIdSocket s, int how) override { inner_->Shutdown(s, how); }
    void Close(TIdSocket s) override { inner_->Close(s); }
    int Recv(TIdSocket s, char* buffer, int size) override { return inner_->Recv(s, buffer, size); }
    int Send(TIdSocket s, const char* buffer, int size) override { return inner_->Send(s, buffer, size); }
    int WaitReadable(TIdSocket s, int ms) override { return Counted(inner_->WaitReadable(s, ms)); }
    bool WaitsOnMessages() const override { return inner_->WaitsOnMessages(); }
    int WaitReadableOrMessage(TIdSocket s, int ms) override
    {
        return Counted(inner_->WaitReadableOrMessage(s, ms));
    }
    int SetNoDelay(TIdSocket s) override { return inner_->SetNoDelay(s); }
    void SockName(TIdSocket s, std::string& ip, int& port) override { inner_->SockName(s, ip, port); }
    void PeerName(TIdSocket s, std::string& ip, int& port) override { inner_->PeerName(s, ip, port); }
    int WSGetLastError() override { return inner_->WSGetLastError(); }

protected:
    std::string HostByName(const std::string& name) override
    {
        int error = 0;
        return inner_->Resolve(name, error);
    }

private:
    static int Counted(int answer)
    {
        if (answer == 0) ++SliceEnds;
        if (answer == kMessageWaiting) ++MessageWakes;
        return answer;
    }
    std::unique_ptr<TIdStack> inner_ = CreatePlatformStack();
};

std::atomic<int> ticks{0};
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++ticks;
}

// Holds the server's reply until the window thread has dispatched `count` timer ticks.
std::function<void()> AfterTicks(int count)
{
    return [count] {
        while (ticks.load() < count) std::this_thread::yield();
    };
}

TEST(WinsockClient, FetchesFromALocalServerWhileWindowMessagesKeepFlowing)
{
    TIdStack::SetFactory([] { return std::make_unique<TCountingStack>(); });
    TApplication app;
    TIdAntiFreeze antiFreeze;
    antiFreeze.ProcessMessages = [&] { app.ProcessMessages(); };
    TIdHTTP http;
    TIdStack::SetFactory(nullptr);

    // The server answers only once the timer has been served during the wait: without the
    // window layer's word that messages wait, they are dispatched between slices of the wait.
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, CountTick);
    ticks = 0;
    TCountingStack::SliceEnds = TCountingStack::MessageWakes = 0;
    TLocalServer server("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.0.0", AfterTicks(3));
    EXPECT_EQ(http.GetAsString(server.Url()), "1.0.0");
    EXPECT_GE(TCountingStack::SliceEnds.load(), 1) << "the ticks waited for slices to end";
    EXPECT_EQ(TCountingStack::MessageWakes.load(), 0);

    // Where the window layer tells that messages wait, a message ends the wait when it comes:
    // the ticks are served by wakes, not by slices that ran out.
    antiFreeze.MessagesWaiting = [&] { return app.MessageWaiting(); };
    ticks = 0;
    TCountingStack::SliceEnds = TCountingStack::MessageWakes = 0;
    TLocalServer paced("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.0.1", AfterTicks(20));
    EXPECT_EQ(http.GetAsString(paced.Url()), "1.0.1");
    KillTimer(nullptr, timer);
    // Mostly wakes: a tick that comes as a slice runs out is served by that slice's end.
    EXPECT_GE(TCountingStack::MessageWakes.load(), 10) << "the wait did not wake for the messages";
    EXPECT_GT(TCountingStack::MessageWakes.load(), 2 * TCountingStack::SliceEnds.load());
    EXPECT_EQ(server.Request(),
              "GET /zelvora/version.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: 127.0.0.1:" +
                  std::to_string(server.Port()) +
                  "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Zelvora)\r\n\r\n");
}

TEST(WinsockClient, RefusedConnectReportsWinsockError10061)
{
    int port = 0;
    {
        TLocalServer closed("");
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
