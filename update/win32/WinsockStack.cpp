// The socket services on Winsock 2. The library is loaded at the first start-up and each of its
// functions is looked up on its first call, so the program starts without it and a missing entry
// is an error, not a failed program start.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>

#include "toolkit/win32/Handles.h"
#include "update/Exceptions.h"
#include "update/SocketStack.h"

namespace zelvora {

namespace {

constexpr char kLibraryName[] = "WS2_32.DLL";
constexpr WORD kWinsockVersion = 0x0202;

enum TEntry {
    eWSAStartup,
    eWSACleanup,
    eWSAGetLastError,
    eWSASetLastError,
    eSocket,
    eBind,
    eConnect,
    eGetSockName,
    eGetPeerName,
    eGetHostByName,
    eHtons,
    eNtohs,
    eSetSockOpt,
    eGetSockOpt,
    eSelect,
    eRecv,
    eSend,
    eShutdown,
    eCloseSocket,
    eIoctlSocket,
    eInetAddr,
    eInetNtoa,
    eEventSelect,
    eEntryCount
};

// The entry table: each name with its address once bound (null: not yet).
struct TWinsockEntry {
    const char* Name;
    std::atomic<FARPROC> Proc;
};

std::array<TWinsockEntry, eEntryCount> entries{{
    {"WSAStartup", nullptr},
    {"WSACleanup", nullptr},
    {"WSAGetLastError", nullptr},
    {"WSASetLastError", nullptr},
    {"socket", nullptr},
    {"bind", nullptr},
    {"connect", nullptr},
    {"getsockname", nullptr},
    {"getpeername", nullptr},
    {"gethostbyname", nullptr},
    {"htons", nullptr},
    {"ntohs", nullptr},
    {"setsockopt", nullptr},
    {"getsockopt", nullptr},
    {"select", nullptr},
    {"recv", nullptr},
    {"send", nullptr},
    {"shutdown", nullptr},
    {"closesocket", nullptr},
    {"ioctlsocket", nullptr},
    {"inet_addr", nullptr},
    {"inet_ntoa", nullptr},
    {"WSAEventSelect", nullptr},
}};

std::atomic<HMODULE> library{nullptr};
std::atomic<bool> started{false};

std::string SystemText(DWORD number)
{
    char* text = nullptr;
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        number, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = text ? text : "";
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
    return result;
}

// The binding stub: looks the function up on its first call.
template <typename F>
F Bound(TEntry entry)
{
    FARPROC proc = entries[entry].Proc.load();
    if (!proc) {
        HMODULE module = library.load();
        if (module) proc = GetProcAddress(module, entries[entry].Name);
        if (!proc)
            throw EIdWS2StubError(
                std::string("Fehler beim Aufruf einer Winsock2-Bibliotheksfunktion ") + entries[entry].Name,
                WSANOTINITIALISED, SystemText(WSANOTINITIALISED));
        entries[entry].Proc.store(proc);
    }
    return reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}

#define WINSOCK(entry, type) Bound<type>(entry)

int StartUp()
{
    if (library.load()) return 0;
    HMODULE module = LoadLibraryA(kLibraryName);
    if (!module) {
        const DWORD error = GetLastError();
        throw EIdWS2StubError(
            std::string("Fehler beim Laden einer Winsock2-Bibliothek (") + kLibraryName + ")", error,
            SystemText(error));
    }
    HMODULE expected = nullptr;
    if (!library.compare_exchange_strong(expected, module)) FreeLibrary(module);  // another thread was first
    WSADATA data{};
    return WINSOCK(eWSAStartup, int(WSAAPI*)(WORD, LPWSADATA))(kWinsockVersion, &data);
}

// At process end the library is released once and every entry goes back to its stub.
struct TLibraryRelease {
    ~TLibraryRelease()
    {
        if (HMODULE module = library.exchange(nullptr)) {
            FreeLibrary(module);
            for (auto& entry : entries) entry.Proc.store(nullptr);
        }
    }
} libraryRelease;

sockaddr_in Address(const std::string& ip, int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = WINSOCK(eHtons, u_short(WSAAPI*)(u_short))(static_cast<u_short>(port));
    address.sin_addr.s_addr =
        ip.empty() ? INADDR_ANY : WINSOCK(eInetAddr, unsigned long(WSAAPI*)(const char*))(ip.c_str());
    return address;
}

void Read(const sockaddr_in& address, std::string& ip, int& port)
{
    const char* text = WINSOCK(eInetNtoa, char*(WSAAPI*)(in_addr))(address.sin_addr);
    ip = text ? text : "";
    port = WINSOCK(eNtohs, u_short(WSAAPI*)(u_short))(address.sin_port);
}

class TIdStackWindows : public TIdStack {
public:
    TIdStackWindows()
    {
        if (!started.load()) {
            if (StartUp() != 0) throw EIdStackInitializationFailed();
            started.store(true);
        }
    }

    TIdSocket NewSocket() override
    {
        const SOCKET s = WINSOCK(eSocket, SOCKET(WSAAPI*)(int, int, int))(AF_INET, SOCK_STREAM, 0);
        return s == INVALID_SOCKET ? kIdInvalidSocket : static_cast<TIdSocket>(s);
    }
    int Bind(TIdSocket s, const std::string& ip, int port) override
    {
        const sockaddr_in address = Address(ip, port);
        return WINSOCK(eBind, int(WSAAPI*)(SOCKET, const sockaddr*, int))(
            Handle(s), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    int Connect(TIdSocket s, const std::string& ip, int port) override
    {
        const sockaddr_in address = Address(ip, port);
        return WINSOCK(eConnect, int(WSAAPI*)(SOCKET, const sockaddr*, int))(
            Handle(s), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    int ConnectStart(TIdSocket s, const std::string& ip, int port) override
    {
        SetBlocking(s, false);
        if (Connect(s, ip, port) == 0) {
            SetBlocking(s, true);
            return 0;
        }
        return WSGetLastError() == WSAEWOULDBLOCK ? 1 : -1;
    }
    int ConnectWait(TIdSocket s, int ms) override
    {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(Handle(s), &writable);
        FD_SET(Handle(s), &failed);
        timeval limit{ms / 1000, (ms % 1000) * 1000};
        const int ready = WINSOCK(eSelect, int(WSAAPI*)(int, fd_set*, fd_set*, fd_set*, const timeval*))(
            0, nullptr, &writable, &failed, &limit);
        if (ready == SOCKET_ERROR) return -1;
        if (ready == 0) return 0;
        // FD_ISSET would bind the library at load time.
        if (std::find(failed.fd_array, failed.fd_array + failed.fd_count, Handle(s)) !=
            failed.fd_array + failed.fd_count) {
            int error = 0;
            int size = sizeof error;
            WINSOCK(eGetSockOpt, int(WSAAPI*)(SOCKET, int, int, char*, int*))
            (Handle(s), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
            WINSOCK(eWSASetLastError, void(WSAAPI*)(int))(error ? error : WSAECONNREFUSED);
            return -1;
        }
        SetBlocking(s, true);
        return 1;
    }
    void Shutdown(TIdSocket s, int how) override
    {
        WINSOCK(eShutdown, int(WSAAPI*)(SOCKET, int))(Handle(s), how);
    }
    void Close(TIdSocket s) override
    {
        if (s == watched_) watched_ = kIdInvalidSocket;  // its number may come back for another socket
        WINSOCK(eCloseSocket, int(WSAAPI*)(SOCKET))(Handle(s));
    }
    int Recv(TIdSocket s, char* buffer, int size) override
    {
        return WINSOCK(eRecv, int(WSAAPI*)(SOCKET, char*, int, int))(Handle(s), buffer, size, 0);
    }
    int Send(TIdSocket s, const char* buffer, int size) override
    {
        return WINSOCK(eSend, int(WSAAPI*)(SOCKET, const char*, int, int))(Handle(s), buffer, size, 0);
    }
    int WaitReadable(TIdSocket s, int ms) override
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(Handle(s), &readable);
        timeval limit{ms / 1000, (ms % 1000) * 1000};
        const int ready = WINSOCK(eSelect, int(WSAAPI*)(int, fd_set*, fd_set*, fd_set*, const timeval*))(
            0, &readable, nullptr, nullptr, ms == kIdInfinite ? nullptr : &limit);
        return ready == SOCKET_ERROR ? -1 : ready == 1 ? 1 : 0;
    }
    // Sleeps on the socket and the thread's message queue together: no polling while a server
    // keeps silent, and a message wakes the wait at once.
    bool WaitsOnMessages() const override { return true; }
    // The socket stays watched while messages wake the wait, so that the wakes of the 10 ms
    // marking timer cost one system call each, as they do when the program is idle; a wait that
    // ends (data, time, failure, or one of no time) gives the socket back blocking.
    int WaitReadableOrMessage(TIdSocket s, int ms) override
    {
        if (ms == 0 || !Watch(s)) {
            Unwatch();
            return WaitReadable(s, ms);
        }
        HANDLE event = readEvent_.get();
        const DWORD woke =
            MsgWaitForMultipleObjectsEx(1, &event, ms == kIdInfinite ? INFINITE : static_cast<DWORD>(ms),
                                        QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 + 1) return kMessageWaiting;
        Unwatch();
        if (woke == WAIT_OBJECT_0) return 1;
        if (woke == WAIT_TIMEOUT) return 0;
        return -1;
    }
    int SetNoDelay(TIdSocket s) override
    {
        const DWORD one = 1;
        return WINSOCK(eSetSockOpt, int(WSAAPI*)(SOCKET, int, int, const char*, int))(
            Handle(s), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
    }
    void SockName(TIdSocket s, std::string& ip, int& port) override
    {
        sockaddr_in address{};
        int size = sizeof address;
        if (WINSOCK(eGetSockName, int(WSAAPI*)(SOCKET, sockaddr*, int*))(
                Handle(s), reinterpret_cast<sockaddr*>(&address), &size) == 0)
            Read(address, ip, port);
    }
    void PeerName(TIdSocket s, std::string& ip, int& port) override
    {
        sockaddr_in address{};
        int size = sizeof address;
        if (WINSOCK(eGetPeerName, int(WSAAPI*)(SOCKET, sockaddr*, int*))(
                Handle(s), reinterpret_cast<sockaddr*>(&address), &size) == 0)
            Read(address, ip, port);
    }
    int WSGetLastError() override { return WINSOCK(eWSAGetLastError, int(WSAAPI*)())(); }

protected:
    std::string HostByName(const std::string& name) override
    {
        const hostent* host = WINSOCK(eGetHostByName, hostent * (WSAAPI*)(const char*))(name.c_str());
        if (!host || !host->h_addr_list || !host->h_addr_list[0]) return {};
        sockaddr_in address{};
        std::memcpy(&address.sin_addr, host->h_addr_list[0], sizeof address.sin_addr);
        std::string ip;
        int port = 0;
        Read(address, ip, port);
        return ip;
    }

private:
    static SOCKET Handle(TIdSocket s) { return static_cast<SOCKET>(s); }
    static void SetBlocking(TIdSocket s, bool blocking)
    {
        u_long mode = blocking ? 0 : 1;
        WINSOCK(eIoctlSocket, int(WSAAPI*)(SOCKET, long, u_long*))(Handle(s), FIONBIO, &mode);
    }
    // Selects the socket's read and close events into the wait's event; false when that fails.
    bool Watch(TIdSocket s)
    {
        if (watched_ == s) return true;
        Unwatch();
        if (!readEvent_) readEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!readEvent_) return false;
        ResetEvent(readEvent_.get());
        if (WINSOCK(eEventSelect, int(WSAAPI*)(SOCKET, HANDLE, long))(Handle(s), readEvent_.get(),
                                                                      FD_READ | FD_CLOSE) != 0)
            return false;
        watched_ = s;
        // Data that came before the selection wakes the wait at once too.
        if (WaitReadable(s, 0) != 0) SetEvent(readEvent_.get());
        return true;
    }
    // Back to a plain blocking socket: the event selection made it non-blocking.
    void Unwatch()
    {
        if (watched_ == kIdInvalidSocket) return;
        WINSOCK(eEventSelect, int(WSAAPI*)(SOCKET, HANDLE, long))(Handle(watched_), nullptr, 0);
        SetBlocking(watched_, true);
        watched_ = kIdInvalidSocket;
    }
    UniqueKernelObject readEvent_;  // signalled by the socket a wait is on
    TIdSocket watched_ = kIdInvalidSocket;
};

}  // namespace

std::unique_ptr<TIdStack> TIdStack::CreatePlatformStack()
{
    return std::make_unique<TIdStackWindows>();
}

}  // namespace zelvora
