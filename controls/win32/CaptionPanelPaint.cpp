#include "controls/win32/CaptionPanel.h"

#include <uxtheme.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <type_traits>
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

namespace {

constexpr int kGradientBands = 64;

// Each component p·a + (1 − p)·b, rounded.
COLORREF Mix(COLORREF a, COLORREF b, double p)
{
    const auto part = [&](int shift) {
        return static_cast<int>(std::lround(p * ((a >> shift) & 0xFF) + (1 - p) * ((b >> shift) & 0xFF)));
    };
    return RGB(part(0), part(8), part(16));
}

void Gradient(HDC dc, const RECT& r, TColor from, TColor to, bool vertical)
{
    const COLORREF a = ColorToRGB(from), b = ColorToRGB(to);
    const double extent =
        static_cast<double>(vertical ? r.bottom - r.top : r.right - r.left) / kGradientBands;
    for (int i = 0; i < kGradientBands; ++i) {
        const auto mix = [&](int shift) {
            const int c1 = (a >> shift) & 0xFF, c2 = (b >> shift) & 0xFF;
            return static_cast<int>(c1 + std::nearbyint(i * (c2 - c1) / static_cast<double>(kGradientBands)));
        };
        const COLORREF color = RGB(mix(0), mix(8), mix(16));
        const int start = static_cast<int>(std::nearbyint(i * extent));
        RECT band = r;
        if (vertical) {
            band.top = r.top + start;
            band.bottom = std::min<LONG>(r.bottom, band.top + static_cast<LONG>(extent) + 1);
        } else {
            band.left = r.left + start;
            band.right = std::min<LONG>(r.right, band.left + static_cast<LONG>(extent) + 1);
        }
        UniqueBrush brush(CreateSolidBrush(color));
        FillRect(dc, &band, brush.get());
    }
}

}  // namespace

void TAdvPanel::BuildShade()
{
    ++shadeBuilds_;
    shade_ = std::make_unique<TShadeBitmap>(
        zelvora::BuildShade({ColorToRGB(caption_.Color()), caption_.ShadeLight(),
                             static_cast<std::uint8_t>(caption_.ShadeGrain()),
                             static_cast<int>(caption_.ShadeType()), Width(), caption_.Height()},
                            ClockSeededRandom()));
    // Kept as a device-independent bitmap, so that every paint only blits it.
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), shade_->Width(), -shade_->Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    shadeBitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (shadeBitmap_ && bits) {
        auto* out = static_cast<std::uint32_t*>(bits);
        for (std::size_t i = 0; i < shade_->Pixels().size(); ++i) {
            const TColor c = shade_->Pixels()[i];  // 0x00BBGGRR to the DIB's 0x00RRGGBB
            out[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
        GdiFlush();
    }
    Invalidate();
}

RECT TAdvPanel::BandRect() const
{
    RECT r{0, 0, Width(), Height()};
    if (borderShadow_) r.right -= 2, r.bottom -= 2;
    if (BevelOuter() != TBevelCut::bvNone || BevelInner() != TBevelCut::bvNone)
        InflateRect(&r, -BevelWidth(), -BevelWidth());
    r.bottom = r.top + caption_.Height() - 2 * BevelWidth();
    return r;
}

void TAdvPanel::Paint(HDC target)
{
    if (!buffered_) {
        PaintOn(target);
        return;
    }
    // Drawn off-screen and copied in one step: no flicker.
    UniqueMemoryDc memory(CreateCompatibleDC(target));
    UniqueBitmap bitmap(CreateCompatibleBitmap(target, Width(), Height()));
    {
        SelectedObject selected(memory.get(), bitmap.get());
        PaintOn(memory.get());
        BitBlt(target, 0, 0, Width(), Height(), memory.get(), 0, 0, SRCCOPY);
    }
}

void TAdvPanel::PaintOn(HDC dc)
{
    lastLookup_.reset();  // whatever made this paint may have moved the anchors
    RECT r{0, 0, Width(), Height()};
    // Body.
    if (colorTo_ == clNone) {
        UniqueBrush brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &r, brush.get());
    } else {
        Gradient(dc, r, Color(), colorTo_, true);
    }
    // Frame.
    if (borderColor_ != clNone) {
        RECT frame = r;
        if (borderShadow_) {
            frame.right -= 2, frame.bottom -= 2;
            const auto shadowLine = [&](double share, int out) {
                UniquePen pen(
                    CreatePen(PS_SOLID, 1, Mix(ColorToRGB(borderColor_), GetSysColor(COLOR_BTNFACE), share)));
                SelectedObject selected(dc, pen.get());
                MoveToEx(dc, frame.right + out, frame.top, nullptr);
                LineTo(dc, frame.right + out, frame.bottom + out);
                LineTo(dc, frame.left, frame.bottom + out);
            };
            shadowLine(0.5, 0);
            shadowLine(0.2, 1);
        }
        UniquePen pen(CreatePen(PS_SOLID, 1, ColorToRGB(borderColor_)));
        SelectedObject selectedPen(dc, pen.get());
        SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    }
    RECT bevel = r;
    DrawBevel(dc, bevel, BevelOuter(), BevelWidth());
    DrawBevel(dc, bevel, BevelInner(), BevelWidth());

    // Body area: below the band, clipped while its picture and text are drawn.
    const RECT area = BodyArea();
    {
        UniqueRegion clip(CreateRectRgnIndirect(&area));
        SelectClipRgn(dc, clip.get());
        PaintBackground(dc, area);
        PaintBodyText(dc);
        SelectClipRgn(dc, nullptr);
    }
    if (caption_.Visible()) PaintBand(dc, BandRect());
    if (!collaps_ && canSize_) PaintSizeGrip(dc);
}

void TAdvPanel::PaintBackground(HDC dc, const RECT& area)
{
    if (background_.Empty()) return;
    const int w = background_.Width(), h = background_.Height();
    const int right = std::max<int>(area.left, Width() - w - BevelWidth());
    const int bottom = std::max<int>(area.top, Height() - h - BevelWidth());
    const auto at = [&](int x, int y) { background_.Draw(dc, {x, y, x + w, y + h}); };
    switch (backgroundPosition_) {
        case TBackGroundPosition::bpTopLeft:
            at(area.left, area.top);
            break;
        case TBackGroundPosition::bpTopRight:
            at(right, area.top);
            break;
        case TBackGroundPosition::bpBottomLeft:
            at(area.left, bottom);
            break;
        case TBackGroundPosition::bpBottomRight:
            at(right, bottom);
            break;
        case TBackGroundPosition::bpCenter:
            at(right / 2, bottom / 2);
            break;
        case TBackGroundPosition::bpStretched:
            background_.Draw(dc, area);
            break;
        case TBackGroundPosition::bpTiled:
            if (w <= 0 || h <= 0) break;
            for (int y = area.top; y < Height(); y += h)
                for (int x = area.left; x < Width(); x += w) at(x, y);
            break;
    }
}

RECT TAdvPanel::BodyArea() const
{
    RECT area{0, 0, Width(), Height()};
    if (caption_.Visible()) area.top += caption_.Height() - 2 * BevelWidth();
    if (borderShadow_) area.right -= 2, area.bottom -= 3;
    return area;
}

// Where the body text is laid out: painting and hit tests share it.
TRect TAdvPanel::BodyTextBox(IHtmlCanvas& canvas) const
{
    RECT area = BodyArea();
    InflateRect(&area, -BorderWidth(), -BorderWidth());
    area.left += indent_;
    area.top += topIndent_;
    if (textVAlign_ != TTextVAlignment::tvaTop) {
        const TRect box{area.left, area.top, area.right, area.bottom};
        const int height = DrawMiniHtml(canvas, text_, box, THtmlMode::Measure, HtmlOptions(false),
                                        HtmlFontOf(Font(), Dpi()))
                               .Height;
        const int spare = (area.bottom - area.top) - height;
        if (spare > 0) area.top += textVAlign_ == TTextVAlignment::tvaCenter ? spare / 2 : spare;
    }
    return {area.left, area.top, area.right, area.bottom};
}

// Where the caption text is laid out: from the band's top; shown buttons take their room.
TRect TAdvPanel::CaptionTextBox() const
{
    RECT box{0, 0, Width(), caption_.Height()};
    const int buttons = (caption_.CloseButton() ? 1 : 0) + (caption_.MinMaxButton() ? 1 : 0);
    if (caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight)
        box.right -= buttons * ButtonSize();
    else
        box.left += buttons * ButtonSize();
    return {box.left + caption_.Indent(), box.top + caption_.TopIndent(), box.right, box.bottom};
}

void TAdvPanel::PaintBodyText(HDC dc)
{
    if (text_.empty()) return;
    TGdiHtmlCanvas canvas(dc, PictureSources(), Dpi());
    DrawMiniHtml(canvas, text_, BodyTextBox(canvas), THtmlMode::Paint, HtmlOptions(false),
                 HtmlFontOf(Font(), Dpi()));
}

void TAdvPanel::PaintSizeGrip(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    if (BevelOuter() != TBevelCut::bvNone || BevelInner() != TBevelCut::bvNone)
        InflateRect(&r, -2 * BevelWidth(), -2 * BevelWidth());
    if (borderShadow_) r.right -= 4, r.bottom -= 4;
    const auto lines = [&](COLORREF color, int width, std::initializer_list<int> offsets) {
        UniquePen pen(CreatePen(PS_SOLID, width, color));
        SelectedObject selected(dc, pen.get());
        for (int d : offsets) {
            MoveToEx(dc, r.right, r.bottom - d, nullptr);
            LineTo(dc, r.right - d, r.bottom);
        }
    };
    lines(RGB(128, 128, 128), 2, {11, 6, 3});
    lines(RGB(255, 255, 255), 1, {12, 8, 4});
}

void TAdvPanel::PaintBand(HDC dc, RECT band)
{
    const TColor fill = collaps_ ? caption_.CloseColor() : caption_.Color();
    const TShadeType type = caption_.ShadeType();
    // Without visual styles the themed caption is painted as a plain one.
    const bool themed = type == TShadeType::stXPCaption && VisualStylesActive();
    const bool shaded = type != TShadeType::stNormal && type != TShadeType::stXPCaption;
    if (themed) {
        auto* openTheme = SystemFunction<decltype(OpenThemeData)>(L"uxtheme.dll", "OpenThemeData");
        auto* drawTheme =
            SystemFunction<decltype(DrawThemeBackground)>(L"uxtheme.dll", "DrawThemeBackground");
        auto* closeTheme = SystemFunction<decltype(CloseThemeData)>(L"uxtheme.dll", "CloseThemeData");
        // Closed however the drawing ends.
        const auto closer = [closeTheme](HTHEME theme) { closeTheme(theme); };
        const std::unique_ptr<std::remove_pointer_t<HTHEME>, decltype(closer)> theme(
            openTheme && drawTheme && closeTheme ? openTheme(Handle(), L"window") : nullptr, closer);
        if (theme) {
            RECT grown = band;
            InflateRect(&grown, 1, 1);
            drawTheme(theme.get(), dc, 1 /* caption */, 1, &grown, nullptr);
        }
    } else if (type == TShadeType::stBitmap || type == TShadeType::stBitmapRStretch ||
               type == TShadeType::stBitmapLStretch) {
        PaintBandPicture(dc, band);
    } else if (shaded && shade_) {
        PaintShade(dc, band);
    } else if (caption_.ColorTo() == clNone) {
        UniqueBrush brush(CreateSolidBrush(ColorToRGB(fill)));
        FillRect(dc, &band, brush.get());
    } else {
        Gradient(dc, band, caption_.Color(), caption_.ColorTo(), false);
    }
    PaintButtons(dc);
    TGdiHtmlCanvas canvas(dc, PictureSources(), Dpi());
    DrawMiniHtml(canvas, caption_.Text(), CaptionTextBox(), THtmlMode::Paint, HtmlOptions(true),
                 HtmlFontOf(caption_.Font(), Dpi()));
}

void TAdvPanel::PaintBandPicture(HDC dc, const RECT& band)
{
    if (!caption_.Picture()) return;  // nothing to show: the body shows through
    BITMAP info{};
    GetObjectA(caption_.Picture(), sizeof info, &info);
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject picture(memory.get(), caption_.Picture());
    const int bandHeight = band.bottom - band.top;
    switch (caption_.ShadeType()) {
        case TShadeType::stBitmap:
            StretchBlt(dc, band.left, band.top, band.right - band.left, bandHeight, memory.get(), 0, 0,
                       info.bmWidth, info.bmHeight, SRCCOPY);
            break;
        case TShadeType::stBitmapRStretch:
            BitBlt(dc, band.left, band.top, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
            StretchBlt(dc, band.left + info.bmWidth, band.top, band.right - band.left - info.bmWidth,
                       bandHeight, memory.get(), std::max(0L, info.bmWidth - 3), 0,
                       std::min(3L, info.bmWidth), info.bmHeight, SRCCOPY);
            break;
        default: {
            const int a = std::max(0, Width() - static_cast<int>(info.bmWidth));
            BitBlt(dc, band.left + a, band.top, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
            StretchBlt(dc, band.left, band.top, a, bandHeight, memory.get(), 0, 0, std::min(2L, info.bmWidth),
                       info.bmHeight, SRCCOPY);
            break;
        }
    }
}

void TAdvPanel::PaintShade(HDC dc, RECT band)
{
    UniquePen gray(CreatePen(PS_SOLID, 1, RGB(128, 128, 128))),
        white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    UniqueRegion clip;
    const int corner = 32;
    switch (caption_.Shape()) {
        case TCaptionShape::csRectangle:
            if (!caption_.Flat()) {
                {
                    SelectedObject pen(dc, gray.get());
                    MoveToEx(dc, band.left, band.bottom - 1, nullptr);
                    LineTo(dc, band.right - 1, band.bottom - 1);
                    LineTo(dc, band.right - 1, band.top);
                }
                SelectedObject pen(dc, white.get());
                LineTo(dc, band.left, band.top);
                LineTo(dc, band.left, band.bottom - 1);
                InflateRect(&band, -1, -1);
            }
            clip.reset(CreateRectRgn(band.left, band.top, band.right, band.bottom));
            break;
        case TCaptionShape::csRounded:
        case TCaptionShape::csSemiRounded: {
            const int middle = band.top + (band.bottom - band.top) / 2;
            const auto halfOutline = [&](HGDIOBJ pen, int top, int bottom) {
                UniqueRegion round(
                    CreateRoundRectRgn(band.left, band.top, band.right, band.bottom, corner, corner));
                UniqueRegion half(CreateRectRgn(band.left, top, band.right, bottom));
                CombineRgn(half.get(), half.get(), round.get(), RGN_AND);
                SelectClipRgn(dc, half.get());
                SelectedObject selectedPen(dc, pen);
                SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
                RoundRect(dc, band.left, band.top, band.right, band.bottom, corner, corner);
                SelectClipRgn(dc, nullptr);
            };
            halfOutline(gray.get(), middle, band.bottom);
            halfOutline(white.get(), band.top, middle);
            if (caption_.Shape() == TCaptionShape::csRounded) {
                SelectedObject pen(dc, gray.get());
                MoveToEx(dc, band.left + 16, band.bottom - 1, nullptr);
                LineTo(dc, band.right - 16, band.bottom - 1);
                band.top += 1;
                clip.reset(CreateRoundRectRgn(band.left, band.top, band.right, band.bottom, corner, corner));
            } else {
                {
                    SelectedObject pen(dc, white.get());
                    MoveToEx(dc, band.left + (band.right - band.left) / 2, band.top, nullptr);
                    LineTo(dc, band.left, band.top);
                    LineTo(dc, band.left, band.bottom - 1);
                }
                SelectedObject pen(dc, gray.get());
                LineTo(dc, band.right - 16, band.bottom - 1);
                band.top += 1, band.left += 1;
                clip.reset(CreateRoundRectRgn(band.left, band.top, band.right, band.bottom, corner, corner));
                UniqueRegion square(CreateRectRgn(band.left, band.top,
                                                  band.left + (band.right - band.left) / 2, band.bottom - 1));
                CombineRgn(clip.get(), clip.get(), square.get(), RGN_OR);
            }
            break;
        }
    }
    // The shade is drawn at the band's top-left, clipped to the band's outline; the clip goes after.
    SelectClipRgn(dc, clip.get());
    if (shadeBitmap_) {
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        SelectedObject picture(memory.get(), shadeBitmap_.get());
        BitBlt(dc, band.left, band.top, shade_->Width(), shade_->Height(), memory.get(), 0, 0, SRCCOPY);
    }
    SelectClipRgn(dc, nullptr);
}

}  // namespace zelvora
