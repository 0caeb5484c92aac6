#include "controls/win32/HtmlCanvas.h"

#include <shellapi.h>

#include <cctype>

#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/SystemLibrary.h"
#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

namespace {

constexpr UINT kRunFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOCLIP;

}  // namespace

THtmlFont HtmlFontOf(const TFont& font, int dpi)
{
    THtmlFont html;
    html.Name = font.Name();
    TFont designed;
    designed.SetHeight(ScaleFontHeightBetweenDpi(font.Height(), kDesignDpi, dpi));
    html.Size = designed.Size();
    html.Color = font.Color();
    html.Style = font.Style();  // the same bits: bold, italic, underline, strike-out
    html.Charset = font.Charset();
    return html;
}

TGdiHtmlCanvas::TGdiHtmlCanvas(HDC dc, THtmlPictureSources sources, int dpi)
    : dc_(dc),
      sources_(sources),
      dpi_(dpi),
      originalFont_(GetCurrentObject(dc, OBJ_FONT)),
      originalBkMode_(SetBkMode(dc, TRANSPARENT))
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
        slot.reset(CreateFontA(
            -ScaleToDpi(MulDivRounded(font.Size, kDesignDpi, 72), dpi_), 0, font.Orientation,
            font.Orientation, (font.Style & kHtmlBold) ? FW_BOLD : FW_NORMAL, (font.Style & kHtmlItalic) != 0,
            (font.Style & kHtmlUnderline) != 0, (font.Style & kHtmlStrikeOut) != 0,
            static_cast<BYTE>(font.Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
            DEFAULT_PITCH, font.Name.c_str()));
    return slot.get();
}

THtmlSize TGdiHtmlCanvas::TextExtent(const std::string& text, const THtmlFont& font)
{
    SelectObject(dc_, Font(font));
    std::wstring wide = WideFromAnsi(text, font.Charset);
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r, kRunFlags | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

void TGdiHtmlCanvas::DrawText(int x, int bottom, const std::string& text, const THtmlFont& font,
                              TColor background)
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
    UniqueBrush brush(CreateSolidBrush(ColorToRGB(color)));
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(dc_, &rect, brush.get());
}

void TGdiHtmlCanvas::Line(int x1, int y1, int x2, int y2, TColor color)
{
    UniquePen pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
    SelectedObject selected(dc_, pen.get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

namespace {

bool StartsWithUpper(const std::string& text, const char* prefix)
{
    for (std::size_t i = 0; prefix[i]; ++i)
        if (i >= text.size() || std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

int NumberAfter(const std::string& text, std::size_t at)
{
    int n = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && n < 100000; ++at)
        n = n * 10 + (text[at] - '0');
    return n;
}

}  // namespace

std::optional<TGdiHtmlCanvas::TFoundPicture> TGdiHtmlCanvas::Find(const std::string& source)
{
    TFoundPicture found;
    if (StartsWithUpper(source, "IDX:")) {
        found.Index = NumberAfter(source, 4);
        if (!sources_.Images || found.Index >= sources_.Images->Count()) return std::nullopt;
        found.Images = sources_.Images;
        found.Width = sources_.Images->Width(), found.Height = sources_.Images->Height();
        return found;
    }
    const bool small = StartsWithUpper(source, "SSYS:");
    if (small || StartsWithUpper(source, "LSYS:")) {
        // The shell's list of system icons; it belongs to the shell and is never freed here.
        SHFILEINFOA info{};
        auto* fileInfo = SystemFunction<decltype(SHGetFileInfoA)>(L"shell32.dll", "SHGetFileInfoA");
        if (!fileInfo) return std::nullopt;
        found.List = reinterpret_cast<HIMAGELIST>(fileInfo(
            "C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON)));
        found.Index = NumberAfter(source, 5);
        if (!found.List || found.Index >= ImageList_GetImageCount(found.List)) return std::nullopt;
        ImageList_GetIconSize(found.List, &found.Width, &found.Height);
        return found;
    }
    if (source.find("://") != std::string::npos)
        found.Picture = sources_.Cache ? sources_.Cache->Find(source) : nullptr;
    else if (source.find(':') == std::string::npos && sources_.Container)
        found.Picture = sources_.Container->Find(source);
    if (!found.Picture) return std::nullopt;
    found.Width = found.Picture->Width(), found.Height = found.Picture->Height();
    return found;
}

std::optional<THtmlSize> TGdiHtmlCanvas::PictureSize(const std::string& source)
{
    const auto found = Find(source);
    if (!found) return std::nullopt;
    return THtmlSize{ScaleToDpi(found->Width, dpi_), ScaleToDpi(found->Height, dpi_)};
}

void TGdiHtmlCanvas::DrawPicture(const std::string& source, const TRect& r)
{
    const auto found = Find(source);
    if (!found) return;
    if (found->Images)
        found->Images->Draw(dc_, r.Left, r.Top, found->Index);
    else if (found->List)
        ImageList_Draw(found->List, found->Index, dc_, r.Left, r.Top, ILD_TRANSPARENT);
    else
        found->Picture->Draw(dc_, {r.Left, r.Top, r.Right, r.Bottom});
}

}  // namespace zelvora
