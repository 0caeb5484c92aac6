// The mini-HTML layout's canvas on a real device context.
#pragma once

#include <windows.h>

#include <map>
#include <tuple>

#include "base/DpiScaling.h"
#include "controls/MiniHtml.h"
#include "controls/win32/HtmlPicture.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/ImageList.h"

namespace zelvora {

// Mini-HTML sizes are points on a 96-dpi screen; `dpi` is the one the font's height is for.
THtmlFont HtmlFontOf(const TFont& font, int dpi = kDesignDpi);

// Where image tags find their pictures; any of them may be missing.
struct THtmlPictureSources {
    const TImageList* Images = nullptr;
    const TPictureContainer* Container = nullptr;
    THTMLPictureCache* Cache = nullptr;
};

class TGdiHtmlCanvas : public IHtmlCanvas {
public:
    // Text and pictures are drawn for a screen of `dpi`, the control's, whatever the device says.
    explicit TGdiHtmlCanvas(HDC dc, THtmlPictureSources sources = {}, int dpi = kDesignDpi);
    ~TGdiHtmlCanvas();
    TGdiHtmlCanvas(const TGdiHtmlCanvas&) = delete;
    TGdiHtmlCanvas& operator=(const TGdiHtmlCanvas&) = delete;

    THtmlSize TextExtent(const std::string& text, const THtmlFont& font) override;
    void DrawText(int x, int bottom, const std::string& text, const THtmlFont& font,
                  TColor background) override;
    void FillRect(const TRect& r, TColor color) override;
    void Line(int x1, int y1, int x2, int y2, TColor color) override;
    std::optional<THtmlSize> PictureSize(const std::string& source) override;
    void DrawPicture(const std::string& source, const TRect& r) override;

private:
    HFONT Font(const THtmlFont& font);
    struct TFoundPicture {
        int Width = 0, Height = 0;  // at 96 dots per inch
        HIMAGELIST List = nullptr;  // an image of a list, drawn at its own size
        const TImageList* Images = nullptr;
        int Index = 0;
        const THTMLPicture* Picture = nullptr;
    };
    std::optional<TFoundPicture> Find(const std::string& source);

    HDC dc_;
    THtmlPictureSources sources_;
    int dpi_;
    HGDIOBJ originalFont_;
    int originalBkMode_;
    // Fonts of this drawing, made once each and freed with the canvas.
    std::map<std::tuple<std::string, int, unsigned, int, int>, UniqueFont> fonts_;
};

}  // namespace zelvora
