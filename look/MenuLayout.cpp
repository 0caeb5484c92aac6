#include "look/MenuLayout.h"

#include <algorithm>

namespace zelvora {

namespace {

// n / 2 rounded to nearest, ties to even.
int HalfRoundedToEven(int n)
{
    const int q = n / 2;
    if (n % 2 == 0) return q;
    return (q % 2 == 0) ? q : q + (n > 0 ? 1 : -1);
}

// n * 3 / 4 rounded to nearest, ties to even.
int ThreeQuartersRoundedToEven(int n)
{
    const int scaled = n * 3;
    int q = scaled / 4;
    const int rest = scaled % 4;
    if (rest == 3 || (rest == 2 && q % 2 == 1)) ++q;
    return q;
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

void MeasureMenuItem(const TMenuItemMeasure& item, const TTextMeasure& text, int& width, int& height)
{
    const bool separator = item.Caption == "-";
    std::string shown = separator ? std::string() : item.Caption;
    // Three wide letters stand for the gap between caption and shortcut.
    if (!IsBlank(item.ShortCutText)) shown += item.ShortCutText + "WWW";
    int w = text.Width(shown) + 5;
    if (shown.find('&') != std::string::npos) w -= text.Width("&");
    int imageWidth = item.ImageWidth;
    if (!item.BarItem) imageWidth = std::max(imageWidth, item.IconWidth);
    if (imageWidth > 0) w += imageWidth;
    if (item.BarItem && item.NtPlatform) w += 8;
    width = std::max(width, w);

    if (separator) {
        height = 4;
        return;
    }
    int h = text.LineHeight + ThreeQuartersRoundedToEven(text.LineHeight);
    h = std::max(h, item.ImageHeight + 6);
    height = std::max(height, h);
}

TMenuItemLayout LayoutMenuItem(const TMenuItemShape& shape)
{
    TMenuItemLayout layout;
    TRect r = shape.Item;
    r.Bottom += 1;
    layout.Item = r;
    const int iconWidth = shape.IconWidth;
    const bool hasPicture = shape.PictureWidth > 0;

    TRect c = shape.RightToLeft ? TRect{r.Right - iconWidth, r.Top, r.Right, r.Bottom}
                                : TRect{r.Left, r.Top, r.Left + iconWidth, r.Bottom};
    layout.IconColumn = c;

    TRect k;
    if (hasPicture) {
        k = TRect{c.Left + 1, c.Top + 2, c.Right - 3, c.Bottom - 2};
    } else {
        const int left = c.Left + (c.Width() - 10) / 2, top = c.Top + (c.Height() - 10) / 2;
        k = TRect{left, top, left + 10, top + 10};
    }
    if (shape.PictureWidth > iconWidth) {
        if (shape.RightToLeft)
            k.Left = k.Right - shape.PictureWidth;
        else
            k.Right = k.Left + shape.PictureWidth;
    }
    if (shape.BarItem) k.Top -= 1;
    layout.CheckBox = k;

    TRect t = r;
    if (shape.BarItem && !hasPicture) {
        layout.Text = t;
        return layout;
    }
    const int indent = shape.BarItem ? 4 : iconWidth;
    if (shape.RightToLeft) {
        t.Right = r.Right - indent;
        if (t.Right > r.Right - shape.PictureWidth) t.Right = r.Right - shape.PictureWidth - 8;
        if (shape.BarItem) t.Right += 5;
    } else {
        t.Left = r.Left + indent;
        if (t.Left < r.Left + shape.PictureWidth) t.Left = r.Left + shape.PictureWidth + 4;
        if (shape.BarItem) t.Left -= 5;
    }
    layout.Text = t;
    return layout;
}

TRect SelectionRect(const TRect& item, bool flatMenu)
{
    return TRect{item.Left, item.Top + 1, item.Right - (flatMenu ? 1 : 0), item.Bottom - 1};
}

TStroke SeparatorLine(const TRect& text, bool rightToLeft)
{
    const int y = text.Top + HalfRoundedToEven(text.Bottom - text.Top);
    if (rightToLeft) return {{text.Left, y}, {text.Right - 7, y}};
    return {{text.Left + 7, y}, {text.Right, y}};
}

std::vector<TStroke> MenuTickStrokes(const TRect& k)
{
    const int l = k.Left, t = k.Top, r = k.Right, b = k.Bottom;
    return {{{l + 1, t + 5}, {l + 4, b - 2}},
            {{l + 2, t + 5}, {l + 4, b - 3}},
            {{l + 2, t + 4}, {l + 5, b - 3}},
            {{l + 4, b - 3}, {r + 2, t - 1}},
            {{l + 4, b - 2}, {r - 2, t + 3}}};
}

TRect CaptionRect(const TRect& text, int lineHeight, bool rightToLeft)
{
    TRect caption = text;
    if (rightToLeft)
        caption.Right -= 3;
    else
        caption.Left += 3;
    caption.Top += (text.Height() - lineHeight) / 2;
    return caption;
}

TRect ShortCutRect(const TRect& caption, bool rightToLeft)
{
    TRect shortCut = caption;
    if (rightToLeft)
        shortCut.Left += 10;
    else
        shortCut.Right -= 10;
    return shortCut;
}

TPoint PicturePosition(const TRect& c, int pictureWidth, int iconWidth, bool barItem, bool rightToLeft)
{
    int x;
    if (barItem)
        x = rightToLeft ? c.Right - pictureWidth - 5 : c.Left + 1;
    else if (pictureWidth < iconWidth)
        x = c.Left + (iconWidth - pictureWidth) / 2 - 1;
    else
        x = rightToLeft ? c.Right - pictureWidth - 2 : c.Left + 2;
    return {x, c.Top + 3};
}

std::vector<TShadeStep> BarShadowSteps(const TRect& item)
{
    const int r = item.Right, t = item.Top, b = item.Bottom;
    return {{{r - 7, t, r, b}, 10},
            {{r - 7, t + 3, r - 2, b}, 30},
            {{r - 7, t + 5, r - 3, b}, 60},
            {{r - 7, t + 6, r - 5, b}, 100}};
}

std::vector<TShadeStroke> BarShadowStrokes(const TRect& item)
{
    const int r = item.Right, t = item.Top;
    return {{{{r - 5, t + 1}, {r - 1, t + 1}, {r - 1, t + 6}}, 0},
            {{{r - 3, t + 2}, {r - 2, t + 2}, {r - 2, t + 3}, {r - 3, t + 3}}, 0},
            {{{r - 6, t + 3}, {r - 3, t + 3}, {r - 3, t + 6}, {r - 4, t + 6}, {r - 4, t + 3}}, 10},
            {{{r - 5, t + 5}, {r - 4, t + 5}, {r - 4, t + 9}}, 30},
            {{{r - 6, t + 5}, {r - 6, t + 7}}, 40}};
}

TFlatFrameLayout FlatFrameLayout(const TRect& w, int iconWidth, bool rightToLeft)
{
    TFlatFrameLayout frame;
    frame.Border = {w.Left, w.Top, w.Right - 2, w.Bottom - 2};
    frame.Band = {w.Left + 1, w.Top + 1, w.Right - 3, w.Top + 3};
    if (rightToLeft) {
        // Mirrored inside the outline, whose last column is w.Right - 3.
        const int mirror = w.Left + w.Right - 2;
        frame.BandLine = {{mirror - (w.Left + 1), w.Top + 2}, {mirror - (w.Left + iconWidth + 3), w.Top + 2}};
        frame.Strip = {mirror - (w.Left + 3), w.Top + 2, mirror - (w.Left + 1), w.Bottom - 3};
    } else {
        frame.BandLine = {{w.Left + 1, w.Top + 2}, {w.Left + iconWidth + 3, w.Top + 2}};
        frame.Strip = {w.Left + 1, w.Top + 2, w.Left + 3, w.Bottom - 3};
    }
    frame.ShadowBottom = {w.Left + 2, w.Bottom - 2, w.Right, w.Bottom};
    frame.ShadowRight = {w.Right - 2, w.Top + 2, w.Right, w.Bottom};
    frame.CornerBottomLeft = {w.Left, w.Bottom - 2, w.Left + 2, w.Bottom};
    frame.CornerTopRight = {w.Right - 2, w.Top, w.Right, w.Top + 2};
    return frame;
}

bool CheckMarkAtRight(bool captionOnLeft, bool rightToLeft)
{
    return captionOnLeft != rightToLeft;
}

TRect CheckMarkBox(const TRect& client, int thumbWidth, bool boxAtRight, bool radio)
{
    const int inset = radio ? 4 : 3;
    const int height = radio ? thumbWidth - 1 : thumbWidth;
    const int width = thumbWidth - 1;
    const int areaTop = client.Top + inset, areaBottom = client.Bottom - inset;
    const int top = areaTop + (areaBottom - areaTop - height) / 2;
    const int left = boxAtRight ? client.Right - width : client.Left;
    return {left, top, left + width, top + height};
}

std::vector<TStroke> CheckBoxTickStrokes(const TRect& box)
{
    std::vector<TStroke> strokes;
    for (int i = 0; i < 3; ++i)
        strokes.push_back({{box.Left + 2, box.Bottom - i - 5},
                           {box.Left + 4, box.Bottom - i - 3},
                           {box.Left + 9, box.Bottom - i - 8}});
    return strokes;
}

TStroke ButtonEdge(const TRect& c, bool pressed)
{
    if (pressed)
        return {{c.Left, c.Bottom - 2}, {c.Left, c.Top + 1}, {c.Left + 1, c.Top}, {c.Right - 1, c.Top}};
    return {{c.Right - 1, c.Top + 1},
            {c.Right - 1, c.Bottom - 2},
            {c.Right - 2, c.Bottom - 1},
            {c.Left, c.Bottom - 1}};
}

TGlyphPlacement PlaceGlyph(const TRect& client, int glyphWidth, int glyphHeight, int textWidth,
                           int textHeight, TGlyphLayout layout, int spacing)
{
    if (textWidth == 0 || glyphWidth == 0) spacing = 0;
    const bool across = layout == TGlyphLayout::blGlyphLeft || layout == TGlyphLayout::blGlyphRight;
    TGlyphPlacement placed;
    if (across) {
        const int total = glyphWidth + spacing + textWidth;
        const int start = client.Left + (client.Width() - total) / 2;
        const int glyphTop = client.Top + (client.Height() - glyphHeight) / 2;
        const int textTop = client.Top + (client.Height() - textHeight) / 2;
        const int glyphLeft = layout == TGlyphLayout::blGlyphLeft ? start : start + textWidth + spacing;
        const int textLeft = layout == TGlyphLayout::blGlyphLeft ? start + glyphWidth + spacing : start;
        placed.Glyph = {glyphLeft, glyphTop};
        placed.Caption = {textLeft, textTop, textLeft + textWidth, textTop + textHeight};
    } else {
        const int total = glyphHeight + spacing + textHeight;
        const int start = client.Top + (client.Height() - total) / 2;
        const int glyphLeft = client.Left + (client.Width() - glyphWidth) / 2;
        const int textLeft = client.Left + (client.Width() - textWidth) / 2;
        const int glyphTop = layout == TGlyphLayout::blGlyphTop ? start : start + textHeight + spacing;
        const int textTop = layout == TGlyphLayout::blGlyphTop ? start + glyphHeight + spacing : start;
        placed.Glyph = {glyphLeft, glyphTop};
        placed.Caption = {textLeft, textTop, textLeft + textWidth, textTop + textHeight};
    }
    return placed;
}

}  // namespace zelvora
