// The windows on a screen of more dots per inch: the same layout, larger by the screen's scale.
// The suite runs at the 96 dpi of the test desktop, where nothing may move, and once more on a
// desktop whose "LogPixels" is 144 (ZELVORA_EXPECT_DPI says which).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ProgramWindowLayouts.h"
#include "WindowTestSupport.h"
#include "base/DpiScaling.h"
#include "controls/win32/CaptionPanel.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/Image.h"
#include "toolkit/win32/PictureButton.h"
#include "toolkit/win32/ScreenDpi.h"
#include "toolkit/win32/Shape.h"
#include "tray/win32/TrayIcon.h"

namespace zelvora {
namespace {

using testing::WindowLayout;

int ExpectedDpi()
{
    const char* given = std::getenv("ZELVORA_EXPECT_DPI");
    return given ? std::atoi(given) : kDesignDpi;
}

// Two roundings meet in a nested control (its parent's place and its own): one pixel each.
constexpr int kNestedTolerance = 2;

class HighDpi : public testing::ProgramWindowsSuite {
protected:
    template <typename T>
    static T& Part(TForm& form, const char* name)
    {
        auto* part = dynamic_cast<T*>(form.FindComponent(name));
        if (!part) throw std::runtime_error(std::string("no control ") + name);
        return *part;
    }

    static void Show(TForm& form)
    {
        form.Show();
        testing::PumpUntil(*app, [&] { return IsWindowVisible(form.Handle()) != FALSE; });
        UpdateWindow(form.Handle());
        app->ProcessMessages();
    }

    // The window's client size and every control's place, as the description's at `dpi`.
    static void CheckLayout(const WindowLayout& layout, int dpi)
    {
        SCOPED_TRACE(layout.Name);
        TForm& form = Window(layout.Name);
        if (!form.HandleAllocated()) form.CreateHandle();
        const SIZE client = testing::ClientSize(form.Handle());
        EXPECT_NEAR(client.cx, ScaleToDpi(layout.ClientWidth, dpi), 1);
        // Taller by a row or two where a line of the font is a pixel higher than the scaled label.
        EXPECT_GE(client.cy, ScaleToDpi(layout.ClientHeight, dpi) - 1);
        EXPECT_LE(client.cy, ScaleToDpi(layout.ClientHeight, dpi) + kNestedTolerance);
        for (const testing::ControlPlace& place : layout.Controls) {
            SCOPED_TRACE(place.Name);
            auto& control = Part<TControl>(form, place.Name);
            ASSERT_TRUE(control.HandleAllocated() || !control.Windowed());
            const RECT r = testing::DescribeControl(control).Bounds;
            EXPECT_NEAR(r.left, ScaleToDpi(place.Left, dpi), kNestedTolerance);
            EXPECT_NEAR(r.top, ScaleToDpi(place.Top, dpi), kNestedTolerance);
            if (place.Width >= 0) {
                EXPECT_NEAR(r.right - r.left, ScaleToDpi(place.Width, dpi), kNestedTolerance);
            }
            if (place.Height >= 0) {
                EXPECT_NEAR(r.bottom - r.top, ScaleToDpi(place.Height, dpi), kNestedTolerance);
            }
        }
    }

    static std::map<std::string, RECT> ControlRects(TForm& form)
    {
        std::map<std::string, RECT> rects;
        for (const testing::ControlPlace& place : testing::kMainWindowLayout.Controls)
            rects[place.Name] = testing::DescribeControl(Part<TControl>(form, place.Name)).Bounds;
        return rects;
    }
};

TEST_F(HighDpi, TheProgramSeesTheScreensOwnDpi)
{
    // A program the system thinks unaware of DPI is told 96 and stretched into a blur.
    EXPECT_EQ(DpiAtPoint(POINT{0, 0}), ExpectedDpi()) << "the main monitor's";
    TForm& main = Window("frmZelvora");
    EXPECT_EQ(main.Dpi(), ExpectedDpi());
    EXPECT_EQ(DpiOfWindow(main.Handle()), ExpectedDpi());
    EXPECT_EQ(Part<TControl>(main, "lblPaint").Dpi(), ExpectedDpi())
        << "children are scaled with their window";
}

TEST_F(HighDpi, EveryWindowKeepsItsLayoutScaledToTheScreen)
{
    for (const WindowLayout* layout : {&testing::kMainWindowLayout, &testing::kHotkeyWindowLayout,
                                       &testing::kAboutWindowLayout, &testing::kTermsWindowLayout}) {
        CheckLayout(*layout, ExpectedDpi());
        // A picture of each for a person to look at.
        TForm& form = Window(layout->Name);
        Show(form);
        const DWORD shown = GetTickCount();
        testing::PumpUntil(*app, [&] { return GetTickCount() - shown > 300; });  // Wine paints late
        EXPECT_TRUE(testing::SaveScreenshot(
            form.Handle(), std::string(layout->Name) + "-" + std::to_string(ExpectedDpi()) + "dpi"));
        form.Hide();
    }
}

TEST_F(HighDpi, TextIsTahomaAsHighAsTheScreenScalesIt)
{
    const int dpi = ExpectedDpi();
    for (const char* window : {"frmZelvora", "frmAbout", "frmLicense", "frmEditHotkey"}) {
        SCOPED_TRACE(window);
        TForm& form = Window(window);
        if (!form.HandleAllocated()) form.CreateHandle();
        // Any label shows the window's font.
        HWND label = nullptr;
        for (const char* name : {"lblPaint", "lblVersion", "Label2", "btnClose"})
            if (auto* control = dynamic_cast<TControl*>(form.FindComponent(name))) label = control->Handle();
        ASSERT_NE(label, nullptr);
        auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        EXPECT_STREQ(face, L"Tahoma");
        // The characters' height, which a font of height -11 gives at 96 dpi.
        EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, ScaleToDpi(11, dpi));
    }
    auto& band = Part<TAdvPanel>(Window("frmZelvora"), "pnlDraw");
    EXPECT_EQ(band.Caption().Font().Height(), ScaleFontHeight(-11, dpi));
}

TEST_F(HighDpi, CaptionBandsShowTheirShadeAtTheScaledHeight)
{
    const int dpi = ExpectedDpi();
    TForm& main = Window("frmZelvora");
    Show(main);
    for (const char* name : {"pnlDraw", "pnlMode", "pnlPen"}) {
        SCOPED_TRACE(name);
        auto& panel = Part<TAdvPanel>(main, name);
        const int band = ScaleToDpi(20, dpi);
        EXPECT_EQ(panel.Caption().Height(), band);
        ASSERT_NE(panel.Shade(), nullptr);
        EXPECT_EQ(panel.Shade()->Height(), band);
        EXPECT_EQ(panel.Shade()->Width(), panel.Width());
        EXPECT_EQ(panel.ClientRect().top, band + ScaleToDpi(5, dpi))
            << "children start below band and border";
        // The band's rows on the screen are the shade's, left of the centred caption text; the
        // band leaves room for a bevel above and below.
        const int shaded = band - 2 * panel.BevelWidth();
        HDC dc = GetDC(panel.Handle());
        int shadeRows = 0;
        for (int y = 0; y < shaded; ++y) {
            const TColor shade =
                panel.Shade()->Pixels()[static_cast<std::size_t>(y * panel.Shade()->Width() + 3)];
            if (GetPixel(dc, 3, y) == ColorToRGB(shade)) ++shadeRows;
        }
        const COLORREF below = GetPixel(dc, 3, shaded);
        ReleaseDC(panel.Handle(), dc);
        EXPECT_EQ(shadeRows, shaded);
        EXPECT_NE(
            below,
            ColorToRGB(
                panel.Shade()->Pixels()[static_cast<std::size_t>((shaded - 1) * panel.Shade()->Width() + 3)]))
            << "the body starts right below the band";
    }
    main.Hide();
}

TEST_F(HighDpi, TheHeaderPictureFillsItsScaledPlaceSmoothly)
{
    const int dpi = ExpectedDpi();
    TForm& main = Window("frmZelvora");
    Show(main);
    auto& header = Part<TImage>(main, "ImageHeader");
    UniqueMemoryDc picture(CreateCompatibleDC(nullptr));
    SelectedObject selected(picture.get(), header.Bitmap());
    // Points of the picture, from its left end to its right: the same colours at their scaled
    // places (halftone averages neighbours, so a little way off), up to the right edge.
    for (const POINT at : {POINT{30, 10}, POINT{200, 30}, POINT{300, 8}, POINT{405, 40}}) {
        SCOPED_TRACE(std::to_string(at.x) + "," + std::to_string(at.y));
        const COLORREF expected = GetPixel(picture.get(), at.x, at.y);
        const COLORREF shown = testing::ControlPixel(header, ScaleToDpi(at.x, dpi), ScaleToDpi(at.y, dpi));
        EXPECT_NEAR(GetRValue(shown), GetRValue(expected), 24);
        EXPECT_NEAR(GetGValue(shown), GetGValue(expected), 24);
        EXPECT_NEAR(GetBValue(shown), GetBValue(expected), 24);
    }
    main.Hide();
}

TEST_F(HighDpi, ThePenPreviewAndButtonPicturesAreDrawnForTheScreen)
{
    TForm& main = Window("frmZelvora");
    auto& preview = Part<TShape>(main, "Shape2");
    EXPECT_EQ(preview.Width(), MarkerWidthAtDpi(10, ExpectedDpi()));
    EXPECT_EQ(preview.Height(), MarkerWidthAtDpi(10, ExpectedDpi()));
    EXPECT_EQ(Part<TControl>(main, "lblSize").Caption(), "10 px") << "the label shows the size chosen";
    // The OK and Cancel pictures are drawn for the screen, not stretched.
    auto& ok = Part<TBitBtn>(Window("frmEditHotkey"), "btnOk");
    ASSERT_NE(ok.Glyph(), nullptr);
    EXPECT_EQ(ok.GlyphWidth(), ScaleToDpi(18, ExpectedDpi()));
    EXPECT_EQ(ok.Spacing(), ScaleToDpi(4, ExpectedDpi()));
}

TEST_F(HighDpi, TheTrayAndTheTitleBarGetPicturesDrawnAtTheirSize)
{
    // The notification area's icons are 16 px at 96 dpi and 24 at 144: the icon file has both.
    const int size = ScaleToDpi(16, ExpectedDpi());
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), size);
    TComponent* tray = nullptr;
    for (TComponent* component : Window("frmZelvora").Components())
        if (dynamic_cast<TCoolTrayIcon*>(component)) tray = component;
    ASSERT_NE(tray, nullptr);
    HICON icon = static_cast<TCoolTrayIcon*>(tray)->IconHandle();
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    // The icon resource holds a picture drawn for each size a screen asks for, up to 200 %.
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(module, L"MAINICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(directory, nullptr);
    const int count = directory[4] | (directory[5] << 8);
    std::vector<int> sides;
    for (int i = 0; i < count; ++i) sides.push_back(directory[6 + 14 * i]);  // 14-byte entries, width first
    EXPECT_EQ(sides, (std::vector<int>{16, 24, 32, 48}));
}

TEST_F(HighDpi, AWindowMovedToAScreenOfAnotherDpiTakesTheSuggestedPlaceAndScalesAgain)
{
    const int dpi = ExpectedDpi();
    TForm& main = Window("frmZelvora");
    const std::map<std::string, RECT> before = ControlRects(main);
    RECT fileItemBefore{};
    ASSERT_TRUE(GetMenuItemRect(main.Handle(), GetMenu(main.Handle()), 0, &fileItemBefore));
    RECT window{};
    GetWindowRect(main.Handle(), &window);
    const SIZE clientBefore = testing::ClientSize(main.Handle());

    // As the system moves a window dragged onto a 200 % screen: it asks the window for its size
    // there, then suggests a rectangle of that size.
    SIZE size{};
    ASSERT_TRUE(SendMessageW(main.Handle(), WM_GETDPISCALEDSIZE, 192, reinterpret_cast<LPARAM>(&size)));
    // At the top of the test screen: the window at 200 % fits its 768 rows there.
    RECT suggested{window.left - 40, 0, window.left - 40 + size.cx, size.cy};
    SendMessageW(main.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT moved{};
    GetWindowRect(main.Handle(), &moved);
    // The suggested place; the client area scaled (the frame is the system's), taller or shorter
    // by what the texts need at this size.
    EXPECT_EQ(moved.left, suggested.left);
    EXPECT_EQ(moved.top, suggested.top);
    EXPECT_NEAR(testing::ClientSize(main.Handle()).cx, ScaleBetweenDpi(clientBefore.cx, 192, dpi), 1);
    EXPECT_EQ(main.Dpi(), 192);
    for (const testing::ControlPlace& place : testing::kMainWindowLayout.Controls) {
        if (std::string(place.Name) == "Shape2") continue;  // centred at the pen's width, below
        SCOPED_TRACE(place.Name);
        const RECT r = testing::DescribeControl(Part<TControl>(main, place.Name)).Bounds;
        EXPECT_NEAR(r.left, ScaleToDpi(place.Left, 192), 2 * kNestedTolerance);
        EXPECT_NEAR(r.top, ScaleToDpi(place.Top, 192), 2 * kNestedTolerance);
        EXPECT_NEAR(r.right - r.left, ScaleToDpi(place.Width, 192), 2 * kNestedTolerance);
    }
    EXPECT_EQ(Part<TShape>(main, "Shape2").Width(), 20) << "a 10 px pen on a 200 % screen";
    RECT fileItem{};
    ASSERT_TRUE(GetMenuItemRect(main.Handle(), GetMenu(main.Handle()), 0, &fileItem));
    // Sizes the system kept would leave it as it was; the text grows, the item's margins do not.
    EXPECT_GT(fileItem.right - fileItem.left, fileItemBefore.right - fileItemBefore.left + 8)
        << "the menu bar's items are measured again";
    EXPECT_EQ(Part<TAdvPanel>(main, "pnlPen").Shade()->Height(), 40);
    EXPECT_EQ(Part<TAdvPanel>(main, "pnlPen").Caption().Font().Height(), -22);

    // And back: every control where it was.
    ASSERT_TRUE(SendMessageW(main.Handle(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
    RECT back{window.left, window.top, window.left + size.cx, window.top + size.cy};
    SendMessageW(main.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(main.Dpi(), dpi);
    const std::map<std::string, RECT> after = ControlRects(main);
    // Two roundings each way: a control's place, and the room a text above it took.
    for (const auto& [name, r] : before) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(after.at(name).left, r.left, 1);
        EXPECT_NEAR(after.at(name).top, r.top, kNestedTolerance);
        EXPECT_NEAR(after.at(name).right, r.right, 1);
        EXPECT_NEAR(after.at(name).bottom, r.bottom, kNestedTolerance);
    }
    const SIZE client = testing::ClientSize(main.Handle());
    EXPECT_NEAR(client.cx, clientBefore.cx, 1);
    EXPECT_NEAR(client.cy, clientBefore.cy, kNestedTolerance);
}

}  // namespace
}  // namespace zelvora
