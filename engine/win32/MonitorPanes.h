// One picture window per monitor under one hidden owner, made as they are asked for: the ink
// layer's panes and the spotlight's dim.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/win32/PictureWindow.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

class TMonitorPanes {
public:
    using TPanes = std::vector<std::unique_ptr<TPictureWindow>>;

    // The owner, and the monitors as they are now; once until Close. False without an owner.
    bool Prepare();
    bool Prepared() const { return static_cast<bool>(owner_); }
    HWND Owner() const { return owner_.get(); }
    const std::vector<TRect>& Monitors() const { return monitors_; }
    void SetMonitors(std::vector<TRect> monitors) { monitors_ = std::move(monitors); }

    TPictureWindow* Find(const TRect& monitor) const;
    TPictureWindow* Add(std::unique_ptr<TPictureWindow> pane);
    template <typename TPredicate>
    void CloseIf(TPredicate close)
    {
        std::erase_if(panes_, close);
    }
    TPanes::const_iterator begin() const { return panes_.begin(); }
    TPanes::const_iterator end() const { return panes_.end(); }
    bool Empty() const { return panes_.empty(); }
    // Around the monitors that have a pane.
    TRect Area() const;
    void Hide(bool hidden) const;
    // Above every other top-most window.
    void Raise() const;
    // The panes and the owner go.
    void Close();

private:
    std::vector<TRect> monitors_;
    UniqueWindow owner_;
    TPanes panes_;
};

}  // namespace zelvora
