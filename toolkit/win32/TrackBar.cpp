#include "toolkit/win32/TrackBar.h"

#include <algorithm>
#include "toolkit/win32/CommonControls.h"

namespace zelvora {

TTrackBar::TTrackBar(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TTrackBar::StaticClassInfo()
{
    static const TClassInfo info(
        "TTrackBar", &TControl::StaticClassInfo(),
        {IntegerProperty<TTrackBar>("Min", &TTrackBar::Min, &TTrackBar::SetMin),
         IntegerProperty<TTrackBar>("Max", &TTrackBar::Max, &TTrackBar::SetMax),
         IntegerProperty<TTrackBar>("Position", &TTrackBar::Position, &TTrackBar::SetPosition),
         IntegerProperty<TTrackBar>("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency),
         EventProperty<TTrackBar>("OnChange", &TTrackBar::OnChange)});
    return info;
}

void TTrackBar::SetMin(int min)
{
    min_ = min;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETRANGEMIN, TRUE, min_);
    if (!Loading()) SetPosition(position_);
}

void TTrackBar::SetMax(int max)
{
    max_ = max;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, max_);
    if (!Loading()) SetPosition(position_);
}

void TTrackBar::SetPosition(int position)
{
    const int clamped = Loading() ? position : std::clamp(position, min_, std::max(min_, max_));
    if (clamped == position_) return;
    position_ = clamped;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
    if (!Loading()) OnChange.Fire(this);
}

void TTrackBar::SetFrequency(int frequency)
{
    frequency_ = frequency;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETTICFREQ, frequency_, 0);
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    InitCommonControls(ICC_BAR_CLASSES);
    params.WindowClass = "msctls_trackbar32";
    params.SystemClass = true;
    params.Style = WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM;
}

void TTrackBar::HandleCreated()
{
    SendMessageA(Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(min_, max_));
    SendMessageA(Handle(), TBM_SETTICFREQ, frequency_, 0);
    SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
}

bool TTrackBar::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
        SetPosition(static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)));
        result = 0;
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

}  // namespace zelvora
