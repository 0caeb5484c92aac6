// The HTTP client's speed over loopback beside curl fetching the same bodies from the same
// server in the same run: a 64 MiB body by length, chunked and until close, and round trips on
// one kept-alive connection. Runs alternate (client, curl, client, ...) and medians are compared.
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "../tests/support/Loopback.h"
#include "update/HttpClient.h"

namespace {

constexpr std::size_t kBulkBytes = 64u << 20;
constexpr std::size_t kChunkBytes = 64u << 10;
constexpr int kRuns = 5;
constexpr int kRoundTrips = 2000;

struct Replies {
    std::string Length, Chunked, Close, Small;
};

Replies MakeReplies()
{
    std::string body(kBulkBytes, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
    Replies r;
    r.Length = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    r.Chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    char size[32];
    for (std::size_t at = 0; at < body.size(); at += kChunkBytes) {
        const std::size_t n = std::min(kChunkBytes, body.size() - at);
        std::snprintf(size, sizeof size, "%zx\r\n", n);
        r.Chunked += size;
        r.Chunked.append(body, at, n);
        r.Chunked += "\r\n";
    }
    r.Chunked += "0\r\n\r\n";
    r.Close = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body;
    r.Small = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.0.0";
    return r;
}

// Answers GETs of /length, /chunked, /close and /small, keeping connections alive but for /close.
class BenchServer {
public:
    explicit BenchServer(const Replies& replies) : replies_(replies)
    {
        listener_ = zelvora::testing::ListenOnLoopback(64, port_);
        acceptor_ = std::thread([this] {
            for (;;) {
                const int fd = accept(listener_, nullptr, nullptr);
                if (fd < 0) return;
                std::thread([this, fd] { Serve(fd); }).detach();
            }
        });
    }
    ~BenchServer()
    {
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        acceptor_.join();
    }
    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void Serve(int fd)
    {
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        std::string pending;
        char buffer[8192];
        for (;;) {
            std::size_t end;
            while ((end = pending.find("\r\n\r\n")) == std::string::npos) {
                const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0) {
                    close(fd);
                    return;
                }
                pending.append(buffer, static_cast<std::size_t>(n));
            }
            const std::string head = pending.substr(0, end);
            pending.erase(0, end + 4);
            const std::string* reply = head.find(" /length ") != std::string::npos    ? &replies_.Length
                                       : head.find(" /chunked ") != std::string::npos ? &replies_.Chunked
                                       : head.find(" /close ") != std::string::npos   ? &replies_.Close
                                                                                      : &replies_.Small;
            for (std::size_t sent = 0; sent < reply->size();) {
                const ssize_t n = send(fd, reply->data() + sent, reply->size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
            }
            if (reply == &replies_.Close) {
                close(fd);
                return;
            }
        }
    }
    const Replies& replies_;
    int listener_ = -1;
    int port_ = 0;
    std::thread acceptor_;
};

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Curl(const std::vector<std::string>& args)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp("curl", argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "curl failed (%d)\n", status);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Compare(const char* name, const std::function<void()>& client, const std::function<void()>& curl,
             double units, const char* unit)
{
    client();  // warm-up
    curl();
    std::vector<double> a, b, ratios;
    for (int i = 0; i < kRuns; ++i) {
        a.push_back(Seconds(client));
        b.push_back(Seconds(curl));
        ratios.push_back(a.back() / b.back());
    }
    std::printf(
        "%-28s client %8.3f s (%9.1f %s)  curl %8.3f s (%9.1f %s)  client/curl %.2fx (pairs %.2f..%.2f)\n",
        name, Median(a), units / Median(a), unit, Median(b), units / Median(b), unit, Median(ratios),
        *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    // An argument picks one case by a word of its name ("close", "chunked", ...).
    const std::string only = argc > 1 ? argv[1] : "";
    const auto wanted = [&](const std::string& name) {
        return only.empty() || name.find(only) != std::string::npos;
    };
    const Replies replies = MakeReplies();
    BenchServer server(replies);
    const double mib = static_cast<double>(kBulkBytes) / (1 << 20);
    for (const char* path : {"/length", "/chunked", "/close"}) {
        const std::string url = server.Url(path);
        if (!wanted(path + 1)) continue;
        Compare((std::string("64 MiB ") + (path + 1)).c_str(),
                [&] {
                    zelvora::TIdHTTP http;
                    if (http.GetAsString(url).size() != kBulkBytes) std::fprintf(stderr, "short body\n");
                },
                [&] {
                    Curl({"curl", "-s", "-o", "/dev/null", url});
                },
                mib, "MiB/s");
    }
    // The floor for any client that hands the body back in memory: 64 MiB of fresh memory filled
    // in receive-sized blocks, beside curl's whole fetch to /dev/null.
    const std::string block(static_cast<std::size_t>(zelvora::kIdRecvBufferSize), 'x');
    if (wanted("memory"))
        Compare(
            "64 MiB into memory, no net",
            [&] {
                std::string body;
                for (std::size_t at = 0; at < kBulkBytes; at += block.size()) body += block;
                if (body.size() != kBulkBytes) std::fprintf(stderr, "short\n");
            },
            [&] {
                Curl({"curl", "-s", "-o", "/dev/null", server.Url("/length")});
            },
            mib, "MiB/s");
    const std::string config = "/tmp/zelvora-http-bench.curl";
    {
        std::ofstream out(config);
        for (int i = 0; i < kRoundTrips; ++i)
            out << "url = \"" << server.Url("/small") << "\"\noutput = \"/dev/null\"\n";
    }
    if (wanted("round trips"))
        Compare(
            "round trips, one connection",
            [&] {
                zelvora::TIdHTTP http;
                for (int i = 0; i < kRoundTrips; ++i) http.GetAsString(server.Url("/small"));
            },
            [&] {
                Curl({"curl", "-s", "-K", config});
            },
            kRoundTrips, "req/s");
    std::remove(config.c_str());
    return 0;
}
