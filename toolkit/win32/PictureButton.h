// A button of a kind (OK, Cancel, ...) that brings its own result, role and caption.
#pragma once

#include <memory>

#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Button.h"

namespace zelvora {

enum class TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

// Where the picture sits beside the caption.
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A button whose kind brings its modal result, default or cancel role, caption and picture.
class TBitBtn : public TButton {
public:
    using TButton::TButton;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);

    // The picture strip: NumGlyphs pictures side by side (normal, then disabled); its bottom-left
    // pixel is the colour that stays transparent. Null when the button has none.
    const TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(std::unique_ptr<TBitmap> glyph, int numGlyphs);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count) { numGlyphs_ = count < 1 ? 1 : count; }
    int GlyphWidth() const { return glyph_ ? glyph_->Width() / numGlyphs_ : 0; }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // Pixels between picture and caption.
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);

protected:
    void ScaleMetrics(int toDpi) override;

private:
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    bool kindGlyph_ = false;  // the kind's own picture, drawn again for another screen
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
};

}  // namespace zelvora
