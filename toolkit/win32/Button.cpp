#include "toolkit/win32/Button.h"

#include "toolkit/win32/Form.h"

namespace zelvora {

TButton::TButton(TComponent* owner) : TControl(owner) {}

const TClassInfo& TButton::StaticClassInfo()
{
    static const TClassInfo info(
        "TButton", &TControl::StaticClassInfo(),
        {BooleanProperty<TButton>("Default", &TButton::Default, &TButton::SetDefault),
         BooleanProperty<TButton>("Cancel", &TButton::Cancel, &TButton::SetCancel),
         EnumProperty<TButton, TModalResult>("ModalResult", kModalResultIdents, &TButton::ModalResult,
                                             &TButton::SetModalResult),
         EventProperty<TButton>("OnClick", &TButton::OnClick)});
    return info;
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& params)
{
    params.WindowClass = "BUTTON";
    params.SystemClass = true;
    params.Style = WS_CHILD | WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Click()
{
    OnClick.Fire(this);
    if (modalResult_ == TModalResult::mrNone) return;
    for (TControl* c = Parent(); c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) {
            form->SetModalResult(modalResult_);
            break;
        }
}

bool TButton::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Click();
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

}  // namespace zelvora
