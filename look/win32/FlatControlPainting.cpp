#include "look/win32/FlatControlPainting.h"

#include "look/MenuLayout.h"
#include "look/win32/FlatDrawing.h"
#include "look/win32/MenuPainter.h"
#include "look/win32/PictureEffects.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/CheckBox.h"
#include "toolkit/win32/Memo.h"
#include "toolkit/win32/Panel.h"
#include "toolkit/win32/PictureButton.h"
#include "toolkit/win32/RadioButton.h"

namespace zelvora {

namespace {

constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kGray = 0x808080;

// What every face needs: the device, its working colours and the painter's lightening.
struct TFace {
    const TXPMenu& Painter;
    TCanvas& Canvas;
    TMenuColours Colours;
    TColor Lighten(TColor c, int percent) const { return Painter.LightenOn(Canvas.Handle(), c, percent); }
};

TRect ClientOf(const TControl& control)
{
    RECT r{};
    GetClientRect(control.Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

TColor ParentColour(const TControl& control)
{
    return ColorToRGB(control.Parent() ? control.Parent()->Color() : clBtnFace);
}

// Over the whole window, so the one-pixel line replaces the border the control had.
void PaintEdit(const TXPMenu& painter, TMemo& memo, const TFlatState& state)
{
    WindowDc dc(memo.Handle(), GetWindowDC(memo.Handle()));
    if (!dc) return;
    TCanvas canvas(dc.get());
    const TFace face{painter, canvas, painter.DeriveColours(dc.get())};
    RECT window{};
    GetWindowRect(memo.Handle(), &window);
    const bool single = memo.BorderStyle() == TBorderStyle::bsSingle;
    TColor border;
    if (state.Hot || state.Focused)
        border = face.Lighten(face.Colours.SelectionBorder, single ? 60 : 80);
    else
        border = single ? Darken(ParentColour(memo), 60) : ParentColour(memo);
    canvas.SetPenColor(border);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.Rectangle({0, 0, window.right - window.left, window.bottom - window.top});
}

void PaintCheckMark(const TFace& face, TButtonControl& control, const TFlatState& state, bool radio)
{
    TCanvas& canvas = face.Canvas;
    const TMenuColours& colours = face.Colours;
    auto* checkBox = dynamic_cast<TCheckBox*>(&control);
    const bool grayed = checkBox && checkBox->State() == TCheckBoxState::cbGrayed;
    const bool down = state.Pressed || state.SpaceDown;

    TColor fill = ColorToRGB(clWindow), pen = ColorToRGB(clBtnShadow);
    if (state.Hot) {
        fill = colours.SelectionFill;
        pen = colours.SelectionBorder;
    } else if (state.Focused) {
        fill = colours.SelectionFill;
        if (!radio) pen = colours.SelectionBorder;
    }
    if (down) fill = colours.CheckFillSelected;
    if (grayed) fill = kSilver;

    const TRect client = ClientOf(control);
    const int thumb = GetSystemMetrics(SM_CXHTHUMB);
    const TRect box = CheckMarkBox(client, thumb, CheckMarkAtRight(control.CaptionOnLeft(), false), radio);
    FillArea(canvas, box, ColorToRGB(control.Color()));
    const TRect mark = Shrunk(box, 2);
    canvas.SetBrushColor(fill);
    canvas.SetPenColor(pen);
    if (radio)
        canvas.Ellipse(mark);
    else
        canvas.Rectangle(mark);

    const bool checked = control.Checked() || grayed;
    if (!checked) return;
    if (radio) {
        const TColor dot = control.Enabled() ? ColorToRGB(clHighlight) : colours.Disabled;
        canvas.SetBrushColor(dot);
        canvas.SetPenColor(dot);
        canvas.Ellipse(Shrunk(mark, 2));
        return;
    }
    TColor tick = ColorToRGB(clHighlight);
    if (!control.Enabled())
        tick = colours.Disabled;
    else if (down)
        tick = ColorToRGB(clWindow);
    else if (grayed)
        tick = kGray;
    canvas.SetPenColor(tick);
    for (const TStroke& stroke : CheckBoxTickStrokes(mark)) DrawStroke(canvas, stroke);
}

struct TButtonFace {
    TColor Face, Border;
};

TButtonFace ButtonColours(const TFace& face, const TControl& button, bool hot, bool focused)
{
    TButtonFace result;
    if (hot) {
        result.Face = face.Lighten(clBtnFace, TXPMenu::kButtonHotPercent);
        result.Border = face.Lighten(face.Colours.SelectionBorder, 60);
    } else {
        result.Face = face.Colours.IconColumn;
        result.Border = focused ? face.Lighten(face.Colours.SelectionBorder, 60) : ColorToRGB(clBtnShadow);
    }
    if (button.Tag() == 1000)  // takes its face from the surface it stands on
        result.Face =
            face.Lighten(ParentColour(button), hot ? TXPMenu::kButtonHotPercent : TXPMenu::kButtonPercent);
    return result;
}

void PaintButtonBody(const TFace& face, const TControl& button, const TButtonFace& colours, bool pressedLook)
{
    TCanvas& canvas = face.Canvas;
    const TRect client = ClientOf(button);
    FillArea(canvas, client, ParentColour(button));
    canvas.SetBrushColor(colours.Face);
    canvas.SetPenColor(face.Lighten(colours.Border, 30));
    canvas.RoundRect(client, 4, 4);
    if (button.Enabled()) {
        canvas.SetPenColor(Darken(colours.Border, 50));
        DrawStroke(canvas, ButtonEdge(client, pressedLook));
    }
}

TColor CaptionColour(const TFace& face, const TControl& button)
{
    return button.Enabled() ? ColorToRGB(button.Font().Color()) : face.Colours.Disabled;
}

bool IsDefaultButton(const TControl& control)
{
    auto* button = dynamic_cast<const TButton*>(&control);
    return button && button->Default() && control.Enabled();
}

void PaintPushButton(const TFace& face, TButton& button, const TFlatState& state)
{
    const TButtonFace colours = ButtonColours(face, button, state.Hot, state.Focused);
    PaintButtonBody(face, button, colours, state.SpaceDown || (state.Pressed && state.Hot));
    RECT client{};
    GetClientRect(button.Handle(), &client);
    face.Canvas.SetFont(button.Font());
    DrawMenuText(face.Canvas, button.Caption(), client, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                 CaptionColour(face, button), IsDefaultButton(button));
}

TGlyphLayout GlyphLayoutOf(TButtonLayout layout)
{
    switch (layout) {
        case TButtonLayout::blGlyphRight:
            return TGlyphLayout::blGlyphRight;
        case TButtonLayout::blGlyphTop:
            return TGlyphLayout::blGlyphTop;
        case TButtonLayout::blGlyphBottom:
            return TGlyphLayout::blGlyphBottom;
        default:
            return TGlyphLayout::blGlyphLeft;
    }
}

void PaintPictureButton(const TFace& face, TBitBtn& button, const TFlatState& state)
{
    const bool hot = state.Hot || state.SpaceDown;
    const TButtonFace colours = ButtonColours(face, button, hot, state.Focused);
    PaintButtonBody(face, button, colours, (state.Pressed && state.Hot) || state.SpaceDown);

    TCanvas& canvas = face.Canvas;
    canvas.SetFont(button.Font());
    const std::string caption = button.Caption();
    const bool blank = caption.find_first_not_of(' ') == std::string::npos;
    const SIZE text = blank ? SIZE{0, 0} : canvas.TextExtent(caption);
    const TBitmap* glyph = button.Glyph();
    const int glyphWidth = button.GlyphWidth(), glyphHeight = glyph ? glyph->Height() : 0;
    const TGlyphPlacement placed =
        PlaceGlyph(ClientOf(button), glyphWidth, glyphHeight, static_cast<int>(text.cx),
                   static_cast<int>(text.cy), GlyphLayoutOf(button.Layout()), blank ? 0 : button.Spacing());
    if (glyph && glyphWidth > 0) {
        const TPictureSource source{const_cast<TBitmap*>(glyph)->Canvas().Handle(),
                                    {0, 0, glyphWidth, glyphHeight}};
        if (!button.Enabled()) {
            const int grayLevel = face.Painter.GrayLevel();
            DrawPicture(canvas, source, placed.Glyph,
                        [&face, grayLevel](TColor c) { return face.Lighten(GrayOf(c, grayLevel), 40); });
        } else if (state.Hot) {
            const TPoint at = state.Focused ? placed.Glyph : TPoint{placed.Glyph.X - 1, placed.Glyph.Y - 1};
            DrawPicture(canvas, source, at, nullptr, Darken(face.Colours.SelectionFill, 50));
        } else {
            const int dimLevel = face.Painter.DimLevel();
            DrawPicture(canvas, source, placed.Glyph,
                        [&face, dimLevel](TColor c) { return face.Lighten(c, dimLevel); });
        }
    }
    if (!blank) {
        const TRect& c = placed.Caption;
        DrawMenuText(canvas, caption, RECT{c.Left, c.Top, c.Right, c.Bottom},
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE, CaptionColour(face, button),
                     IsDefaultButton(button));
    }
}

void PaintPanel(const TFace& face, TPanel& panel)
{
    const TColor c = ColorToRGB(panel.Color());
    const TColor dark = Darken(c, 60), light = face.Lighten(c, 60);
    RECT client{};
    GetClientRect(panel.Handle(), &client);
    // Lowered and raised bevels only: a flat panel has no spacing bevel of its own colour.
    const auto drawn = [](TBevelCut cut) {
        return cut == TBevelCut::bvLowered || cut == TBevelCut::bvRaised;
    };
    HDC dc = face.Canvas.Handle();
    if (drawn(panel.BevelOuter())) DrawBevel(dc, client, panel.BevelOuter(), panel.BevelWidth(), light, dark);
    if (drawn(panel.BevelInner())) {
        InflateRect(&client, -panel.BorderWidth(), -panel.BorderWidth());
        DrawBevel(dc, client, panel.BevelInner(), panel.BevelWidth(), light, dark);
    }
}

}  // namespace

void PaintFlatControl(const TXPMenu& painter, TControl& control, TStyledKind kind, const TFlatState& state)
{
    if (kind == TStyledKind::Edit) {
        if (auto* memo = dynamic_cast<TMemo*>(&control)) PaintEdit(painter, *memo, state);
        return;
    }
    WindowDc dc(control.Handle(), GetDC(control.Handle()));
    if (!dc) return;
    TCanvas canvas(dc.get());
    const TFace face{painter, canvas, painter.DeriveColours(dc.get())};
    switch (kind) {
        case TStyledKind::CheckBox:
        case TStyledKind::RadioButton:
            if (auto* mark = dynamic_cast<TButtonControl*>(&control))
                PaintCheckMark(face, *mark, state, kind == TStyledKind::RadioButton);
            break;
        case TStyledKind::Button:
            if (auto* button = dynamic_cast<TButton*>(&control)) PaintPushButton(face, *button, state);
            break;
        case TStyledKind::BitBtn:
            if (auto* button = dynamic_cast<TBitBtn*>(&control)) PaintPictureButton(face, *button, state);
            break;
        case TStyledKind::Panel:
            if (auto* panel = dynamic_cast<TPanel*>(&control)) PaintPanel(face, *panel);
            break;
        default:
            break;
    }
}

}  // namespace zelvora
