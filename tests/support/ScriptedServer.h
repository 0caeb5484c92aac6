// A loopback TCP server for tests that answers each connection with a script: read a request,
// send exact bytes, pause, close, or keep the connection open and silent.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zelvora::testing {

struct TServerStep {
    enum class TKind { ReadRequest, Send, Pause, Close, HoldOpen } Kind;
    std::string Bytes;
    int Ms = 0;
};

inline TServerStep ReadRequest()
{
    return {TServerStep::TKind::ReadRequest, {}, 0};
}
inline TServerStep Send(std::string bytes)
{
    return {TServerStep::TKind::Send, std::move(bytes), 0};
}
inline TServerStep Pause(int ms)
{
    return {TServerStep::TKind::Pause, {}, ms};
}
inline TServerStep CloseNow()
{
    return {TServerStep::TKind::Close, {}, 0};
}
// Keeps the connection open without a word until the client closes it or the server stops.
inline TServerStep HoldOpen()
{
    return {TServerStep::TKind::HoldOpen, {}, 0};
}

// `piece` written `times` times: the endless lines, chunks and bodies of hostile servers.
inline std::string Repeated(const std::string& piece, std::size_t times)
{
    std::string all;
    all.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) all += piece;
    return all;
}

// A reply sent a byte at a time with a pause after each, after the request was read.
inline std::vector<TServerStep> Trickle(const std::string& reply, int pauseMs)
{
    std::vector<TServerStep> script{ReadRequest()};
    for (char c : reply) {
        script.push_back(Send(std::string(1, c)));
        script.push_back(Pause(pauseMs));
    }
    return script;
}

class TScriptedServer {
public:
    // Connection n runs scripts[n], the last script again for any further connection.
    explicit TScriptedServer(std::vector<std::vector<TServerStep>> scripts, int backlog = 16);
    ~TScriptedServer();
    TScriptedServer(const TScriptedServer&) = delete;
    TScriptedServer& operator=(const TScriptedServer&) = delete;

    int Port() const { return port_; }
    int Connections() const { return connections_.load(); }
    // Every request head read, in order, as received.
    std::vector<std::string> Requests() const;
    // Stops accepting: later connects are refused.
    void Stop();

private:
    void Serve();
    void Run(int fd, const std::vector<TServerStep>& script);
    std::vector<std::vector<TServerStep>> scripts_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex lock_;
    std::vector<std::string> requests_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace zelvora::testing
