#include "update/TcpConnection.h"

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "base/TextCase.h"
#include "update/AntiFreeze.h"
#include "update/Exceptions.h"

namespace zelvora {

std::string StatusText(TIdStatus status, const std::string& argument)
{
    switch (status) {
        case TIdStatus::hsResolving:
            return "Host-Name " + argument + " wird aufgel\xF6st.";
        case TIdStatus::hsConnecting:
            return "Verbinden mit " + argument + ".";
        case TIdStatus::hsConnected:
            return "Verbunden.";
        case TIdStatus::hsDisconnecting:
            return "Verbindung wird getrennt.";
        case TIdStatus::hsDisconnected:
            return "Verbindung aufgehoben.";
        case TIdStatus::hsStatusText:
            return argument;
    }
    return argument;
}

void TIdMemoryStream::Write(const char* bytes, std::size_t count)
{
    if (position_ == data_.size()) {
        data_.append(bytes, count);
    } else {
        if (position_ + count > data_.size()) data_.resize(position_ + count);
        std::memcpy(data_.data() + position_, bytes, count);
    }
    position_ += count;
}

void TIdMemoryStream::Reserve(std::size_t count)
{
    expected_ = count;
    data_.reserve(std::min(count, kIdMaxPresize));
}

char* TIdMemoryStream::Extend(std::size_t count)
{
    const std::size_t needed = position_ + count;
    if (data_.size() < needed) {
        if (data_.capacity() < needed) {
            // What arrives decides the size: the room grows fourfold, no further than an expected
            // size (but at least twofold, so that many small announced pieces stay linear). Untouched
            // room costs no memory; every growth copies all that arrived, so fewer growths pay.
            const std::size_t capacity = data_.capacity();
            std::size_t grown = capacity * 4;
            if (expected_ >= needed) grown = std::max(capacity * 2, std::min(expected_, grown));
            data_.reserve(std::max(grown, needed));
        }
        data_.resize(needed);
    }
    return data_.data() + position_;
}

void TIdMemoryStream::Commit(std::size_t used)
{
    position_ += used;
    if (data_.size() > position_) data_.resize(position_);
}

// ---- components ----

TIdComponent::TIdComponent(TComponent* owner) : TComponent(owner)
{
    TIdStack::Acquire();
}

TIdComponent::~TIdComponent()
{
    TIdStack::Release();
}

void TIdComponent::DoStatus(TIdStatus status, const std::string& argument)
{
    if (OnStatus) OnStatus(status, StatusText(status, argument));
}

void TIdComponent::BeginWork(TIdWorkMode mode, long long expected)
{
    TWork& work = work_[static_cast<int>(mode)];
    if (work.Nesting++ == 0) {
        work.Expected = expected;
        work.Done = 0;
        if (OnWorkBegin) OnWorkBegin(mode, expected);
    }
}

void TIdComponent::DoWork(TIdWorkMode mode, long long count)
{
    TWork& work = work_[static_cast<int>(mode)];
    if (work.Nesting == 0) return;
    work.Done += count;
    if (OnWork) OnWork(mode, work.Done);
}

void TIdComponent::EndWork(TIdWorkMode mode)
{
    TWork& work = work_[static_cast<int>(mode)];
    if (work.Nesting > 0 && --work.Nesting == 0 && OnWorkEnd) OnWorkEnd(mode);
}

// ---- input buffer ----

std::string TIdManagedBuffer::Extract(std::size_t count)
{
    if (count > Size()) throw EIdNotEnoughDataInBuffer();
    std::string bytes(Memory(), count);
    Remove(count);
    return bytes;
}

void TIdManagedBuffer::Remove(std::size_t count)
{
    if (count > Size()) throw EIdNotEnoughDataInBuffer();
    offset_ += count;
    if (offset_ == data_.size()) {
        data_.clear();
        offset_ = 0;
    } else if (offset_ >= kIdBufferCompactAt) {
        data_.erase(0, offset_);
        offset_ = 0;
    }
    if (progress_) progress_->DoWork(TIdWorkMode::wmRead, static_cast<long long>(count));
}

void TIdManagedBuffer::Clear()
{
    data_.clear();
    offset_ = 0;
}

// ---- socket handle and transport ----

void TIdSocketHandle::Allocate()
{
    handle_ = stack_.NewSocket();
    if (handle_ == kIdInvalidSocket) throw EIdInvalidSocket();
    allocated_ = true;
}

void TIdSocketHandle::Bind(const std::string& ip, int port)
{
    if (stack_.Bind(handle_, ip, port) != 0) {
        const int error = stack_.WSGetLastError();
        if (error == wsa::kAddressInUse) throw EIdCouldNotBindSocket();
        stack_.RaiseSocketError(error);
    }
    stack_.SockName(handle_, LocalIP, LocalPort);
}

void TIdSocketHandle::ReadBackAddresses()
{
    stack_.SockName(handle_, LocalIP, LocalPort);
    stack_.PeerName(handle_, PeerIP, PeerPort);
}

void TIdSocketHandle::CloseSocket()
{
    if (!allocated_) return;
    allocated_ = false;
    stack_.Shutdown(handle_, 1);
    stack_.Close(handle_);
    handle_ = kIdInvalidSocket;
}

bool TIdSocketHandle::Select(int ms)
{
    const bool readable =
        TIdAntiFreeze::WaitDispatching(
            ms, [&](int step) { return stack_.WaitReadable(handle_, step); },
            [&] {
                if (!allocated_) throw EIdConnClosedGracefully();  // closed while messages were dispatched
            },
            stack_.WaitsOnMessages() ? std::function<int(int)>([&](int step) {
                return stack_.WaitReadableOrMessage(handle_, step);
            })
                                     : std::function<int(int)>()) == 1;
    TIdAntiFreeze::Step(!readable, false);
    return readable;
}

bool TIdSocketHandle::Readable(int ms)
{
    if (!allocated_) throw EIdConnClosedGracefully();
    if (TIdAntiFreeze::Applies()) {
        const int slice = TIdAntiFreeze::Instance()->IdleTimeOut();
        if (ms == kIdInfinite) {
            while (!Select(slice))
                if (!allocated_) throw EIdConnClosedGracefully();  // closed while messages were dispatched
            return true;
        }
        // The wait cut into slices, the messages dispatched between them.
        while (ms > slice) {
            if (Select(slice)) return true;
            if (!allocated_) throw EIdConnClosedGracefully();
            ms -= slice;
        }
    }
    return Select(ms);
}

void TIdIOHandlerSocket::Open()
{
    if (binding_) binding_->CloseSocket();
    binding_ = std::make_unique<TIdSocketHandle>(stack_);
}

void TIdIOHandlerSocket::Close()
{
    if (binding_) binding_->CloseSocket();
}

int TIdIOHandlerSocket::Recv(char* buffer, int size)
{
    if (!Connected()) throw EIdClosedSocket();
    return stack_.Recv(binding_->Handle(), buffer, size);
}

int TIdIOHandlerSocket::Send(const char* buffer, int size)
{
    if (!Connected()) throw EIdClosedSocket();
    return stack_.Send(binding_->Handle(), buffer, size);
}

bool TIdIOHandlerSocket::Readable(int ms)
{
    if (!binding_) throw EIdConnClosedGracefully();
    return binding_->Readable(ms);
}

// ---- connection ----

TIdTCPConnection::~TIdTCPConnection()
{
    if (transport_) transport_->Close();
}

bool TIdTCPConnection::IsConnected()
{
    CheckPeerClosed(false, false);
    return transport_ && transport_->Connected();
}

bool TIdTCPConnection::CheckPeerClosed(bool raiseIfClosed, bool ignoreBuffer)
{
    bool closed = false;
    if (closedByPeer_ || !transport_) {
        if (transport_ && transport_->Connected()) {
            CloseSocketOnly();
            DoStatus(TIdStatus::hsDisconnected);
            if (OnDisconnected) OnDisconnected();
        }
        closed = transport_ != nullptr;
    } else {
        closed = !transport_->Connected();
    }
    if (closed && raiseIfClosed && (input_.Size() == 0 || ignoreBuffer)) throw EIdConnClosedGracefully();
    return closed;
}

int TIdTCPConnection::WithinDeadline(int timeoutMs) const
{
    if (!deadline_) return timeoutMs;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline_ - Clock()).count();
    if (left <= 0) throw EIdReadTimeout();
    const int leftMs = static_cast<int>(std::min<long long>(left, INT_MAX - 1));
    return timeoutMs == kIdInfinite || timeoutMs < 0 ? leftMs : std::min(timeoutMs, leftMs);
}

int TIdTCPConnection::FillInput(bool raiseIfClosed, int timeout, bool raiseOnTimeout)
{
    if (timeout == -1) timeout = ReadTimeout;
    if (timeout == 0) timeout = kIdInfinite;
    timeout = WithinDeadline(timeout);
    CheckPeerClosed(raiseIfClosed, false);
    if (!transport_ || !transport_->Connected()) {
        if (raiseIfClosed) throw EIdNotConnected();
        return 0;
    }
    int result = 0;
    do {
        const std::shared_ptr<TIdIOHandlerSocket> waiting = transport_;  // alive through the dispatches
        if (!waiting->Readable(timeout)) {
            if (raiseOnTimeout) throw EIdReadTimeout();
            return -1;
        }
        receive_.resize(static_cast<std::size_t>(std::max(RecvBufferSize, 1)));
        result = Receive(receive_.data(), static_cast<int>(receive_.size()));
        if (result > 0) input_.Append(receive_.data(), static_cast<std::size_t>(result));
        CheckPeerClosed(raiseIfClosed, false);
    } while (result == 0 && transport_ && transport_->Connected());
    return result;
}

void TIdTCPConnection::PollPeerClosed()
{
    if (transport_ && transport_->Connected() &&
        TIdStack::Instance().WaitReadable(transport_->Binding()->Handle(), 0) != 1)
        return;
    FillInput(false, 1, false);
}

int TIdTCPConnection::Receive(char* target, int size)
{
    int result = transport_->Recv(target, size);
    closedByPeer_ = result == 0;
    if (result < 0) {
        TIdStack& stack = TIdStack::Instance();
        const int error = stack.WSGetLastError();
        if (error != wsa::kShutdown && error != wsa::kConnectionAborted) stack.RaiseSocketError(error);
        // A connection the system gave up counts as closed, unless nothing was read before.
        CloseSocketOnly();
        if (input_.Size() == 0) stack.RaiseSocketError(error);
        result = 0;
    }
    if (ASCIIFilter)
        for (int i = 0; i < result; ++i) target[i] = static_cast<char>(target[i] & 0x7F);
    return result;
}

int TIdTCPConnection::ReceiveInto(char* target, int size)
{
    CheckPeerClosed(true, false);
    if (!transport_ || !transport_->Connected()) throw EIdNotConnected();
    const int timeout = WithinDeadline(ReadTimeout == 0 ? kIdInfinite : ReadTimeout);
    const std::shared_ptr<TIdIOHandlerSocket> waiting = transport_;  // alive through the dispatches
    if (!waiting->Readable(timeout)) throw EIdReadTimeout();
    const int result = Receive(target, size);
    if (result > 0) DoWork(TIdWorkMode::wmRead, result);
    CheckPeerClosed(true, true);
    return result;
}

std::string TIdTCPConnection::ReadLine(std::string terminator, int timeout, int maxLength)
{
    if (terminator.empty()) terminator = "\n";
    const std::size_t limit = maxLength == -1 ? static_cast<std::size_t>(MaxLineLength)
                                              : static_cast<std::size_t>(std::max(maxLength, 0));
    ReadLnSplit = ReadLnTimedOut = false;
    std::size_t scanned = 0;  // bytes already searched for the terminator
    for (;;) {
        const std::string_view buffered(input_.Memory(), input_.Size());
        const std::size_t from = scanned >= terminator.size() ? scanned - terminator.size() + 1 : 0;
        const std::size_t found = buffered.find(terminator, from);
        scanned = buffered.size();
        const bool tooLong =
            limit != 0 && (found != std::string_view::npos ? found > limit : buffered.size() > limit);
        if (tooLong) {
            if (MaxLineAction == TIdMaxLineAction::maException) throw EIdReadLnMaxLineLengthExceeded();
            ReadLnSplit = true;
            return input_.Extract(limit);
        }
        if (found != std::string_view::npos) {
            std::string line = input_.Extract(found + terminator.size());
            line.resize(found);
            if (terminator == "\n" && !line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        CheckPeerClosed(true, true);
        if (FillInput(true, timeout, timeout == -1) <= 0) {
            ReadLnTimedOut = true;
            return {};
        }
    }
}

std::string TIdTCPConnection::ReadExact(int count)
{
    if (count <= 0) return {};
    while (input_.Size() < static_cast<std::size_t>(count)) {
        FillInput(true, -1, true);
        CheckPeerClosed(true, true);
    }
    return input_.Extract(static_cast<std::size_t>(count));
}

void TIdTCPConnection::ReadIntoStream(TIdMemoryStream& stream, long long count, bool untilClose)
{
    if (count == -1 && !untilClose) {
        const std::string size = ReadExact(4);
        count = (static_cast<long long>(static_cast<unsigned char>(size[0])) << 24) |
                (static_cast<unsigned char>(size[1]) << 16) | (static_cast<unsigned char>(size[2]) << 8) |
                static_cast<unsigned char>(size[3]);
    }
    if (count >= 0) stream.Reserve(stream.Position() + static_cast<std::size_t>(count));
    BeginWork(TIdWorkMode::wmRead, untilClose ? 0 : count);
    struct TEnd {
        TIdTCPConnection& Connection;
        TIdMemoryStream& Stream;
        ~TEnd()
        {
            Connection.EndWork(TIdWorkMode::wmRead);
            if (Stream.Size() > Stream.Position()) Stream.Truncate();
        }
    } end{*this, stream};
    long long remaining = untilClose && count < 0 ? LLONG_MAX : count;
    const std::size_t buffered =
        static_cast<std::size_t>(std::min<long long>(static_cast<long long>(input_.Size()), remaining));
    if (buffered > 0) {
        stream.Write(input_.Memory(), buffered);
        input_.Remove(buffered);
        remaining -= static_cast<long long>(buffered);
    }
    const long long block = std::min<long long>(remaining, RecvBufferSize);
    while (remaining > 0 && IsConnected()) {
        const int size = static_cast<int>(std::min(remaining, block));
        try {
            // With nothing buffered the bytes are received straight into the stream: no copy
            // through the input buffer. What a receive brings beyond the block stays in the stream's
            // next block, never past `remaining`.
            int got = 0;
            while (got < size) {
                if (input_.Size() > 0) {
                    const std::size_t n =
                        std::min<std::size_t>(input_.Size(), static_cast<std::size_t>(size - got));
                    stream.Write(input_.Memory(), n);
                    input_.Remove(n);
                    got += static_cast<int>(n);
                    continue;
                }
                if (stream.Full()) {
                    // Into the input buffer first: a peer that is done closes now, and a full stream
                    // only grows (copying all it holds) when more bytes did come.
                    FillInput(true, -1, true);
                    continue;
                }
                char* target = stream.Extend(static_cast<std::size_t>(size - got));
                int n = 0;
                try {
                    n = ReceiveInto(target, size - got);
                } catch (...) {
                    stream.Commit(0);
                    throw;
                }
                stream.Commit(static_cast<std::size_t>(n));
                got += n;
            }
        } catch (const EIdConnClosedGracefully&) {
            if (!untilClose) throw;
            stream.Write(input_.Memory(), input_.Size());
            input_.Clear();
            return;
        }
        remaining -= size;
    }
}

void TIdTCPConnection::WriteBytes(const char* bytes, std::size_t count, bool sendNow)
{
    if (count == 0) return;
    CheckPeerClosed(true, true);
    if (!transport_ || !transport_->Connected()) throw EIdNotConnected();
    if (writeBuffer_ && !sendNow) {
        writeBuffer_->append(bytes, count);
        if (writeThreshold_ > 0 && writeBuffer_->size() >= static_cast<std::size_t>(writeThreshold_))
            FlushWriteBatch(writeThreshold_);
        return;
    }
    Send(bytes, count);
}

void TIdTCPConnection::Send(const char* bytes, std::size_t count)
{
    std::size_t sent = 0;
    while (sent < count) {
        const int chunk = static_cast<int>(std::min<std::size_t>(count - sent, INT_MAX));
        const int n = transport_ ? transport_->Send(bytes + sent, chunk) : -1;
        TIdAntiFreeze::Step(false, false);
        closedByPeer_ = n == 0;
        CheckPeerClosed(true, false);
        if (n == 0) throw EIdConnClosedGracefully();  // closed, though input is still buffered
        if (n < 0) {
            TIdStack& stack = TIdStack::Instance();
            const int error = stack.WSGetLastError();
            if (error == wsa::kShutdown || error == wsa::kConnectionAborted || error == wsa::kConnectionReset)
                CloseSocketOnly();
            stack.RaiseSocketError(error);
        }
        DoWork(TIdWorkMode::wmWrite, n);
        sent += static_cast<std::size_t>(n);
    }
}

void TIdTCPConnection::WriteText(const std::string& text)
{
    if (!text.empty()) WriteBytes(text.data(), text.size());
}

void TIdTCPConnection::BeginWriteBatch(int threshold)
{
    writeBuffer_ = std::make_unique<std::string>();
    writeThreshold_ = threshold;
}

void TIdTCPConnection::EndWriteBatch()
{
    if (!writeBuffer_) return;
    struct TFree {
        std::unique_ptr<std::string>& Buffer;
        ~TFree() { Buffer.reset(); }
    } free{writeBuffer_};
    FlushWriteBatch(-1);
}

void TIdTCPConnection::FlushWriteBatch(int count)
{
    if (!writeBuffer_ || writeBuffer_->empty()) return;
    const std::string pending = count != -1 && static_cast<std::size_t>(count) <= writeBuffer_->size()
                                    ? writeBuffer_->substr(0, static_cast<std::size_t>(count))
                                    : *writeBuffer_;
    writeBuffer_->erase(0, pending.size());
    WriteBytes(pending.data(), pending.size(), true);
}

void TIdTCPConnection::CloseSocketOnly()
{
    closedByPeer_ = true;
    if (transport_) transport_->Close();
}

void TIdTCPConnection::CloseConnection()
{
    DoStatus(TIdStatus::hsDisconnecting);
    CloseSocketOnly();
    transport_.reset();
    if (OnDisconnected) OnDisconnected();
    DoStatus(TIdStatus::hsDisconnected);
}

// ---- client ----

void TIdTCPClient::OpenConnection(int timeout)
{
    if (transport_ && transport_->Connected()) throw EIdAlreadyConnected();
    TIdStack& stack = TIdStack::Instance();
    if (!transport_) transport_ = std::make_shared<TIdIOHandlerSocket>(stack);
    const std::shared_ptr<TIdIOHandlerSocket> connecting = transport_;  // alive through the dispatches
    try {
        transport_->Open();
        input_.Clear();
        closedByPeer_ = false;
        TIdSocketHandle& binding = *transport_->Binding();
        binding.Allocate();
        binding.Bind(BoundIP, BoundPort);
        std::string peer = Host;
        if (!TIdStack::IsDottedQuad(Host)) {
            DoStatus(TIdStatus::hsResolving, Host);
            peer = ResolveHost(stack);
            // Messages were dispatched meanwhile: the window may have closed this connection.
            if (transport_ != connecting || !binding.Allocated()) throw EIdConnClosedGracefully();
        }
        binding.PeerIP = peer;
        binding.PeerPort = Port;
        // Only a little slower without it: a socket that refuses the option still works.
        if (!transport_->UseNagle) (void)stack.SetNoDelay(binding.Handle());
        DoStatus(TIdStatus::hsConnecting, peer);
        if (Deadline()) {
            ConnectWithLimit(binding, WithinDeadline(timeout != -1 && timeout != 0 ? timeout : kIdInfinite));
        } else if (timeout != -1 && timeout != 0) {
            ConnectWithLimit(binding, timeout);
        } else if (TIdAntiFreeze::Applies()) {
            ConnectWithLimit(binding, kIdConnectLimitWithAntiFreeze);
        } else if (stack.Connect(binding.Handle(), peer, Port) != 0) {
            stack.RaiseLastSocketError();
        }
        binding.ReadBackAddresses();
        DoStatus(TIdStatus::hsConnected, Host);
        if (OnConnected) OnConnected();
    } catch (...) {
        CloseSocketOnly();
        throw;
    }
}

// On the window's thread the name is looked up on a thread of its own while the anti-freeze keeps
// the windows answering, within the deadline; a lookup still running then finishes on its own.
std::string TIdTCPClient::ResolveHost(TIdStack& stack)
{
    WithinDeadline(kIdInfinite);
    if (!TIdAntiFreeze::Applies() || SameText(Host, "LOCALHOST")) return stack.LookUpHost(Host);
    struct TLookup {
        std::mutex Lock;
        std::condition_variable Finished;
        bool Done = false;
        std::string Address;
        int Error = 0;
    };
    auto lookup = std::make_shared<TLookup>();
    TIdStack::Acquire();  // the lookup's own share of the services, given back when it ends
    try {
        std::thread([lookup, host = Host] {
            std::string address;
            int error = wsa::kHostNotFound;
            try {
                address = TIdStack::Instance().Resolve(host, error);
            } catch (...) {
            }
            TIdStack::Release();
            std::lock_guard lock(lookup->Lock);
            lookup->Address = std::move(address);
            lookup->Error = error;
            lookup->Done = true;
            lookup->Finished.notify_all();
        }).detach();
    } catch (...) {
        TIdStack::Release();
        throw;
    }
    const auto done = [&](int ms) {
        std::unique_lock lock(lookup->Lock);
        return lookup->Finished.wait_for(lock, std::chrono::milliseconds(std::max(ms, 0)),
                                         [&] { return lookup->Done; })
                   ? 1
                   : 0;
    };
    const std::shared_ptr<TIdIOHandlerSocket> resolving = transport_;
    const auto closedMeanwhile = [&] {
        if (transport_ != resolving || !resolving || !resolving->Binding()->Allocated())
            throw EIdConnClosedGracefully();  // the lookup is left to finish on its own
    };
    for (;;) {
        const int slice = WithinDeadline(kIdConnectSlice);
        if (TIdAntiFreeze::WaitDispatching(slice, done, closedMeanwhile) == 1) break;
        closedMeanwhile();
        TIdAntiFreeze::Step(true, false);
    }
    std::lock_guard lock(lookup->Lock);
    if (lookup->Address.empty()) stack.RaiseSocketError(lookup->Error ? lookup->Error : wsa::kHostNotFound);
    return lookup->Address;
}

// The connect runs without blocking and is polled in slices; messages are dispatched between them.
void TIdTCPClient::ConnectWithLimit(TIdSocketHandle& binding, int limit)
{
    TIdStack& stack = TIdStack::Instance();
    const auto failed = [&] {
        const int error = stack.WSGetLastError();
        stack.RaiseSocketError(error);  // keeps the number as the last error
    };
    int state = stack.ConnectStart(binding.Handle(), binding.PeerIP, binding.PeerPort);
    try {
        if (state < 0) failed();
    } catch (const EIdSocketError& error) {
        throw EIdConnectException(error.what());
    }
    if (state == 0) return;
    int slice = kIdConnectSlice;
    if (TIdAntiFreeze::Applies()) slice = std::min(TIdAntiFreeze::Instance()->IdleTimeOut(), kIdConnectSlice);
    int remaining = limit;
    while (remaining > slice) {
        state = TIdAntiFreeze::WaitDispatching(
            slice, [&](int step) { return stack.ConnectWait(binding.Handle(), step); },
            [&] {
                if (!binding.Allocated()) throw EIdConnClosedGracefully();
            });
        remaining -= slice;
        TIdAntiFreeze::Step(true, false);
        if (state != 0) break;
    }
    if (state == 0) state = stack.ConnectWait(binding.Handle(), std::max(remaining, 0));
    if (state == 0) {
        binding.CloseSocket();
        throw EIdConnectTimeout();
    }
    if (state < 0) {
        try {
            failed();
        } catch (const EIdSocketError& error) {
            throw EIdConnectException(error.what());
        }
    }
}

}  // namespace zelvora
