// The main window's caption panels and separator lines as they show on the screen.
#include <gtest/gtest.h>

#include <cmath>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "controls/win32/Line.h"

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
    COLORREF Pixel(TControl& control, int x, int y) { return testing::ControlPixel(control, x, y); }
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
        for (int y : {1, 9, 17})
            EXPECT_EQ(Pixel(draw, x, y), Rgb(draw.Shade()->Pixel(x, y))) << x << "," << y;
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

// A panel of our own on the main window, for the features the program's panels leave off.
TAdvPanel& NewPanel(TfrmZelvora& main, int width, int height)
{
    auto& panel = TComponent::Create<TAdvPanel>(main);
    panel.SetBounds(10, 60, width, height);
    panel.SetBevelOuter(TBevelCut::bvNone);
    panel.Caption().SetVisible(true);
    panel.Caption().SetColor(13263873);
    panel.Caption().SetShadeType(TShadeType::stVShade);
    panel.SetParent(&main);
    return panel;
}

TEST_F(CaptionPanels, ShadowFrameSizeGripAndRoundedBands)
{
    TAdvPanel& panel = NewPanel(*main_, 120, 80);
    panel.SetBorderShadow(true);
    panel.SetCanSize(true);
    panel.Caption().SetShape(TCaptionShape::csRounded);
    app_->ProcessMessages();
    // Shadow: a 50 % and a 20 % mix of black and the face colour at the right and bottom edges.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto mix = [&](double p) {
        return RGB(std::lround((1 - p) * GetRValue(face)), std::lround((1 - p) * GetGValue(face)),
                   std::lround((1 - p) * GetBValue(face)));
    };
    EXPECT_EQ(Pixel(panel, 118, 40), mix(0.5));
    EXPECT_EQ(Pixel(panel, 119, 40), mix(0.2));
    EXPECT_EQ(Pixel(panel, 117, 40), kBlack);  // the frame, pulled in by 2
    // Size grip: gray 2-pixel diagonals in the bottom-right corner.
    EXPECT_EQ(Pixel(panel, 116 - 11, 76), RGB(128, 128, 128));
    // Rounded band: the corner outside the 32-pixel arc shows the body, the middle the shade.
    EXPECT_NE(Pixel(panel, 1, 1), Rgb(panel.Shade()->Pixel(1, 1)));
    EXPECT_EQ(Pixel(panel, 60, 10), Rgb(panel.Shade()->Pixel(60, 9)));  // one row down below the outline
    const LRESULT corner = SendMessageA(panel.Handle(), WM_NCHITTEST, 0, [&] {
        POINT p{115, 75};
        ClientToScreen(panel.Handle(), &p);
        return MAKELPARAM(p.x, p.y);
    }());
    EXPECT_EQ(corner, HTBOTTOMRIGHT);
}

TEST_F(CaptionPanels, MovableBandAnswersAsACaptionAndAnimatedCollapseEndsAtTheBand)
{
    TAdvPanel& panel = NewPanel(*main_, 120, 80);
    const auto hit = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(panel.Handle(), &p);
        return SendMessageA(panel.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(50, 10), HTCLIENT);
    panel.SetCanMove(true);
    EXPECT_EQ(hit(50, 10), HTCAPTION);
    EXPECT_EQ(hit(50, 50), HTCLIENT);

    panel.SetCollapsSteps(4);
    panel.SetCollapsDelay(1);
    panel.SetCollaps(true);
    EXPECT_EQ(panel.Height(), 20);
    EXPECT_EQ(panel.Color(), 0x808080u);  // CollapsColor while collapsed with animation
    EXPECT_EQ(panel.FullHeight(), 80);
    panel.SetCollaps(false);
    EXPECT_EQ(panel.Height(), 80);
}

TEST_F(CaptionPanels, AnchorsUnderTheMouseAreEnteredAndLeft)
{
    TAdvPanel& panel = NewPanel(*main_, 200, 80);
    panel.SetText("<A href=\"chapter2\">Next</A> page");
    int entered = 0, left = 0;
    panel.OnAnchorEnter = TEventRef{"enter", [&](TEventArgs&) { ++entered; }};
    panel.OnAnchorExit = TEventRef{"exit", [&](TEventArgs&) { ++left; }};
    panel.SetAnchorHint(true);
    const auto move = [&](int x, int y) { SendMessageA(panel.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
    move(8, 22);  // over "Next", just below the band
    EXPECT_EQ(panel.HoveredAnchor(), "chapter2");
    EXPECT_EQ(panel.Hint(), "chapter2");
    move(9, 23);
    EXPECT_EQ(entered, 1);  // the same anchor is entered once
    move(150, 60);
    panel.OnAnchorHint = TEventRef{"hint", [&](TEventArgs& e) { e.Text = "Go to " + e.Text; }};
    move(8, 22);
    EXPECT_EQ(panel.Hint(), "Go to chapter2");  // the hint handler has the last word
    panel.OnAnchorHint = {};
    left = 0;
    move(150, 60);
    EXPECT_EQ(panel.HoveredAnchor(), "");
    EXPECT_EQ(left, 1);
    int clicked = 0;
    std::string target;
    panel.OnAnchorClick = TEventRef{"click", [&](TEventArgs& e) { ++clicked, target = e.Text; }};
    SendMessageA(panel.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(8, 22));
    EXPECT_EQ(clicked, 1);  // a target without "://" goes to the handler
    EXPECT_EQ(target, "chapter2");
}

TEST_F(CaptionPanels, BandButtonsCollapseCloseAndFreeThePanel)
{
    TAdvPanel& panel = NewPanel(*main_, 200, 90);
    panel.SetName("pnlButtons");
    panel.Caption().SetCloseButton(true);
    panel.Caption().SetMinMaxButton(true);
    app_->ProcessMessages();
    const RECT close = panel.CloseButtonRect(), minMax = panel.MinMaxButtonRect();
    EXPECT_EQ(close.left, 200 - 2 - 12);
    EXPECT_EQ(close.top, 2);
    EXPECT_EQ(minMax.right, close.left);                                         // one button further in
    EXPECT_EQ(Pixel(panel, close.left + 6, close.top + 6), RGB(255, 255, 255));  // the cross's middle
    const auto press = [&](const RECT& r) {
        SendMessageA(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    };
    int captionClicks = 0, closes = 0;
    panel.OnCaptionClick = TEventRef{"click", [&](TEventArgs&) { ++captionClicks; }};
    panel.OnClose = TEventRef{"close", [&](TEventArgs&) { ++closes; }};
    press(minMax);
    EXPECT_TRUE(panel.Collaps());
    EXPECT_EQ(panel.Height(), 20);
    press(minMax);
    EXPECT_FALSE(panel.Collaps());
    EXPECT_EQ(panel.Height(), 90);
    EXPECT_EQ(captionClicks, 0);  // a button press is not a caption click

    panel.SetFreeOnClose(true);
    press(close);
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(closes, 1);
    app_->ProcessMessages();
    EXPECT_EQ(main_->FindComponent("pnlButtons"), nullptr);  // freed once its handlers had returned
}

TEST_F(CaptionPanels, TogglesDuringTheAnimationKeepTheFullHeightAndAReleaseWaits)
{
    TAdvPanel& panel = NewPanel(*main_, 200, 90);
    panel.SetName("pnlAnimated");
    panel.Caption().SetCloseButton(true);
    panel.Caption().SetMinMaxButton(true);
    panel.SetCollapsSteps(6);
    panel.SetCollapsDelay(1);
    app_->ProcessMessages();
    const RECT minMax = panel.MinMaxButtonRect();
    const LPARAM onMinMax = MAKELPARAM((minMax.left + minMax.right) / 2, (minMax.top + minMax.bottom) / 2);

    // A second press arrives while the collapse runs: the panel ends expanded, at its full height.
    PostMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onMinMax);
    panel.SetCollaps(true);
    EXPECT_FALSE(panel.Collaps());
    EXPECT_EQ(panel.Height(), 90);
    EXPECT_EQ(panel.FullHeight(), 90);

    // Collapsed, then expanded with a collapse arriving half-way: the full height stays 90.
    panel.SetCollapsSteps(0);
    panel.SetCollaps(true);
    panel.SetCollapsSteps(6);
    PostMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onMinMax);
    panel.SetCollaps(false);
    EXPECT_TRUE(panel.Collaps());
    EXPECT_EQ(panel.Height(), 20);
    EXPECT_EQ(panel.FullHeight(), 90) << "not the height the expansion had reached";
    panel.SetCollapsSteps(0);
    panel.SetCollaps(false);
    EXPECT_EQ(panel.Height(), 90);

    // A release that arrives during the animation waits for its end.
    panel.SetFreeOnClose(true);
    panel.SetCollapsSteps(6);
    PostMessageW(panel.Handle(), TAdvPanel::kReleaseMessage, 0, 0);
    panel.SetCollaps(true);
    EXPECT_EQ(panel.Height(), 20) << "the animation ran to its end on a live panel";
    app_->ProcessMessages();
    EXPECT_EQ(main_->FindComponent("pnlAnimated"), nullptr) << "freed after the animation";
}

TEST_F(CaptionPanels, AMovableBandKeepsItsButtonsClickable)
{
    TAdvPanel& panel = NewPanel(*main_, 200, 90);
    panel.Caption().SetCloseButton(true);
    panel.Caption().SetMinMaxButton(true);
    panel.SetCanMove(true);
    const auto hit = [&](const RECT& r) {
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(panel.Handle(), &p);
        return SendMessageA(panel.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(panel.CloseButtonRect()), HTCLIENT);
    EXPECT_EQ(hit(panel.MinMaxButtonRect()), HTCLIENT);
    EXPECT_EQ(hit(RECT{40, 5, 42, 7}), HTCAPTION) << "the rest of the band moves the panel";
}

TEST_F(CaptionPanels, FixedEdgesAndSizesHoldWhileDragging)
{
    TAdvPanel& panel = NewPanel(*main_, 120, 80);
    panel.Loaded();  // records the size FixedWidth and FixedHeight keep
    panel.SetFixedLeft(true);
    panel.SetFixedWidth(true);
    SendMessageA(panel.Handle(), WM_ENTERSIZEMOVE, 0, 0);
    SetWindowPos(panel.Handle(), nullptr, 40, 90, 160, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(panel.Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(panel.Left(), 10);
    EXPECT_EQ(panel.Width(), 120);
    EXPECT_EQ(panel.Top(), 90);  // not fixed
    EXPECT_EQ(panel.Height(), 100);
    EXPECT_EQ(panel.FullHeight(), 100);
    panel.SetBounds(5, 5, 150, 60);  // the program itself is not held
    EXPECT_EQ(panel.Width(), 150);
}

TEST_F(CaptionPanels, PositionIsKeptBetweenRunsWhenAskedTo)
{
    constexpr char kKey[] = "Software\\Ombrix\\ZelvoraPanelTest";
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    {
        TAdvPanel& panel = NewPanel(*main_, 150, 90);
        panel.Position().SetSave(true);
        panel.Position().SetKey(kKey);
        panel.Position().SetSection("pnlTest");
        panel.SetBounds(30, 40, 160, 95);
        delete &panel;  // saves on the way out
    }
    auto& restored = TComponent::Create<TAdvPanel>(*main_);
    restored.BeginLoading();
    restored.Position().SetSave(true);
    restored.Position().SetKey(kKey);
    restored.Position().SetSection("pnlTest");
    restored.Loaded();
    EXPECT_EQ(restored.Left(), 30);
    EXPECT_EQ(restored.Top(), 40);
    EXPECT_EQ(restored.Width(), 160);
    EXPECT_EQ(restored.Height(), 95);
    EXPECT_EQ(restored.FullHeight(), 95);
    EXPECT_FALSE(restored.Collaps());
    restored.Position().SetSave(false);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
}

TEST_F(CaptionPanels, AMissingOrMistypedPlaceKeepsTheBoundsAndReadingCreatesNoKey)
{
    constexpr char kKey[] = "Software\\Ombrix\\ZelvoraPanelTest";
    constexpr char kPlace[] = "Software\\Ombrix\\ZelvoraPanelTest\\pnlTest";
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    const auto restore = [&](TAdvPanel& panel) {
        panel.BeginLoading();
        panel.Position().SetSave(true);
        panel.Position().SetKey(kKey);
        panel.Position().SetSection("pnlTest");
        panel.SetBounds(10, 20, 120, 70);
        panel.Loaded();
    };
    auto& fresh = TComponent::Create<TAdvPanel>(*main_);
    restore(fresh);
    EXPECT_EQ(fresh.Left(), 10);
    EXPECT_EQ(fresh.Height(), 70);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kPlace, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    fresh.Position().SetSave(false);

    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kPlace, "Left", REG_SZ, "30", 3), ERROR_SUCCESS);
    const DWORD top = 55;
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kPlace, "Top", REG_DWORD, &top, sizeof top), ERROR_SUCCESS);
    auto& mixed = TComponent::Create<TAdvPanel>(*main_);
    restore(mixed);
    EXPECT_EQ(mixed.Left(), 10) << "a text where a number belongs";
    EXPECT_EQ(mixed.Top(), 55);
    EXPECT_EQ(mixed.Width(), 120);
    mixed.Position().SetSave(false);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
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
