#include "app/win32/ScreenSnapshot.h"

#include <exception>
#include <utility>

#include "app/SnapshotNames.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Clipboard.h"
#include "toolkit/win32/ComApartment.h"
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

struct TSnapshotQueue::TJob {
    TLocalTime At;  // the moment the key was pressed names the picture
    TScreenCopy Screen;
    TClipboardPicture Clipboard;
    TSnapshot Result;

    // On the worker thread: the PNG, and the file under a new name.
    void Write() noexcept;
};

void TSnapshotQueue::TJob::Write() noexcept
{
    using TFailure = TSnapshot::TFailure;
    try {
        const TComApartment com;  // the imaging component's encoder is a COM object on Windows
        const std::vector<std::uint8_t> png =
            EncodePng(Screen.Pixels->Bits(), Screen.Bounds.Width(), Screen.Bounds.Height());
        const std::wstring pictures = PicturesFolder();
        if (pictures.empty()) {  // no Pictures folder known: say so rather than write somewhere else
            Result.Failure = TFailure::Folder;
            Result.Detail = L"Pictures\\Zelvora";
            return;
        }
        const std::wstring folder = pictures + L"\\Zelvora";
        const TNewFile file = WriteNewFile(
            folder, [&](int copy) { return WideOfAscii(SnapshotFileName(At, copy)); }, png);
        if (file.Path.empty()) {
            // Any refusal, "access denied" from controlled folder access among them, names the
            // folder so the person can allow the program there or free it.
            Result.Failure = IsDiskFull(file.Error) ? TFailure::DiskFull : TFailure::Folder;
            Result.Detail = folder;
            return;
        }
        Result.Path = file.Path;
        // The clipboard's forms too: only the clipboard's own calls are left to the main thread.
        Clipboard = PrepareClipboardPicture(Screen.Pixels->Bits(), Screen.Bounds.Width(),
                                            Screen.Bounds.Height(), png);
        Screen = {};
    } catch (const std::exception& error) {
        Result.Failure = TFailure::Capture;
        Result.Detail = WideOfAscii(error.what());
    } catch (...) {
        Result.Failure = TFailure::Capture;
        Result.Detail = L"?";
    }
}

TSnapshotQueue::TSnapshotQueue(HWND window, UINT doneMessage) : window_(window), doneMessage_(doneMessage) {}

TSnapshotQueue::~TSnapshotQueue()
{
    if (worker_.joinable()) worker_.join();
    for (std::size_t i = 0; i < waiting_.size(); ++i)
        OutputDebugStringW(L"Zelvora: a saved screen was dropped at exit before it was written\n");
}

void TSnapshotQueue::WriteAll()
{
    if (worker_.joinable()) worker_.join();
    if (running_) waiting_.push_front(std::move(running_));
    for (auto& job : waiting_) {
        if (job->Result.Path.empty() && job->Result.Failure == TSnapshot::TFailure::None) job->Write();
        if (job->Result.Failure != TSnapshot::TFailure::None)
            OutputDebugStringW(
                (L"Zelvora: a saved screen could not be written at exit: " + job->Result.Detail + L"\n")
                    .c_str());
    }
    waiting_.clear();
}

std::optional<TSnapshot> TSnapshotQueue::Take()
{
    // Refused before the screen is copied: the copy is what the memory goes to.
    if (waiting_.size() >= kMaxWaiting) {
        TSnapshot busy;
        busy.Failure = TSnapshot::TFailure::Busy;
        return busy;
    }
    auto job = std::make_unique<TJob>();
    SYSTEMTIME local{};
    GetLocalTime(&local);
    job->At = {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    try {
        job->Screen = CopyScreen();
    } catch (const std::exception& error) {
        TSnapshot failed;
        failed.Failure = TSnapshot::TFailure::Capture;
        failed.Detail = WideOfAscii(error.what());
        return failed;
    }
    GdiFlush();  // the worker reads the pixels, never the device context
    waiting_.push_back(std::move(job));
    if (!running_) StartNext();
    return std::nullopt;
}

void TSnapshotQueue::StartNext()
{
    if (waiting_.empty()) return;
    running_ = std::move(waiting_.front());
    waiting_.pop_front();
    worker_ = std::thread([job = running_.get(), window = window_, message = doneMessage_] {
        job->Write();
        PostMessageW(window, message, 0, 0);
    });
}

TSnapshot TSnapshotQueue::Finish()
{
    if (!running_) return {};
    if (worker_.joinable()) worker_.join();
    const std::unique_ptr<TJob> job = std::move(running_);
    TSnapshot result = std::move(job->Result);
    if (result.Failure == TSnapshot::TFailure::None) {
        switch (PutPictureOnClipboard(window_, std::move(job->Clipboard))) {
            case TClipboardResult::Done:
                break;
            case TClipboardResult::Busy:
                result.Failure = TSnapshot::TFailure::Clipboard;
                result.Detail = result.Path;
                break;
            case TClipboardResult::NoMemory:
                result.Failure = TSnapshot::TFailure::ClipboardMemory;
                result.Detail = result.Path;
                break;
        }
    }
    StartNext();
    return result;
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
        case TSnapshot::TFailure::ClipboardMemory:
            return "sSnapshotClipboardNoMemory";
        case TSnapshot::TFailure::Busy:
            return "sSnapshotBusy";
        case TSnapshot::TFailure::None:
            break;
    }
    return "";
}

}  // namespace zelvora
