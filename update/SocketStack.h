// The socket services: one process-wide object over the system's sockets, with host lookup and the
// socket error texts. Windows and POSIX implementations report the same (Winsock) error numbers.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace zelvora {

using TIdSocket = long long;
inline constexpr TIdSocket kIdInvalidSocket = -1;
// A wait that lasts until something happens.
inline constexpr int kIdInfinite = -2;
// At most this many sockets in one wait.
inline constexpr int kIdMaxWaitSet = 64;

// Winsock error numbers the layer treats specially.
namespace wsa {
inline constexpr int kBadFile = 10009, kNotSocket = 10038, kAddressInUse = 10048, kConnectionAborted = 10053,
                     kConnectionReset = 10054, kShutdown = 10058, kConnectionRefused = 10061,
                     kNotInitialised = 10093, kHostNotFound = 11001;
}

class TIdStack {
public:
    virtual ~TIdStack() = default;

    // The process-wide services, alive from the first network component to the last.
    static TIdStack& Instance();
    static void Acquire();
    static void Release();
    // How many holders the services have now (components, and lookups still running).
    static int Holders();
    // Which services the next Acquire creates; the platform's by default. Tests put in their own.
    using TFactory = std::function<std::unique_ptr<TIdStack>()>;
    static void SetFactory(TFactory factory);
    static std::unique_ptr<TIdStack> CreatePlatformStack();

    // A stream socket, or kIdInvalidSocket.
    virtual TIdSocket NewSocket() = 0;
    // 0 on success, -1 on failure (the number in WSGetLastError).
    [[nodiscard]] virtual int Bind(TIdSocket socket, const std::string& ip, int port) = 0;
    [[nodiscard]] virtual int Connect(TIdSocket socket, const std::string& ip, int port) = 0;
    // A connect that does not block: 0 connected, 1 under way, -1 failed.
    [[nodiscard]] virtual int ConnectStart(TIdSocket socket, const std::string& ip, int port) = 0;
    // Waits up to `ms` for a started connect: 1 connected (blocking again), 0 still under way, -1 failed.
    [[nodiscard]] virtual int ConnectWait(TIdSocket socket, int ms) = 0;
    virtual void Shutdown(TIdSocket socket, int how) = 0;
    virtual void Close(TIdSocket socket) = 0;
    [[nodiscard]] virtual int Recv(TIdSocket socket, char* buffer, int size) = 0;
    [[nodiscard]] virtual int Send(TIdSocket socket, const char* buffer, int size) = 0;
    // 1 readable, 0 not within `ms` (kIdInfinite: no limit), -1 failed.
    [[nodiscard]] virtual int WaitReadable(TIdSocket socket, int ms) = 0;
    // As WaitReadable, and kMessageWaiting as soon as a window message arrives for this thread,
    // where the stack can wait on both (WaitsOnMessages); others poll in short steps instead.
    static constexpr int kMessageWaiting = 2;
    virtual bool WaitsOnMessages() const { return false; }
    [[nodiscard]] virtual int WaitReadableOrMessage(TIdSocket socket, int ms)
    {
        return WaitReadable(socket, ms);
    }
    [[nodiscard]] virtual int SetNoDelay(TIdSocket socket) = 0;
    virtual void SockName(TIdSocket socket, std::string& ip, int& port) = 0;
    virtual void PeerName(TIdSocket socket, std::string& ip, int& port) = 0;
    // The calling thread's last error number.
    virtual int WSGetLastError() = 0;

    // "LOCALHOST" and dotted quads without asking anyone; other names through the resolver.
    std::string LookUpHost(const std::string& name);
    // The resolver alone, callable from any thread: the address, or empty with the error number
    // in `error` (the calling thread's, read there).
    std::string Resolve(const std::string& name, int& error);
    static bool IsDottedQuad(const std::string& text);
    int LastError() const { return lastError_; }
    // Raises EIdSocketError for the number, which becomes the last error.
    [[noreturn]] void RaiseSocketError(int number);
    // Raises EIdSocketError for the calling thread's last error.
    [[noreturn]] void RaiseLastSocketError() { RaiseSocketError(WSGetLastError()); }

protected:
    // The first address of a name as a dotted quad; empty when the lookup failed.
    virtual std::string HostByName(const std::string& name) = 0;

private:
    int lastError_ = 0;
};

}  // namespace zelvora
