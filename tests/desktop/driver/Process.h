// Child processes for the desktop tests: spawn, capture, stop.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace zelvora::desktop {

struct CommandResult {
    int ExitCode = -1;  // -1 when it did not finish in time or could not start
    std::string Output;
};

// Runs a command to its end (or the deadline) and returns its stdout; stderr is discarded.
CommandResult RunCommand(const std::vector<std::string>& argv,
                         std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The newest process whose command line contains `needle`, ignoring case; -1 when none does.
pid_t FindProcess(const std::string& needle);

// A running child in a process group of its own; stopped with SIGTERM then SIGKILL on destruction.
class ChildProcess {
public:
    ChildProcess() = default;
    explicit ChildProcess(const std::vector<std::string>& argv, const std::string& logPath = "/dev/null");
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();
    // True when the child ended before the deadline.
    bool WaitForExit(std::chrono::milliseconds timeout);
    void Stop();
    // Ends it at once, as the task manager does: it gets no chance to save anything.
    void Kill();

private:
    pid_t pid_ = -1;
};

}  // namespace zelvora::desktop
