#include "controls/MiniHtml.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelvora {
namespace {

// Every character 6 pixels wide per 8 points (7 in bold), every line 14 pixels high per 8 points;
// "&&" shows as one "&" and a lone "&" as nothing, as the system's text painter does.
class FixedCanvas : public IHtmlCanvas {
public:
    struct Run {
        int X, Bottom;
        std::string Text;
        THtmlFont Font;
        TColor Background;
    };

    static std::string Shown(const std::string& text)
    {
        std::string shown;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '&') {
                shown += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '&') {
                shown += '&';
                ++i;
            }
        }
        return shown;
    }
    THtmlSize TextExtent(const std::string& text, const THtmlFont& font) override
    {
        const int perChar = ((font.Style & kHtmlBold) ? 7 : 6) * font.Size / 8;
        return {static_cast<int>(Shown(text).size()) * perChar, 14 * font.Size / 8};
    }
    void DrawText(int x, int bottom, const std::string& text, const THtmlFont& font,
                  TColor background) override
    {
        runs.push_back({x, bottom, Shown(text), font, background});
    }
    void FillRect(const TRect& r, TColor color) override { fills.push_back({r, color}); }
    void Line(int, int, int, int, TColor) override { ++lines; }
    std::optional<THtmlSize> PictureSize(const std::string& source) override
    {
        if (source == "logo") return THtmlSize{20, 30};
        return std::nullopt;
    }
    void DrawPicture(const std::string& source, const TRect& r) override { pictures.push_back({source, r}); }

    std::vector<Run> runs;
    std::vector<std::pair<TRect, TColor>> fills;
    std::vector<std::pair<std::string, TRect>> pictures;
    int lines = 0;
};

THtmlFont CaptionFont()
{
    THtmlFont font;
    font.Name = "Arial";
    font.Color = 98814;
    font.Style = kHtmlBold;
    return font;
}

THtmlResult Paint(FixedCanvas& canvas, const std::string& text, TRect rect, THtmlFont font = {},
                  THtmlOptions options = {})
{
    return DrawMiniHtml(canvas, text, rect, THtmlMode::Paint, options, font);
}

std::string PaintedText(const FixedCanvas& canvas)
{
    std::string text;
    for (const auto& run : canvas.runs) text += run.Text;
    return text;
}

TEST(MiniHtml, CentredCaptionLineStartsWhereTheRestIsSplitEvenly)
{
    FixedCanvas canvas;
    // "Zeichnen" in bold: 8 characters of 7 pixels = 56; centred between x = 1 and x = 205.
    Paint(canvas, "<P align=\"center\">Zeichnen</P>", {0, 0, 205, 18}, CaptionFont());
    ASSERT_EQ(canvas.runs.size(), 1u);
    EXPECT_EQ(canvas.runs[0].X, 1 + (204 - 56) / 2);
    EXPECT_EQ(canvas.runs[0].Bottom, 14);  // laid out from the band's top
    EXPECT_EQ(canvas.runs[0].Font.Color, 98814u);

    // Several words: the line's width is the sum of the runs, without the last space.
    FixedCanvas pen;
    Paint(pen,
          "<P align=\"center\">Stift und Fl\xE4"
          "che</P>",
          {0, 0, 196, 18}, CaptionFont());
    ASSERT_EQ(pen.runs.size(), 3u);
    EXPECT_EQ(pen.runs[0].X, 1 + (195 - 7 * 16) / 2);
}

TEST(MiniHtml, WrapsAtASpaceAndPaintsOnlyLinesThatFit)
{
    FixedCanvas canvas;
    const THtmlResult result = Paint(canvas, "alpha beta gamma delta", {0, 0, 61, 20});
    // 60 usable pixels: "alpha beta " is 66 wide, so "beta " opens the second line, which does not fit.
    ASSERT_EQ(canvas.runs.size(), 1u);
    EXPECT_EQ(canvas.runs[0].Text, "alpha ");
    EXPECT_EQ(result.Height, 14);
    FixedCanvas tall;
    const THtmlResult all = Paint(tall, "alpha beta gamma delta", {0, 0, 61, 200});
    EXPECT_EQ(PaintedText(tall), "alpha beta gamma delta");
    EXPECT_EQ(all.Height, 14 * 4);
    EXPECT_EQ(tall.runs[1].Bottom, 28);
}

TEST(MiniHtml, EntitiesAndTagsThatAreNotTags)
{
    FixedCanvas canvas;
    Paint(canvas, "A &amp; B", {0, 0, 200, 20});
    EXPECT_EQ(PaintedText(canvas), "A & B");
    FixedCanvas lt;
    Paint(lt, "&lt;B&gt;x", {0, 0, 200, 20});
    EXPECT_EQ(PaintedText(lt), "<B>x");
    EXPECT_EQ(lt.runs.back().Font.Style & kHtmlBold, 0u);
    // Rounds repeat until nothing changes, so "&amp;amp;" ends as three ampersands.
    EXPECT_EQ(PrepareMiniHtml("&amp;amp; &copy;&EURO;"), "&&& \xA9\x80");
    EXPECT_EQ(PrepareMiniHtml("a<#b>c"), "a#bc");  // only the "<" and the ">" go
    // A replacement can complete the next entity; the result is the one rounds would reach.
    EXPECT_EQ(PrepareMiniHtml("&amp;quot; &AMP;EURO; &amp &;"), "&\" &\x80 &amp &;");
}

TEST(MiniHtml, FontStylesColoursAndSizes)
{
    FixedCanvas canvas;
    Paint(canvas,
          "<B>x</B>y<FONT color=\"#FF0000\">r</FONT><FONT size=\"3\">m</FONT><FONT size=\"20\">l</FONT>"
          "<FONT COLOR=\"clGreen\" bgcolor=\"#00FF00\">g</FONT>",
          {0, 0, 400, 60});
    ASSERT_EQ(canvas.runs.size(), 6u);
    EXPECT_TRUE(canvas.runs[0].Font.Style & kHtmlBold);
    EXPECT_FALSE(canvas.runs[1].Font.Style & kHtmlBold);
    EXPECT_EQ(canvas.runs[2].Font.Color, 0x0000FFu);  // pure red as a TColor
    EXPECT_EQ(canvas.runs[3].Font.Size, 12);
    EXPECT_EQ(canvas.runs[4].Font.Size, 20);
    EXPECT_EQ(canvas.runs[5].Font.Color, 0x008000u);
    EXPECT_EQ(canvas.runs[5].Background, 0x00FF00u);
    EXPECT_EQ(HtmlColor("nosuchname"), clBlack);
    EXPECT_EQ(HtmlColor("#0A"), 0x0Au);
}

TEST(MiniHtml, LineBreaksListsAndRules)
{
    FixedCanvas canvas;
    const THtmlResult result = Paint(canvas, "one\r\ntwo<BR>three<HR>four", {0, 0, 400, 200});
    ASSERT_EQ(canvas.runs.size(), 4u);
    EXPECT_EQ(canvas.runs[1].Bottom, 28);
    EXPECT_EQ(canvas.runs[2].Bottom, 42);
    EXPECT_EQ(canvas.lines, 1);
    EXPECT_EQ(result.Height, 56);
}

TEST(MiniHtml, AnchorsAreHitByThePointOverThem)
{
    THtmlOptions options;
    options.HitTest = true;
    FixedCanvas canvas;
    options.HitX = 1 + 6 * 4 + 3, options.HitY = 5;  // over "site" after "See "
    const THtmlResult hit = DrawMiniHtml(canvas, "See <A href=\"http://Ombrix.example\">site</A> now",
                                         {0, 0, 300, 20}, THtmlMode::Measure, options, {});
    EXPECT_TRUE(hit.OnAnchor);
    EXPECT_EQ(hit.AnchorTarget, "http://Ombrix.example");  // the target keeps its case
    EXPECT_EQ(hit.AnchorIndex, 0);
    EXPECT_EQ(hit.AnchorRect.Left, 25);
    EXPECT_TRUE(canvas.runs.empty());  // measuring paints nothing
    options.HitX = 2;
    EXPECT_FALSE(
        DrawMiniHtml(canvas, "See <A href=\"x\">site</A>", {0, 0, 300, 20}, THtmlMode::Measure, options, {})
            .OnAnchor);
    FixedCanvas painted;
    Paint(painted, "<A href=\"x\">link</A>", {0, 0, 300, 20});
    EXPECT_EQ(painted.runs[0].Font.Color, 0xFF0000u);  // URLColor
    EXPECT_TRUE(painted.runs[0].Font.Style & kHtmlUnderline);
}

TEST(MiniHtml, BrokenMarkupNeverHurts)
{
    FixedCanvas canvas;
    Paint(canvas, "a<B", {0, 0, 300, 20});  // an unterminated tag eats the rest
    EXPECT_EQ(PaintedText(canvas), "a");
    FixedCanvas unknown;
    Paint(unknown, "a<QQQ>b<>c</>d", {0, 0, 300, 20});
    EXPECT_EQ(PaintedText(unknown), "abcd");
    FixedCanvas image;
    const THtmlResult noSource =
        Paint(image, "x<IMG>y<IMG src=\"missing\">z<IMG src=\"logo\">", {0, 0, 300, 60});
    EXPECT_EQ(PaintedText(image), "xyz");
    ASSERT_EQ(image.pictures.size(), 1u);
    EXPECT_EQ(noSource.Height, 30);  // the picture raises the line
    FixedCanvas hidden;
    Paint(hidden, "a<Z>secret</Z>b", {0, 0, 300, 20});
    EXPECT_EQ(PaintedText(hidden), "ab");
}

TEST(MiniHtml, PicturesStretchAlignTextAndTileTheBody)
{
    FixedCanvas stretched;
    Paint(stretched, "a<IMG src=\"logo\" width=\"40\" height=\"10\">b", {0, 0, 300, 60});
    ASSERT_EQ(stretched.pictures.size(), 1u);
    EXPECT_EQ(stretched.pictures[0].second.Right - stretched.pictures[0].second.Left, 40);
    EXPECT_EQ(stretched.pictures[0].second.Bottom - stretched.pictures[0].second.Top, 10);
    EXPECT_EQ(stretched.runs[1].X, stretched.runs[0].X + 6 + 40);  // "b" follows the stretched picture

    // The picture is 30 high, "gh" 14: text at the bottom, top or middle of the line.
    const auto textBottom = [](const std::string& align) {
        FixedCanvas canvas;
        Paint(canvas, "a<IMG src=\"logo\"" + align + ">", {0, 0, 300, 60});
        return canvas.runs.at(0).Bottom;
    };
    EXPECT_EQ(textBottom(""), 30);
    EXPECT_EQ(textBottom(" align=\"top\""), 14);
    EXPECT_EQ(textBottom(" align=\"middle\""), 22);

    FixedCanvas tiled;
    Paint(tiled, "<BODY background=\"logo\" bgcolor=\"clred\">x", {0, 0, 50, 40});
    ASSERT_EQ(tiled.pictures.size(), 6u);  // 3 across (from x 1) by 2 down
    EXPECT_EQ(tiled.pictures[1].second.Left, 21);
    EXPECT_EQ(tiled.pictures[3].second.Top, 30);
    ASSERT_EQ(tiled.fills.size(), 1u);  // the colour covers the whole layout rectangle
    EXPECT_EQ(tiled.fills[0].second, 0x0000FFu);
    EXPECT_EQ(tiled.fills[0].first.Bottom, 40);
}

TEST(MiniHtml, OnlyTheHoveredAnchorTakesTheHoverColours)
{
    THtmlOptions options;
    options.Hover = true;
    options.HoverIndex = 1;
    options.HoverColor = 0x00FFFF;
    options.HoverFontColor = 0x00FF00;
    FixedCanvas canvas;
    Paint(canvas, "<A href=\"one\">a</A><A href=\"two\">b</A>c", {0, 0, 300, 20}, {}, options);
    ASSERT_EQ(canvas.runs.size(), 3u);
    EXPECT_EQ(canvas.runs[0].Font.Color, options.URLColor);
    EXPECT_EQ(canvas.runs[0].Background, clNone);
    EXPECT_EQ(canvas.runs[1].Font.Color, 0x00FF00u);
    EXPECT_EQ(canvas.runs[1].Background, 0x00FFFFu);
    EXPECT_TRUE(canvas.runs[1].Font.Style & kHtmlUnderline);
    EXPECT_EQ(canvas.runs[2].Font.Color, clBlack);  // back to the base colour, hover undone
    EXPECT_EQ(canvas.runs[2].Background, clNone);
}

}  // namespace
}  // namespace zelvora

namespace zelvora {
namespace {

TEST(MiniHtmlLayout, AlignedAndIndentedLinesPaintEveryWordTheirLayoutTook)
{
    // 6 pixels a letter: "aaaa bbbb cccc" is 84 pixels in a 101-pixel box (100 after the first column).
    for (const char* text :
         {"<P align=\"right\">aaaa bbbb cccc</P>", "<P align=\"center\">aaaa bbbb cccc</P>",
          "<P indent=\"10\">aaaa bbbb cccc</P>"}) {
        SCOPED_TRACE(text);
        FixedCanvas canvas;
        const THtmlResult result = Paint(canvas, text, {0, 0, 101, 100});
        EXPECT_EQ(PaintedText(canvas), "aaaa bbbb cccc");
        ASSERT_FALSE(canvas.runs.empty());
        for (const auto& run : canvas.runs) EXPECT_EQ(run.Bottom, canvas.runs.front().Bottom) << "one line";
        EXPECT_EQ(result.Height, 14);
    }
}

TEST(MiniHtmlLayout, AnchorsAreHitWhereTheirTextStandsInATallLine)
{
    // A 16-point run makes the line 28 high; the 8-point anchor's text is the line's bottom 14.
    const std::string text = "<FONT size=\"16\">Big</FONT><A href=\"go\">go</A>";
    THtmlOptions options;
    options.HitTest = true;
    options.HitX = 37;  // over "go": "Big" takes 36 pixels from x = 1
    for (const auto& [y, hit] :
         std::vector<std::pair<int, bool>>{{2, false}, {13, false}, {15, true}, {27, true}}) {
        SCOPED_TRACE(y);
        FixedCanvas canvas;
        options.HitY = y;
        const THtmlResult result =
            DrawMiniHtml(canvas, text, {0, 0, 200, 100}, THtmlMode::Measure, options, {});
        EXPECT_EQ(result.OnAnchor, hit);
        if (hit) {
            EXPECT_EQ(result.AnchorRect, (TRect{37, 14, 49, 28}));
        }
    }
}

TEST(MiniHtmlLayout, StrayClosingTagsKeepTheColoursAsTheyAre)
{
    FixedCanvas canvas;
    THtmlFont font;
    font.Color = 0x123456;
    Paint(canvas, "<P bgcolor=\"#00FF00\">a</FONT>b</HI>c", {0, 0, 200, 100}, font);
    ASSERT_EQ(canvas.runs.size(), 3u);
    for (const auto& run : canvas.runs) {
        EXPECT_EQ(run.Font.Color, 0x123456u) << run.Text;
        EXPECT_EQ(run.Background, 0x00FF00u) << run.Text << ": the paragraph's background stays";
    }
    // A closing tag that has something to close still restores.
    FixedCanvas closed;
    Paint(closed, "<FONT color=\"#0000FF\">a</FONT>b<HI>c</HI>d", {0, 0, 200, 100}, font);
    ASSERT_EQ(closed.runs.size(), 4u);
    EXPECT_EQ(closed.runs[0].Font.Color, 0xFF0000u);
    EXPECT_EQ(closed.runs[1].Font.Color, 0x123456u);
    EXPECT_EQ(closed.runs[3].Font.Color, 0x123456u);
    EXPECT_EQ(closed.runs[3].Background, clNone);
}

}  // namespace
}  // namespace zelvora
