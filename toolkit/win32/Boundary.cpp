#include "toolkit/win32/Boundary.h"

#include "toolkit/win32/Application.h"

namespace zelvora {

void ReportBoundaryError(const char* message) noexcept
{
    try {
        if (Application) Application->ShowException(message);
    } catch (...) {
        // The error display itself failed (no memory for the text): nothing more can be shown.
    }
}

}  // namespace zelvora
