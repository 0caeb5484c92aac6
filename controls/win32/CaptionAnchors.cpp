#include "controls/win32/CaptionPanel.h"

#include <algorithm>

namespace zelvora {

std::optional<std::string> TAdvPanel::AnchorAt(int x, int y)
{
    const auto hit = AnchorHitAt(x, y);
    if (!hit) return std::nullopt;
    return hit->Target;
}

void TAdvPanel::MouseMoved(int x, int y)
{
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    const auto hit = AnchorHitAt(x, y);
    if (hit && hit->Target != hovered_) {
        if (hover_ && !hovered_.empty()) InvalidateRect(Handle(), &hoveredBounds_, FALSE);
        hovered_ = hit->Target;
        hoveredBounds_ = hit->Bounds;
        hoveredIndex_ = hit->Index;
        hoveredInCaption_ = hit->InCaption;
        std::string target = hovered_;
        Fire(OnAnchorEnter, &target);
        if (hover_) InvalidateRect(Handle(), &hoveredBounds_, FALSE);
        if (anchorHint_) {
            std::string hint = hovered_;
            Fire(OnAnchorHint, &hint);
            SetHint(hint);
        }
    } else if (!hit && !hovered_.empty()) {
        MouseLeft();
    }
}

void TAdvPanel::MouseLeft()
{
    if (hovered_.empty()) return;
    std::string target = hovered_;
    hovered_.clear();
    hoveredIndex_ = -1;
    Fire(OnAnchorExit, &target);
    if (hover_) InvalidateRect(Handle(), &hoveredBounds_, FALSE);
}

namespace {

// Only a text with an anchor tag can have an anchor under the mouse; the program's captions have none.
bool MayHoldAnchor(const std::string& text)
{
    return text.find("<A") != std::string::npos || text.find("<a") != std::string::npos;
}

}  // namespace

std::optional<TAdvPanel::TAnchorHit> TAdvPanel::AnchorHitAt(int x, int y)
{
    const bool inCaption = caption_.Visible() && y < caption_.Height();
    const std::string& text = inCaption ? caption_.Text() : text_;
    if (!MayHoldAnchor(text)) return std::nullopt;
    // The cursor request and the mouse move of one movement ask for the same point: lay out once.
    const TAnchorLookup key{x, y, Width(), Height(), inCaption, text};
    if (lastLookup_ && lastLookup_->first == key) return lastLookup_->second;
    UniqueMemoryDc screen(CreateCompatibleDC(nullptr));  // measures as the screen does
    TGdiHtmlCanvas canvas(screen.get(), PictureSources(), Dpi());
    THtmlOptions options;
    options.HitTest = true;
    options.HitX = x, options.HitY = y;
    const THtmlResult found = inCaption ? DrawMiniHtml(canvas, text, CaptionTextBox(), THtmlMode::Measure,
                                                       options, HtmlFontOf(caption_.Font(), Dpi()))
                                        : DrawMiniHtml(canvas, text, BodyTextBox(canvas), THtmlMode::Measure,
                                                       options, HtmlFontOf(Font(), Dpi()));
    std::optional<TAnchorHit> hit;
    if (found.OnAnchor) {
        const TRect& r = found.AnchorRect;
        hit = TAnchorHit{found.AnchorTarget, RECT{r.Left, r.Top, r.Right, r.Bottom}, found.AnchorIndex,
                         inCaption};
    }
    lastLookup_.emplace(key, hit);
    return hit;
}

}  // namespace zelvora
