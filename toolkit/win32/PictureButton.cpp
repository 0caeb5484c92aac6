#include "toolkit/win32/PictureButton.h"

#include "base/DpiScaling.h"

namespace zelvora {

namespace {

constexpr int kGlyphSize = 18;
constexpr TColor kGlyphTransparent = 0x008080;  // olive: no picture of ours uses it

// The kind's picture, normal and disabled side by side: a green tick or a red cross, drawn for
// a screen of `dpi`.
std::unique_ptr<TBitmap> KindGlyph(TBitBtnKind kind, int dpi)
{
    if (kind != TBitBtnKind::bkOK && kind != TBitBtnKind::bkCancel) return nullptr;
    const int size = ScaleToDpi(kGlyphSize, dpi);
    auto glyph = std::make_unique<TBitmap>(2 * size, size);
    TCanvas& canvas = glyph->Canvas();
    canvas.SetBrushColor(kGlyphTransparent);
    canvas.SetPenColor(kGlyphTransparent);
    canvas.FillRect({0, 0, 2 * size, size});
    for (int copy = 0; copy < 2; ++copy) {
        const int x = copy * size;
        // The outlines are drawn on an 18-pixel grid.
        const auto at = [&](int gridX, int gridY) {
            return POINT{x + ScaleToDpi(gridX, dpi), ScaleToDpi(gridY, dpi)};
        };
        const TColor ink = copy == 1 ? 0x808080 : kind == TBitBtnKind::bkOK ? 0x008000 : 0x0000A0;
        canvas.SetPenColor(ink);
        canvas.SetBrushColor(ink);
        if (kind == TBitBtnKind::bkOK) {
            canvas.Polygon({at(3, 9), at(7, 13), at(15, 4), at(15, 7), at(7, 16), at(3, 12)});
        } else {
            canvas.Polygon({at(4, 3), at(9, 8), at(14, 3), at(15, 4), at(10, 9), at(15, 14), at(14, 15),
                            at(9, 10), at(4, 15), at(3, 14), at(8, 9), at(3, 4)});
        }
    }
    return glyph;
}

}  // namespace

const TClassInfo& TBitBtn::StaticClassInfo()
{
    static const TClassInfo info(
        "TBitBtn", &TButton::StaticClassInfo(),
        {EnumProperty<TBitBtn, TBitBtnKind>("Kind",
                                            {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                             "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"},
                                            &TBitBtn::Kind, &TBitBtn::SetKind),
         EnumProperty<TBitBtn, TButtonLayout>("Layout",
                                              {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                                              &TBitBtn::Layout, &TBitBtn::SetLayout),
         IntegerProperty<TBitBtn>("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
         IntegerProperty<TBitBtn>("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)});
    return info;
}

void TBitBtn::SetKind(TBitBtnKind kind)
{
    kind_ = kind;
    if (kind == TBitBtnKind::bkOK) {
        SetModalResult(TModalResult::mrOk);
        SetDefault(true);
        if (Caption().empty()) SetCaption("OK");
    } else if (kind == TBitBtnKind::bkCancel) {
        SetModalResult(TModalResult::mrCancel);
        SetCancel(true);
        if (Caption().empty()) SetCaption("Cancel");
    }
    if (auto glyph = KindGlyph(kind, Dpi())) {
        SetGlyph(std::move(glyph), 2);
        kindGlyph_ = true;
    }
}

void TBitBtn::ScaleMetrics(int toDpi)
{
    spacing_ = ScaleBetweenDpi(spacing_, toDpi, Dpi());
    if (kindGlyph_)
        if (auto glyph = KindGlyph(kind_, toDpi)) {
            glyph_ = std::move(glyph);  // drawn afresh: a stretched tick would blur
            Invalidate();
        }
    TButton::ScaleMetrics(toDpi);
}

void TBitBtn::SetGlyph(std::unique_ptr<TBitmap> glyph, int numGlyphs)
{
    glyph_ = std::move(glyph);
    kindGlyph_ = false;
    SetNumGlyphs(numGlyphs);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout)
{
    layout_ = layout;
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing)
{
    spacing_ = spacing;
    Invalidate();
}

}  // namespace zelvora
