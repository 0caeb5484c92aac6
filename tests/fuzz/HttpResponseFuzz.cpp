// Server replies are data from the network: any bytes, cut into any receive sizes, must end in
// a body or an exception, never a crash, a hang or memory beyond what arrived.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "../support/MemoryStack.h"
#include "update/HttpClient.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    // The first byte picks the receive size and a body limit (none, tiny, small, the update check's).
    const std::size_t piece = 1 + data[0] % 64;
    constexpr long long kLimits[] = {-1, 16, 4096, 64 * 1024};
    const long long limit = kLimits[data[0] >> 6];
    zelvora::testing::TMemoryStackScope scope;
    zelvora::TIdHTTP http;
    http.MaxBodySize = limit;
    auto& stack = scope.Stack();
    const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);
    for (std::size_t at = 0; at < reply.size(); at += piece)
        stack.Incoming.push_back(reply.substr(at, piece));
    try {
        const std::string body = http.GetAsString("http://update.zelvora.example/zelvora/version.txt");
        if (body.size() > reply.size()) std::terminate();  // more body than bytes received
        if (limit >= 0 && static_cast<long long>(body.size()) > limit) std::terminate();
    } catch (const std::exception&) {
        // Every failure is an exception: that is the contract.
    }
    return 0;
}
