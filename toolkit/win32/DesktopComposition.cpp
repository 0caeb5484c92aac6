#include "toolkit/win32/DesktopComposition.h"

#include <windows.h>

#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

bool DesktopComposed()
{
    using TIsCompositionEnabled = HRESULT WINAPI(BOOL*);
    // Bound on first use: only a start without a stored choice asks.
    auto* const isEnabled = SystemFunction<TIsCompositionEnabled>(L"dwmapi.dll", "DwmIsCompositionEnabled");
    BOOL enabled = FALSE;
    return isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
}

}  // namespace zelvora
