#include "look/win32/ControlSubClass.h"

#include "look/win32/FlatControlPainting.h"
#include "look/win32/MenuPainter.h"
#include "toolkit/win32/Memo.h"

namespace zelvora {

TControlSubClass::TControlSubClass(TXPMenu& painter, TControl& control, TStyledKind kind)
    : painter_(painter), control_(&control), kind_(kind), previous_(control.WindowHook())
{
    if (auto* memo = dynamic_cast<TMemo*>(&control)) saved3D_ = memo->Ctl3D();
    control.SetWindowHook(this);
}

TControlSubClass::~TControlSubClass()
{
    *alive_ = false;
}

void TControlSubClass::Detach()
{
    if (!control_) return;
    if (control_->WindowHook() == this) control_->SetWindowHook(previous_);
    if (auto* memo = dynamic_cast<TMemo*>(control_)) memo->SetCtl3D(saved3D_);
    control_ = nullptr;
}

// Frees this object: nothing of it may be touched afterwards.
void TControlSubClass::Release()
{
    Detach();
    painter_.ReleaseSubClass(*this);
}

LRESULT TControlSubClass::HookedMessage(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const std::shared_ptr<bool> alive = alive_;
    const LRESULT result = previous_ ? previous_->HookedMessage(control, msg, wParam, lParam)
                                     : control.RunWithoutHook(msg, wParam, lParam);
    if (!*alive || control_ != &control) return result;
    if (!painter_.Active()) {
        // The control's own answer stands: a length or a dialog code must not become 1.
        try {
            Release();
        } catch (...) {
        }
        return result;
    }
    lastMessage_ = msg;
    React(msg, wParam);
    return result;
}

void TControlSubClass::React(UINT msg, WPARAM wParam)
{
    const bool button = kind_ == TStyledKind::Button || kind_ == TStyledKind::BitBtn;
    switch (msg) {
        case CM_WINDOWDESTROYED:
        case WM_DESTROY:
            if (!recreating_) {
                try {
                    Release();
                } catch (...) {
                }
                return;
            }
            recreating_ = false;
            return;
        case WM_SETFOCUS:
            state_.Hot = true;
            break;
        case WM_KILLFOCUS:
        case CM_EXIT:
            state_.Hot = false;
            break;
        case WM_PAINT:
            recreating_ = false;
            break;
        case BM_GETCHECK:
        case BM_SETCHECK:
            state_.Hot = false;
            break;
        case BM_SETSTATE:
            break;
        case WM_KEYDOWN:
            if (wParam != VK_SPACE) return;
            state_.SpaceDown = true;
            if (spaceRepeat_) return;  // the key's repeats change nothing on screen
            spaceRepeat_ = true;
            break;
        case WM_KEYUP:
            if (wParam != VK_SPACE) return;
            state_.SpaceDown = false;
            spaceRepeat_ = false;
            break;
        case WM_LBUTTONDBLCLK:
            if (!button && kind_ != TStyledKind::CheckBox) return;
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            state_.Pressed = true;
            break;
        case WM_LBUTTONUP:
            state_.Pressed = false;
            break;
        case CM_MOUSEENTER:
            if (!control_->Enabled()) return;
            state_.Hot = true;
            break;
        case CM_MOUSELEAVE:
            if (!control_->Enabled()) return;
            state_.Hot = false;
            break;
        case CM_ENABLEDCHANGED:
            if (wParam) return;
            state_.Hot = false;
            break;
        case CM_PARENTCOLORCHANGED:
        case CM_TEXTCHANGED:
            break;
        case WM_WINDOWPOSCHANGED:
        case CM_RECREATEWND:
            recreating_ = true;
            return;
        default:
            return;
    }
    Repaint();
}

void TControlSubClass::Repaint()
{
    if (!control_ || !control_->HandleAllocated() || !IsWindowVisible(control_->Handle())) return;
    ++repaints_;
    state_.Focused = control_->Focused();
    if (kind_ == TStyledKind::Edit) {
        if (auto* memo = dynamic_cast<TMemo*>(control_); memo && memo->Ctl3D()) {
            recreating_ = true;
            memo->SetCtl3D(false);
        }
    }
    PaintFlatControl(painter_, *control_, kind_, state_);
}

}  // namespace zelvora
