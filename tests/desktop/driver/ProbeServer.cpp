#include "ProbeServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>

namespace zelvora::desktop {

namespace {

constexpr char kSeparator = '\x1F';
using Clock = std::chrono::steady_clock;

// The exit code when `output` ends an answer ("...<0x1F>code\n"); the text before it goes.
bool TakeExitCode(std::string& output, int& code)
{
    if (output.empty() || output.back() != '\n') return false;
    const std::size_t mark = output.rfind(kSeparator);
    if (mark == std::string::npos) return false;
    char* end = nullptr;
    code = static_cast<int>(std::strtol(output.c_str() + mark + 1, &end, 10));
    if (end != output.c_str() + output.size() - 1) return false;
    output.erase(mark);
    return true;
}

}  // namespace

bool ProbeServer::Start()
{
    signal(SIGPIPE, SIG_IGN);  // a server that went fails the write instead of ending the tests
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0) return false;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]), close(in[1]);
        return false;
    }
    pid_ = fork();
    if (pid_ == 0) {
        setpgid(0, 0);
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO);
        execlp("wine", "wine", probe_.c_str(), "serve", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]), close(out[1]);
    if (pid_ < 0) {
        close(in[1]), close(out[0]);
        return false;
    }
    setpgid(pid_, pid_);
    toServer_ = in[1], fromServer_ = out[0];
    return true;
}

void ProbeServer::Stop()
{
    if (toServer_ >= 0) close(toServer_);
    if (fromServer_ >= 0) close(fromServer_);
    toServer_ = fromServer_ = -1;
    if (pid_ > 0) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

bool ProbeServer::Send(const std::string& line)
{
    std::size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t n = write(toServer_, line.data() + sent, line.size() - sent);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

CommandResult ProbeServer::Ask(const std::vector<std::string>& args, std::chrono::milliseconds timeout)
{
    std::string line;
    for (const std::string& arg : args) line += (line.empty() ? "" : std::string(1, kSeparator)) + arg;
    line += '\n';
    // A server the Wine server took with it takes no line: start another, once.
    if ((pid_ < 0 && !Start()) || !Send(line)) {
        Stop();
        if (!Start() || !Send(line)) {
            Stop();
            return {};
        }
    }
    const auto deadline = Clock::now() + timeout;
    CommandResult result;
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd fd{fromServer_, POLLIN, 0};
        const int ready = left > 0 ? poll(&fd, 1, static_cast<int>(left)) : 0;
        if (ready < 0 && errno == EINTR) continue;
        const ssize_t n = ready > 0 ? read(fromServer_, buffer, sizeof buffer) : 0;
        if (n <= 0) break;  // the deadline, or the server went
        result.Output.append(buffer, static_cast<std::size_t>(n));
        if (TakeExitCode(result.Output, result.ExitCode)) return result;
    }
    Stop();
    result.ExitCode = -1;
    return result;
}

}  // namespace zelvora::desktop
