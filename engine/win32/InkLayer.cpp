#include "engine/win32/InkLayer.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "engine/InkPanes.h"

#include "engine/win32/PieceDrawing.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

namespace {

// Cloaked windows (other virtual desktops, suspended apps) are visible to the window list and
// shown nowhere. The window manager's library is bound on first use.
bool IsCloaked(HWND window)
{
    using TGetAttribute = HRESULT WINAPI(HWND, DWORD, PVOID, DWORD);
    static auto* const getAttribute = SystemFunction<TGetAttribute>(L"dwmapi.dll", "DwmGetWindowAttribute");
    constexpr DWORD kCloaked = 14;  // DWMWA_CLOAKED
    DWORD cloaked = 0;
    return getAttribute && SUCCEEDED(getAttribute(window, kCloaked, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

}  // namespace

TMarkPiece TInkLayer::Draw(TMarkPiece piece)
{
    const TRect bounds = PieceBounds(piece);
    if (!OpenPanesOver(bounds)) return piece;
    KeepKeyOffPen(piece.Pen.Color);
    if (piece.Pen.Highlighter) piece = Highlight(std::move(piece));
    const std::uint64_t mark = marks_.NextPieceMark();
    if (!live_ || !live_->Lays(mark, piece.Pen)) live_.emplace(mark, piece.Pen);
    for (const auto& pane : panes_) {
        if (IsEmpty(Intersection(bounds, pane->Monitor()))) continue;
        pane->KeepGround(bounds, key_);
        if (!previewing_) pane->ForgetKeptGround();
        pane->Paint(piece, bounds, key_, *live_);
    }
    drawn_ = Union(drawn_, bounds);
    return piece;
}

void TInkLayer::Remove(std::span<const TMark> gone)
{
    if (gone.empty()) return;
    if (marks_.Marks().empty()) {
        Close();
        return;
    }
    TRect area = gone.front().Bounds;
    for (const TMark& mark : gone.subspan(1)) area = Union(area, mark.Bounds);
    // A monitor whose last mark went loses its pane.
    panes_.CloseIf([&](const auto& pane) {
        return !IsEmpty(Intersection(area, pane->Monitor())) && !HasInkOn(pane->Monitor(), marks_);
    });
    Repaint(area);
    Flush();
}

void TInkLayer::DrawAgain(const TMark& mark)
{
    if (!OpenPanesOver(mark.Bounds)) return;
    live_.reset();
    for (const TMarkPiece& piece : mark.Pieces) KeepKeyOffPen(piece.Pen.Color);
    TMarkInk ink(0, {});
    for (const auto& pane : panes_) {
        if (IsEmpty(Intersection(mark.Bounds, pane->Monitor()))) continue;
        pane->KeepGround(mark.Bounds, key_);
        PaintMark(*pane, mark, mark.Bounds, ink);
    }
    drawn_ = Union(drawn_, mark.Bounds);
    Flush();
}

void TInkLayer::Close()
{
    live_.reset();
    drawn_ = {};
    panes_.Close();
}

std::vector<TRect> TInkLayer::Panes() const
{
    std::vector<TRect> monitors;
    for (const auto& pane : panes_) monitors.push_back(pane->Monitor());
    return monitors;
}

void TInkLayer::Flush()
{
    if (IsEmpty(drawn_)) return;
    Show(std::exchange(drawn_, TRect{}));
}

void TInkLayer::PaintNow()
{
    Flush();
    for (const auto& pane : panes_) UpdateWindow(pane->Handle());
}

bool TInkLayer::Open()
{
    if (panes_.Prepared()) return true;
    if (failed_) return false;
    screens_ = VirtualScreen();
    key_ = ChooseColourKey(0);
    alpha_ = InkWithAlpha();
    failed_ = !panes_.Prepare();
    return !failed_;
}

bool TInkLayer::OpenPanesOver(const TRect& area)
{
    if (!Open()) return false;
    for (const TRect& monitor : panes_.Monitors())
        if (!IsEmpty(Intersection(area, monitor)) && !OpenPane(monitor)) return false;
    return true;
}

TPictureWindow* TInkLayer::OpenPane(const TRect& monitor)
{
    if (TPictureWindow* pane = panes_.Find(monitor)) return pane;
    if (failed_) return nullptr;
    const bool fits =
        static_cast<std::size_t>(monitor.Width()) * static_cast<std::size_t>(monitor.Height()) <= maxPixels_;
    std::unique_ptr<TPictureWindow> pane =
        fits ? TPictureWindow::Open(monitor, panes_.Owner(), key_, alpha_) : nullptr;
    if (!pane) {
        // Nothing is tried again until asked: the marks go to the screen meanwhile.
        failed_ = true;
        Close();
        return nullptr;
    }
    // Marks already there that no pane showed (their monitor came back, or a failed pane).
    TRect marked;
    for (const TMark& mark : marks_.Marks()) marked = Union(marked, Intersection(mark.Bounds, monitor));
    if (!IsEmpty(marked)) pane->KeepGround(marked, key_);
    TPictureWindow* added = panes_.Add(std::move(pane));
    ++orderChanges_;
    Repaint(monitor);
    return added;
}

void TInkLayer::FitScreens()
{
    if (!panes_.Prepared()) return;  // the next piece finds the monitors as they are then
    std::vector<TRect> now = MonitorRects();
    const TPaneRefit refit = RefitPanes(Panes(), now, marks_);
    panes_.SetMonitors(std::move(now));
    screens_ = VirtualScreen();
    panes_.CloseIf([&](const auto& pane) {
        return std::find(refit.Close.begin(), refit.Close.end(), pane->Monitor()) != refit.Close.end();
    });
    for (const TRect& monitor : refit.Open) OpenPane(monitor);
    Flush();
}

void TInkLayer::StayOnTop()
{
    // Every fifth tick is soon enough and keeps the idle cost near the screen's. Wine raises a
    // clicked window in its X stacking a moment after the activation: once more 200 ms later
    // catches that.
    constexpr int kTicksPerCheck = 5, kChecksToRaiseAgain = 4;
    if (panes_.Empty() || ++ticks_ % kTicksPerCheck != 0) return;
    const HWND front = GetForegroundWindow();
    bool covered = std::exchange(foreground_, front) != front;
    if (covered) {
        checksToRaiseAgain_ = kChecksToRaiseAgain;
        raisedOver_.clear();
    } else if (checksToRaiseAgain_ > 0) {
        covered = --checksToRaiseAgain_ == 0;
    }
    for (const auto& pane : panes_) {
        // A window raised over before that came back above by itself keeps itself on top (a
        // call's controls, a recorder's bar): it stays there until the foreground changes.
        HWND above = nullptr;
        for (HWND window = GetWindow(pane->Handle(), GW_HWNDPREV); window && !above;
             window = GetWindow(window, GW_HWNDPREV))
            if (Covers(window) &&
                std::find(raisedOver_.begin(), raisedOver_.end(), window) == raisedOver_.end())
                above = window;
        if (!covered && !above) continue;
        Raise(pane->Handle());
        ++orderChanges_;
        if (above) raisedOver_.push_back(above);
    }
}

bool TInkLayer::Covers(HWND window)
{
    // Menus come and go above everything: raising the layer over one would end it.
    if (!IsWindowVisible(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return false;
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    const std::wstring_view name(className);
    return name != L"#32768" && name != kInkLayerClass && !IsCloaked(window);
}

void TInkLayer::Raise(HWND pane)
{
    // Below the active window and back on top: a real change of order, which the system carries
    // out even where it believes the layer is on top already.
    constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    const HWND below = foreground_ && foreground_ != pane ? foreground_ : HWND_BOTTOM;
    SetWindowPos(pane, below, 0, 0, 0, 0, kOrderOnly);
    SetWindowPos(pane, HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
}

void TInkLayer::KeepKeyOffPen(TColor pen)
{
    if ((pen & 0xFFFFFF) != key_) return;
    const TColor key = ChooseColourKey(pen);
    for (const auto& pane : panes_) pane->ReplaceKey(key_, key);
    key_ = key;
}

TMarkPiece TInkLayer::Highlight(TMarkPiece piece)
{
    const TRect area = Intersection(PieceBounds(piece), screens_);
    if (IsEmpty(area)) return piece;
    // What the screen shows there now, where the piece covers any of a pixel.
    TPixelBuffer screen(area.Width(), area.Height());
    if (!screen) return piece;
    CopyGround(screen.Dc(), area);
    // The copy is of the windows beneath the layer: where a board lies, the board is what shows.
    const TPixelRows copied{screen.Bits(), area.Width(), area.Height(), {area.Left, area.Top}};
    for (const TMark& mark : marks_.Marks())
        if (mark.IsBoard()) FillPixels(copied, mark.Bounds, PixelOf(mark.Pieces.front().Pen.Color));
    const TCoverage coverage = PieceCoverage(piece, area);
    std::vector<std::uint32_t> shape(static_cast<std::size_t>(area.Width()) * area.Height(), 0);
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (coverage.At(x, y))
                shape[static_cast<std::size_t>(y - area.Top) * area.Width() + (x - area.Left)] = 0xFFFFFF;
    GdiFlush();
    KeepHighlighterGround(piece, {screen.Bits(), shape.size()}, shape, area);
    return piece;
}

void TInkLayer::Repaint(const TRect& area, bool groundStays)
{
    // The mark being drawn may lie over what goes: its next piece is laid anew.
    live_.reset();
    for (const auto& pane : panes_) {
        const TRect inside = Intersection(area, pane->Monitor());
        if (IsEmpty(inside)) continue;
        pane->Fill(inside, key_, groundStays);
        TMarkInk ink(0, {});
        for (const TMark* mark : InPaintOrder(marks_.Marks(), inside)) PaintMark(*pane, *mark, inside, ink);
        drawn_ = Union(drawn_, inside);
    }
}

void TInkLayer::PaintMark(TPictureWindow& pane, const TMark& mark, const TRect& clip, TMarkInk& ink)
{
    bool fresh = false;
    for (const TMarkPiece& piece : mark.Pieces) {
        if (!fresh || !ink.Lays(mark.Serial, piece.Pen)) ink.Reset(mark.Serial, piece.Pen);
        fresh = true;
        pane.Paint(piece, clip, key_, ink);
    }
}

void TInkLayer::Show(const TRect& area)
{
    for (const auto& pane : panes_) pane->Show(area);
}

std::optional<std::uint32_t> TInkLayer::InkAt(TPoint point) const
{
    for (const auto& pane : panes_)
        if (auto ink = pane->InkAt(point, key_)) return ink;
    return std::nullopt;
}

}  // namespace zelvora
