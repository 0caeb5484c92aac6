// A control is a window: a system control (button, edit, track bar ...) subclassed so that its
// messages reach the object, or a window class of our own that the object paints.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Colors.h"
#include "toolkit/Component.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum class TCursorKind { crDefault, crHandPoint };

inline const std::vector<std::string> kAlignIdents{"alNone",  "alTop",    "alBottom", "alLeft",
                                                   "alRight", "alClient", "alCustom"};

struct TCreateParams {
    std::string WindowClass;
    bool SystemClass = false;  // a class of the window system, subclassed after creation
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    HWND ParentWindow = nullptr;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// A component that is no control but measures in pixels (a menu painter's font): the window
// that owns it scales it with its controls.
class IScaledComponent {
public:
    virtual void ScaleMetrics(int toDpi, int fromDpi) = 0;

protected:
    ~IScaledComponent() = default;
};

class TControl;
// The object of one of our windows; null for any other window.
TControl* ControlOf(HWND hwnd);

// Notices the toolkit passes through a control's message chain; the window system never sees them.
enum TControlNotice : UINT {
    CM_BASE = 0xB000,
    CM_MOUSEENTER,          // the pointer came over the control
    CM_MOUSELEAVE,          // and left it
    CM_EXIT,                // the keyboard focus left the control
    CM_ENABLEDCHANGED,      // wParam: enabled now
    CM_TEXTCHANGED,         // the caption changed
    CM_PARENTCOLORCHANGED,  // the parent's colour changed
    CM_RECREATEWND,         // the window is about to be rebuilt
    CM_WINDOWDESTROYED,     // the window is gone (rebuilt or for good)
    CM_LAST = 0xB0FF
};

// Sees every message of a control in place of the control's own handling, which it runs through
// the control's previous hook or `RunWithoutHook`. Installed with `SetWindowHook`.
class TWindowHook {
public:
    virtual LRESULT HookedMessage(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~TWindowHook() = default;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Left() const { return left_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    int Top() const { return top_; }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    int Width() const { return width_; }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    int Height() const { return height_; }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TCursorKind Cursor() const { return cursor_; }
    void SetCursor(TCursorKind cursor) { cursor_ = cursor; }

    TControl* Parent() const { return parent_; }
    void SetParent(TControl* parent);
    void SetParentComponent(TComponent* parent) override;
    const std::vector<TControl*>& Controls() const { return controls_; }

    HWND Handle() const { return window_.get(); }
    bool HandleAllocated() const { return static_cast<bool>(window_); }
    // A control without a window of its own (a graphic control) is painted by its parent and
    // gets its mouse clicks through it.
    virtual bool Windowed() const { return true; }
    // Creates this control's window and its children's, parents first.
    void CreateHandle();
    void Invalidate();
    void Loaded() override;

    // Arranges the aligned children inside the client area.
    void AlignControls();
    // Gives the control `delta` more pixels of height (fewer when negative) at its bottom: the
    // controls below it in its parent follow, and the parent grows by as much as its lowest
    // control moved, up to the window. A control aligned to fill its parent asks the parent.
    virtual void GrowBy(int delta);

    // The screen DPI the control's pixel measures are for: 96 as described, the monitor's once
    // scaled.
    int Dpi() const { return dpi_; }
    // Makes places, sizes, fonts and the control's own pixel measures right for `toDpi`, its
    // children's too, and moves the windows there.
    void ChangeScale(int toDpi);
    // True while this control or one of its parents takes new measures and the windows do not
    // have them yet: sizes and fonts disagree then, and nothing should be measured.
    bool ScalingMetrics() const;

    // A message through the hook (if any) and the control's own handling, now.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The control's own handling, without any hook.
    LRESULT RunWithoutHook(UINT msg, WPARAM wParam, LPARAM lParam) { return WndProc(msg, wParam, lParam); }
    TWindowHook* WindowHook() const { return hook_; }
    void SetWindowHook(TWindowHook* hook) { hook_ = hook; }
    // Destroys and creates the window again, telling the hook first.
    void RecreateHandle();
    bool Focused() const { return HandleAllocated() && GetFocus() == Handle(); }
    bool MouseInside() const { return mouseInside_; }

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window has a border, an edge or a scroll bar: room outside its client area.
    bool HasFrame() const;
    // A message the parent received about this control (WM_COMMAND, WM_HSCROLL, WM_CTLCOLOR...).
    virtual bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Own window classes paint here; the background is already filled with the control's colour.
    // A graphic control paints here on its parent's device context, moved to its own corner.
    virtual void Paint(HDC dc);
    // A graphic control that handles mouse buttons gets them from its parent.
    virtual bool TakesMouseButtons() const { return false; }
    virtual void FontChanged();
    // The text the window shows, sent as Unicode in the code page of the control's font.
    virtual std::string WindowText() const { return caption_; }
    void ApplyText();
    virtual void HandleCreated() {}
    void Notification(TComponent* component, TOperation operation) override;
    HBRUSH BackgroundBrush();
    HFONT FontHandle();
    // Window coordinates of this control inside its parent window.
    virtual POINT WindowOrigin() const { return POINT{left_, top_}; }
    // The measures a control adds to place, size and font, scaled from Dpi() to `toDpi`; the
    // windows are not touched yet. Overrides add theirs and call this one.
    virtual void ScaleMetrics(int toDpi);
    // The windows take the scaled measures, parents first.
    virtual void ApplyScaledMetrics();

    TColor EffectiveColor() const;
    // A child's bottom moved from `oldBottom` by `delta`: the children below it and beside it
    // move with it, and this control grows by as much as its lowest child moved.
    void MakeRoomBelow(const TControl& child, int oldBottom, int delta);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void ApplyParentFont();
    void ApplyParentColor();
    void DestroyHandle();
    void ForgetHandle();
    void TrackMouse(UINT msg);
    // Where the control lies in its parent's window.
    RECT RectInParentWindow() const;
    void InvalidateOnParent();
    void PaintGraphicChildren(HDC dc);
    // The graphic control under a point of this control's window that takes mouse buttons.
    TControl* GraphicChildTakingMouseAt(POINT point) const;

    UniqueWindow window_;
    TWindowHook* hook_ = nullptr;
    bool mouseInside_ = false;
    bool scalingMetrics_ = false;
    WNDPROC systemProc_ = nullptr;
    UniqueFont font_handle_;
    UniqueBrush background_;
    TColor backgroundColor_ = clNone;
    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    TCursorKind cursor_ = TCursorKind::crDefault;
    bool aligning_ = false;
    int dpi_ = 96;
};

}  // namespace zelvora
