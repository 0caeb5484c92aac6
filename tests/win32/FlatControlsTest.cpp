#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../support/ColourRules.h"
#include "WindowTestSupport.h"
#include "look/MenuLayout.h"
#include "look/win32/ControlSubClass.h"
#include "look/win32/MenuPainter.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/CheckBox.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Memo.h"
#include "toolkit/win32/Panel.h"
#include "toolkit/win32/PictureButton.h"

namespace zelvora {
namespace {

class FlatControls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app = testing::CreateProgramWindows({{"Lang", 1}}).release(); }
    static void TearDownTestSuite()
    {
        delete app;
        app = nullptr;
    }
    static TForm& Window(const char* name) { return dynamic_cast<TForm&>(*app->FindComponent(name)); }
    static TXPMenu& Painter(const char* window)
    {
        return dynamic_cast<TXPMenu&>(*Window(window).FindComponent("XPMenu"));
    }
    template <typename T = TControl>
    static T& Control(const char* window, const char* name)
    {
        return dynamic_cast<T&>(*Window(window).FindComponent(name));
    }
    static void Show(const char* window)
    {
        TForm& form = Window(window);
        ShowWindow(form.Handle(), SW_SHOWNORMAL);
        UpdateWindow(form.Handle());
        app->ProcessMessages();
    }
    static TColor PixelOf(const TControl& control, int x, int y)
    {
        HDC dc = GetDC(control.Handle());
        const COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(control.Handle(), dc);
        return pixel;
    }
    static TMenuColours Colours(const char* window)
    {
        HDC dc = GetDC(nullptr);
        const TMenuColours colours = Painter(window).DeriveColours(dc);
        ReleaseDC(nullptr, dc);
        return colours;
    }
    static TColor Lightened(const char* window, TColor colour, int percent)
    {
        HDC dc = GetDC(nullptr);
        const TColor result = Painter(window).LightenOn(dc, colour, percent);
        ReleaseDC(nullptr, dc);
        return result;
    }
    // The outline of the mark of a check box or radio button: its box shrunk by 2.
    static TRect MarkOf(const TControl& control, bool radio)
    {
        RECT client{};
        GetClientRect(control.Handle(), &client);
        const TRect box =
            CheckMarkBox({0, 0, client.right, client.bottom}, GetSystemMetrics(SM_CXHTHUMB), false, radio);
        return {box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2};
    }
    static TApplication* app;
};
TApplication* FlatControls::app = nullptr;

TEST_F(FlatControls, EachWindowStylesItsStandardControlsOnly)
{
    struct Case {
        const char* Window;
        std::vector<const char*> Styled, Plain;
    };
    const std::vector<Case> cases{
        {"frmZelvora",
         {"cbTransparent", "cbFloodFill", "rbtnFreeHand", "rbtnControl", "pnlDraw", "pnlMode", "pnlPen",
          "Panel1", "Panel2"},
         {"TrackBar", "lblSize", "Shape", "Line1", "ImageHeader"}},
        {"frmAbout", {"OKButton", "Panel1", "Panel2"}, {"lblVersion", "ImageHeader"}},
        {"frmLicense", {"btnClose", "Memo", "Panel1", "Panel2", "Panel3"}, {"ImageHeader"}},
        {"frmEditHotkey", {"btnOk", "btnCancel", "Panel1"}, {"edtDraw", "Label2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Window);
        TXPMenu& painter = Painter(c.Window);
        EXPECT_TRUE(painter.Active());
        EXPECT_EQ(painter.FlatMenu(), std::string(c.Window) == "frmZelvora");
        for (const char* name : c.Styled) EXPECT_TRUE(painter.IsStyled(Control(c.Window, name))) << name;
        for (const char* name : c.Plain) EXPECT_FALSE(painter.IsStyled(Control(c.Window, name))) << name;
        EXPECT_EQ(painter.StyledControlCount(), c.Styled.size());
    }
}

TEST_F(FlatControls, MemoTradesItsSunkenBorderForAFlatLine)
{
    Show("frmLicense");
    auto& memo = Control<TMemo>("frmLicense", "Memo");
    memo.Perform(WM_PAINT);
    EXPECT_FALSE(memo.Ctl3D()) << "the sunken border gives way to a line";
    // The pointer (in the middle of the screen) or the keyboard on the memo would light the line:
    // both go elsewhere, and the new frame's own painting passes before the line is read.
    SetCursorPos(0, 0);
    SetFocus(Control("frmLicense", "btnClose").Handle());
    app->ProcessMessages();
    memo.Perform(CM_MOUSELEAVE);
    memo.Perform(WM_PAINT);
    HDC dc = GetWindowDC(memo.Handle());
    const TColor border = GetPixel(dc, 0, 10);
    ReleaseDC(memo.Handle(), dc);
    EXPECT_EQ(border, Darken(ColorToRGB(memo.Parent()->Color()), 60));
    ShowWindow(Window("frmLicense").Handle(), SW_HIDE);
}

TEST_F(FlatControls, CheckBoxLightsUnderThePointerAndShowsItsTick)
{
    Show("frmZelvora");
    auto& box = Control<TCheckBox>("frmZelvora", "cbTransparent");
    const TMenuColours colours = Colours("frmZelvora");
    const TRect mark = MarkOf(box, false);
    const int insideX = mark.Right - 2, insideY = mark.Top + 1;  // away from the tick

    box.SetChecked(false);
    app->ProcessMessages();
    box.Perform(WM_PAINT);
    EXPECT_EQ(PixelOf(box, insideX, insideY), ColorToRGB(clWindow));
    EXPECT_EQ(PixelOf(box, mark.Left, mark.Top), ColorToRGB(clBtnShadow)) << "the box's pen";

    box.Perform(CM_MOUSEENTER);
    EXPECT_EQ(PixelOf(box, insideX, insideY), colours.SelectionFill);
    EXPECT_EQ(PixelOf(box, mark.Left, mark.Top), colours.SelectionBorder);
    box.Perform(CM_MOUSELEAVE);
    EXPECT_EQ(PixelOf(box, insideX, insideY), ColorToRGB(clWindow));

    box.SetChecked(true);
    box.Perform(WM_PAINT);
    // The tick's first stroke starts at (left + 2, bottom - 5) of the outline.
    const TRect& inset = mark;
    EXPECT_EQ(PixelOf(box, inset.Left + 2, inset.Bottom - 5), ColorToRGB(clHighlight));

    box.SetEnabled(false);
    box.Perform(WM_PAINT);
    EXPECT_EQ(PixelOf(box, inset.Left + 2, inset.Bottom - 5), colours.Disabled) << "a disabled tick";
    box.SetEnabled(true);

    box.SetState(TCheckBoxState::cbGrayed);
    box.Perform(WM_PAINT);
    EXPECT_EQ(PixelOf(box, insideX, insideY), 0xC0C0C0u) << "a grayed box is silver";
    EXPECT_EQ(PixelOf(box, inset.Left + 2, inset.Bottom - 5), 0x808080u) << "with a grey tick";
    box.SetChecked(false);
}

TEST_F(FlatControls, RadioButtonDotAndHotFill)
{
    Show("frmZelvora");
    auto& radio = Control<TButtonControl>("frmZelvora", "rbtnFreeHand");
    const TMenuColours colours = Colours("frmZelvora");
    const TRect mark = MarkOf(radio, true);
    const int cx = (mark.Left + mark.Right) / 2, cy = (mark.Top + mark.Bottom) / 2;
    radio.SetChecked(true);
    radio.Perform(WM_PAINT);
    EXPECT_EQ(PixelOf(radio, cx, cy), ColorToRGB(clHighlight)) << "the checked dot";
    radio.Perform(CM_MOUSEENTER);
    EXPECT_EQ(PixelOf(radio, mark.Left + 1, cy), colours.SelectionFill) << "between ring and dot";
    radio.Perform(CM_MOUSELEAVE);
}

TEST_F(FlatControls, PushButtonFaceEdgeAndPressedLook)
{
    Show("frmAbout");
    auto& ok = Control<TButton>("frmAbout", "OKButton");
    const TMenuColours colours = Colours("frmAbout");
    RECT client{};
    GetClientRect(ok.Handle(), &client);
    const TColor border = ColorToRGB(clBtnShadow);
    SetFocus(Window("frmAbout").Handle());  // not the button: its border would be the focused one
    ok.Perform(CM_MOUSELEAVE);
    ok.Perform(WM_PAINT);
    EXPECT_EQ(PixelOf(ok, client.right / 2, client.bottom / 2 - 8), colours.IconColumn) << "the face";
    EXPECT_EQ(PixelOf(ok, client.right - 1, client.bottom / 2), Darken(border, 50)) << "edge at the right";
    EXPECT_NE(PixelOf(ok, 0, client.bottom / 2), Darken(border, 50));

    ok.Perform(CM_MOUSEENTER);
    const TColor hotFace = Lightened("frmAbout", clBtnFace, 40);
    EXPECT_EQ(PixelOf(ok, client.right / 2, client.bottom / 2 - 8), hotFace) << "lit under the pointer";

    ok.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    const TColor hotBorder = Lightened("frmAbout", colours.SelectionBorder, 60);
    EXPECT_EQ(PixelOf(ok, 0, client.bottom / 2), Darken(hotBorder, 50)) << "pressed: the edge moves left";
    EXPECT_NE(PixelOf(ok, client.right - 1, client.bottom / 2), Darken(hotBorder, 50));
    ok.Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));  // released away from the button: no click
    ok.Perform(CM_MOUSELEAVE);
    ReleaseCapture();
    ShowWindow(Window("frmAbout").Handle(), SW_HIDE);
}

TEST_F(FlatControls, PictureButtonsShowTheirGlyphAndCaption)
{
    Show("frmEditHotkey");
    auto& ok = Control<TBitBtn>("frmEditHotkey", "btnOk");
    auto& cancel = Control<TBitBtn>("frmEditHotkey", "btnCancel");
    ASSERT_NE(ok.Glyph(), nullptr);
    EXPECT_EQ(ok.NumGlyphs(), 2);
    EXPECT_EQ(ok.GlyphWidth(), 18);
    const int dim = Painter("frmEditHotkey").DimLevel();
    for (TBitBtn* button : {&ok, &cancel}) {
        SCOPED_TRACE(button->Name());
        button->Perform(CM_MOUSELEAVE);
        button->Perform(WM_PAINT);
        RECT client{};
        GetClientRect(button->Handle(), &client);
        std::vector<TColor> shown(static_cast<std::size_t>(client.right * client.bottom));
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) shown[y * client.right + x] = PixelOf(*button, x, y);
        // The first picture of the strip, each pixel dimmed by the painter's level; the strip's
        // bottom-left colour stays transparent.
        HDC strip = const_cast<TBitmap*>(button->Glyph())->Canvas().Handle();
        const int gw = button->GlyphWidth(), gh = button->Glyph()->Height();
        const TColor transparent = GetPixel(strip, 0, gh - 1);
        struct Ink {
            int X, Y;
            TColor Colour;
        };
        std::vector<Ink> ink;
        for (int y = 0; y < gh; ++y)
            for (int x = 0; x < gw; ++x)
                if (const TColor c = GetPixel(strip, x, y); c != transparent)
                    ink.push_back({x, y, testing::Lighter(c, dim)});
        ASSERT_GT(ink.size(), 20u);
        // The whole dimmed picture shows at exactly one place, in the left half, beside the caption.
        std::vector<POINT> found;
        for (int top = 0; top + gh <= client.bottom; ++top)
            for (int left = 0; left + gw <= client.right; ++left)
                if (std::all_of(ink.begin(), ink.end(), [&](const Ink& i) {
                        return shown[(top + i.Y) * client.right + left + i.X] == i.Colour;
                    }))
                    found.push_back({left, top});
        ASSERT_EQ(found.size(), 1u) << "the dimmed picture does not show whole";
        EXPECT_LT(found[0].x + gw / 2, client.right / 2);
    }
    ShowWindow(Window("frmEditHotkey").Handle(), SW_HIDE);
}

TEST_F(FlatControls, AboutPanelShowsTwoFlatFramesInItsOwnShades)
{
    Show("frmAbout");
    auto& panel = Control<TPanel>("frmAbout", "Panel1");
    panel.Perform(WM_PAINT);
    const TColor c = ColorToRGB(panel.Color());
    const TColor dark = Darken(c, 60), light = Lightened("frmAbout", c, 60);
    RECT client{};
    GetClientRect(panel.Handle(), &client);
    const int midY = client.bottom / 2;
    EXPECT_EQ(PixelOf(panel, 0, midY), dark) << "lowered outer: dark at the left";
    EXPECT_EQ(PixelOf(panel, client.right - 1, midY), light);
    const int inner = panel.BevelWidth() + panel.BorderWidth();
    EXPECT_EQ(PixelOf(panel, inner, midY), light) << "raised inner: light at the left";
    EXPECT_EQ(PixelOf(panel, client.right - 1 - inner, midY), dark);
    ShowWindow(Window("frmAbout").Handle(), SW_HIDE);
}

TEST_F(FlatControls, SpaceKeyRepaintsOnceWhileHeldAndDoubleClicksPress)
{
    Show("frmAbout");
    // The panel does nothing of its own with keys, so only the styling's repaints count.
    auto& panel = Control<TPanel>("frmAbout", "Panel1");
    TControlSubClass* styled = Painter("frmAbout").SubClassOf(panel);
    ASSERT_NE(styled, nullptr);
    const int before = styled->RepaintCount();
    for (int i = 0; i < 5; ++i) panel.Perform(WM_KEYDOWN, VK_SPACE, 0x40000001);
    EXPECT_EQ(styled->RepaintCount(), before + 1) << "the key's repeats repaint nothing";
    EXPECT_TRUE(styled->State().SpaceDown);
    panel.Perform(WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_FALSE(styled->State().SpaceDown);
    EXPECT_EQ(styled->RepaintCount(), before + 2);
    panel.Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_FALSE(styled->State().Pressed) << "a double click presses only buttons and check boxes";

    auto& ok = Control<TButton>("frmAbout", "OKButton");
    ok.Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_TRUE(Painter("frmAbout").SubClassOf(ok)->State().Pressed) << "one more press";
    ok.Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    ReleaseCapture();
    ShowWindow(Window("frmAbout").Handle(), SW_HIDE);
}

// A window of its own, so that switching the painter off leaves the program's windows as they are.
class StyledTestWindow {
public:
    StyledTestWindow()
    {
        form = &TComponent::Create<TForm>(owner);
        form->SetBounds(0, 0, 200, 100);
        button = &TComponent::Create<TButton>(*form);
        button->SetParent(form);
        button->SetBounds(10, 10, 80, 25);
        button->SetCaption("Zelvora");
        keptOut = &TComponent::Create<TButton>(*form);
        keptOut->SetParent(form);
        keptOut->SetTag(kPainterKeepOut);
        keptOut->SetBounds(100, 10, 80, 25);
        painter = &TComponent::Create<TXPMenu>(*form);
        form->CreateHandle();
        painter->SetActive(true);
    }
    TComponent owner{nullptr};
    TForm* form;
    TButton *button, *keptOut;
    TXPMenu* painter;
};

TEST(FlatControlLifetime, SwitchingOffDetachesAtTheNextMessageWithTheControlsOwnAnswer)
{
    StyledTestWindow w;
    EXPECT_TRUE(w.painter->IsStyled(*w.button));
    EXPECT_FALSE(w.painter->IsStyled(*w.keptOut)) << "tag 999 keeps a control out";
    w.painter->SetActive(false);
    EXPECT_TRUE(w.painter->IsStyled(*w.button)) << "nothing changes before the control's next message";
    EXPECT_EQ(SendMessageW(w.button->Handle(), WM_GETTEXTLENGTH, 0, 0), 7) << "not 1";
    EXPECT_FALSE(w.painter->IsStyled(*w.button));
    EXPECT_EQ(w.button->WindowHook(), nullptr);
    w.painter->SetActive(true);
    EXPECT_TRUE(w.painter->IsStyled(*w.button)) << "switched on again, styled again";
}

TEST(FlatControlLifetime, PainterAndControlsMayGoInEitherOrder)
{
    {
        StyledTestWindow w;
        delete w.painter;  // painter first: no control keeps calling into it
        EXPECT_EQ(w.button->WindowHook(), nullptr);
        EXPECT_EQ(SendMessageW(w.button->Handle(), WM_GETTEXTLENGTH, 0, 0), 7);
    }
    {
        StyledTestWindow w;
        delete w.button;  // a control first: the painter lets go of its styling
        EXPECT_EQ(w.painter->StyledControlCount(), 0u);
    }
    {
        StyledTestWindow w;
        w.button->RecreateHandle();  // a rebuilt window stays styled
        EXPECT_TRUE(w.painter->IsStyled(*w.button));
        EXPECT_NE(w.button->WindowHook(), nullptr);
    }
}

TEST(FlatControlLifetime, ChangingTheChosenKindsRestylesWithTheNewSet)
{
    StyledTestWindow w;
    w.painter->SetXPControls(kAllXPControls & ~(1u << xcButton));
    EXPECT_EQ(SendMessageW(w.button->Handle(), WM_GETTEXTLENGTH, 0, 0), 7);
    EXPECT_FALSE(w.painter->IsStyled(*w.button)) << "buttons are no longer chosen";
    w.painter->SetXPControls(kAllXPControls);
    EXPECT_TRUE(w.painter->IsStyled(*w.button));
}

}  // namespace
}  // namespace zelvora
