#include "toolkit/win32/Memo.h"

namespace zelvora {

TMemo::TMemo(TComponent* owner) : TControl(owner)
{
    SetColor(clWindow);
}

const TClassInfo& TMemo::StaticClassInfo()
{
    static const TClassInfo info(
        "TMemo", &TControl::StaticClassInfo(),
        {StringsProperty<TMemo>("Lines", &TMemo::Lines, &TMemo::SetLines),
         BooleanProperty<TMemo>("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly),
         EnumProperty<TMemo, TScrollStyle>("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
                                           &TMemo::ScrollBars, &TMemo::SetScrollBars),
         BooleanProperty<TMemo>("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns),
         BooleanProperty<TMemo>("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap),
         BooleanProperty<TMemo>("Ctl3D", &TMemo::Ctl3D, &TMemo::SetCtl3D),
         EnumProperty<TMemo, TBorderStyle>("BorderStyle", {"bsNone", "bsSingle"}, &TMemo::BorderStyle,
                                           &TMemo::SetBorderStyle)});
    return info;
}

std::string TMemo::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) text += "\r\n";
        text += lines_[i];
    }
    return text;
}

void TMemo::SetLines(const TStringList& lines)
{
    lines_ = lines;
    ApplyText();
}

void TMemo::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TMemo::CreateParams(TCreateParams& params)
{
    params.WindowClass = "EDIT";
    params.SystemClass = true;
    if (borderStyle_ == TBorderStyle::bsSingle) {
        if (ctl3D_)
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
    params.Style |= WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
    if (readOnly_) params.Style |= ES_READONLY;
    if (wantReturns_) params.Style |= ES_WANTRETURN;
    if (!wordWrap_) params.Style |= ES_AUTOHSCROLL;
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_VSCROLL;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_HSCROLL;
}

void TMemo::HandleCreated() {}

void TMemo::SetCtl3D(bool ctl3D)
{
    if (ctl3D == ctl3D_) return;
    ctl3D_ = ctl3D;
    ApplyBorder();
}

void TMemo::SetBorderStyle(TBorderStyle style)
{
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ApplyBorder();
}

// The edit control takes a new frame in place; no need to rebuild the window.
void TMemo::ApplyBorder()
{
    if (!HandleAllocated()) return;
    TCreateParams params;
    CreateParams(params);
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    const LONG_PTR exStyle =
        GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, style | (params.Style & WS_BORDER));
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle | (params.ExStyle & WS_EX_CLIENTEDGE));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zelvora
