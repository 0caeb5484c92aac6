// The flat look of one standard control: sees each of the control's messages after the control
// has handled it, keeps the hot, pressed and space states, and paints the flat parts on top.
#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/win32/Control.h"

namespace zelvora {

class TXPMenu;

enum class TStyledKind { Edit, CheckBox, RadioButton, Button, BitBtn, Panel };

struct TFlatState {
    bool Hot = false;
    bool Pressed = false;
    bool SpaceDown = false;
    bool Focused = false;
};

class TControlSubClass : private TWindowHook {
public:
    TControlSubClass(TXPMenu& painter, TControl& control, TStyledKind kind);
    ~TControlSubClass();
    TControlSubClass(const TControlSubClass&) = delete;
    TControlSubClass& operator=(const TControlSubClass&) = delete;

    // Gives the control its previous handling and its own 3-D look back.
    void Detach();
    // Detaches and has the painter free this object: nothing of it may be touched afterwards.
    void Release();
    // The control is being destroyed: leave it alone.
    void ForgetControl() { control_ = nullptr; }
    void Repaint();

    TStyledKind Kind() const { return kind_; }
    const TFlatState& State() const { return state_; }
    bool Recreating() const { return recreating_; }
    UINT LastMessage() const { return lastMessage_; }
    int RepaintCount() const { return repaints_; }

private:
    LRESULT HookedMessage(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void React(UINT msg, WPARAM wParam);

    TXPMenu& painter_;
    TControl* control_;
    TStyledKind kind_;
    TWindowHook* previous_;
    TFlatState state_;
    bool recreating_ = false;
    bool spaceRepeat_ = false;
    bool saved3D_ = false;
    UINT lastMessage_ = 0;
    int repaints_ = 0;
    // Cleared when the object goes, so a handler running when it went does not touch it again.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zelvora
