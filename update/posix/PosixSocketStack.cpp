// The socket services on POSIX sockets, for the native build. Errors are reported with the Winsock
// numbers, so the client code and its tests behave the same on both systems.
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "update/SocketStack.h"

namespace zelvora {

namespace {

thread_local int lastError = 0;

int WinsockNumber(int error)
{
    switch (error) {
        case EINTR:
            return 10004;
        case EBADF:
            return 10009;
        case EACCES:
            return 10013;
        case EFAULT:
            return 10014;
        case EINVAL:
            return 10022;
        case EMFILE:
            return 10024;
        case EWOULDBLOCK:
            return 10035;
        case EINPROGRESS:
            return 10036;
        case EALREADY:
            return 10037;
        case ENOTSOCK:
            return 10038;
        case EMSGSIZE:
            return 10040;
        case EADDRINUSE:
            return 10048;
        case EADDRNOTAVAIL:
            return 10049;
        case ENETDOWN:
            return 10050;
        case ENETUNREACH:
            return 10051;
        case ECONNABORTED:
            return 10053;
        case ECONNRESET:
            return 10054;
        case ENOBUFS:
            return 10055;
        case EISCONN:
            return 10056;
        case ENOTCONN:
            return 10057;
        case EPIPE:
            return 10058;
        case ETIMEDOUT:
            return 10060;
        case ECONNREFUSED:
            return 10061;
        case EHOSTDOWN:
            return 10064;
        case EHOSTUNREACH:
            return 10065;
        default:
            return error;
    }
}

int Failed()
{
    lastError = WinsockNumber(errno);
    return -1;
}

sockaddr_in Address(const std::string& ip, int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = ip.empty() ? htonl(INADDR_ANY) : inet_addr(ip.c_str());
    return address;
}

void Read(const sockaddr_in& address, std::string& ip, int& port)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    ip = text;
    port = ntohs(address.sin_port);
}

void SetBlocking(int fd, bool blocking)
{
    const int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK);
}

class TIdStackPosix : public TIdStack {
public:
    TIdSocket NewSocket() override
    {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0) Failed();
        return fd < 0 ? kIdInvalidSocket : fd;
    }
    int Bind(TIdSocket s, const std::string& ip, int port) override
    {
        const sockaddr_in address = Address(ip, port);
        return bind(Fd(s), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ? 0 : Failed();
    }
    int Connect(TIdSocket s, const std::string& ip, int port) override
    {
        const sockaddr_in address = Address(ip, port);
        while (connect(Fd(s), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            if (errno != EINTR) return Failed();
        return 0;
    }
    int ConnectStart(TIdSocket s, const std::string& ip, int port) override
    {
        SetBlocking(Fd(s), false);
        const sockaddr_in address = Address(ip, port);
        if (connect(Fd(s), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            SetBlocking(Fd(s), true);
            return 0;
        }
        if (errno == EINPROGRESS || errno == EINTR) return 1;
        return Failed();
    }
    int ConnectWait(TIdSocket s, int ms) override
    {
        pollfd p{Fd(s), POLLOUT, 0};
        const int ready = poll(&p, 1, ms);
        if (ready < 0) return errno == EINTR ? 0 : Failed();
        if (ready == 0) return 0;
        int error = 0;
        socklen_t size = sizeof error;
        getsockopt(Fd(s), SOL_SOCKET, SO_ERROR, &error, &size);
        if (error != 0) {
            lastError = WinsockNumber(error);
            return -1;
        }
        SetBlocking(Fd(s), true);
        return 1;
    }
    void Shutdown(TIdSocket s, int how) override
    {
        shutdown(Fd(s), how == 1 ? SHUT_WR : how == 0 ? SHUT_RD : SHUT_RDWR);
    }
    void Close(TIdSocket s) override { close(Fd(s)); }
    int Recv(TIdSocket s, char* buffer, int size) override
    {
        for (;;) {
            const ssize_t n = recv(Fd(s), buffer, static_cast<size_t>(size), 0);
            if (n >= 0) return static_cast<int>(n);
            if (errno != EINTR) return Failed();
        }
    }
    int Send(TIdSocket s, const char* buffer, int size) override
    {
        for (;;) {
            const ssize_t n = send(Fd(s), buffer, static_cast<size_t>(size), MSG_NOSIGNAL);
            if (n >= 0) return static_cast<int>(n);
            if (errno != EINTR) return Failed();
        }
    }
    int WaitReadable(TIdSocket s, int ms) override
    {
        pollfd p{Fd(s), POLLIN, 0};
        const int ready = poll(&p, 1, ms == kIdInfinite ? -1 : ms);
        if (ready < 0) return errno == EINTR ? 0 : Failed();
        return ready > 0 ? 1 : 0;
    }
    int SetNoDelay(TIdSocket s) override
    {
        const int one = 1;
        return setsockopt(Fd(s), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one) == 0 ? 0 : Failed();
    }
    void SockName(TIdSocket s, std::string& ip, int& port) override
    {
        sockaddr_in address{};
        socklen_t size = sizeof address;
        if (getsockname(Fd(s), reinterpret_cast<sockaddr*>(&address), &size) == 0) Read(address, ip, port);
    }
    void PeerName(TIdSocket s, std::string& ip, int& port) override
    {
        sockaddr_in address{};
        socklen_t size = sizeof address;
        if (getpeername(Fd(s), reinterpret_cast<sockaddr*>(&address), &size) == 0) Read(address, ip, port);
    }
    int WSGetLastError() override { return lastError; }

protected:
    std::string HostByName(const std::string& name) override
    {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int result = getaddrinfo(name.c_str(), nullptr, &hints, &found);
        if (result != 0 || !found) {
            lastError = result == EAI_AGAIN ? 11002 : wsa::kHostNotFound;
            return {};
        }
        std::string ip;
        int port = 0;
        Read(*reinterpret_cast<const sockaddr_in*>(found->ai_addr), ip, port);
        freeaddrinfo(found);
        return ip;
    }

private:
    static int Fd(TIdSocket s) { return static_cast<int>(s); }
};

}  // namespace

std::unique_ptr<TIdStack> TIdStack::CreatePlatformStack()
{
    return std::make_unique<TIdStackPosix>();
}

}  // namespace zelvora
