// Preloaded into a Wine process under test, it stands in for the system's resolver: a name that
// ends in ".hang.test" creates the file $ZELVORA_HANG_MARKER and is then looked up until the file
// $ZELVORA_HANG_RELEASE exists (two minutes at most), and is not found; any other name goes to
// the real resolver. Built without sanitizers: it runs inside Wine, not inside a test program.
#include <dlfcn.h>
#include <netdb.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool Hangs(const char* name)
{
    constexpr char kSuffix[] = ".hang.test";
    const std::size_t length = name ? std::strlen(name) : 0;
    const std::size_t suffix = sizeof kSuffix - 1;
    if (length < suffix || std::strcmp(name + length - suffix, kSuffix) != 0) return false;
    const char* marker = std::getenv("ZELVORA_HANG_MARKER");
    const char* release = std::getenv("ZELVORA_HANG_RELEASE");
    if (marker)
        if (FILE* file = std::fopen(marker, "w")) std::fclose(file);
    constexpr int kSteps = 120 * 20;  // 50 ms each
    for (int step = 0; step < kSteps && !(release && access(release, F_OK) == 0); ++step) usleep(50 * 1000);
    return true;
}

template <typename Function>
Function Real(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result)
{
    if (Hangs(node)) return EAI_NONAME;
    return Real<decltype(&getaddrinfo)>("getaddrinfo")(node, service, hints, result);
}

int gethostbyname_r(const char* name, hostent* entry, char* buffer, size_t size, hostent** result, int* error)
{
    if (Hangs(name)) {
        *result = nullptr;
        *error = HOST_NOT_FOUND;
        return 0;
    }
    return Real<decltype(&gethostbyname_r)>("gethostbyname_r")(name, entry, buffer, size, result, error);
}

hostent* gethostbyname(const char* name)
{
    if (Hangs(name)) {
        h_errno = HOST_NOT_FOUND;
        return nullptr;
    }
    return Real<decltype(&gethostbyname)>("gethostbyname")(name);
}
}
