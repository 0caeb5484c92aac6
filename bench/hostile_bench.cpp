// The update check's HTTP client against hostile servers on loopback: for each, the time until the
// request fails and the peak memory of a process that did nothing else. Each server runs in a child
// process of its own, so that one's peak does not hide another's.
#include <signal.h>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "../tests/support/ScriptedServer.h"
#include "update/HttpClient.h"

using namespace zelvora;
using namespace zelvora::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr long long kCheckBody = 64 * 1024;
constexpr auto kCheckTime = std::chrono::seconds(60);

struct THostile {
    const char* Name;
    std::function<std::vector<TServerStep>()> Script;
};

// Runs one request the way the update check does against the port, prints the outcome and ends.
[[noreturn]] void RunCheck(const char* name, int port)
{
    TIdHTTP http;
    http.ReadTimeout = 30000;
    http.MaxBodySize = kCheckBody;
    http.SetDeadline(Clock::now() + kCheckTime);
    const auto start = Clock::now();
    std::string outcome;
    try {
        http.GetAsString("http://127.0.0.1:" + std::to_string(port) + "/zelvora/version.txt");
        outcome = "answered";
    } catch (const std::exception& error) {
        outcome = error.what();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("  %-30s %6.2f s  %-30s", name, seconds, outcome.c_str());
    std::fflush(stdout);
    _exit(0);
}

// Serves the script in a process of its own (its bytes must not count as the client's), telling
// the port through the pipe; runs until it is killed.
[[noreturn]] void Serve(const THostile& hostile, int portPipe)
{
    TScriptedServer server({hostile.Script()});
    const int port = server.Port();
    if (write(portPipe, &port, sizeof port) != sizeof port) _exit(1);
    for (;;) pause();
}

}  // namespace

int main()
{
    const std::vector<THostile> servers{
        {"endless folded header lines",
         [] {
             return std::vector<TServerStep>{
                 ReadRequest(), Send("HTTP/1.1 200 OK\r\nX: a\r\n" + Repeated(" folded\r\n", 2000000)),
                 HoldOpen()};
         }},
        {"a byte every 10 s",
         [] { return Trickle("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.2.3", 10000); }},
        {"a 2 GB body",
         [] {
             std::vector<TServerStep> script{ReadRequest(), Send("HTTP/1.1 200 OK\r\n\r\n")};
             const std::string block(1 << 20, 'b');
             for (int i = 0; i < 2048; ++i) script.push_back(Send(block));
             return script;
         }},
        {"endless one-byte chunks",
         [] {
             return std::vector<TServerStep>{ReadRequest(),
                                             Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" +
                                                  Repeated("1\r\nx\r\n", 20000000)),
                                             HoldOpen()};
         }},
    };
    std::printf("Hostile servers against the update check (64 KiB head and body, 60 s for all):\n");
    std::fflush(stdout);
    for (const THostile& hostile : servers) {
        int ports[2];
        if (pipe(ports) != 0) return 1;
        const pid_t server = fork();
        if (server == 0) Serve(hostile, ports[1]);
        int port = 0;
        if (read(ports[0], &port, sizeof port) != sizeof port) return 1;
        close(ports[0]);
        close(ports[1]);
        const pid_t client = fork();
        if (client == 0) RunCheck(hostile.Name, port);
        int status = 0;
        rusage usage{};
        wait4(client, &status, 0, &usage);
        std::printf(" peak %6.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
        std::fflush(stdout);
        kill(server, SIGKILL);
        waitpid(server, &status, 0);
    }
    return 0;
}
