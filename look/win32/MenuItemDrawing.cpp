// The flat menu item: background and icon column, selection, check mark, picture, separator or
// text with its shortcut, the menu bar's selection, and the drop-down's frame.
#include <optional>

#include "look/MenuLayout.h"
#include "look/win32/FlatDrawing.h"
#include "look/win32/MenuPainter.h"
#include "look/win32/PictureEffects.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/Control.h"
#include "toolkit/win32/ImageList.h"
#include "toolkit/win32/KeyNames.h"
#include "toolkit/win32/Menus.h"

namespace zelvora {

namespace {

// The item's picture from its menu's image list, on a ground of the canvas's colour at (2, 2).
std::unique_ptr<TBitmap> ItemPicture(const TMenuItem& item, TCanvas& canvas)
{
    TImageList* images = PictureListOf(item);
    if (!images) return nullptr;
    auto picture = std::make_unique<TBitmap>(images->Width(), images->Height());
    picture->Canvas().SetBrushColor(canvas.Pixel(2, 2));
    picture->Canvas().FillRect({0, 0, images->Width(), images->Height()});
    images->Draw(picture->Canvas().Handle(), 0, 0, item.ImageIndex());
    return picture;
}

}  // namespace

void TXPMenu::DrawMenuItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected)
{
    if (!active_) return;
    HDC dc = canvas.Handle();
    const TMenuColours colours = DeriveColours(dc);
    const bool highColor = HighColor(dc);
    const bool separator = item.IsSeparator();
    const bool bar = IsBarItem(item);
    const bool rightToLeft = item.Menu() && item.Menu()->RightToLeft();
    const bool enabled = item.Enabled();
    const auto lighten = [this, dc](TColor c, int p) { return LightenOn(dc, c, p); };

    canvas.SetFont(font_);
    std::unique_ptr<TBitmap> picture = ItemPicture(item, canvas);
    const int pictureWidth = picture ? picture->Width() : 0;
    const TMenuItemLayout layout = LayoutMenuItem(
        {{rect.left, rect.top, rect.right, rect.bottom}, bar, rightToLeft, iconWidth_, pictureWidth});
    const TRect& r = layout.Item;
    const TColor fontColour = ColorToRGB(font_.Color());

    // Background.
    if (bar) {
        canvas.SetPenColor(colours.MenuBarBackground);
        FillArea(canvas, r, colours.MenuBarBackground);
        if (drawMenuBar_) {
            if (auto* form = dynamic_cast<TControl*>(Owner());
                form && item.ParentItem() && item.ParentItem()->Items().back() == &item) {
                RECT client{};
                GetClientRect(form->Handle(), &client);
                FillArea(canvas,
                         rightToLeft ? TRect{3, r.Top, r.Right, r.Bottom}
                                     : TRect{r.Left, r.Top, client.right + 5, r.Bottom},
                         colours.MenuBarBackground);
            } else if (rightToLeft) {
                FillArea(canvas, {r.Left, r.Top, r.Right + 7, r.Bottom}, colours.MenuBarBackground);
            }
        }
    } else if (highColor && gradient_) {
        const int width = r.Width();
        for (int i = 0; i < width; ++i) {
            const int k = i <= iconWidth_ + 5 ? 3 * i : 3 * (iconWidth_ + 5) + (i - iconWidth_ - 5);
            const int x = rightToLeft ? r.Right - 1 - i : r.Left + i;
            FillArea(canvas, {x, r.Top, x + 1, r.Bottom}, lighten(colours.IconColumn, std::min(k, 96)));
        }
    } else {
        FillArea(canvas, r, colours.MenuBackground);
        FillArea(canvas, layout.IconColumn, colours.IconColumn);
    }

    // Selection.
    if (selected && drawSelect_) {
        if (bar) {
            FillArea(canvas, r, colours.SelectionFill);
            canvas.SetPenColor(colours.SelectionBorder);
            const TColor c = colours.MenuBarBackground;
            if (!rightToLeft && highColor) {
                DrawStroke(
                    canvas,
                    {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right - 8, r.Top}, {r.Right - 8, r.Bottom}});
                for (const TShadeStep& step : BarShadowSteps(r))
                    FillArea(canvas, step.Area, Darken(c, step.Darkness));
                for (const TShadeStroke& stroke : BarShadowStrokes(r)) {
                    canvas.SetPenColor(stroke.Darkness ? Darken(c, stroke.Darkness) : c);
                    DrawStroke(canvas, stroke.Points);
                }
            } else {
                DrawStroke(
                    canvas,
                    {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right - 3, r.Top}, {r.Right - 3, r.Bottom}});
                FillArea(canvas, {r.Right - 2, r.Top + 2, r.Right, r.Bottom}, Darken(c, 70));
                FillArea(canvas, {r.Right - 2, r.Top, r.Right, r.Top + 2}, c);
            }
        } else if (enabled) {
            const TRect selection = SelectionRect(r, flatMenu_);
            FillArea(canvas, selection, colours.SelectionFill);
            OutlineArea(canvas, selection, colours.SelectionBorder);
        }
    }

    // Check mark.
    if (item.Checked()) {
        const TRect& k = layout.CheckBox;
        canvas.SetBrushStyle(TBrushStyle::bsSolid);
        if (enabled) canvas.SetBrushColor(selected ? colours.CheckFillSelected : colours.CheckFill);
        canvas.SetPenColor(enabled ? colours.SelectionBorder : colours.Disabled);
        if (item.RadioItem()) {
            if (picture)
                canvas.RoundRect(k, 6, 6);
            else
                canvas.Ellipse(k);
        } else if (picture) {
            canvas.Rectangle(k);
        } else {
            canvas.SetPenColor(enabled ? colours.CheckFrame : colours.Disabled);
            canvas.Rectangle(k);
            canvas.SetPenColor(enabled ? clBlack : colours.Disabled);
            for (const TStroke& stroke : MenuTickStrokes(k)) DrawStroke(canvas, stroke);
        }
    }

    // Picture.
    if (picture && pictureWidth > 0) {
        TPoint at = PicturePosition(layout.IconColumn, pictureWidth, iconWidth_, bar, rightToLeft);
        const TPictureSource source{picture->Canvas().Handle(), {0, 0, picture->Width(), picture->Height()}};
        if (!enabled) {
            const int grayLevel = grayLevel_;
            DrawPicture(canvas, source, at,
                        [&lighten, grayLevel](TColor c) { return lighten(GrayOf(c, grayLevel), 40); });
        } else if (selected && !item.Checked() && !bar) {
            at = {at.X - 1, at.Y - 1};
            DrawPicture(canvas, source, at, nullptr, Darken(colours.SelectionFill, 50));
        } else if (!selected && !item.Checked() && highColor) {
            const int dimLevel = dimLevel_;
            DrawPicture(canvas, source, at, [&lighten, dimLevel](TColor c) { return lighten(c, dimLevel); });
        } else {
            DrawPicture(canvas, source, at, nullptr);
        }
    }

    // Separator or text.
    if (separator) {
        canvas.SetPenColor(colours.Separator);
        DrawStroke(canvas, SeparatorLine(layout.Text, rightToLeft));
    } else {
        const UINT format = DT_SINGLELINE | (rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
        const TRect caption = CaptionRect(layout.Text, canvas.TextExtent("W").cy, rightToLeft);
        TColor colour = fontColour;
        if (selected) colour = colours.SelectedText;
        if (!enabled) colour = colours.Disabled;
        if (selected && bar && useSystemColors_ && enabled) {
            const TColor icon = colours.IconColumn;
            const bool bright = (RedOf(icon) + BlueOf(icon)) / 2 > 150 || GreenOf(icon) > 200;
            colour = bright ? fontColour : lighten(icon, 90);
        }
        DrawMenuText(canvas, " " + item.Caption(), ToRect(caption), format, colour,
                     item.Default() && enabled);
        if (item.ShortCut() != 0) {
            const std::string shortCut = ShortCutToText(static_cast<TShortCut>(item.ShortCut()));
            if (!shortCut.empty()) {
                const UINT shortCutFormat =
                    DT_SINGLELINE | (rightToLeft ? DT_LEFT | DT_RTLREADING : DT_RIGHT);
                DrawMenuText(canvas, shortCut + " ", ToRect(ShortCutRect(caption, rightToLeft)),
                             shortCutFormat, highColor ? Darken(colour, -40) : colour, false);
            }
        }
    }

    // The drop-down's own frame, repainted with every item.
    if (flatMenu_ && !bar) {
        HWND menuWindow = WindowFromDC(dc);
        if (menuWindow && menuWindow != OwnerWindow()) FlatFrame(menuWindow, colours, rightToLeft);
    }

    // Items added since are taken over as soon as a sibling is drawn.
    if (TMenuItem* parent = item.ParentItem())
        for (TMenuItem* sibling : parent->Items()) HookTree(*sibling, true);
}

// Painted through the menu window's own DC: the frame lies inside that window, and a popup menu
// is a window of its own that the whole-screen DC does not reach everywhere (Wine).
void TXPMenu::FlatFrame(HWND menuWindow, const TMenuColours& colours, bool rightToLeft) const
{
    RECT window{};
    if (!GetWindowRect(menuWindow, &window)) return;
    WindowDc dc(menuWindow, GetWindowDC(menuWindow));
    if (!dc.get()) return;
    const TRect w{0, 0, window.right - window.left, window.bottom - window.top};
    const TFlatFrameLayout frame = FlatFrameLayout(w, iconWidth_, rightToLeft);
    TCanvas canvas(dc.get());
    OutlineArea(canvas, frame.Border, colours.FrameBorder);
    OutlineArea(canvas, frame.Band, colours.MenuBackground);
    canvas.SetPenColor(colours.IconColumn);
    DrawStroke(canvas, frame.BandLine);
    OutlineArea(canvas, frame.Strip, colours.IconColumn);
    FillArea(canvas, frame.ShadowBottom, colours.FrameShadow);
    FillArea(canvas, frame.ShadowRight, colours.FrameShadow);
    const TColor face = ColorToRGB(clBtnFace);
    FillArea(canvas, frame.CornerBottomLeft, face);
    FillArea(canvas, frame.CornerTopRight, face);
}

}  // namespace zelvora
