#include "engine/win32/MonitorPanes.h"

#include "engine/win32/ScreenCapture.h"

namespace zelvora {

bool TMonitorPanes::Prepare()
{
    if (owner_) return true;
    owner_ = TPictureWindow::MakeOwner();
    monitors_ = MonitorRects();
    return static_cast<bool>(owner_);
}

TPictureWindow* TMonitorPanes::Find(const TRect& monitor) const
{
    for (const auto& pane : panes_)
        if (pane->Monitor() == monitor) return pane.get();
    return nullptr;
}

TPictureWindow* TMonitorPanes::Add(std::unique_ptr<TPictureWindow> pane)
{
    panes_.push_back(std::move(pane));
    return panes_.back().get();
}

TRect TMonitorPanes::Area() const
{
    TRect area;
    for (const auto& pane : panes_) area = Union(area, pane->Monitor());
    return area;
}

void TMonitorPanes::Hide(bool hidden) const
{
    for (const auto& pane : panes_) ShowWindow(pane->Handle(), hidden ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void TMonitorPanes::Raise() const
{
    constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (const auto& pane : panes_) SetWindowPos(pane->Handle(), HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
}

void TMonitorPanes::Close()
{
    panes_.clear();
    owner_.reset();
}

}  // namespace zelvora
