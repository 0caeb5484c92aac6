#include "toolkit/win32/PictureButton.h"

namespace zelvora {

namespace {

constexpr int kGlyphSize = 18;
constexpr TColor kGlyphTransparent = 0x008080;  // olive: no picture of ours uses it

// The kind's picture, normal and disabled side by side: a green tick or a red cross.
std::unique_ptr<TBitmap> KindGlyph(TBitBtnKind kind)
{
    if (kind != TBitBtnKind::bkOK && kind != TBitBtnKind::bkCancel) return nullptr;
    auto glyph = std::make_unique<TBitmap>(2 * kGlyphSize, kGlyphSize);
    TCanvas& canvas = glyph->Canvas();
    canvas.SetBrushColor(kGlyphTransparent);
    canvas.SetPenColor(kGlyphTransparent);
    canvas.FillRect({0, 0, 2 * kGlyphSize, kGlyphSize});
    for (int copy = 0; copy < 2; ++copy) {
        const int x = copy * kGlyphSize;
        const TColor ink = copy == 1 ? 0x808080 : kind == TBitBtnKind::bkOK ? 0x008000 : 0x0000A0;
        canvas.SetPenColor(ink);
        canvas.SetBrushColor(ink);
        if (kind == TBitBtnKind::bkOK) {
            canvas.Polygon({{x + 3, 9}, {x + 7, 13}, {x + 15, 4}, {x + 15, 7}, {x + 7, 16}, {x + 3, 12}});
        } else {
            canvas.Polygon({{x + 4, 3},
                            {x + 9, 8},
                            {x + 14, 3},
                            {x + 15, 4},
                            {x + 10, 9},
                            {x + 15, 14},
                            {x + 14, 15},
                            {x + 9, 10},
                            {x + 4, 15},
                            {x + 3, 14},
                            {x + 8, 9},
                            {x + 3, 4}});
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
    if (auto glyph = KindGlyph(kind)) SetGlyph(std::move(glyph), 2);
}

void TBitBtn::SetGlyph(std::unique_ptr<TBitmap> glyph, int numGlyphs)
{
    glyph_ = std::move(glyph);
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
