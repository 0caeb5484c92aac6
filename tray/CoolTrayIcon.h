// The notification-area icon's settings. Showing the icon comes with the tray component.
#pragma once

#include "toolkit/Component.h"
#include "toolkit/Menus.h"

namespace zelvora {

class TCoolTrayIcon : public TComponent {
public:
    explicit TCoolTrayIcon(TComponent* owner) : TComponent(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TCoolTrayIcon", &TComponent::StaticClassInfo(),
            {StringProperty<TCoolTrayIcon>("Hint", &TCoolTrayIcon::Hint, &TCoolTrayIcon::SetHint),
             ComponentProperty<TCoolTrayIcon, TPopupMenu>("PopupMenu", &TCoolTrayIcon::PopupMenu,
                                                          &TCoolTrayIcon::SetPopupMenu),
             BooleanProperty<TCoolTrayIcon>("MinimizeToTray", &TCoolTrayIcon::MinimizeToTray,
                                            &TCoolTrayIcon::SetMinimizeToTray)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu)
    {
        popupMenu_ = menu;
        if (menu) menu->FreeNotification(this);
    }
    bool MinimizeToTray() const { return minimizeToTray_; }
    void SetMinimizeToTray(bool value) { minimizeToTray_ = value; }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
    }

private:
    std::string hint_;
    TPopupMenu* popupMenu_ = nullptr;
    bool minimizeToTray_ = false;
};

}  // namespace zelvora
