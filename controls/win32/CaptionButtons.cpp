#include "controls/win32/CaptionPanel.h"

#include <algorithm>

#include "base/DpiScaling.h"

namespace zelvora {

int TAdvPanel::ButtonSize() const
{
    if (caption_.ShadeType() == TShadeType::stXPCaption && VisualStylesActive()) return ScaleToDpi(16, Dpi());
    if (caption_.CloseButton() && caption_.BothCloseGlyphs()) return caption_.CloseGlyph(false).Width();
    if (caption_.MinMaxButton() && caption_.BothMinMaxGlyphs()) return caption_.MinMaxGlyph(false).Width();
    return ScaleToDpi(12, Dpi());
}

RECT TAdvPanel::CloseButtonRect() const
{
    if (!caption_.Visible() || !caption_.CloseButton()) return {};
    const int w = ButtonSize();
    const int left = caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight ? Width() - 2 - w : 2;
    return {left, 2, left + w, 2 + w};
}

bool TAdvPanel::OnCaptionButton(POINT p) const
{
    const RECT close = CloseButtonRect(), minMax = MinMaxButtonRect();
    return PtInRect(&close, p) || PtInRect(&minMax, p);
}

RECT TAdvPanel::MinMaxButtonRect() const
{
    if (!caption_.Visible() || !caption_.MinMaxButton()) return {};
    const int w = ButtonSize();
    const int inward = caption_.CloseButton() ? w : 0;  // the close button is outermost
    const int left =
        caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight ? Width() - 2 - w - inward : 2 + inward;
    return {left, 2, left + w, 2 + w};
}

bool TAdvPanel::PressButtons(int x, int y)
{
    const POINT p{x, y};
    const RECT close = CloseButtonRect();
    if (PtInRect(&close, p)) {
        SetVisible(false);
        Fire(OnClose);
        if (freeOnClose_) PostMessageW(Handle(), kReleaseMessage, 0, 0);
        return true;
    }
    const RECT minMax = MinMaxButtonRect();
    if (PtInRect(&minMax, p)) {
        SetCollaps(!collaps_);
        return true;
    }
    return false;
}

void TAdvPanel::PaintButtons(HDC dc)
{
    const auto glyph = [&](const TPanelCaption::TGlyph& g, const RECT& r) {
        if (!g.Bitmap) return false;
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        SelectedObject selected(memory.get(), g.Bitmap.get());
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0, SRCCOPY);
        return true;
    };
    const RECT close = CloseButtonRect();
    if (!IsRectEmpty(&close) && !glyph(caption_.CloseGlyph(collaps_), close)) {
        // A cross of two 2-pixel lines.
        UniquePen pen(CreatePen(PS_SOLID, 2, ColorToRGB(caption_.CloseButtonColor())));
        SelectedObject selected(dc, pen.get());
        MoveToEx(dc, close.left + 2, close.top + 2, nullptr);
        LineTo(dc, close.right - 2, close.bottom - 2);
        MoveToEx(dc, close.right - 2, close.top + 2, nullptr);
        LineTo(dc, close.left + 2, close.bottom - 2);
    }
    const RECT minMax = MinMaxButtonRect();
    if (!IsRectEmpty(&minMax) && !glyph(caption_.MinMaxGlyph(collaps_), minMax)) {
        // A small triangle: pointing up to collapse, down to expand.
        const int cx = (minMax.left + minMax.right) / 2, top = minMax.top + 3, bottom = minMax.bottom - 4;
        const POINT up[3] = {{minMax.left + 2, bottom}, {minMax.right - 3, bottom}, {cx, top}};
        const POINT down[3] = {{minMax.left + 2, top}, {minMax.right - 3, top}, {cx, bottom}};
        const COLORREF color = ColorToRGB(caption_.MinMaxButtonColor());
        UniqueBrush brush(CreateSolidBrush(color));
        UniquePen pen(CreatePen(PS_SOLID, 1, color));
        SelectedObject selectedBrush(dc, brush.get());
        SelectedObject selectedPen(dc, pen.get());
        Polygon(dc, collaps_ ? down : up, 3);
    }
}

}  // namespace zelvora
