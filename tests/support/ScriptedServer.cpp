#include "ScriptedServer.h"

#include "Loopback.h"

#include <poll.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <stdexcept>

namespace zelvora::testing {

TScriptedServer::TScriptedServer(std::vector<std::vector<TServerStep>> scripts, int backlog)
    : scripts_(std::move(scripts))
{
    listener_ = ListenOnLoopback(backlog, port_);
    if (listener_ < 0) throw std::runtime_error("test server cannot listen");
    if (!scripts_.empty()) acceptor_ = std::thread([this] { Serve(); });
}

TScriptedServer::~TScriptedServer()
{
    Stop();
    if (acceptor_.joinable()) acceptor_.join();
    for (std::thread& worker : workers_) worker.join();
}

void TScriptedServer::Stop()
{
    stopping_ = true;
    if (listener_ >= 0) {
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        listener_ = -1;
    }
}

std::vector<std::string> TScriptedServer::Requests() const
{
    std::lock_guard guard(lock_);
    return requests_;
}

void TScriptedServer::Serve()
{
    const int listener = listener_;
    while (!stopping_) {
        pollfd p{listener, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        const int fd = accept(listener, nullptr, nullptr);
        if (fd < 0) continue;
        const int n = connections_++;
        const auto& script =
            scripts_[std::min<std::size_t>(static_cast<std::size_t>(n), scripts_.size() - 1)];
        std::lock_guard guard(lock_);
        workers_.emplace_back([this, fd, &script] { Run(fd, script); });
    }
}

void TScriptedServer::Run(int fd, const std::vector<TServerStep>& script)
{
    std::string pending;
    const auto readable = [&](int ms) {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, ms) > 0;
    };
    bool open = true;
    for (const TServerStep& step : script) {
        if (!open || stopping_) break;
        switch (step.Kind) {
            case TServerStep::TKind::ReadRequest: {
                std::size_t end;
                while ((end = pending.find("\r\n\r\n")) == std::string::npos && !stopping_) {
                    if (!readable(20)) continue;
                    char buffer[4096];
                    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                    if (n <= 0) {
                        open = false;
                        break;
                    }
                    pending.append(buffer, static_cast<std::size_t>(n));
                }
                if (!open || end == std::string::npos) break;
                std::lock_guard guard(lock_);
                requests_.push_back(pending.substr(0, end + 4));
                pending.erase(0, end + 4);
                break;
            }
            case TServerStep::TKind::Send:
                for (std::size_t sent = 0; sent < step.Bytes.size();) {
                    const ssize_t n =
                        send(fd, step.Bytes.data() + sent, step.Bytes.size() - sent, MSG_NOSIGNAL);
                    if (n <= 0) {
                        open = false;
                        break;
                    }
                    sent += static_cast<std::size_t>(n);
                }
                break;
            case TServerStep::TKind::Pause: {
                // Cut short when the server stops, so that a test's end does not wait out a long pause.
                const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(step.Ms);
                while (!stopping_ && std::chrono::steady_clock::now() < end)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                break;
            }
            case TServerStep::TKind::Close:
                open = false;
                break;
            case TServerStep::TKind::HoldOpen:
                while (!stopping_) {
                    if (!readable(20)) continue;
                    char buffer[4096];
                    if (recv(fd, buffer, sizeof buffer, 0) <= 0) break;
                }
                open = false;
                break;
        }
    }
    close(fd);
}

}  // namespace zelvora::testing
