// A push button: a click runs its handler and ends a modal window with its result.
#pragma once

#include "toolkit/ModalResult.h"
#include "toolkit/win32/Control.h"

namespace zelvora {

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

}  // namespace zelvora
