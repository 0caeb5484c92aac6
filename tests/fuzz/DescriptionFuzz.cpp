// Window descriptions are data: any bytes give a window or a clear error, never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../unit/TestComponents.h"
#include "toolkit/DescriptionReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = [] {
        zelvora::RegisterComponentClass<zelvora::testing::TSample>();
        return true;
    }();
    (void)registered;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        zelvora::testing::TSampleWindow window;
        window.Publish("Label3Click", [](zelvora::TEventArgs&) {});
        zelvora::ReadDescription(window, text);
    } catch (const zelvora::EDescriptionError&) {
    }
    return 0;
}
