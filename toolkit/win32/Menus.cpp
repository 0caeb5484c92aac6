#include "toolkit/win32/Menus.h"

#include "toolkit/win32/Canvas.h"

#include <algorithm>

#include "toolkit/win32/KeyNames.h"
#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

namespace {

UINT NextCommand()
{
    // Menu command ids, unique in the process; below the system's SC_ range.
    static UINT next = 100;
    return next++;
}

}  // namespace

// --- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem()
{
    for (TMenuItem* item : items_) item->parentItem_ = nullptr;
    if (parentItem_) parentItem_->Remove(this);
}

const TClassInfo& TMenuItem::StaticClassInfo()
{
    static const TClassInfo info(
        "TMenuItem", &TComponent::StaticClassInfo(),
        {StringProperty<TMenuItem>("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
         IntegerProperty<TMenuItem>("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
         BooleanProperty<TMenuItem>("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
         BooleanProperty<TMenuItem>("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
         BooleanProperty<TMenuItem>("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck),
         IntegerProperty<TMenuItem>("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex),
         BooleanProperty<TMenuItem>("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
         BooleanProperty<TMenuItem>("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
         BooleanProperty<TMenuItem>("Default", &TMenuItem::Default, &TMenuItem::SetDefault),
         StringProperty<TMenuItem>("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
         IntegerProperty<TMenuItem>("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
         EventProperty<TMenuItem>("OnClick", &TMenuItem::OnClick),
         EventProperty<TMenuItem>("OnMeasureItem", &TMenuItem::OnMeasureItem),
         EventProperty<TMenuItem>("OnDrawItem", &TMenuItem::OnDrawItem)});
    return info;
}

TMenu* TMenuItem::OwningMenu() const
{
    const TMenuItem* root = this;
    while (root->parentItem_) root = root->parentItem_;
    return root->menu_;
}

void TMenuItem::Changed()
{
    if (TMenu* menu = OwningMenu()) {
        menu->dirty_ = true;
        if (menu->OnChange && !menu->Loading()) menu->OnChange();
    }
}

void TMenuItem::SetCaption(const std::string& caption)
{
    caption_ = caption;
    Changed();
}

void TMenuItem::SetShortCut(int shortCut)
{
    shortCut_ = shortCut;
    Changed();
}

void TMenuItem::SetChecked(bool checked)
{
    checked_ = checked;
    // A checked radio item unchecks the other radio items of its group.
    if (checked && radioItem_ && parentItem_)
        for (TMenuItem* sibling : parentItem_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
                sibling->checked_ = false;
    Changed();
}

void TMenuItem::SetRadioItem(bool radio)
{
    radioItem_ = radio;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Changed();
}

void TMenuItem::SetVisible(bool visible)
{
    visible_ = visible;
    Changed();
}

void TMenuItem::SetImageIndex(int index)
{
    imageIndex_ = index;
    Changed();
}

void TMenuItem::SetDefault(bool value)
{
    default_ = value;
    Changed();
}

void TMenuItem::Add(TMenuItem* item)
{
    if (item->parentItem_) item->parentItem_->Remove(item);
    item->parentItem_ = this;
    items_.push_back(item);
    Changed();
}

void TMenuItem::Remove(TMenuItem* item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parentItem_ = nullptr;
    Changed();
}

TMenuItem* TMenuItem::FindCommand(UINT command)
{
    if (command_ == command) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindCommand(command)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(int shortCut)
{
    if (!enabled_ || !visible_) return nullptr;
    if (shortCut_ == shortCut && items_.empty()) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
    return nullptr;
}

std::string TMenuItem::DisplayText() const
{
    if (shortCut_ == 0) return caption_;
    return caption_ + "\t" + ShortCutToText(static_cast<TShortCut>(shortCut_));
}

void TMenuItem::Click()
{
    if (autoCheck_) SetChecked(radioItem_ ? true : !checked_);
    OnClick.Fire(this);
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items().Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

// --- TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(nullptr)
{
    items_.menu_ = this;
}

const TClassInfo& TMenu::StaticClassInfo()
{
    static const TClassInfo info(
        "TMenu", &TComponent::StaticClassInfo(),
        {BooleanProperty<TMenu>("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
         BooleanProperty<TMenu>("RightToLeft", &TMenu::RightToLeft, &TMenu::SetRightToLeft),
         ComponentProperty<TMenu, TComponent>("Images", &TMenu::Images, &TMenu::SetImages)});
    return info;
}

void TMenu::SetOwnerDraw(bool ownerDraw)
{
    if (ownerDraw == ownerDraw_) return;
    ownerDraw_ = ownerDraw;
    dirty_ = true;
    if (OnChange && !Loading()) OnChange();
}

void TMenu::SetRightToLeft(bool rightToLeft)
{
    if (rightToLeft == rightToLeft_) return;
    rightToLeft_ = rightToLeft;
    dirty_ = true;
    if (OnChange && !Loading()) OnChange();
}

void TMenu::SetCharset(int charset)
{
    if (charset == charset_) return;
    charset_ = charset;
    dirty_ = true;
    if (OnChange && !Loading()) OnChange();
}

void TMenu::SetImages(TComponent* images)
{
    images_ = images;
    if (images) images->FreeNotification(this);
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

void TMenu::Fill(HMENU menu, TMenuItem& parent)
{
    for (TMenuItem* item : parent.items_) {
        if (!item->visible_) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
        info.wID = item->command_;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        std::wstring text = WideFromAnsi(item->DisplayText(), charset_);
        if (item->IsSeparator()) {
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
            if (item->radioItem_) info.fType |= MFT_RADIOCHECK;
        }
        if (ownerDraw_) info.fType |= MFT_OWNERDRAW;
        if (rightToLeft_) info.fType |= MFT_RIGHTORDER;
        if (item->checked_) info.fState |= MFS_CHECKED;
        if (!item->enabled_) info.fState |= MFS_DISABLED;
        if (item->default_) info.fState |= MFS_DEFAULT;
        if (!item->items_.empty()) {
            HMENU sub = CreatePopupMenu();
            Fill(sub, *item);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub;  // destroyed with its parent menu
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

void TMenu::Rebuild()
{
    UniqueMenu menu(IsPopup() ? CreatePopupMenu() : CreateMenu());
    Fill(menu.get(), items_);
    retired_ = std::move(handle_);
    handle_ = std::move(menu);
    dirty_ = false;
    ApplyBackground();
}

void TMenu::SetBackground(TColor color)
{
    if (color == backgroundColor_) return;
    backgroundColor_ = color;
    UniqueBrush previous = std::move(background_);
    if (color != clNone) background_.reset(CreateSolidBrush(ColorToRGB(color)));
    ApplyBackground();  // the menu lets go of the previous brush before it is deleted
    if (OnChange) OnChange();
}

void TMenu::PaintBarBeside(HWND window)
{
    if (!background_ || !handle_ || GetMenu(window) != handle_.get()) return;
    const int count = GetMenuItemCount(handle_.get());
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    RECT last{};
    RECT frame{};
    if (count <= 0 || !GetMenuBarInfo(window, OBJID_MENU, 0, &bar) ||
        !GetMenuItemRect(window, handle_.get(), static_cast<UINT>(count - 1), &last) ||
        !GetWindowRect(window, &frame))
        return;
    RECT rest{last.right, last.top, bar.rcBar.right, last.bottom};
    if (rest.left >= rest.right) return;
    OffsetRect(&rest, -frame.left, -frame.top);
    WindowDc dc(window, GetWindowDC(window));
    if (dc) FillRect(dc.get(), &rest, background_.get());
}

void TMenu::ApplyBackground()
{
    if (!handle_) return;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = background_.get();
    SetMenuInfo(handle_.get(), &info);
}

HMENU TMenu::Handle()
{
    if (dirty_ || !handle_) Rebuild();
    return handle_.get();
}

bool TMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = items_.FindCommand(command);
    if (!item || item == &items_) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchShortCut(int shortCut)
{
    if (shortCut == 0) return false;
    TMenuItem* item = items_.FindShortCut(shortCut);  // never the root: it has items
    if (!item) return false;
    item->Click();
    return true;
}

const TClassInfo& TMainMenu::StaticClassInfo()
{
    static const TClassInfo info("TMainMenu", &TMenu::StaticClassInfo(), {});
    return info;
}

const TClassInfo& TPopupMenu::StaticClassInfo()
{
    static const TClassInfo info(
        "TPopupMenu", &TMenu::StaticClassInfo(),
        {BooleanProperty<TPopupMenu>("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)});
    return info;
}

void TPopupMenu::Popup(int x, int y, HWND owner)
{
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    if (command) DispatchCommand(command);
}

}  // namespace zelvora
