// Loopback sockets for tests and benchmarks on the build machine.
#pragma once

namespace zelvora::testing {

// A socket listening on 127.0.0.1 at a port the system chose; -1 when that fails.
int ListenOnLoopback(int backlog, int& port);
// A port nothing listens on right now.
int FreeLoopbackPort();
// True when something accepts connections at the port.
bool LoopbackAccepts(int port);

}  // namespace zelvora::testing
