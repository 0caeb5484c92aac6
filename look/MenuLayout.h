// Where the flat menus and flat controls put things: item sizes, the icon column, the check box,
// the text, the tick strokes, the separator, the bar item's shadow and the drop-down's frame.
// Pure arithmetic over rectangles, so the rules can be checked without a screen.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"

namespace zelvora {

// A polyline: each point joined to the next.
using TStroke = std::vector<TPoint>;

// ---- menu items

struct TMenuItemMeasure {
    std::string Caption;
    std::string ShortCutText;             // blank: no shortcut
    int ImageWidth = 0, ImageHeight = 0;  // 0 x 0 without a picture
    bool BarItem = false;                 // a top-level item of the window's main menu
    bool NtPlatform = true;
    int IconWidth = 24;
};

// The font's measure of a text, and the height of one line.
struct TTextMeasure {
    std::function<int(std::string_view)> Width;
    int LineHeight = 0;
};

// Enlarges the toolkit's default size (width, height) to what the flat item needs; separators
// are always 4 pixels high.
void MeasureMenuItem(const TMenuItemMeasure& item, const TTextMeasure& text, int& width, int& height);

struct TMenuItemLayout {
    TRect Item;        // the item's rectangle, one pixel longer at the bottom
    TRect IconColumn;  // C
    TRect CheckBox;    // K
    TRect Text;        // T, before the text's own indent
};

struct TMenuItemShape {
    TRect Item;  // as the window system gives it
    bool BarItem = false;
    bool RightToLeft = false;
    int IconWidth = 24;
    int PictureWidth = 0;  // 0: no picture
};

TMenuItemLayout LayoutMenuItem(const TMenuItemShape& shape);

// The selection of a drop-down item: one pixel in at top and bottom, and at the right with a flat frame.
TRect SelectionRect(const TRect& item, bool flatMenu);
// The separator line, 7 pixels in from the text edge, half-way down.
TStroke SeparatorLine(const TRect& text, bool rightToLeft);
// The five segments of a menu tick relative to the check box; the long one ends past its top right.
std::vector<TStroke> MenuTickStrokes(const TRect& box);
// Where the caption starts: 3 pixels in and vertically centred for a line of this height.
TRect CaptionRect(const TRect& text, int lineHeight, bool rightToLeft);
// The shortcut's room: 10 pixels off the far edge.
TRect ShortCutRect(const TRect& caption, bool rightToLeft);
// The top-left corner of a picture in the icon column.
TPoint PicturePosition(const TRect& iconColumn, int pictureWidth, int iconWidth, bool barItem,
                       bool rightToLeft);

// A fill of the selected bar item's stepped shadow: the rectangle and how much darker than the bar.
struct TShadeStep {
    TRect Area;
    int Darkness = 0;
};
std::vector<TShadeStep> BarShadowSteps(const TRect& item);
// The rounding strokes over the shadow, with their darkness (0: the bar's own colour).
struct TShadeStroke {
    TStroke Points;
    int Darkness = 0;
};
std::vector<TShadeStroke> BarShadowStrokes(const TRect& item);

// The drop-down's flat frame on the screen, W being the menu window's rectangle.
struct TFlatFrameLayout {
    TRect Border;        // outlined in the frame colour
    TRect Band;          // two pixels under the top, in the menu background
    TStroke BandLine;    // the icon column's share of the band
    TRect Strip;         // the icon column's edge at the side
    TRect ShadowBottom;  // two rows
    TRect ShadowRight;   // two columns
    TRect CornerBottomLeft, CornerTopRight;
};
TFlatFrameLayout FlatFrameLayout(const TRect& window, int iconWidth, bool rightToLeft);

// ---- flat controls

// The mark of a check box (s: the system's thumb width) or radio button, before the 2-pixel inset.
TRect CheckMarkBox(const TRect& client, int thumbWidth, bool boxAtRight, bool radio);
// Whether the box sits at the right: caption on the left reading left to right, or mirrored.
bool CheckMarkAtRight(bool captionOnLeft, bool rightToLeft);
// The check box tick: three strokes of two segments, inside the inset box.
std::vector<TStroke> CheckBoxTickStrokes(const TRect& box);
// The dark edge of a push button: along left and top when pressed, else along right and bottom.
TStroke ButtonEdge(const TRect& client, bool pressed);

// Picture and caption of a picture button, centred together.
enum class TGlyphLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
struct TGlyphPlacement {
    TPoint Glyph;
    TRect Caption;
};
TGlyphPlacement PlaceGlyph(const TRect& client, int glyphWidth, int glyphHeight, int textWidth,
                           int textHeight, TGlyphLayout layout, int spacing);

}  // namespace zelvora
