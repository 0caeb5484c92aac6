#include "Process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>
#include <utility>

namespace zelvora::desktop {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv)
{
    std::vector<char*> pointers;
    for (const std::string& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

[[noreturn]] void ExecChild(const std::vector<std::string>& argv, int stdoutFd)
{
    setpgid(0, 0);
    const int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, STDIN_FILENO);
    dup2(stdoutFd >= 0 ? stdoutFd : devNull, STDOUT_FILENO);
    dup2(stdoutFd >= 0 && stdoutFd != devNull ? stdoutFd : devNull, STDERR_FILENO);
    auto pointers = ArgvPointers(argv);
    execvp(pointers[0], pointers.data());
    _exit(127);
}

void KillGroup(pid_t pid)
{
    kill(-pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& argv, std::chrono::milliseconds timeout)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        // stderr of Wine is noise; keep only stdout.
        setpgid(0, 0);
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(pipeFds[1], STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        auto pointers = ArgvPointers(argv);
        execvp(pointers[0], pointers.data());
        _exit(127);
    }
    close(pipeFds[1]);
    CommandResult result;
    if (pid < 0) {
        close(pipeFds[0]);
        return result;
    }
    const auto deadline = Clock::now() + timeout;
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        pollfd fd{pipeFds[0], POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(left)) <= 0) break;
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        result.Output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeFds[0]);
    int status = 0;
    while (Clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    KillGroup(pid);
    return result;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& logPath)
{
    const int logFd = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    pid_ = fork();
    if (pid_ == 0) ExecChild(argv, logFd);
    if (logFd >= 0) close(logFd);
    if (pid_ < 0) throw std::runtime_error("cannot start " + argv.front());
    setpgid(pid_, pid_);
}

ChildProcess::~ChildProcess()
{
    Stop();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        Stop();
        pid_ = std::exchange(other.pid_, -1);
    }
    return *this;
}

bool ChildProcess::Running()
{
    if (pid_ <= 0) return false;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (Running()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void ChildProcess::Stop()
{
    if (pid_ > 0 && Running()) KillGroup(pid_);
    pid_ = -1;
}

void ChildProcess::Kill()
{
    if (pid_ > 0 && Running()) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

pid_t FindProcess(const std::string& needle)
{
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    pid_t newest = -1;
    DIR* proc = opendir("/proc");
    if (!proc) return -1;
    while (dirent* entry = readdir(proc)) {
        const pid_t pid = std::atoi(entry->d_name);
        if (pid <= 0 || pid == getpid()) continue;
        std::ifstream file("/proc/" + std::string(entry->d_name) + "/cmdline");
        std::string cmdline((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::replace(cmdline.begin(), cmdline.end(), '\0', ' ');
        if (lower(cmdline).find(lower(needle)) != std::string::npos && pid > newest) newest = pid;
    }
    closedir(proc);
    return newest;
}

}  // namespace zelvora::desktop
