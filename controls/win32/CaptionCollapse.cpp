#include "controls/win32/CaptionPanel.h"

#include <utility>

#include "toolkit/win32/Application.h"

namespace zelvora {

void TAdvPanel::SetCollaps(bool collaps)
{
    if (collaps != collaps_) Fire(collaps ? OnMinimize : OnMaximize);
    if (collaps == collaps_) {
        StateChanged();
        return;
    }
    const bool interrupting = changing_;  // another toggle's animation is under way
    changing_ = true;
    collaps_ = collaps;
    const int toggle = ++toggles_;
    if (Loading()) {
        changing_ = false;  // the flag alone: a window being read keeps its stored height
        return;
    }
    // Each step lets messages through: a newer toggle then takes over and finishes the panel.
    const auto step = [&](int height) {
        SetHeight(height);
        if (Application) Application->ProcessMessages();
        if (toggles_ != toggle) return false;
        Sleep(static_cast<DWORD>(collapsDelay_));
        return true;
    };
    if (collaps) {
        // Half-way through an expansion the height is not the full one: the full one stays.
        if (!interrupting) fullHeight_ = Height();
        if (autoHideChildren_)
            for (TControl* child : Controls()) child->SetVisible(false);
        if (collapsSteps_ > 0) {
            SetColor(collapsColor_);
            const int by = (Height() - caption_.Height()) / collapsSteps_;
            for (int i = 0; i < collapsSteps_; ++i)
                if (!step(Height() - by)) return;
        }
        SetHeight(caption_.Height());
    } else {
        if (collapsSteps_ > 0) {
            SetColor(loadedColor_);
            const int by = (fullHeight_ - Height()) / collapsSteps_;
            for (int i = 0; i < collapsSteps_; ++i)
                if (!step(Height() + by)) return;
        }
        SetHeight(fullHeight_);
        if (autoHideChildren_)
            for (TControl* child : Controls()) child->SetVisible(true);
    }
    changing_ = false;
    StateChanged();
    // A release that came during the animation: asked again, now that nothing of the panel runs.
    if (std::exchange(releasePending_, false) && HandleAllocated())
        PostMessageW(Handle(), kReleaseMessage, 0, 0);
}

}  // namespace zelvora
