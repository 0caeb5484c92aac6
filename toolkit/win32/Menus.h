// Main and pop-up menus built from menu-item components.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/Colors.h"
#include "toolkit/Component.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

class TMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int shortCut);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool autoCheck) { autoCheck_ = autoCheck; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    // The item's picture in its menu's image list; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TMenu* Menu() const { return OwningMenu(); }

    bool IsSeparator() const { return caption_ == "-"; }
    UINT Command() const { return command_; }
    TMenuItem* ParentItem() const { return parentItem_; }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* FindCommand(UINT command);
    // The enabled, visible item with this shortcut, looking only through enabled, visible items.
    TMenuItem* FindShortCut(int shortCut);
    // The text the system menu shows: caption, and the shortcut's text after a tab.
    std::string DisplayText() const;

    void Click();
    void SetParentComponent(TComponent* parent) override;

    TEventRef OnClick;
    TEventRef OnMeasureItem;
    TEventRef OnDrawItem;

private:
    friend class TMenu;
    void Changed();
    TMenu* OwningMenu() const;

    std::string caption_;
    int shortCut_ = 0;
    bool checked_ = false, radioItem_ = false, autoCheck_ = false, enabled_ = true, visible_ = true,
         default_ = false;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    std::string hint_;
    UINT command_;
    TMenuItem* parentItem_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TMenuItem& Items() { return items_; }
    bool OwnerDraw() const { return ownerDraw_; }
    // The window showing the menu takes it again, so the system asks for sizes and pictures.
    void SetOwnerDraw(bool ownerDraw);
    // Captions read and items stand from right to left.
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool rightToLeft);
    // The code page of the captions, as a font charset; the window sets its font's.
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    TComponent* Images() const { return images_; }
    void SetImages(TComponent* images);
    // The colour of a menu bar where no item is (clNone: the system's), kept across rebuilds.
    void SetBackground(TColor color);
    // Paints that colour beside the last item of the window's bar, after the system painted the
    // frame: not every system takes the menu's background for the bar.
    void PaintBarBeside(HWND window);
    // The system menu, built on first use and again after any change to the items.
    HMENU Handle();
    bool DispatchCommand(UINT command);
    // Clicks the item whose shortcut this is; false when no usable item has it.
    bool DispatchShortCut(int shortCut);
    std::function<void()> OnChange;  // the window showing the menu redraws its bar

protected:
    virtual bool IsPopup() const { return false; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenuItem;
    void Rebuild();
    void Fill(HMENU menu, TMenuItem& item);
    TMenuItem items_;
    UniqueMenu handle_;
    UniqueMenu retired_;  // the previous build, kept until the window has taken the new one
    bool dirty_ = true;
    bool ownerDraw_ = false;
    bool rightToLeft_ = false;
    int charset_ = 1;
    TComponent* images_ = nullptr;
    TColor backgroundColor_ = clNone;
    UniqueBrush background_;
    void ApplyBackground();
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    // Shows the menu at a screen point and runs the chosen item's click.
    void Popup(int x, int y, HWND owner);

protected:
    bool IsPopup() const override { return true; }

private:
    bool autoPopup_ = true;
};

}  // namespace zelvora
