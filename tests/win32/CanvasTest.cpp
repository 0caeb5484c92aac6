#include "toolkit/Canvas.h"

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

TEST_F(CanvasOnBitmap, MaskModeOnlyDarkens)
{
    TCanvas canvas(dc_.get());
    canvas.SetPenColor(kOrange);
    canvas.SetPenWidth(10);
    canvas.SetPenMode(R2_MASKPEN);
    canvas.MoveTo(10, 50);
    canvas.LineTo(190, 50);
    EXPECT_EQ(Pixel(50, 50), kOrange);            // white AND orange
    EXPECT_EQ(Pixel(150, 50), RGB(0, 0, 0));      // black stays black
    canvas.MoveTo(10, 50);
    canvas.LineTo(190, 50);                       // twice over changes nothing
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

}  // namespace
}  // namespace zelvora
