#include "controls/win32/CaptionPanel.h"

#include "toolkit/win32/Application.h"

namespace zelvora {

void TAdvPanel::SetCollaps(bool collaps)
{
    if (collaps != collaps_) Fire(collaps ? OnMinimize : OnMaximize);
    if (collaps == collaps_) {
        StateChanged();
        return;
    }
    changing_ = true;
    collaps_ = collaps;
    if (Loading()) {
        changing_ = false;  // the flag alone: a window being read keeps its stored height
        return;
    }
    if (collaps) {
        fullHeight_ = Height();
        if (autoHideChildren_)
            for (TControl* child : Controls()) child->SetVisible(false);
        if (collapsSteps_ > 0) {
            SetColor(collapsColor_);
            const int step = (Height() - caption_.Height()) / collapsSteps_;
            for (int i = 0; i < collapsSteps_; ++i) {
                SetHeight(Height() - step);
                if (Application) Application->ProcessMessages();
                Sleep(static_cast<DWORD>(collapsDelay_));
            }
        }
        SetHeight(caption_.Height());
    } else {
        if (collapsSteps_ > 0) {
            SetColor(loadedColor_);
            const int step = (fullHeight_ - caption_.Height()) / collapsSteps_;
            for (int i = 0; i < collapsSteps_; ++i) {
                SetHeight(Height() + step);
                if (Application) Application->ProcessMessages();
                Sleep(static_cast<DWORD>(collapsDelay_));
            }
        }
        SetHeight(fullHeight_);
        if (autoHideChildren_)
            for (TControl* child : Controls()) child->SetVisible(true);
    }
    changing_ = false;
    StateChanged();
}

}  // namespace zelvora
