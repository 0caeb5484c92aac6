#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "controls/win32/Line.h"
#include "toolkit/win32/CheckBox.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/HotkeyField.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/Shape.h"

#include <vector>

namespace zelvora {
namespace {

TEST(Line, RunsAlongTheChosenEdge)
{
    TLine line(nullptr);
    line.SetLineWidth(1);
    line.SetLineAlign(TAlign::alTop);
    auto s = line.LineSegment(183, 6);
    EXPECT_TRUE(s.Drawn);
    EXPECT_EQ(s.From.x, 0);
    EXPECT_EQ(s.From.y, 0);
    EXPECT_EQ(s.To.x, 183);
    EXPECT_EQ(s.To.y, 0);

    line.SetLineWidth(2);
    line.SetLineAlign(TAlign::alBottom);
    s = line.LineSegment(183, 9);
    EXPECT_EQ(s.From.y, 9);  // the row below the control, not the last row inside it
    EXPECT_EQ(s.To.x, 183);

    line.SetBorderWidth(3);
    line.SetLineAlign(TAlign::alRight);
    s = line.LineSegment(50, 20);
    EXPECT_EQ(s.From.x, 50 - 2 - 3);
    EXPECT_EQ(s.From.y, 3);
    EXPECT_EQ(s.To.x, 45);
    EXPECT_EQ(s.To.y, 17);

    line.SetLineAlign(TAlign::alLeft);
    s = line.LineSegment(50, 20);
    EXPECT_EQ(s.From.x, 3);
    EXPECT_EQ(s.To.y, 17);

    for (TAlign none : {TAlign::alNone, TAlign::alClient, TAlign::alCustom}) {
        line.SetLineAlign(none);
        EXPECT_FALSE(line.LineSegment(50, 20).Drawn);
    }
}

TEST(HotKeyValue, ConvertsBetweenShortcutsAndTheControlsWord)
{
    EXPECT_EQ(ShortCutToHotKeyValue(0x8031), MAKEWORD('1', HOTKEYF_ALT));
    EXPECT_EQ(ShortCutToHotKeyValue(0x6070), MAKEWORD(0x70, HOTKEYF_SHIFT | HOTKEYF_CONTROL));
    EXPECT_EQ(HotKeyValueToShortCut(MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT)), 0xC051);
    // The extended-key flag does not survive.
    EXPECT_EQ(HotKeyValueToShortCut(MAKEWORD(0x2E, HOTKEYF_ALT | HOTKEYF_EXT)), 0x802E);
    for (TShortCut s : {0x8031, 0x8032, 0x8033, 0x6070, 0xE041, 0x0020})
        EXPECT_EQ(HotKeyValueToShortCut(ShortCutToHotKeyValue(s)), s) << s;
}

class ProgramControls : public ::testing::Test {
protected:
    void SetUp() override { app_ = testing::CreateProgramWindows(); }
    template <typename T>
    T& Control(const char* window, const char* name)
    {
        return dynamic_cast<T&>(*app_->FindComponent(window)->FindComponent(name));
    }
    std::unique_ptr<TApplication> app_;
};

TEST_F(ProgramControls, HotkeyFieldsReplaceInvalidCombinationsWithTheirDefaultModifiers)
{
    auto& draw = Control<THotKey>("frmEditHotkey", "edtDraw");
    auto& mode = Control<THotKey>("frmEditHotkey", "edtMode");
    for (THotKey* field : {&draw, &mode}) {
        SendMessageA(field->Handle(), WM_KEYDOWN, 'Q', 0);
        SendMessageA(field->Handle(), WM_KEYUP, 'Q', static_cast<LPARAM>(0xC0000000));
    }
    EXPECT_EQ(draw.HotKey(), 0xC051);  // Ctrl+Alt+Q
    EXPECT_EQ(mode.HotKey(), 0x8051);  // Alt+Q
    draw.SetHotKey(0x6070);
    EXPECT_EQ(draw.HotKey(), 0x6070);
}

TEST_F(ProgramControls, TheColourSwatchHasNoWindowYetShowsAndTakesItsClickOnThePanel)
{
    auto& main = dynamic_cast<TfrmZelvora&>(*app_->MainForm());
    TShape& swatch = main.Shape1;
    EXPECT_FALSE(swatch.HandleAllocated());
    main.Show();
    // The marker colour (0x0080FF, orange) inside the swatch; the frame's black pen round it.
    EXPECT_EQ(testing::ControlPixel(swatch, 18, 8), RGB(0xFF, 0x80, 0x00));
    EXPECT_EQ(testing::ControlPixel(main.pnlPen, swatch.Left() - 2, swatch.Top() + 8), RGB(0, 0, 0));
    std::vector<POINT> ups;
    swatch.OnMouseUp.Handler = [&](TEventArgs& args) { ups.push_back(POINT{args.X, args.Y}); };
    const auto releaseAt = [&](int x, int y) {
        SendMessageW(main.pnlPen.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    releaseAt(swatch.Left() + 5, swatch.Top() + 3);
    releaseAt(swatch.Left() - 2, swatch.Top() + 3);  // on the frame around it, which takes no clicks
    releaseAt(swatch.Left() + swatch.Width(), swatch.Top());
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].x, 5);
    EXPECT_EQ(ups[0].y, 3);
    main.Hide();
}

TEST_F(ProgramControls, TrackBarDrivesTheMarkerSizeLabelAndPreview)
{
    auto& main = dynamic_cast<TfrmZelvora&>(*app_->MainForm());
    main.TrackBar.SetPosition(20);
    EXPECT_EQ(main.Engine().MarkerSize(), 20);
    EXPECT_EQ(main.lblSize.Caption(), "20 px");
    EXPECT_EQ(main.Shape2.Left(), 10);
    EXPECT_EQ(main.Shape2.Top(), 10);
    EXPECT_EQ(main.Shape2.Width(), 20);
    main.TrackBar.SetPosition(50);  // clamped to the range
    EXPECT_EQ(main.TrackBar.Position(), 20);
    main.TrackBar.SetPosition(0);
    EXPECT_EQ(main.Engine().MarkerSize(), 1);
    // A user's drag reaches the control first; the notification brings the object along.
    SendMessageA(main.TrackBar.Handle(), TBM_SETPOS, TRUE, 7);
    SendMessageA(GetParent(main.TrackBar.Handle()), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 7),
                 reinterpret_cast<LPARAM>(main.TrackBar.Handle()));
    EXPECT_EQ(main.Engine().MarkerSize(), 7);
    EXPECT_EQ(main.lblSize.Caption(), "7 px");
}

TEST_F(ProgramControls, RadioButtonsOfOneParentExcludeEachOther)
{
    auto& main = dynamic_cast<TfrmZelvora&>(*app_->MainForm());
    EXPECT_TRUE(main.rbtnFreeHand.Checked());
    SendMessageA(main.rbtnControl.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(main.rbtnControl.Checked());
    EXPECT_FALSE(main.rbtnFreeHand.Checked());
    EXPECT_EQ(SendMessageA(main.rbtnFreeHand.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    main.ToggleMode();
    EXPECT_TRUE(main.rbtnFreeHand.Checked());
    EXPECT_FALSE(main.rbtnControl.Checked());
    SendMessageA(main.cbFloodFill.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(main.cbFloodFill.Checked());
}

// Records what passes through a control after its own handling.
class RecordingHook : public TWindowHook {
public:
    LRESULT HookedMessage(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = control.RunWithoutHook(msg, wParam, lParam);
        if (msg >= CM_BASE && msg <= CM_LAST) Notices.push_back({msg, wParam});
        return result;
    }
    std::vector<std::pair<UINT, WPARAM>> Notices;
    bool Saw(UINT notice) const
    {
        for (const auto& [msg, wParam] : Notices)
            if (msg == notice) return true;
        return false;
    }
};

TEST(ControlNotices, ChangesReachTheHookAsToolkitNotices)
{
    TComponent owner(nullptr);
    TForm& form = TComponent::Create<TForm>(owner);
    form.SetBounds(0, 0, 200, 100);
    TCheckBox& box = TComponent::Create<TCheckBox>(form);
    box.SetParent(&form);
    box.SetBounds(10, 10, 120, 17);
    form.CreateHandle();
    RecordingHook hook;
    box.SetWindowHook(&hook);

    box.SetEnabled(false);
    ASSERT_FALSE(hook.Notices.empty());
    EXPECT_EQ(hook.Notices.back(), (std::pair<UINT, WPARAM>{CM_ENABLEDCHANGED, FALSE}));
    box.SetEnabled(false);
    EXPECT_EQ(hook.Notices.size(), 1u) << "no notice without a change";
    box.SetEnabled(true);
    box.SetCaption("Transparenz");
    EXPECT_TRUE(hook.Saw(CM_TEXTCHANGED));
    form.SetColor(clWhite);
    EXPECT_TRUE(hook.Saw(CM_PARENTCOLORCHANGED));

    hook.Notices.clear();
    SendMessageW(box.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(box.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
    EXPECT_EQ(hook.Notices, (std::vector<std::pair<UINT, WPARAM>>{{CM_MOUSEENTER, 0}})) << "entered once";
    SendMessageW(box.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(hook.Saw(CM_MOUSELEAVE));
    SendMessageW(box.Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(hook.Saw(CM_EXIT));

    hook.Notices.clear();
    box.RecreateHandle();
    ASSERT_GE(hook.Notices.size(), 2u);
    EXPECT_EQ(hook.Notices[0].first, static_cast<UINT>(CM_RECREATEWND));
    EXPECT_EQ(hook.Notices[1].first, static_cast<UINT>(CM_WINDOWDESTROYED));
    EXPECT_TRUE(box.HandleAllocated()) << "built again";
    box.SetWindowHook(nullptr);
}

// A control whose painting fails.
class TFailingPaint : public TControl {
public:
    using TControl::TControl;
    int Paints = 0;
    std::vector<HDC> Dcs;

protected:
    void Paint(HDC dc) override
    {
        ++Paints;
        Dcs.push_back(dc);
        throw std::runtime_error("paint failed");
    }
};

TEST(WindowBoundary, APaintThatThrowsStillEndsThePaintAndNothingEscapes)
{
    ASSERT_EQ(Application, nullptr) << "the error display would show a box";
    TComponent owner(nullptr);
    TForm& form = TComponent::Create<TForm>(owner);
    form.SetBounds(0, 0, 200, 100);
    TFailingPaint& failing = TComponent::Create<TFailingPaint>(form);
    failing.SetParent(&form);
    failing.SetBounds(0, 0, 50, 50);
    form.CreateHandle();
    ShowWindow(form.Handle(), SW_SHOWNA);
    for (int i = 0; i < 3; ++i) {
        InvalidateRect(failing.Handle(), nullptr, TRUE);
        UpdateWindow(failing.Handle());  // the exception ends inside the window procedure
    }
    ASSERT_EQ(failing.Paints, 3);
    // EndPaint gave the paint's DC back to the system's cache, which hands it out again.
    EXPECT_EQ(failing.Dcs[1], failing.Dcs[0]);
    EXPECT_EQ(failing.Dcs[2], failing.Dcs[0]);
}

TEST(CheckBoxStates, GrayedAndCaptionSideReachTheSystemControl)
{
    TComponent owner(nullptr);
    TForm& form = TComponent::Create<TForm>(owner);
    TCheckBox& box = TComponent::Create<TCheckBox>(form);
    box.SetParent(&form);
    box.SetBounds(10, 10, 120, 17);
    box.SetAllowGrayed(true);
    form.CreateHandle();
    box.SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_FALSE(box.Checked());
    box.SetChecked(true);
    EXPECT_EQ(box.State(), TCheckBoxState::cbChecked);
    EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    // A click moves a three-state box on from checked to grayed, as the system control does.
    SendMessageW(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box.State(), TCheckBoxState::cbGrayed);

    EXPECT_FALSE(GetWindowLongPtrW(box.Handle(), GWL_STYLE) & BS_LEFTTEXT);
    box.SetAlignment(TLeftRight::taLeftJustify);
    EXPECT_TRUE(GetWindowLongPtrW(box.Handle(), GWL_STYLE) & BS_LEFTTEXT) << "the caption on the left";
    EXPECT_TRUE(box.CaptionOnLeft());
}

TEST(OwnerDrawnMenus, MeasureAndDrawReachTheItemsHandlers)
{
    RegisterComponentClass<TMainMenu>();
    RegisterComponentClass<TMenuItem>();
    struct TMenuForm : TForm {
        explicit TMenuForm(TComponent* owner) : TForm(owner)
        {
            PublishMethod("Measure", [this](TEventArgs& e) {
                measuredBy = e.Sender;
                e.Width = 120, e.Height = 22;
            });
            PublishMethod("Draw", [this](TEventArgs& e) {
                drawnBy = e.Sender;
                drawnBox = RECT{e.Left, e.Top, e.Right, e.Bottom};
            });
            InitializeFromText(R"(object frmMenus: TForm
  Menu = Menu
  ClientWidth = 100
  ClientHeight = 50
  object Menu: TMainMenu
    OwnerDraw = True
    object mnuFile: TMenuItem
      Caption = '&Datei'
      OnMeasureItem = Measure
      OnDrawItem = Draw
    end
  end
end
)");
        }
        TComponent* measuredBy = nullptr;
        TComponent* drawnBy = nullptr;
        RECT drawnBox{};
    };
    TApplication app;
    auto& form = app.CreateForm<TMenuForm>();
    HMENU bar = GetMenu(form.Handle());
    ASSERT_NE(bar, nullptr);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(bar, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    TComponent* item = form.FindComponent("mnuFile");
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(item));

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 0, 0, info.dwItemData};
    SendMessageA(form.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(form.measuredBy, item);
    EXPECT_EQ(measure.itemWidth, 120u);
    EXPECT_EQ(measure.itemHeight, 22u);
    DRAWITEMSTRUCT draw{ODT_MENU,       0, 0, ODA_DRAWENTIRE, ODS_SELECTED, nullptr, nullptr, {1, 2, 121, 24},
                        info.dwItemData};
    SendMessageA(form.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(form.drawnBy, item);
    EXPECT_EQ(form.drawnBox.right, 121);
}

}  // namespace
}  // namespace zelvora
