#include "toolkit/win32/StdCtrls.h"

#include "toolkit/win32/Form.h"

namespace zelvora {

namespace {

void Fire(TEventRef& event, TComponent* sender)
{
    if (!event.Handler) return;
    TEventArgs args;
    args.Sender = sender;
    event.Handler(args);
}

}  // namespace

// --- TLabel

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
    SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(params.Style | (Visible() ? WS_VISIBLE : 0)));
    Invalidate();
}

void TLabel::CreateParams(TCreateParams& params)
{
    params.WindowClass = "STATIC";
    params.SystemClass = true;
    params.Style = WS_CHILD | SS_NOTIFY;
    switch (alignment_) {
    case TAlignment::taCenter: params.Style |= SS_CENTER; break;
    case TAlignment::taRightJustify: params.Style |= SS_RIGHT; break;
    case TAlignment::taLeftJustify: params.Style |= wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP; break;
    }
}

bool TLabel::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        Fire(OnClick, this);
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

// --- check boxes and radio buttons

TButtonControl::TButtonControl(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TButtonControl::StaticClassInfo()
{
    static const TClassInfo info("TButtonControl", &TControl::StaticClassInfo(),
                                 {BooleanProperty<TButtonControl>("Checked", &TButtonControl::Checked,
                                                                  &TButtonControl::SetChecked),
                                  EventProperty<TButtonControl>("OnClick", &TButtonControl::OnClick)});
    return info;
}

void TButtonControl::SetChecked(bool checked)
{
    checked_ = checked;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TButtonControl::HandleCreated()
{
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SetChecked(CheckedAfterClick());
        Fire(OnClick, this);
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

const TClassInfo& TCheckBox::StaticClassInfo()
{
    static const TClassInfo info("TCheckBox", &TButtonControl::StaticClassInfo(), {});
    return info;
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    params.WindowClass = "BUTTON";
    params.SystemClass = true;
    params.Style = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
}

const TClassInfo& TRadioButton::StaticClassInfo()
{
    static const TClassInfo info("TRadioButton", &TButtonControl::StaticClassInfo(), {});
    return info;
}

void TRadioButton::SetChecked(bool checked)
{
    TButtonControl::SetChecked(checked);
    if (!checked || !Parent()) return;
    for (TControl* sibling : Parent()->Controls())
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this && radio->Checked())
            radio->TButtonControl::SetChecked(false);
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    params.WindowClass = "BUTTON";
    params.SystemClass = true;
    // Not BS_AUTORADIOBUTTON: the group is the parent, not the system's tab-order group.
    params.Style = WS_CHILD | WS_TABSTOP | BS_RADIOBUTTON;
}

// --- buttons

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
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& params)
{
    params.WindowClass = "BUTTON";
    params.SystemClass = true;
    params.Style = WS_CHILD | WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Click()
{
    Fire(OnClick, this);
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

const TClassInfo& TBitBtn::StaticClassInfo()
{
    static const TClassInfo info(
        "TBitBtn", &TButton::StaticClassInfo(),
        {EnumProperty<TBitBtn, TBitBtnKind>("Kind",
                                            {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                                             "bkAbort", "bkRetry", "bkIgnore", "bkAll"},
                                            &TBitBtn::Kind, &TBitBtn::SetKind)});
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
}

// --- memo

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
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) params.Style |= WS_VSCROLL;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) params.Style |= WS_HSCROLL;
}

void TMemo::HandleCreated() {}

}  // namespace zelvora
