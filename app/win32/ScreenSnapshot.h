// Save screen: the whole screen with its marks, as a PNG in Pictures\Zelvora and on the
// clipboard. The screen is copied on the main thread when asked; the PNG is made and written on
// a worker thread, one picture at a time, so the interface and the marking loop go on meanwhile;
// the clipboard and the notification follow on the main thread when the file is written.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace zelvora {

struct TSnapshot {
    enum class TFailure { None, Capture, Folder, DiskFull, Clipboard, ClipboardMemory };
    TFailure Failure = TFailure::None;
    std::wstring Path;    // the picture saved, also when only the clipboard failed
    std::wstring Detail;  // what the message names: the step that failed, or the folder
};

class TSnapshotQueue {
public:
    // `doneMessage` is posted to `window` when a picture is written; the window then calls Finish.
    TSnapshotQueue(HWND window, UINT doneMessage);
    // Pictures still waiting are written before the program goes on to end.
    ~TSnapshotQueue();
    TSnapshotQueue(const TSnapshotQueue&) = delete;
    TSnapshotQueue& operator=(const TSnapshotQueue&) = delete;

    // Copies the screen now and queues the picture; a screen that cannot be copied is reported at
    // once, with nothing queued.
    [[nodiscard]] std::optional<TSnapshot> Take();
    // On the done message: the written picture goes onto the clipboard, and the next one starts.
    TSnapshot Finish();
    bool Busy() const { return running_ != nullptr; }

private:
    struct TJob;
    void StartNext();

    HWND window_;
    UINT doneMessage_;
    std::deque<std::unique_ptr<TJob>> waiting_;
    std::unique_ptr<TJob> running_;
    std::thread worker_;
};

// The name of the translated message that tells of the failure; empty for none.
const char* SnapshotMessageName(TSnapshot::TFailure failure);

}  // namespace zelvora
