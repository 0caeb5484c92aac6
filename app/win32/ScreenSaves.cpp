#include "app/win32/ScreenSaves.h"

#include <utility>

#include "toolkit/win32/Application.h"
#include "toolkit/win32/TextEncoding.h"
#include "tray/win32/TrayIcon.h"

namespace zelvora {

namespace {

// A save chosen from a menu looks every 30 ms whether a menu still shows; once none does, one
// more tick lets the windows beneath repaint. It waits two seconds at most.
constexpr UINT_PTR kMenuGoneTimer = 0x5A4D;
constexpr UINT kMenuGoneCheckMs = 30;
constexpr int kMenuGoneMaxTicks = 66;

bool MenuShowing()
{
    HWND menu = nullptr;
    while ((menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)))
        if (IsWindowVisible(menu)) return true;
    return false;
}

}  // namespace

TScreenSaves::TScreenSaves(HWND window, UINT doneMessage, TCoolTrayIcon& tray,
                           std::function<std::string(const char*)> text, std::function<int()> charset,
                           std::function<bool()> beforeCopy, std::function<void()> afterCopy,
                           std::function<bool()> drawing)
    : window_(window),
      doneMessage_(doneMessage),
      tray_(tray),
      text_(std::move(text)),
      charset_(std::move(charset)),
      beforeCopy_(std::move(beforeCopy)),
      afterCopy_(std::move(afterCopy)),
      drawing_(std::move(drawing))
{
}

TScreenSaves::~TScreenSaves()
{
    KillTimer(window_, kMenuGoneTimer);
}

void TScreenSaves::Save()
{
    if (!hidden_ && beforeCopy_ && beforeCopy_()) {
        hidden_ = true;
        SaveAfterMenu();  // the same short wait for the windows beneath
        return;
    }
    if (!queue_) queue_ = std::make_unique<TSnapshotQueue>(window_, doneMessage_);
    const auto failed = queue_->Take();
    if (std::exchange(hidden_, false) && afterCopy_) afterCopy_();
    if (failed) Report(*failed);
}

void TScreenSaves::SaveAfterMenu()
{
    menuWaitTicks_ = menuGoneTicks_ = 0;
    SetTimer(window_, kMenuGoneTimer, kMenuGoneCheckMs, nullptr);
}

void TScreenSaves::WriteAll()
{
    if (queue_) queue_->WriteAll();
}

bool TScreenSaves::HandleMessage(UINT msg, WPARAM wParam)
{
    if (msg == WM_TIMER && wParam == kMenuGoneTimer) {
        WaitForMenuToGo();
        return true;
    }
    if (msg == doneMessage_) {
        if (queue_ && queue_->Busy()) Report(queue_->Finish());
        return true;
    }
    return false;
}

void TScreenSaves::WaitForMenuToGo()
{
    constexpr int kTicksAfterTheMenu = 2;
    ++menuWaitTicks_;
    if (MenuShowing()) {
        menuGoneTicks_ = 0;
        if (menuWaitTicks_ < kMenuGoneMaxTicks) return;
    } else if (++menuGoneTicks_ < kTicksAfterTheMenu) {
        return;
    }
    KillTimer(window_, kMenuGoneTimer);
    Save();
}

void TScreenSaves::Report(const TSnapshot& snapshot)
{
    if (!snapshot.Path.empty()) last_ = snapshot.Path;
    const int charset = charset_ ? charset_() : 0;
    if (snapshot.Failure == TSnapshot::TFailure::None) {
        static_cast<void>(
            tray_.ShowBalloonHint(WideFromAnsi(text_("sSnapshotSaved"), charset), snapshot.Path));
        return;
    }
    const std::wstring message =
        WideFromAnsiWith(text_(SnapshotMessageName(snapshot.Failure)), charset, snapshot.Detail);
    if (drawing_ && drawing_() && tray_.ShowBalloonHint(WideFromAnsi(Application->Title(), charset), message))
        return;
    Application->ShowMessageBox(message, MB_OK | MB_ICONERROR);
}

}  // namespace zelvora
