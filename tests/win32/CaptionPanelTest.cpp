// The main window's caption panels and separator lines as they show on the screen.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "app/frmZelvora.h"
#include "controls/Line.h"

namespace zelvora {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCaptionOrange = RGB(254, 129, 1);  // 98814

class CaptionPanels : public ::testing::Test {
protected:
    void SetUp() override
    {
        app_ = testing::CreateProgramWindows();
        main_ = dynamic_cast<TfrmZelvora*>(app_->MainForm());
        main_->Show();
        app_->ProcessMessages();
    }
    // What the control shows, read back from its window.
    COLORREF Pixel(TControl& control, int x, int y)
    {
        UpdateWindow(control.Handle());
        WindowDc dc(control.Handle(), GetDC(control.Handle()));
        return GetPixel(dc.get(), x, y);
    }
    static COLORREF Rgb(TColor c) { return c & 0xFFFFFF; }

    std::unique_ptr<TApplication> app_;
    TfrmZelvora* main_ = nullptr;
};

TEST_F(CaptionPanels, BandShowsTheTopRowsOfTheRadialShadeAndTheCentredBoldOrangeCaption)
{
    TAdvPanel& draw = main_->pnlDraw;
    ASSERT_NE(draw.Shade(), nullptr);
    EXPECT_EQ(draw.Shade()->Width(), 205);
    EXPECT_EQ(draw.Shade()->Height(), 20);
    EXPECT_EQ(draw.Shade()->Pixel(102, 10), RGB(0, 78, 158));
    EXPECT_EQ(Pixel(draw, 0, 0), RGB(0, 39, 80));  // the band covers the frame's top corner
    for (int x : {3, 30, 180, 200})
        for (int y : {1, 9, 17}) EXPECT_EQ(Pixel(draw, x, y), Rgb(draw.Shade()->Pixel(x, y))) << x << "," << y;
    EXPECT_NE(Pixel(draw, 30, 18), Rgb(draw.Shade()->Pixel(30, 18)));  // 18 rows of the band, no more
    int orange = 0;
    for (int x = 0; x < 205; ++x)
        for (int y = 0; y < 18; ++y) orange += Pixel(draw, x, y) == kCaptionOrange;
    EXPECT_GT(orange, 30) << "no caption text";
    EXPECT_EQ(draw.Caption().Text(), "<P align=\"center\">Drawing</P>");
    EXPECT_EQ(main_->pnlPen.Shade()->Pixel(0, 0), RGB(0, 38, 78));
}

TEST_F(CaptionPanels, FrameBelowTheBandAndChildrenInsideTheBorder)
{
    TAdvPanel& draw = main_->pnlDraw;
    for (int y : {18, 40, 84}) {
        EXPECT_EQ(Pixel(draw, 0, y), kBlack) << y;
        EXPECT_EQ(Pixel(draw, 204, y), kBlack) << y;
    }
    EXPECT_EQ(Pixel(draw, 100, 84), kBlack);
    EXPECT_EQ(Pixel(draw, 2, 40), GetSysColor(COLOR_BTNFACE));
    const RECT area = draw.ClientRect();
    EXPECT_EQ(area.left, 5);
    EXPECT_EQ(area.top, 25);
    EXPECT_EQ(area.right, 200);
    EXPECT_EQ(area.bottom, 80);
}

TEST_F(CaptionPanels, PenPanelKeepsItsStoredHeightWhileMarkedCollapsed)
{
    TAdvPanel& pen = main_->pnlPen;
    EXPECT_EQ(pen.Height(), 189);
    EXPECT_TRUE(pen.Collaps());
    EXPECT_EQ(pen.FullHeight(), 197);
    EXPECT_TRUE(main_->TrackBar.Visible());
    pen.SetCollaps(false);
    EXPECT_EQ(pen.Height(), 197);
    pen.SetCollaps(true);
    EXPECT_EQ(pen.Height(), 20);  // collapsed to its band in one step
    EXPECT_FALSE(main_->TrackBar.Visible());
    EXPECT_EQ(pen.FullHeight(), 197);
}

TEST_F(CaptionPanels, ClicksOnTheBandChangeNothingAndPaintsOnlyBlit)
{
    TAdvPanel& mode = main_->pnlMode;
    const int builds = mode.ShadeBuilds();
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN})
        SendMessageA(mode.Handle(), msg, 0, MAKELPARAM(100, 8));
    for (int i = 0; i < 5; ++i) {
        InvalidateRect(mode.Handle(), nullptr, TRUE);
        UpdateWindow(mode.Handle());
    }
    EXPECT_EQ(mode.Height(), 97);
    EXPECT_FALSE(mode.Collaps());
    EXPECT_EQ(mode.ShadeBuilds(), builds);
    mode.Caption().SetHeight(30);  // a new height alone keeps the old shade
    EXPECT_EQ(mode.ShadeBuilds(), builds);
    EXPECT_EQ(mode.Shade()->Height(), 20);
    mode.Caption().SetShadeType(TShadeType::stVShade);  // a shade property rebuilds it
    EXPECT_EQ(mode.ShadeBuilds(), builds + 1);
    EXPECT_EQ(mode.Shade()->Height(), 30);
}

TEST_F(CaptionPanels, RomanianSwitchesOnlyThePenCaptionsCharset)
{
    dynamic_cast<TMenuItem&>(*main_->FindComponent("mnuRomana")).Click();
    EXPECT_EQ(main_->pnlPen.Caption().Font().Charset(), 238);
    EXPECT_EQ(main_->pnlDraw.Caption().Font().Charset(), 0);
    EXPECT_EQ(main_->pnlMode.Caption().Font().Charset(), 0);
    EXPECT_EQ(main_->pnlPen.Caption().Text(), "<P align=\"center\">Creion \xBAi culoare de umplere</P>");
    dynamic_cast<TMenuItem&>(*main_->FindComponent("mnuEnglish")).Click();
    EXPECT_EQ(main_->pnlPen.Caption().Font().Charset(), 0);
}

TEST_F(CaptionPanels, SeparatorLinesDrawOnlyWhereTheirPenReaches)
{
    auto& top = dynamic_cast<TLine&>(*main_->FindComponent("Line2"));     // alTop, width 1
    auto& bottom = dynamic_cast<TLine&>(*main_->FindComponent("Line1"));  // alBottom, width 2
    EXPECT_EQ(Pixel(top, 0, 0), kBlack);
    EXPECT_EQ(Pixel(top, 182, 0), kBlack);
    EXPECT_NE(Pixel(top, 50, 1), kBlack);
    EXPECT_EQ(Pixel(bottom, 50, 8), kBlack);  // the upper half of a pen centred on the row below
    EXPECT_NE(Pixel(bottom, 50, 7), kBlack);
}

}  // namespace
}  // namespace zelvora
