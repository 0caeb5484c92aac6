// Save screen: the whole screen with its marks, as a PNG in Pictures\Zelvora and on the
// clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace zelvora {

struct TSnapshot {
    enum class TFailure { None, Capture, Folder, DiskFull, Clipboard };
    TFailure Failure = TFailure::None;
    std::wstring Path;    // the picture saved, also when only the clipboard failed
    std::wstring Detail;  // what the message names: the step that failed, or the folder
};

// Copies the screen, saves it under a new name and puts it on the clipboard. A failure to
// capture or to save leaves everything as it was.
TSnapshot SaveScreenSnapshot(HWND clipboardOwner);

// The name of the translated message that tells of the failure; empty for none.
const char* SnapshotMessageName(TSnapshot::TFailure failure);

}  // namespace zelvora
