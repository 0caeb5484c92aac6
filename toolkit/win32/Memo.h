// Several lines of text in the system's edit control.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TBorderStyle { bsNone, bsSingle };

class TMemo : public TControl {
public:
    explicit TMemo(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const TStringList& Lines() const { return lines_; }
    void SetLines(const TStringList& lines);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style) { scrollBars_ = style; }
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
    // The sunken 3-D border; without it a single border is a one-pixel line.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool ctl3D);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    std::string WindowText() const override { return Text(); }

private:
    std::string Text() const;
    void ApplyBorder();
    TStringList lines_;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wantReturns_ = true;
    bool wordWrap_ = true;
    bool ctl3D_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

}  // namespace zelvora
