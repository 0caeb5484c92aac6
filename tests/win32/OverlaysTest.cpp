// The presenter's pointer as windows, read back from outside: the laser's window grows with its
// trail and keeps it, never the size of a monitor; where the desktop is not composed, the
// spotlight's dim is a window in the shape of the screen less the hole and the marks, and follows
// the hole.
#include "engine/win32/OverlayPanes.h"
#include "engine/win32/PresenterPointer.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/win32/PictureWindow.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {
namespace {

class TNoKeys : public ISpotlightKeys {
public:
    void Follow(bool) override {}
    void TakeWheel(bool) override {}
    bool TakeEscape() override { return false; }
    int TakeWheelSteps() override { return 0; }
};

void Fill(const TPixelRows& picture, const TRect& area, std::uint32_t premultiplied)
{
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            picture.Bits[static_cast<std::size_t>(y - picture.Origin.Y) * picture.Width +
                         (x - picture.Origin.X)] = premultiplied;
}

// The shown parts of this thread's visible picture windows, in screen points.
std::vector<UniqueRegion> ShownRegions()
{
    std::vector<UniqueRegion> shown;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) noexcept -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (!IsWindowVisible(window) || std::wstring_view(name) != kInkLayerClass) return TRUE;
            UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
            RECT frame{};
            GetWindowRect(window, &frame);
            if (GetWindowRgn(window, region.get()) == ERROR)
                region.reset(CreateRectRgn(0, 0, frame.right - frame.left, frame.bottom - frame.top));
            OffsetRgn(region.get(), frame.left, frame.top);
            reinterpret_cast<std::vector<UniqueRegion>*>(list)->push_back(std::move(region));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

bool Dimmed(TPoint point)
{
    for (const UniqueRegion& region : ShownRegions())
        if (PtInRegion(region.get(), point.X, point.Y)) return true;
    return false;
}

TEST(Overlays, TheLasersWindowGrowsWithItsTrailKeepsWhatItShowsAndIsNoLargerThanItNeeds)
{
    const TRect screen = VirtualScreen();
    constexpr std::uint32_t kRed = 0xFFFF0000;
    TOverlayWindow window;
    const TRect first{screen.Left + 100, screen.Top + 100, screen.Left + 110, screen.Top + 110};
    ASSERT_TRUE(window.PaintMore(
        first, [&](const TPixelRows& picture, const TRect& area) { Fill(picture, area, kRed); }));
    const TRect small = window.Area();
    EXPECT_LT(static_cast<long long>(small.Width()) * small.Height(),
              static_cast<long long>(screen.Width()) * screen.Height() / 2)
        << "a window the size of the screen for a dot";

    // Far along: the window takes in both, and the first dot is still there.
    const TRect second{screen.Right - 60, screen.Bottom - 60, screen.Right - 50, screen.Bottom - 50};
    ASSERT_TRUE(window.PaintMore(
        second, [&](const TPixelRows& picture, const TRect& area) { Fill(picture, area, kRed); }));
    EXPECT_EQ(Union(window.Area(), Union(first, second)), window.Area());
    EXPECT_EQ(window.InkAt({first.Left + 5, first.Top + 5}), 0xFF0000u) << "the trail so far went";
    EXPECT_EQ(window.InkAt({second.Left + 5, second.Top + 5}), 0xFF0000u);
    EXPECT_EQ(window.InkAt({first.Right + 20, first.Top + 5}), std::nullopt) << "painted where nothing was";
    window.Close();
    EXPECT_FALSE(window.Open());
}

TEST(Overlays, WithoutAlphaTheDimHasTheShapeOfTheScreenLessTheHoleAndTheMarksAndFollowsTheHole)
{
    SetEnvironmentVariableW(L"ZELVORA_INK_ALPHA", L"0");
    const TRect screen = VirtualScreen();
    TMarkHistory marks;
    TMarkPiece line;
    line.Pen = {10, 0x0080FF, false};
    line.From = {screen.Left + 500, screen.Top + 500};
    line.To = {screen.Left + 700, screen.Top + 500};
    marks.AddPiece(line);
    marks.EndMark();
    TNoKeys keys;
    {
        TPresenterPointer pointer(marks, keys);
        TPresenterTick tick;
        tick.Dpi = 96;
        tick.Pointer = {screen.Left + 200, screen.Top + 200};
        pointer.ToggleSpotlight();
        pointer.Tick(tick);
        EXPECT_FALSE(Dimmed(tick.Pointer)) << "the hole";
        EXPECT_FALSE(Dimmed({tick.Pointer.X + 100, tick.Pointer.Y})) << "inside the 120 px circle";
        EXPECT_TRUE(Dimmed({tick.Pointer.X + 130, tick.Pointer.Y})) << "outside it";
        EXPECT_FALSE(Dimmed({screen.Left + 600, screen.Top + 500})) << "the mark";
        EXPECT_TRUE(Dimmed({screen.Left + 600, screen.Top + 520})) << "beside the mark";

        const TPoint before = tick.Pointer;
        tick.Pointer = {screen.Left + 260, screen.Top + 230};
        pointer.Tick(tick);
        EXPECT_FALSE(Dimmed(tick.Pointer));
        EXPECT_TRUE(Dimmed({before.X - 90, before.Y})) << "where the hole was";
        EXPECT_FALSE(Dimmed({screen.Left + 600, screen.Top + 500})) << "the mark, after the move";
        pointer.ToggleSpotlight();
        EXPECT_TRUE(ShownRegions().empty()) << "the dim stayed";
    }
    SetEnvironmentVariableW(L"ZELVORA_INK_ALPHA", nullptr);
}

}  // namespace
}  // namespace zelvora
