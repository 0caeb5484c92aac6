#include "engine/MarkGeometry.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/GreyedIcon.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/Icon.h"

#include <gtest/gtest.h>

#include <optional>

namespace zelvora {
namespace {

constexpr TColor kOrange = 33023;

// A 200 x 200 off-screen surface, white with a black square at (100..200, 0..100).
class CanvasOnBitmap : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowDc screen(nullptr, GetDC(nullptr));
        dc_.reset(CreateCompatibleDC(screen.get()));
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), 200, 200));
        selected_.emplace(dc_.get(), bitmap_.get());
        RECT all{0, 0, 200, 200};
        FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT black{100, 0, 200, 100};
        FillRect(dc_.get(), &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    void TearDown() override { selected_.reset(); }

    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.get(), x, y); }

    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    std::optional<SelectedObject> selected_;
};

TEST_F(CanvasOnBitmap, LineHasThePensColourAndWidth)
{
    TCanvas canvas(dc_.get());
    canvas.SetPenColor(kOrange);
    canvas.SetPenWidth(10);
    canvas.MoveTo(10, 150);
    canvas.LineTo(90, 150);
    EXPECT_EQ(Pixel(50, 150), kOrange);
    EXPECT_EQ(Pixel(50, 146), kOrange);
    EXPECT_EQ(Pixel(50, 153), kOrange);
    EXPECT_EQ(Pixel(50, 140), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(50, 160), RGB(255, 255, 255));
    EXPECT_EQ(canvas.PenPos().x, 90);
    EXPECT_EQ(canvas.PenPos().y, 150);
}

TEST_F(CanvasOnBitmap, TheTransparentPenOnlyDarkensTheOpaqueOneCovers)
{
    TCanvas canvas(dc_.get());
    canvas.SetPenColor(kOrange);
    canvas.SetPenWidth(10);
    canvas.SetPenMode(PenModeFor(false));
    canvas.MoveTo(150, 100);
    canvas.LineTo(190, 100);
    EXPECT_EQ(Pixel(160, 100), kOrange) << "the opaque pen covers black";
    canvas.SetPenMode(PenModeFor(true));
    canvas.MoveTo(10, 50);
    canvas.LineTo(190, 50);
    EXPECT_EQ(Pixel(50, 50), kOrange);        // white AND orange
    EXPECT_EQ(Pixel(150, 50), RGB(0, 0, 0));  // black stays black
    canvas.MoveTo(10, 50);
    canvas.LineTo(190, 50);  // twice over changes nothing
    EXPECT_EQ(Pixel(50, 50), kOrange);
}

TEST_F(CanvasOnBitmap, HollowRectangleLeavesTheInsideAlone)
{
    TCanvas canvas(dc_.get());
    canvas.SetPenColor(kOrange);
    canvas.SetPenWidth(4);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.Rectangle({10, 110, 90, 190});
    EXPECT_EQ(Pixel(11, 150), kOrange);
    EXPECT_EQ(Pixel(50, 150), RGB(255, 255, 255));
}

TEST_F(CanvasOnBitmap, FilledRectangleUsesTheBrushAndKeepsThePenPosition)
{
    TCanvas canvas(dc_.get());
    canvas.MoveTo(3, 4);
    canvas.SetPenColor(kOrange);
    canvas.SetPenWidth(0);
    canvas.SetBrushColor(kOrange);
    canvas.SetBrushStyle(TBrushStyle::bsSolid);
    canvas.Rectangle({10, 110, 90, 190});
    EXPECT_EQ(Pixel(50, 150), kOrange);
    EXPECT_EQ(Pixel(95, 150), RGB(255, 255, 255));
    EXPECT_EQ(canvas.PenPos().x, 3);
    EXPECT_EQ(canvas.PenPos().y, 4);
}

TEST_F(CanvasOnBitmap, SameAttributesReuseThePen)
{
    TCanvas canvas(dc_.get());
    canvas.SetPenColor(kOrange);
    canvas.SetPenWidth(10);
    canvas.LineTo(5, 5);
    const HGDIOBJ pen = GetCurrentObject(dc_.get(), OBJ_PEN);
    canvas.SetPenColor(kOrange);
    canvas.SetPenWidth(10);
    canvas.LineTo(6, 6);
    EXPECT_EQ(GetCurrentObject(dc_.get(), OBJ_PEN), pen);
    canvas.SetPenWidth(11);
    canvas.LineTo(7, 7);
    EXPECT_NE(GetCurrentObject(dc_.get(), OBJ_PEN), pen);
}

TEST_F(CanvasOnBitmap, GivesTheDcBackItsOwnPenAndBrush)
{
    const HGDIOBJ pen = GetCurrentObject(dc_.get(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(dc_.get(), OBJ_BRUSH);
    {
        TCanvas canvas(dc_.get());
        canvas.SetPenColor(kOrange);
        canvas.SetBrushColor(kOrange);
        canvas.Rectangle({1, 1, 5, 5});
    }
    EXPECT_EQ(GetCurrentObject(dc_.get(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc_.get(), OBJ_BRUSH), brush);
}

TEST_F(CanvasOnBitmap, EllipsesPolygonsAndClipping)
{
    TCanvas canvas(dc_.get());
    canvas.SetPenStyle(TPenStyle::psClear);
    canvas.SetBrushColor(kOrange);
    canvas.Ellipse({10, 110, 50, 150});
    EXPECT_EQ(Pixel(30, 130), kOrange);
    EXPECT_EQ(Pixel(11, 111), RGB(255, 255, 255));  // the corner lies outside the ellipse

    canvas.SetClipRect({60, 110, 70, 190});
    canvas.Polygon({{55, 110}, {95, 110}, {95, 150}, {55, 150}});
    EXPECT_EQ(Pixel(65, 130), kOrange);
    EXPECT_EQ(Pixel(80, 130), RGB(255, 255, 255));  // clipped away
    canvas.ResetClip();
    canvas.FillRect({80, 160, 90, 170});
    EXPECT_EQ(Pixel(85, 165), kOrange);
    canvas.SetPixel(5, 195, clBlack);
    EXPECT_EQ(canvas.Pixel(5, 195), 0u);
}

// The windows are described in Tahoma; a substitute would change every text's width.
TEST_F(CanvasOnBitmap, TahomaIsTheFaceTheSystemGivesNotASubstitute)
{
    LOGFONTW wanted{};
    wanted.lfHeight = -11;
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(wanted.lfFaceName, L"Tahoma");
    UniqueFont font(CreateFontIndirectW(&wanted));
    ASSERT_TRUE(font);
    const HGDIOBJ before = SelectObject(dc_.get(), font.get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc_.get(), LF_FACESIZE, face);
    SelectObject(dc_.get(), before);
    EXPECT_STREQ(face, L"Tahoma")
        << "Wine needs the fonts of the Debian package fonts-wine in its Fonts folder";
}

TEST_F(CanvasOnBitmap, TextUsesTheFontAndAClearBrushLeavesTheBackground)
{
    TCanvas canvas(dc_.get());
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-24);
    font.SetColor(clBlack);
    canvas.SetFont(font);
    const SIZE big = canvas.TextExtent("Zelvora");
    font.SetHeight(-11);
    canvas.SetFont(font);
    const SIZE small = canvas.TextExtent("Zelvora");
    EXPECT_GT(big.cx, small.cx);
    EXPECT_GT(big.cy, small.cy);

    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.TextOut(105, 5, "MMMM");  // white on black: nothing visible but the glyphs' black
    canvas.SetBrushStyle(TBrushStyle::bsSolid);
    canvas.SetBrushColor(kOrange);
    RECT box{10, 120, 90, 190};
    const int height = canvas.DrawText("Pen", box, DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_GT(height, 5);
    EXPECT_EQ(Pixel(108, 50), RGB(0, 0, 0));  // below the text the clear brush left black
    int orange = 0;
    for (int x = 10; x < 40; ++x) orange += Pixel(x, 121) == kOrange;
    EXPECT_GT(orange, 0) << "the opaque text background is the brush";
}

TEST(Bitmap, DrawsItsPictureOntoAnotherCanvas)
{
    TBitmap picture(20, 10);
    picture.Canvas().SetBrushColor(kOrange);
    picture.Canvas().FillRect({0, 0, 20, 10});
    TBitmap target(40, 40);
    target.Canvas().SetBrushColor(clWhite);
    target.Canvas().FillRect({0, 0, 40, 40});
    picture.Draw(target.Canvas(), 5, 5);
    EXPECT_EQ(target.Canvas().Pixel(5, 5), kOrange);
    EXPECT_EQ(target.Canvas().Pixel(24, 14), kOrange);
    EXPECT_EQ(target.Canvas().Pixel(25, 15), RGB(255, 255, 255));
}

TEST(Icon, LoadsTheProgramIconAndDrawsIt)
{
    TIcon icon("MAINICON", 16);
    ASSERT_NE(icon.Handle(), nullptr);
    TBitmap target(16, 16);
    target.Canvas().SetBrushColor(clWhite);
    target.Canvas().FillRect({0, 0, 16, 16});
    icon.Draw(target.Canvas(), 0, 0);
    int marked = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) marked += target.Canvas().Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_GT(marked, 10);
    EXPECT_EQ(TIcon("NOSUCHICON", 16).Handle(), nullptr);
}

// The tray's icon while paused: the same picture in faded greys, where the icon shows.
TEST(Icon, ItsGreyedCopyShowsWhereItDoesInGreysOnly)
{
    TIcon icon("MAINICON", 16);
    const UniqueIcon grey = GreyedIcon(icon.Handle());
    ASSERT_NE(grey.get(), nullptr);
    const auto drawn = [](HICON shown) {
        TBitmap target(16, 16);
        target.Canvas().SetBrushColor(clWhite);
        target.Canvas().FillRect({0, 0, 16, 16});
        DrawIconEx(target.Canvas().Handle(), 0, 0, shown, 16, 16, 0, nullptr, DI_NORMAL);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) pixels.push_back(target.Canvas().Pixel(x, y));
        return pixels;
    };
    const std::vector<COLORREF> colour = drawn(icon.Handle()), greyed = drawn(grey.get());
    int shown = 0, coloured = 0;
    for (std::size_t i = 0; i < colour.size(); ++i) {
        shown += (colour[i] != RGB(255, 255, 255)) && (greyed[i] != RGB(255, 255, 255));
        coloured +=
            GetRValue(greyed[i]) != GetGValue(greyed[i]) || GetGValue(greyed[i]) != GetBValue(greyed[i]);
    }
    EXPECT_GT(shown, 10) << "the grey copy does not show where the icon does";
    EXPECT_EQ(coloured, 0);
    EXPECT_EQ(GreyedIcon(nullptr).get(), nullptr);
}

TEST(Colors, SystemColoursAreResolvedBeforeUse)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindow), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ColorToRGB(33023), 33023u);
    EXPECT_EQ(ColorToRGB(clNone), 0u);
}

}  // namespace
}  // namespace zelvora
