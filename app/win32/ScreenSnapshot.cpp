#include "app/win32/ScreenSnapshot.h"

#include <stdexcept>

#include "app/SnapshotNames.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Clipboard.h"
#include "toolkit/win32/KnownFolders.h"
#include "toolkit/win32/NewFile.h"
#include "toolkit/win32/PngEncoder.h"

namespace zelvora {

namespace {

std::wstring WideOfAscii(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

}  // namespace

TSnapshot SaveScreenSnapshot(HWND clipboardOwner)
{
    using TFailure = TSnapshot::TFailure;
    TSnapshot snapshot;
    SYSTEMTIME local{};
    GetLocalTime(&local);  // the moment the key was pressed names the picture
    TScreenCopy screen;
    std::vector<std::uint8_t> png;
    try {
        screen = CopyScreen();
        png = EncodePng(screen.Pixels->Bits(), screen.Bounds.Width(), screen.Bounds.Height());
    } catch (const std::exception& error) {
        snapshot.Failure = TFailure::Capture;
        snapshot.Detail = WideOfAscii(error.what());
        return snapshot;
    }
    const std::wstring pictures = PicturesFolder();
    if (pictures.empty()) {  // no Pictures folder known: say so rather than write somewhere else
        snapshot.Failure = TFailure::Folder;
        snapshot.Detail = L"Pictures\\Zelvora";
        return snapshot;
    }
    const std::wstring folder = pictures + L"\\Zelvora";
    const TLocalTime at{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    const TNewFile file = WriteNewFile(
        folder, [&](int copy) { return WideOfAscii(SnapshotFileName(at, copy)); }, png);
    if (file.Path.empty()) {
        snapshot.Failure = IsDiskFull(file.Error) ? TFailure::DiskFull : TFailure::Folder;
        snapshot.Detail = folder;
        return snapshot;
    }
    snapshot.Path = file.Path;
    if (!PutPictureOnClipboard(clipboardOwner, screen.Pixels->Bits(), screen.Bounds.Width(),
                               screen.Bounds.Height(), png)) {
        snapshot.Failure = TFailure::Clipboard;
        snapshot.Detail = file.Path;
    }
    return snapshot;
}

const char* SnapshotMessageName(TSnapshot::TFailure failure)
{
    switch (failure) {
        case TSnapshot::TFailure::Capture:
            return "sSnapshotFailed";
        case TSnapshot::TFailure::Folder:
            return "sSnapshotFolderFailed";
        case TSnapshot::TFailure::DiskFull:
            return "sSnapshotDiskFull";
        case TSnapshot::TFailure::Clipboard:
            return "sSnapshotClipboardBusy";
        case TSnapshot::TFailure::None:
            break;
    }
    return "";
}

}  // namespace zelvora
