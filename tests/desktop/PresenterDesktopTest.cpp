// The presenter's pointer on a real (Wine) desktop: the laser held over Notepad and gone after
// its fade, the spotlight's hole and dim in both modes, the ring that shows the pen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "InkDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kPresenterFolder[] = "presenter";
const std::vector<const char*> kLaserChord{"Alt_L", "6"};
const std::vector<const char*> kSpotlightChord{"Alt_L", "7"};
const std::vector<const char*> kModeChord{"Alt_L", "3"};

// The laser's red: full red, green and blue alike (its light core), never the page's white.
bool LaserRed(std::uint32_t pixel)
{
    const unsigned r = pixel & 0xFF, g = (pixel >> 8) & 0xFF, b = (pixel >> 16) & 0xFF;
    return r >= 200 && g == b && g < 230;
}

int CountLaserRed(const Image& image)
{
    int red = 0;
    for (const std::uint32_t pixel : image.Pixels) red += LaserRed(pixel);
    return red;
}

class PresenterPointer : public InkDesktop<kPresenterFolder> {
protected:
    // Pixels of `now` that should equal `before` but do not, and that should be dimmed but are not.
    struct TSpotlightCheck {
        int LitWrong = 0, Lit = 0, DimWrong = 0, Dim = 0;
    };
    template <typename TInside, typename TOutside>
    static TSpotlightCheck CheckSpotlight(const Image& before, const Image& now, TInside inside,
                                          TOutside outside)
    {
        TSpotlightCheck check;
        for (int y = 0; y < now.Height; ++y)
            for (int x = 0; x < now.Width; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * now.Width + x;
                const int sx = now.Left + x, sy = now.Top + y;
                if (inside(sx, sy)) {
                    ++check.Lit;
                    check.LitWrong += now.Pixels[i] != before.Pixels[i];
                } else if (outside(sx, sy)) {
                    ++check.Dim;
                    check.DimWrong += !Dimmed(before.Pixels[i], now.Pixels[i]);
                }
            }
        return check;
    }
    Image Window() { return screen_.Grab(edit_.Left - 10, edit_.Top - 60, 520, 380); }
    bool WaitForDim(Point far)
    {
        return WaitUntil([&] { return screen_.Pixel(far.X, far.Y) != 0xFFFFFF; }, 5s);
    }
};

TEST_F(PresenterPointer, ALaserStrokeStaysWholeWhileHeldLeavesNothingAfterItsFadeAndIsNoMark)
{
    ZelvoraSession zelvora(desktop_);
    const Image clean = page_.Grab();  // Notepad inactive: no caret
    ASSERT_TRUE(page_.DrawStroke(kPaintChord));
    std::this_thread::sleep_for(300ms);
    const Image marked = page_.Grab();
    ASSERT_GT(CountDifferences(clean, marked), 0);

    const Point from{edit_.Left + 40, edit_.Top + 120}, to{edit_.Left + 320, edit_.Top + 60};
    page_.RestPointerAt({from.X - 4, from.Y});
    {
        HeldKeys laser(screen_, kLaserChord);
        MovePointerAlong(screen_, {{from.X - 2, from.Y}}, false);
        MovePointerAlong(screen_, StraightPath(from, to, 14), false);
        std::this_thread::sleep_for(300ms);
        // The beginning of the trail still shows at its end: a word stays readable.
        EXPECT_GT(CountLaserRed(screen_.Grab(from.X - 6, from.Y - 6, 24, 12)), 10)
            << "the trail's start faded";
        EXPECT_GT(CountLaserRed(screen_.Grab(to.X - 6, to.Y - 6, 12, 12)), 10) << "no dot at the pointer";
        EXPECT_GT(CountLaserRed(page_.Grab()), 280 * 3) << "no trail along the way";
    }
    if (!WaitUntil([&] { return CountDifferences(marked, page_.Grab()) == 0; }, 5s)) {
        ADD_FAILURE() << CountDifferences(marked, page_.Grab()) << " pixels of the laser left";
        page_.KeepForInspection("laser-left", marked);
    }
    PressChord(screen_, kUndoChord);
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(clean, page_.Grab()) == 0; }, 5s))
        << "Alt+4 did not take the stroke drawn before the laser";
}

TEST_F(PresenterPointer, TheSpotlightLightsACircleOrTheControlExactlyAndDimsTheRestButTheMarks)
{
    ZelvoraSession zelvora(desktop_);
    const Point centre{edit_.Left + 200, edit_.Top + 150}, far{edit_.Left + 480, edit_.Top + 300};
    const Image clean = Window();
    ASSERT_TRUE(page_.DrawStroke(kPaintChord));  // through the circle and out of it
    page_.RestPointerAt(centre);
    std::this_thread::sleep_for(300ms);
    const Image before = Window();
    const auto marked = [&](int x, int y) { return before.At(x, y) != clean.At(x, y); };
    PressChord(screen_, kSpotlightChord);
    ASSERT_TRUE(WaitForDim(far)) << "no dim";
    const double cx = centre.X + 0.5, cy = centre.Y + 0.5;
    TSpotlightCheck circle;
    WaitUntil(
        [&] {
            circle = CheckSpotlight(
                before, Window(),
                [&](int x, int y) {
                    return std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= 119 || before.At(x, y) == kMarkerOrange;
                },
                [&](int x, int y) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy) >= 124 && !marked(x, y); });
            return circle.LitWrong == 0 && circle.DimWrong == 0;
        },
        3s);
    EXPECT_GT(circle.Lit, 44000);
    EXPECT_EQ(circle.LitWrong, 0) << "the hole, or a mark, is not the screen";
    EXPECT_GT(circle.Dim, 100000);
    EXPECT_EQ(circle.DimWrong, 0) << "outside the hole not dimmed";
    // Ctrl+wheel away from the person: a tenth larger, 132 px.
    const Point rim{centre.X + 127, centre.Y};
    ASSERT_NE(screen_.Pixel(rim.X, rim.Y), before.At(rim.X, rim.Y));
    screen_.KeyDown("Control_L");
    screen_.Button(4, true);
    screen_.Button(4, false);
    screen_.KeyUp("Control_L");
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(rim.X, rim.Y) == before.At(rim.X, rim.Y); }, 5s))
        << "Ctrl+wheel did not widen the circle";

    // A picture of the screen shows it as it is without the spotlight, which then comes back.
    namespace fs = std::filesystem;
    fs::remove_all(fs::path(desktop_.PicturesDir()) / "Zelvora");
    const auto pictures = [&] { return FinishedPictures(desktop_.PicturesDir()); };
    PressChord(screen_, {"Alt_L", "5"});
    ASSERT_TRUE(WaitUntil([&] { return pictures().size() == 1; }, 10s, 100ms)) << "no picture";
    std::optional<Image> picture;
    ASSERT_TRUE(WaitUntil([&] { return (picture = ReadPng(pictures().front().string())).has_value(); }, 5s));
    int differences = 0;
    for (int y = before.Top; y < before.Top + before.Height; ++y)
        for (int x = before.Left; x < before.Left + before.Width; ++x)
            differences += picture->At(x, y) != before.At(x, y);
    EXPECT_EQ(differences, 0) << "the spotlight is in the picture";
    EXPECT_TRUE(WaitForDim(far)) << "the spotlight did not come back after the picture";
    screen_.Tap("Escape");
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(before, Window()) == 0; }, 5s))
        << "Esc left a dim, or the mark did not come back";
    PressChord(screen_, kUndoChord);
    ASSERT_TRUE(WaitUntil([&] { return CountDifferences(clean, Window()) == 0; }, 5s));

    // Control mode: the hole is Notepad's page, the control a frame would go round.
    PressChord(screen_, kModeChord);
    std::this_thread::sleep_for(300ms);
    const Image controlBefore = Window();
    PressChord(screen_, kSpotlightChord);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return screen_.Pixel(edit_.Left - 8, edit_.Top - 40) !=
                   controlBefore.At(edit_.Left - 8, edit_.Top - 40);
        },
        5s))
        << "no dim around the control";
    std::this_thread::sleep_for(200ms);
    const auto box = CheckSpotlight(
        controlBefore, Window(),
        [&](int x, int y) {
            return x >= edit_.Left && x < edit_.Right && y >= edit_.Top && y < edit_.Bottom;
        },
        [&](int x, int y) {
            return x < edit_.Left - 6 || x >= edit_.Right + 6 || y < edit_.Top - 6 || y >= edit_.Bottom + 6;
        });
    EXPECT_GT(box.Lit, 100000);
    EXPECT_EQ(box.LitWrong, 0) << "the control's rectangle is not the screen";
    EXPECT_GT(box.Dim, 10000);
    EXPECT_EQ(box.DimWrong, 0) << "outside the control not dimmed";
    PressChord(screen_, kSpotlightChord);
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(controlBefore, Window()) == 0; }, 5s))
        << "the shortcut again left a dim";
    PressChord(screen_, kModeChord);

    // It takes no clicks: one on the page under the dim reaches Notepad.
    PressChord(screen_, kSpotlightChord);
    ASSERT_TRUE(WaitForDim(far));
    EXPECT_EQ(Foreground().find("Notepad"), std::string::npos);
    screen_.Click(edit_.Left + 420, edit_.Top + 300);
    EXPECT_TRUE(WaitUntil([&] { return Foreground().find("Notepad") != std::string::npos; }, 5s))
        << "the click did not reach Notepad: " << Foreground();
    PressChord(screen_, kSpotlightChord);
}

unsigned Alpha(std::uint32_t pixel)
{
    return pixel >> 24;
}

// The ring's width: how many columns it spans, a partly covered one counting as its share.
double RingWidth(const Image& pane)
{
    double width = 0;
    for (int x = 0; x < pane.Width; ++x) {
        unsigned most = 0;
        for (int y = 0; y < pane.Height; ++y)
            most = std::max(most, pane.Pixels[static_cast<std::size_t>(y) * pane.Width + x] >> 24);
        width += most / 255.0;
    }
    return width;
}

bool RingIn(const Image& pane, std::uint32_t colour)
{
    int found = 0;
    for (const std::uint32_t pixel : pane.Pixels) found += pixel >> 24 == 255 && (pixel & 0xFFFFFF) == colour;
    return found >= 8;
}

TEST_F(PresenterPointer, OnTheAlphaPathTheRingShowsThePenFollowsALetterAndTheWheelAndTheDimIsUntinted)
{
    desktop_.SetSetting("KeepMarks", 0);
    setenv("ZELVORA_INK_ALPHA", "1", 1);
    ZelvoraSession zelvora(desktop_);
    unsetenv("ZELVORA_INK_ALPHA");
    const Point at{edit_.Left + 200, edit_.Top + 150};
    page_.RestPointerAt(at);
    // The ring's window is as large as the ring: 13 x 13 around the pointer holds it whole.
    const auto pane = [&] { return screen_.GrabAlphaWindow(at.X + 1 - 6, at.Y - 6, 13, 13); };
    {
        HeldKeys chord(screen_, kPaintChord);
        MovePointerAlong(screen_, {{at.X + 1, at.Y}}, false);
        ASSERT_TRUE(WaitUntil([&] { return pane() && RingIn(*pane(), kMarkerOrange); }, 5s))
            << "no orange ring";
        EXPECT_NEAR(RingWidth(*pane()), 10, 1) << "not the pen's 10 px";
        PressChord(screen_, {"g"});
        EXPECT_TRUE(WaitUntil([&] { return pane() && RingIn(*pane(), 0x00A000); }, 5s))
            << "G did not make it green";
        screen_.Button(4, true);  // away from the person: wider
        screen_.Button(4, false);
        EXPECT_TRUE(WaitUntil(
            [&] {
                const auto p = pane();
                return p && std::abs(RingWidth(*p) - 12) <= 1;
            },
            5s))
            << "the wheel did not widen it";
    }

    // The spotlight's own pixels: clear in the hole, one untinted black all around it.
    const Point centre{at.X + 1, at.Y};
    PressChord(screen_, kSpotlightChord);
    std::optional<Image> dim;
    ASSERT_TRUE(WaitUntil(
        [&] {
            dim = screen_.GrabAlphaWindow(centre.X - 190, centre.Y - 140, 380, 280);
            return dim && Alpha(dim->At(centre.X - 185, centre.Y)) > 0;
        },
        5s))
        << "no dim with per-pixel alpha";
    std::set<std::uint32_t> outside;
    int litWrong = 0;
    for (int y = dim->Top; y < dim->Top + dim->Height; ++y)
        for (int x = dim->Left; x < dim->Left + dim->Width; ++x) {
            const double d = std::hypot(x - centre.X, y - centre.Y);
            if (d <= 119) litWrong += dim->At(x, y) != 0;
            if (d >= 124) outside.insert(dim->At(x, y));
        }
    EXPECT_EQ(litWrong, 0);
    ASSERT_EQ(outside.size(), 1u) << "the dim is not one colour";
    EXPECT_EQ(*outside.begin(), 0x99000000u) << "not untinted black at 60 %: the screen kept at 40 %";
    PressChord(screen_, kSpotlightChord);
}

}  // namespace
}  // namespace zelvora::desktop
