// One copy of the probe that stays in the desktop and answers command after command: starting a
// Wine process costs more than most questions the tests ask.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "Process.h"

namespace zelvora::desktop {

class ProbeServer {
public:
    // `probe`: the probe's path, run with `wine` in the environment's desktop when first asked.
    explicit ProbeServer(std::string probe) : probe_(std::move(probe)) {}
    ~ProbeServer() { Stop(); }
    ProbeServer(const ProbeServer&) = delete;
    ProbeServer& operator=(const ProbeServer&) = delete;

    // As a run of the probe with these arguments; a server that went (the Wine server was ended)
    // is started again, one that hangs past the deadline is ended.
    CommandResult Ask(const std::vector<std::string>& args, std::chrono::milliseconds timeout);
    void Stop();

private:
    bool Start();
    bool Send(const std::string& line);

    std::string probe_;
    pid_t pid_ = -1;
    int toServer_ = -1, fromServer_ = -1;
};

}  // namespace zelvora::desktop
