// Labels, check boxes, radio buttons, buttons and memos over the system's controls.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };
inline const std::vector<std::string> kModalResultIdents{"mrNone",  "mrOk",    "mrCancel", "mrAbort",
                                                         "mrRetry", "mrIgnore", "mrYes",   "mrNo"};

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

protected:
    void CreateParams(TCreateParams& params) override;
    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Restyle();
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool wordWrap_ = false;
    bool transparent_ = false;
};

// Check boxes and radio buttons: a caption beside a mark that the user flips.
class TButtonControl : public TControl {
public:
    explicit TButtonControl(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked);
    TEventRef OnClick;

protected:
    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void HandleCreated() override;
    virtual bool CheckedAfterClick() { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

private:
    bool checked_ = false;
};

class TCheckBox : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
    void CreateParams(TCreateParams& params) override;
};

// Radio buttons with the same parent form one group: checking one unchecks the others.
class TRadioButton : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void SetChecked(bool checked) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool CheckedAfterClick() override { return true; }
};

class TButton : public TControl {
public:
    explicit TButton(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // What a click does: the handler, then the button's modal result goes to its window.
    void Click();
    TEventRef OnClick;

protected:
    void CreateParams(TCreateParams& params) override;
    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = TModalResult::mrNone;
};

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// A button whose kind brings its modal result, default or cancel role and caption.
class TBitBtn : public TButton {
public:
    using TButton::TButton;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);

private:
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

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

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    std::string WindowText() const override { return Text(); }

private:
    std::string Text() const;
    TStringList lines_;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wantReturns_ = true;
    bool wordWrap_ = true;
};

}  // namespace zelvora
