// The program's icon in the notification area: tooltip, mouse events, the tray menu, icon
// cycling, and minimise to tray (the application leaves the taskbar, only the icon remains).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "toolkit/Component.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/ImageList.h"
#include "toolkit/win32/Menus.h"
#include "tray/TrayMouse.h"
#include "tray/win32/SimpleTimer.h"

namespace zelvora {

class TCoolTrayIcon : public TComponent {
public:
    explicit TCoolTrayIcon(TComponent* owner);
    ~TCoolTrayIcon() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool DesignPreview() const { return designPreview_; }
    void SetDesignPreview(bool preview) { designPreview_ = preview; }  // for form designers only
    TImageList* IconList() const { return iconList_; }
    void SetIconList(TImageList* list);
    bool CycleIcons() const { return cycleIcons_; }
    void SetCycleIcons(bool cycle);
    int CycleInterval() const { return cycleInterval_; }
    void SetCycleInterval(int ms);
    bool Enabled() const { return mouse_.Enabled; }
    void SetEnabled(bool enabled) { mouse_.Enabled = enabled; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    // The name of an icon resource of the program; the image is loaded at 16 x 16.
    const std::string& Icon() const { return iconName_; }
    void SetIcon(const std::string& resourceName);
    HICON IconHandle() const { return icon_.get(); }
    // Shows a copy of `icon`.
    void AssignIcon(HICON icon);
    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool visible);
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    bool LeftPopup() const { return mouse_.LeftPopup; }
    void SetLeftPopup(bool left) { mouse_.LeftPopup = left; }
    bool WantEnterExitEvents() const { return mouse_.WantEnterExitEvents(); }
    void SetWantEnterExitEvents(bool want) { mouse_.SetWantEnterExitEvents(want); }
    bool MinimizeToTray() const { return minimizeToTray_; }
    void SetMinimizeToTray(bool value) { minimizeToTray_ = value; }

    // Mouse events carry Button (0 left, 1 right, 2 middle), X and Y (screen) and State (the
    // TTrayShift set); OnCycle carries the next index in X; OnStartup gets State 1 and may set 0
    // to keep the main window hidden.
    TEventRef OnClick, OnDblClick, OnMouseDown, OnMouseUp, OnMouseMove, OnMouseEnter, OnMouseExit, OnCycle,
        OnBalloonHintClick, OnBalloonHintHide, OnBalloonHintTimeout, OnStartup;

    // Each answers whether the shell took the call.
    [[nodiscard]] virtual bool AddIcon();
    [[nodiscard]] virtual bool RemoveIcon();
    [[nodiscard]] virtual bool UpdateIcon();
    // A notification beside the icon (the shell's balloon or toast); a click on it raises
    // OnBalloonHintClick.
    [[nodiscard]] bool ShowBalloonHint(const std::wstring& title, const std::wstring& text);
    void HideMainWindow();
    virtual void SendToTray();
    void PopupAtPointer();

    void Loaded() override;
    // A notification from the shell (the mouse message of the callback's lParam).
    void HandleNotification(unsigned notification);
    void ReportError(const std::string& message) const;
    UINT IconId() const { return id_; }
    // The record the shell got with the last call: icon, tooltip, callback.
    const NOTIFYICONDATAW& IconData() const { return data_; }
    // Where the shell's tray callbacks go; also for tests that click the icon from inside.
    static HWND HandlerWindow();

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // The dispatchers: each raises its event when one is assigned; a derived icon may do more.
    virtual void DoClick() { Fire(OnClick); }
    virtual void DoDblClick() { Fire(OnDblClick); }
    virtual void DoCycle(int nextIndex);
    virtual void DoMouseDown(TMouseButton button, unsigned shift, TTrayPoint at)
    {
        Fire(OnMouseDown, button, shift, at);
    }
    virtual void DoMouseUp(TMouseButton button, unsigned shift, TTrayPoint at)
    {
        Fire(OnMouseUp, button, shift, at);
    }
    virtual void DoMouseMove(unsigned shift, TTrayPoint at)
    {
        Fire(OnMouseMove, TMouseButton::mbLeft, shift, at);
    }
    virtual void DoMouseEnter() { Fire(OnMouseEnter); }
    virtual void DoMouseExit() { Fire(OnMouseExit); }

private:
    void PrepareIconData();
    // The icon, its tip and its mouse messages as they are now, to the shell.
    void ShowInShell();
    [[nodiscard]] bool Shell(DWORD message);
    void CycleTick();
    void Fire(TEventRef& event, TMouseButton button = TMouseButton::mbLeft, unsigned shift = 0,
              TTrayPoint at = {});
    void HookWindows();
    void HookOwner();
    void UnhookWindows();
    bool ApplicationMessage(UINT msg, WPARAM wParam);
    static LRESULT CALLBACK OwnerHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) noexcept;
    HWND OwnerWindow() const;

    UINT id_ = 0;
    NOTIFYICONDATAW data_{};
    UniqueIcon icon_;
    std::string iconName_, hint_;
    bool designPreview_ = false, cycleIcons_ = false, showHint_ = true, iconVisible_ = false,
         minimizeToTray_ = false;
    bool startupPending_ = true;
    bool shellHeld_ = false;
    int cycleInterval_ = 0, iconIndex_ = 0;
    TImageList* iconList_ = nullptr;
    TPopupMenu* popupMenu_ = nullptr;
    TSimpleTimer cycleTimer_{[this] { CycleTick(); }};
    TSimpleTimer clickTimer_{[this] { mouse_.ClickTimerTick(); }};
    TSimpleTimer hoverTimer_{[this] {
        POINT p{};
        if (GetCursorPos(&p)) mouse_.HoverTimerTick({p.x, p.y});
    }};
    TTrayMouse mouse_{clickTimer_, hoverTimer_};
    int applicationHook_ = 0;
    HWND hookedOwner_ = nullptr;
};

}  // namespace zelvora
