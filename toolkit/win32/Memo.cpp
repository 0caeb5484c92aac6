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
         BooleanProperty<TMemo>("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)});
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
    params.ExStyle = WS_EX_CLIENTEDGE;
    params.Style = WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
    if (readOnly_) params.Style |= ES_READONLY;
    if (wantReturns_) params.Style |= ES_WANTRETURN;
    if (!wordWrap_) params.Style |= ES_AUTOHSCROLL;
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_VSCROLL;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_HSCROLL;
}

void TMemo::HandleCreated() {}

}  // namespace zelvora
