#include "NotepadPage.h"

#include <cstdio>
#include <thread>

#include "Wait.h"

namespace zelvora::desktop {

using namespace std::chrono_literals;

void NotepadPage::RestPointerAt(Point p)
{
    desktop_.Screen().MovePointer(p.X, p.Y);
    std::this_thread::sleep_for(80ms);
}

bool NotepadPage::DrawStroke(const std::vector<const char*>& chord, int dy, std::uint32_t color)
{
    X11Screen& screen = desktop_.Screen();
    const Point start = StrokeStart(dy);
    RestPointerAt(start);
    HeldKeys held(screen, chord);
    // Wine takes a moment to see the keys; a short first nudge waits for that.
    std::vector<Point> points{{start.X + 3, start.Y}};
    for (const Point& p : Stroke(dy)) points.push_back(p);
    bool marked = true;
    for (const Point& p : points) {
        screen.MovePointer(p.X, p.Y);
        marked = WaitUntil([&] { return screen.Pixel(p.X, p.Y) == color; }, 3s, 5ms) && marked;
    }
    return marked;
}

int NotepadPage::ChangedByStroke(const std::vector<const char*>& chord, int dy)
{
    // Only the band the stroke crosses: a window over the page may blink its caret meanwhile.
    constexpr int kReach = 15;
    const Point start = StrokeStart(dy), end = Stroke(dy).back();
    const auto band = [&] {
        return desktop_.Screen().Grab(start.X - kReach, start.Y - kReach, end.X - start.X + 2 * kReach,
                                      2 * kReach);
    };
    const Image before = band();
    RestPointerAt(start);
    {
        HeldKeys held(desktop_.Screen(), chord);
        MovePointerAlong(desktop_.Screen(), Stroke(dy), false);
        std::this_thread::sleep_for(100ms);
    }
    return CountDifferences(before, band());
}

bool NotepadPage::ChordFramesThePage(const std::vector<const char*>& chord, int penWidth)
{
    RestPointerAt({edit_.CentreX(), edit_.CentreY()});
    HeldKeys held(desktop_.Screen(), chord);
    return WaitUntil(
        [&] { return desktop_.Screen().Pixel(edit_.Left - penWidth, edit_.CentreY()) == kMarkerOrange; }, 5s);
}

int NotepadPage::PixelsNotAndedByFill(const std::vector<const char*>& chord, std::uint32_t pen)
{
    X11Screen& screen = desktop_.Screen();
    RestPointerAt({edit_.CentreX(), edit_.CentreY()});
    const Image clean = Grab();
    int white = 0, dark = 0;
    for (std::uint32_t pixel : clean.Pixels) white += pixel == 0xFFFFFF, dark += pixel == 0;
    if (white < 1000 || dark < 10) return -1;
    {
        HeldKeys held(screen, chord);
        if (!WaitUntil([&] { return screen.Pixel(edit_.CentreX(), edit_.CentreY()) == pen; }, 3s)) return -1;
    }
    // The box's centre comes first; a busy machine lays the rest a moment later.
    int wrong = 0;
    WaitUntil(
        [&] {
            const Image marked = Grab();
            wrong = 0;
            for (std::size_t i = 0; i < clean.Pixels.size(); ++i)
                wrong += marked.Pixels[i] != (clean.Pixels[i] & pen);
            return wrong == 0;
        },
        3s, 100ms);
    return wrong;
}

void NotepadPage::KeepForInspection(const std::string& name, const Image& expected)
{
    const std::string base = desktop_.WorkDir() + "/" + name;
    WritePng(expected, base + "-expected.png");
    WritePng(desktop_.Screen().GrabAll(), base + "-screen.png");
    std::printf("pictures: %s-expected.png, %s-screen.png\n", base.c_str(), base.c_str());
}

int StrokeWidthAt(const Image& image, int x, int y, std::uint32_t color)
{
    int width = 0;
    for (int row = y - 30; row <= y + 30; ++row)
        if (image.Contains(x, row) && image.At(x, row) == color) ++width;
    return width;
}

}  // namespace zelvora::desktop
