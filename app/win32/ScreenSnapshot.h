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
    enum class TFailure { None, Capture, Folder, DiskFull, Clipboard, ClipboardMemory, Busy };
    TFailure Failure = TFailure::None;
    std::wstring Path;    // the picture saved, also when only the clipboard failed
    std::wstring Detail;  // what the message names: the step that failed, or the folder
};

class TSnapshotQueue {
public:
    // A whole-screen copy waits per picture (about 100 MB on three 4K monitors): beyond this many
    // waiting, a press is told the save is busy.
    static constexpr std::size_t kMaxWaiting = 2;

    // `doneMessage` is posted to `window` when a picture is written; the window then calls Finish.
    TSnapshotQueue(HWND window, UINT doneMessage);
    // Pictures not written by then are dropped, each with a line in the debug log.
    ~TSnapshotQueue();
    TSnapshotQueue(const TSnapshotQueue&) = delete;
    TSnapshotQueue& operator=(const TSnapshotQueue&) = delete;

    // Copies the screen now and queues the picture; a screen that cannot be copied is reported at
    // once, with nothing queued.
    [[nodiscard]] std::optional<TSnapshot> Take();
    // On the done message: the written picture goes onto the clipboard, and the next one starts.
    TSnapshot Finish();
    bool Busy() const { return running_ != nullptr; }
    // At exit, while the windows are still there: every picture taken is written (not put on the
    // clipboard); one that fails is named in the debug log.
    void WriteAll();

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
