#include "controls/HtmlCanvas.h"

#include "toolkit/Canvas.h"
#include "toolkit/TextEncoding.h"

namespace zelvora {

namespace {

constexpr UINT kRunFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOCLIP;

}  // namespace

THtmlFont HtmlFontOf(const TFont& font)
{
    THtmlFont html;
    html.Name = font.Name();
    html.Size = font.Size();
    html.Color = font.Color();
    html.Style = font.Style();  // the same bits: bold, italic, underline, strike-out
    html.Charset = font.Charset();
    return html;
}

TGdiHtmlCanvas::TGdiHtmlCanvas(HDC dc)
    : dc_(dc), originalFont_(GetCurrentObject(dc, OBJ_FONT)), originalBkMode_(SetBkMode(dc, TRANSPARENT))
{
}

TGdiHtmlCanvas::~TGdiHtmlCanvas()
{
    SelectObject(dc_, originalFont_);
    SetBkMode(dc_, originalBkMode_);
}

HFONT TGdiHtmlCanvas::Font(const THtmlFont& font)
{
    auto& slot = fonts_[{font.Name, font.Size, font.Style, font.Charset, font.Orientation}];
    if (!slot)
        slot.reset(CreateFontA(-MulDiv(font.Size, GetDeviceCaps(dc_, LOGPIXELSY), 72), 0, font.Orientation,
                               font.Orientation, (font.Style & kHtmlBold) ? FW_BOLD : FW_NORMAL,
                               (font.Style & kHtmlItalic) != 0, (font.Style & kHtmlUnderline) != 0,
                               (font.Style & kHtmlStrikeOut) != 0, static_cast<BYTE>(font.Charset), OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, font.Name.c_str()));
    return static_cast<HFONT>(slot.get());
}

THtmlSize TGdiHtmlCanvas::TextExtent(const std::string& text, const THtmlFont& font)
{
    SelectObject(dc_, Font(font));
    std::wstring wide = WideFromAnsi(text, font.Charset);
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r, kRunFlags | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

void TGdiHtmlCanvas::DrawText(int x, int bottom, const std::string& text, const THtmlFont& font, TColor background)
{
    const THtmlSize size = TextExtent(text, font);
    RECT r{x, bottom - size.Height, x + size.Width, bottom};
    if (background != clNone) FillRect({r.left, r.top, r.right, r.bottom}, background);
    SelectObject(dc_, Font(font));
    SetTextColor(dc_, ColorToRGB(font.Color));
    std::wstring wide = WideFromAnsi(text, font.Charset);
    ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r, kRunFlags);
}

void TGdiHtmlCanvas::FillRect(const TRect& r, TColor color)
{
    UniqueGdiObject brush(CreateSolidBrush(ColorToRGB(color)));
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(dc_, &rect, static_cast<HBRUSH>(brush.get()));
}

void TGdiHtmlCanvas::Line(int x1, int y1, int x2, int y2, TColor color)
{
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
    SelectedObject selected(dc_, pen.get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

std::optional<THtmlSize> TGdiHtmlCanvas::PictureSize(const std::string&)
{
    return std::nullopt;  // the program's texts name no pictures
}

void TGdiHtmlCanvas::DrawPicture(const std::string&, const TRect&) {}

}  // namespace zelvora
