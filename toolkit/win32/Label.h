// A text beside other controls; a click on it is an event.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    TEventRef OnClick;

    void SetCaption(const std::string& caption) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void FontChanged() override;
    void HandleCreated() override;
    void ScaleMetrics(int toDpi) override;
    void ApplyScaledMetrics() override;

private:
    void Restyle();
    // A text that wraps onto more lines than the label has room for makes the label taller, and
    // its parents make room below it; a one-line text wider or taller than the label widens it
    // where it stands. A shorter text gives the room back: the label never becomes smaller than
    // it was made.
    void FitText();
    bool WrapsText() const { return wordWrap_ || alignment_ != TAlignment::taLeftJustify; }
    int grown_ = 0, widened_ = 0;
    bool fitting_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool wordWrap_ = false;
    bool transparent_ = false;
};

}  // namespace zelvora
