// A window built from its stored description: border, menu, keyboard preview, modal showing.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/ModalResult.h"
#include "toolkit/win32/Button.h"
#include "toolkit/win32/Control.h"

namespace zelvora {

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
inline constexpr unsigned biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8;

class TForm : public TControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int ClientWidth() const { return clientWidth_; }
    void SetClientWidth(int width);
    int ClientHeight() const { return clientHeight_; }
    void SetClientHeight(int height);
    RECT ClientRect() const override { return RECT{0, 0, clientWidth_, clientHeight_}; }
    // The client area grows; a window on the screen keeps its place.
    void GrowBy(int delta) override;
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    unsigned BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(unsigned icons) { borderIcons_ = icons; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);

    void Show();
    void Hide();
    void SetVisible(bool visible) override;
    // Runs a nested message loop (the poll timer keeps firing) until ModalResult is set.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Modal() const { return modal_; }
    // As the close button: ends the program for the main window, cancels a modal window,
    // hides any other.
    void Close();

    // Keys seen before the focused control: OnKeyPress when KeyPreview, then Enter and Esc for
    // the default and cancel buttons. True when the key was used up.
    bool PreviewKey(const MSG& msg);

    // The controls Tab visits, in the order they were created (the window system would go by
    // z-order, where later controls lie on top): shown, enabled, tab stops, and of a radio group
    // only the checked button when one is checked.
    std::vector<TControl*> TabOrder() const;
    // Focus on the control focused last in this window, else on its first in tab order.
    void FocusActiveControl();

    // Runs OnDestroy, then BeforeDestruction, once, while the derived window is still whole.
    // The application calls it before it frees the window.
    void PrepareDestruction();

    TEventRef OnCreate, OnShow, OnDestroy, OnKeyPress, OnClose;

protected:
    // Reads the description stored as resource `resourceName`, creates the windows, runs OnCreate.
    // Derived windows publish their handlers first.
    // When the main window's system windows are made: at once, or by the window itself once
    // its stored state is in, so that each control is made with its final text.
    enum class TWindowsMade { AtOnce, ByTheWindow };
    void InitializeFromResource(const char* resourceName, TWindowsMade made = TWindowsMade::AtOnce);
    void InitializeFromText(const std::string& description, TWindowsMade made = TWindowsMade::AtOnce);
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    POINT WindowOrigin() const override { return POINT{Left(), Top()}; }
    void ScaleMetrics(int toDpi) override;
    void HandleCreated() override;
    void Notification(TComponent* component, TOperation operation) override;
    void FontChanged() override;
    void UpdatesDone() override;
    // Called before the window and its components are freed: the place to save state.
    virtual void BeforeDestruction() {}
    // The window moved to a screen of another DPI and its measures are scaled to it.
    virtual void ScaleChanged() {}
    // A component the description must have created, of the expected class.
    template <typename T>
    T& Field(const char* name) const
    {
        T* found = dynamic_cast<T*>(FindComponent(name));
        if (!found) throw std::runtime_error(ClassName() + " has no " + name);
        return *found;
    }

private:
    void ApplyMenu();
    void PlaceWindow();
    bool Centred() const;
    bool IsMainForm() const;
    // The DPI of the monitor the window opens on.
    int OpeningDpi() const;
    // The outer size of the window with its client area scaled to `dpi`.
    SIZE WindowSizeAt(int dpi);
    void DpiChanged(int dpi, const RECT& suggested);
    TButton* FindButton(bool wantDefault) const;
    bool MoveFocus(bool forward);

    int clientWidth_ = 0, clientHeight_ = 0;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = TPosition::poDesigned;
    bool keyPreview_ = false;
    TMainMenu* menu_ = nullptr;
    TWindowState windowState_ = TWindowState::wsNormal;
    TModalResult modalResult_ = TModalResult::mrNone;
    bool modal_ = false;
    bool destroyFired_ = false;
    HWND activeControl_ = nullptr;
};

// The text of an RCDATA resource of the program.
std::string LoadTextResource(const char* name);

}  // namespace zelvora
