// Mini-HTML: captions and body texts with paragraphs, fonts, colours, anchors, lists and a few
// effects, laid out in lines inside a rectangle, painted, measured or hit-tested. The layout
// works over an abstract canvas, so it runs the same on the screen and in tests.
#pragma once

#include <optional>
#include <string>

#include "base/Geometry.h"
#include "toolkit/Colors.h"

namespace zelvora {

inline constexpr unsigned kHtmlBold = 1, kHtmlItalic = 2, kHtmlUnderline = 4, kHtmlStrikeOut = 8;

struct THtmlFont {
    std::string Name = "Tahoma";
    int Size = 8;  // points
    TColor Color = clBlack;
    unsigned Style = 0;
    int Charset = 1;
    int Orientation = 0;  // tenths of a degree
    bool operator==(const THtmlFont&) const = default;
};

struct THtmlSize {
    int Width = 0, Height = 0;
};

class IHtmlCanvas {
public:
    // A single line of text; "&&" counts as one "&" and a lone "&" as nothing, as the painter shows.
    virtual THtmlSize TextExtent(const std::string& text, const THtmlFont& font) = 0;
    // A single line with its left at x and its bottom at `bottom`; background clNone is transparent.
    virtual void DrawText(int x, int bottom, const std::string& text, const THtmlFont& font,
                          TColor background) = 0;
    virtual void FillRect(const TRect& r, TColor color) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, TColor color) = 0;
    // Pictures named by an IMG source; nothing when there is none.
    virtual std::optional<THtmlSize> PictureSize(const std::string& source) = 0;
    virtual void DrawPicture(const std::string& source, const TRect& r) = 0;

protected:
    ~IHtmlCanvas() = default;
};

enum class THtmlMode { Paint, Measure, FirstPass };

struct THtmlOptions {
    bool WordWrap = true;
    bool HitTest = false;
    int HitX = 0, HitY = 0;
    TColor URLColor = 0xFF0000;  // clBlue
    bool Hover = false;
    int HoverIndex = -1;
    TColor HoverColor = clNone, HoverFontColor = clNone;
    TColor ShadowColor = 0x808080;
    int ShadowOffset = 2;
    bool BlinkPhase = false;
    bool NoFontColorChange = false;
    TColor EntryBrushColor = clWhite;  // the canvas brush on entry (the blink colour)
};

struct THtmlResult {
    bool OnAnchor = false;
    std::string AnchorTarget;
    TRect AnchorRect;
    int AnchorIndex = -1;
    int Height = 0;  // all lines; at least the height of "gh"
    int Width = 0;   // the widest line
    std::string PlainText;
};

// Texts are cut to this length: entity rounds cost the square of the length on hostile input.
inline constexpr std::size_t kMaxHtmlLength = 8 * 1024;

THtmlResult DrawMiniHtml(IHtmlCanvas& canvas, const std::string& text, TRect rect, THtmlMode mode,
                         const THtmlOptions& options, const THtmlFont& baseFont);

// The whole-text entities replaced in rounds, the "<#" marker dropped, line breaks made tags.
std::string PrepareMiniHtml(std::string text);

// "#RRGGBB" or a colour name; unknown names are black.
TColor HtmlColor(const std::string& value);

}  // namespace zelvora
