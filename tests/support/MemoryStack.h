// Socket services without a network: what the client sends is recorded, what it receives comes
// from a script of byte chunks. For tests and the fuzz target.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>

#include "update/SocketStack.h"

namespace zelvora::testing {

class TMemoryStack : public TIdStack {
public:
    // Replies arrive in these pieces, one receive each; then the peer closes unless `HoldOpen`.
    std::deque<std::string> Incoming;
    bool HoldOpen = false;
    bool RefuseConnect = false;
    std::string Sent;
    int Connects = 0;
    std::string ConnectedTo;
    // Runs inside every name lookup, on the thread that looks up (a test may hold the lookup there).
    std::function<void()> OnLookup;
    // Time here is virtual: a wait with nothing to read passes it instead of waiting, and a piece
    // of Incoming may be given the time it arrives at (Arrivals, in the same order; missing: now).
    long long NowMs = 0;
    std::deque<long long> Arrivals;
    std::chrono::steady_clock::time_point Now() const
    {
        return std::chrono::steady_clock::time_point{} + std::chrono::milliseconds(NowMs);
    }

    TIdSocket NewSocket() override { return ++sockets_; }
    int Bind(TIdSocket, const std::string&, int) override { return 0; }
    int Connect(TIdSocket, const std::string& ip, int port) override
    {
        if (RefuseConnect) return Fail(wsa::kConnectionRefused);
        ++Connects;
        ConnectedTo = ip + ":" + std::to_string(port);
        return 0;
    }
    int ConnectStart(TIdSocket s, const std::string& ip, int port) override
    {
        return Connect(s, ip, port) == 0 ? 0 : -1;
    }
    int ConnectWait(TIdSocket, int) override { return 1; }
    void Shutdown(TIdSocket, int) override {}
    void Close(TIdSocket) override {}
    int Recv(TIdSocket, char* buffer, int size) override
    {
        if (Incoming.empty()) return 0;
        std::string& chunk = Incoming.front();
        const int n = std::min<int>(size, static_cast<int>(chunk.size()));
        chunk.copy(buffer, static_cast<std::size_t>(n));
        chunk.erase(0, static_cast<std::size_t>(n));
        if (chunk.empty()) {
            Incoming.pop_front();
            if (!Arrivals.empty()) Arrivals.pop_front();
        }
        return n;
    }
    int Send(TIdSocket, const char* buffer, int size) override
    {
        Sent.append(buffer, static_cast<std::size_t>(size));
        return size;
    }
    int WaitReadable(TIdSocket, int ms) override
    {
        if (Incoming.empty() && !HoldOpen) return 1;  // the close is there to read
        const long long arrival = Incoming.empty() ? -1 : Arrivals.empty() ? NowMs : Arrivals.front();
        if (arrival >= 0 && arrival <= NowMs) return 1;
        if (arrival >= 0 && (ms == kIdInfinite || NowMs + ms >= arrival)) {
            NowMs = arrival;
            return 1;
        }
        if (ms > 0) NowMs += ms;
        return 0;
    }
    int SetNoDelay(TIdSocket) override { return 0; }
    void SockName(TIdSocket, std::string& ip, int& port) override { ip = "127.0.0.1", port = 50000; }
    void PeerName(TIdSocket, std::string& ip, int& port) override { ip = "10.1.2.3", port = 80; }
    int WSGetLastError() override { return lastError_; }

protected:
    std::string HostByName(const std::string& name) override
    {
        if (OnLookup) OnLookup();
        if (name.find("unknown") != std::string::npos) {
            lastError_ = wsa::kHostNotFound;
            return {};
        }
        return "10.1.2.3";
    }

private:
    int Fail(int error)
    {
        lastError_ = error;
        return -1;
    }
    TIdSocket sockets_ = 0;
    int lastError_ = 0;
};

// Puts a memory stack in place for the network components created in its lifetime.
class TMemoryStackScope {
public:
    TMemoryStackScope()
    {
        TIdStack::SetFactory([] { return std::make_unique<TMemoryStack>(); });
    }
    ~TMemoryStackScope() { TIdStack::SetFactory(nullptr); }
    // The services in use; memory services only while no earlier network component is alive.
    TMemoryStack& Stack() { return dynamic_cast<TMemoryStack&>(TIdStack::Instance()); }
};

}  // namespace zelvora::testing
