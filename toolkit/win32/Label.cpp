#include "toolkit/win32/Label.h"

#include <algorithm>

#include "base/DpiScaling.h"
#include "base/Restore.h"
#include "toolkit/win32/TextEncoding.h"

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
    FitText();
}

void TLabel::SetCaption(const std::string& caption)
{
    TControl::SetCaption(caption);
    FitText();
}

void TLabel::SetBounds(int left, int top, int width, int height)
{
    const bool widthChanged = width != Width();
    TControl::SetBounds(left, top, width, height);
    if (widthChanged) FitText();
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    FitText();
}

void TLabel::HandleCreated()
{
    TControl::HandleCreated();
    FitText();
}

void TLabel::ScaleMetrics(int toDpi)
{
    grown_ = ScaleBetweenDpi(grown_, toDpi, Dpi());
    widened_ = ScaleBetweenDpi(widened_, toDpi, Dpi());
    TControl::ScaleMetrics(toDpi);
}

void TLabel::ApplyScaledMetrics()
{
    TControl::ApplyScaledMetrics();
    FitText();
}

void TLabel::FitText()
{
    if (fitting_ || !HandleAllocated() || Loading() || Width() <= 0 || ScalingMetrics()) return;
    const TRestore<bool> restore{fitting_, fitting_};
    fitting_ = true;
    const bool wraps = WrapsText();
    const int madeWidth = Width() - widened_, madeHeight = Height() - grown_;  // as the label was made
    const std::wstring text = WideFromAnsi(Caption(), Font().Charset());
    SIZE needed{};
    if (!text.empty()) {
        // A memory DC measures as the screen does, without a trip to the display.
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        if (!dc) return;
        SelectedObject font(dc.get(), FontHandle());
        RECT rect{0, 0, wraps ? Width() : 0, 0};
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : 0));
        needed = SIZE{rect.right, rect.bottom};
    }
    const int taller = std::max(static_cast<int>(needed.cy) - madeHeight, 0);
    if (wraps) {
        const int delta = taller - grown_;
        if (delta == 0) return;
        grown_ = taller;
        GrowBy(delta);
        return;
    }
    const int wider = std::max(static_cast<int>(needed.cx) - madeWidth, 0);
    if (wider == widened_ && taller == grown_) return;
    widened_ = wider, grown_ = taller;
    SetBounds(Left(), Top(), madeWidth + wider, madeHeight + taller);
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
