#include "toolkit/win32/ComApartment.h"

#include <windows.h>
#include <objbase.h>

#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

TComApartment::TComApartment()
{
    auto* initialise = SystemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    // S_FALSE: already initialised on this thread, which still wants its balancing call.
    initialised_ =
        initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

TComApartment::~TComApartment()
{
    if (!initialised_) return;
    if (auto* uninitialise = SystemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize"))
        uninitialise();
}

}  // namespace zelvora
