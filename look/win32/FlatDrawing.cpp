#include "look/win32/FlatDrawing.h"

#include "look/MenuColours.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/ImageList.h"
#include "toolkit/win32/Menus.h"

namespace zelvora {

void DrawStroke(TCanvas& canvas, const TStroke& stroke)
{
    if (stroke.empty()) return;
    canvas.MoveTo(stroke.front().X, stroke.front().Y);
    for (std::size_t i = 1; i < stroke.size(); ++i) canvas.LineTo(stroke[i].X, stroke[i].Y);
}

void FillArea(TCanvas& canvas, const TRect& r, TColor colour)
{
    canvas.SetBrushStyle(TBrushStyle::bsSolid);
    canvas.SetBrushColor(colour);
    canvas.FillRect(r);
}

void OutlineArea(TCanvas& canvas, const TRect& r, TColor colour)
{
    canvas.SetPenColor(colour);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.Rectangle(r);
}

TRect Shrunk(const TRect& r, int by)
{
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

RECT ToRect(const TRect& r)
{
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

void DrawMenuText(TCanvas& canvas, const std::string& text, RECT bounds, UINT format, TColor colour,
                  bool halo)
{
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    if (halo) {
        const TColor under = canvas.Pixel(bounds.left, bounds.top);
        const struct {
            int dx, dy, darkness;
        } around[] = {{1, 0, 30}, {0, 1, 30}, {-1, 0, 40}, {0, -1, 60}};
        for (const auto& step : around) {
            RECT moved = bounds;
            OffsetRect(&moved, step.dx, step.dy);
            canvas.SetFontColor(Darken(under, step.darkness));
            canvas.DrawText(text, moved, format);
        }
    }
    canvas.SetFontColor(colour);
    canvas.DrawText(text, bounds, format);
}

bool IsBarItem(const TMenuItem& item)
{
    TMenu* menu = item.Menu();
    return menu && dynamic_cast<TMainMenu*>(menu) && item.ParentItem() == &menu->Items();
}

TImageList* PictureListOf(const TMenuItem& item)
{
    TMenu* menu = item.Menu();
    auto* images = menu ? dynamic_cast<TImageList*>(menu->Images()) : nullptr;
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count() ? images : nullptr;
}

}  // namespace zelvora
