#include "toolkit/win32/Label.h"

namespace zelvora {

TLabel::TLabel(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TLabel::StaticClassInfo()
{
    static const TClassInfo info(
        "TLabel", &TControl::StaticClassInfo(),
        {EnumProperty<TLabel, TAlignment>("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                                          &TLabel::Alignment, &TLabel::SetAlignment),
         BooleanProperty<TLabel>("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap),
         BooleanProperty<TLabel>("Transparent", &TLabel::Transparent, &TLabel::SetTransparent),
         EventProperty<TLabel>("OnClick", &TLabel::OnClick)});
    return info;
}

void TLabel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Restyle();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    wordWrap_ = wordWrap;
    Restyle();
}

void TLabel::Restyle()
{
    if (!HandleAllocated()) return;
    TCreateParams params;
    CreateParams(params);
    SetWindowLongPtrW(Handle(), GWL_STYLE,
                      static_cast<LONG_PTR>(params.Style | (Visible() ? WS_VISIBLE : 0)));
    Invalidate();
}

void TLabel::CreateParams(TCreateParams& params)
{
    params.WindowClass = "STATIC";
    params.SystemClass = true;
    params.Style = WS_CHILD | SS_NOTIFY;
    switch (alignment_) {
        case TAlignment::taCenter:
            params.Style |= SS_CENTER;
            break;
        case TAlignment::taRightJustify:
            params.Style |= SS_RIGHT;
            break;
        case TAlignment::taLeftJustify:
            params.Style |= wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP;
            break;
    }
}

bool TLabel::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        OnClick.Fire(this);
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

}  // namespace zelvora
