// One blocking TCP connection: network components with status and progress hooks, the managed
// input buffer, the plain socket transport, buffered line/byte/stream reads and batched writes.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "toolkit/Component.h"
#include "update/AntiFreeze.h"
#include "update/SocketStack.h"

namespace zelvora {

inline constexpr int kIdRecvBufferSize = 32768;
inline constexpr int kIdSendBufferSize = 32768;
inline constexpr int kIdMaxLineLength = 16384;
// Consumed input is moved out of the buffer only after this many bytes.
inline constexpr std::size_t kIdBufferCompactAt = 32768;
// A stream is pre-sized to an announced length only up to this much: memory follows what arrives.
inline constexpr std::size_t kIdMaxPresize = 1 << 20;
// The connect limit while the anti-freeze keeps the windows alive.
inline constexpr int kIdConnectLimitWithAntiFreeze = 120000;
inline constexpr int kIdConnectSlice = 125;

enum class TIdStatus {
    hsResolving,
    hsConnecting,
    hsConnected,
    hsDisconnecting,
    hsDisconnected,
    hsStatusText
};
enum class TIdWorkMode { wmRead, wmWrite };
enum class TIdMaxLineAction { maException, maSplit };

// The text reported for a status, with its argument.
std::string StatusText(TIdStatus status, const std::string& argument);

// An in-memory stream: bytes and a position.
class TIdMemoryStream {
public:
    void Write(const char* bytes, std::size_t count);
    // Takes `count` as the size the stream is expected to reach: reserved up to 1 MiB now, the
    // rest as bytes arrive.
    void Reserve(std::size_t count);
    // Cuts everything after the position.
    void Truncate() { data_.resize(position_); }
    std::size_t Position() const { return position_; }
    void Seek(std::size_t position) { position_ = std::min(position, data_.size()); }
    std::size_t Size() const { return data_.size(); }
    const std::string& Data() const { return data_; }
    // Room for `count` more bytes at the position, to be filled in place; Commit keeps `used` of them.
    char* Extend(std::size_t count);
    // No room left at the end: the next byte costs a copy of everything held.
    bool Full() const { return position_ == data_.size() && data_.size() == data_.capacity(); }
    void Commit(std::size_t used);
    std::string Take()
    {
        position_ = 0;
        return std::move(data_);
    }

private:
    std::string data_;
    std::size_t position_ = 0;
    std::size_t expected_ = 0;
};

// Base of every network component: keeps the process-wide socket services alive.
class TIdComponent : public TComponent {
public:
    explicit TIdComponent(TComponent* owner = nullptr);
    ~TIdComponent() override;
    TIdComponent(const TIdComponent&) = delete;
    TIdComponent& operator=(const TIdComponent&) = delete;

    std::function<void(TIdStatus, const std::string&)> OnStatus;
    std::function<void(TIdWorkMode, long long expected)> OnWorkBegin;
    std::function<void(TIdWorkMode, long long done)> OnWork;
    std::function<void(TIdWorkMode)> OnWorkEnd;

    void DoStatus(TIdStatus status, const std::string& argument = {});
    void BeginWork(TIdWorkMode mode, long long expected);
    void DoWork(TIdWorkMode mode, long long count);
    void EndWork(TIdWorkMode mode);

private:
    struct TWork {
        int Nesting = 0;
        long long Expected = 0, Done = 0;
    } work_[2];
};

// Received bytes not yet consumed.
class TIdManagedBuffer {
public:
    explicit TIdManagedBuffer(TIdComponent* progress = nullptr) : progress_(progress) {}
    std::size_t Size() const { return data_.size() - offset_; }
    const char* Memory() const { return data_.data() + offset_; }
    void Append(const char* bytes, std::size_t count) { data_.append(bytes, count); }
    // Takes `count` bytes off the front; more than there are raises EIdNotEnoughDataInBuffer.
    std::string Extract(std::size_t count);
    void Remove(std::size_t count);
    void Clear();

private:
    std::string data_;
    std::size_t offset_ = 0;
    TIdComponent* progress_;
};

class TIdSocketHandle {
public:
    explicit TIdSocketHandle(TIdStack& stack) : stack_(stack) {}
    ~TIdSocketHandle() { CloseSocket(); }
    void Allocate();
    void Bind(const std::string& ip, int port);
    void CloseSocket();
    // Waits for data (Algorithm of slices under the anti-freeze); raises when there is no socket.
    bool Readable(int ms);
    TIdSocket Handle() const { return handle_; }
    bool Allocated() const { return allocated_; }
    void ReadBackAddresses();
    std::string LocalIP, PeerIP;
    int LocalPort = 0, PeerPort = 0;

private:
    bool Select(int ms);
    TIdStack& stack_;
    TIdSocket handle_ = kIdInvalidSocket;
    bool allocated_ = false;
};

// The plain transport: one socket.
class TIdIOHandlerSocket {
public:
    explicit TIdIOHandlerSocket(TIdStack& stack) : stack_(stack) {}
    void Open();
    void Close();
    bool Connected() const { return binding_ && binding_->Allocated(); }
    TIdSocketHandle* Binding() { return binding_.get(); }
    int Recv(char* buffer, int size);
    int Send(const char* buffer, int size);
    bool Readable(int ms);
    bool UseNagle = true;

private:
    TIdStack& stack_;
    std::unique_ptr<TIdSocketHandle> binding_;
};

class TIdTCPConnection : public TIdComponent {
public:
    using TIdComponent::TIdComponent;
    ~TIdTCPConnection() override;

    bool IsConnected();
    // Notices a close by the peer; true when the connection counts as closed.
    bool CheckPeerClosed(bool raiseIfClosed, bool ignoreBuffer);
    // Notices a close of an idle connection; only reads when something is waiting, so a live
    // connection costs no wait.
    void PollPeerClosed();
    int FillInput(bool raiseIfClosed, int timeout, bool raiseOnTimeout);
    std::string ReadLine(std::string terminator = "\n", int timeout = -1, int maxLength = -1);
    std::string ReadExact(int count);
    void ReadIntoStream(TIdMemoryStream& stream, long long count, bool untilClose);
    void WriteBytes(const char* bytes, std::size_t count, bool sendNow = false);
    void WriteText(const std::string& text);
    void WriteLine(const std::string& text) { WriteText(text + "\r\n"); }
    void BeginWriteBatch(int threshold);
    void EndWriteBatch();
    void FlushWriteBatch(int count);
    void CloseConnection();
    void CloseSocketOnly();

    TIdManagedBuffer& InputBuffer() { return input_; }
    TIdIOHandlerSocket* Transport() { return transport_.get(); }
    int ReadTimeout = 0;
    int RecvBufferSize = kIdRecvBufferSize;
    int SendBufferSize = kIdSendBufferSize;
    int MaxLineLength = kIdMaxLineLength;
    TIdMaxLineAction MaxLineAction = TIdMaxLineAction::maException;
    bool ASCIIFilter = false;
    bool ReadLnSplit = false, ReadLnTimedOut = false;
    std::function<void()> OnConnected, OnDisconnected;

    // One limit for all that follows (resolving, connecting, every read), however slowly the bytes
    // trickle in; passing it raises EIdReadTimeout. None by default.
    void SetDeadline(std::optional<std::chrono::steady_clock::time_point> deadline) { deadline_ = deadline; }
    const std::optional<std::chrono::steady_clock::time_point>& Deadline() const { return deadline_; }
    // What the deadline is measured with; tests give a clock of their own.
    TIdClock Clock = [] { return std::chrono::steady_clock::now(); };

protected:
    // A wait of `timeoutMs` (kIdInfinite for none) cut to what is left before the deadline.
    int WithinDeadline(int timeoutMs) const;
    // Shared so that a wait can hold it while dispatched code closes the connection.
    std::shared_ptr<TIdIOHandlerSocket> transport_;
    TIdManagedBuffer input_{this};
    bool closedByPeer_ = false;

private:
    void Send(const char* bytes, std::size_t count);
    // One receive: the count, 0 when the peer closed; failures raise (see FillInput for the rule).
    int Receive(char* target, int size);
    // One receive straight into `target`; what FillInput does, without the input buffer.
    int ReceiveInto(char* target, int size);
    std::string receive_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    std::unique_ptr<std::string> writeBuffer_;
    int writeThreshold_ = -1;
};

class TIdTCPClient : public TIdTCPConnection {
public:
    using TIdTCPConnection::TIdTCPConnection;
    // Timeout in ms; -1 or 0: the read time-out, and 120 s while the anti-freeze applies.
    void OpenConnection(int timeout);
    std::string Host;
    int Port = 0;
    std::string BoundIP;
    int BoundPort = 0;

private:
    void ConnectWithLimit(TIdSocketHandle& binding, int limit);
    std::string ResolveHost(TIdStack& stack);
};

}  // namespace zelvora
