// One hold of the paint shortcut, tick by tick, as the actions it asks of the surface.
#include "engine/Hold.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zelvora {
namespace {

class Recorder : public IHoldActions {
public:
    void DrawLine(TPoint from, TPoint to) override { Log() << "line " << Text(from) << "-" << Text(to); }
    // A curve by its ends.
    void DrawCurve(std::span<const TPointF> points) override
    {
        const auto end = [](TPointF p) { return TPoint{static_cast<int>(p.X), static_cast<int>(p.Y)}; };
        Log() << "curve " << Text(end(points.front())) << "-" << Text(end(points.back()));
    }
    void FrameAt(TPoint at) override { Log() << "frame " << Text(at); }
    void PreviewShape(TDrawingShape shape, TPoint from, TPoint to) override
    {
        Log() << "preview " << static_cast<int>(shape) << " " << Text(from) << "-" << Text(to);
    }
    void KeepShape() override { Log() << "keep"; }
    void DropMarkAtRest(bool frameToo) override { Log() << (frameToo ? "drop dot or frame" : "drop dot"); }
    void EndMark() override { Log() << "end"; }
    void OpenText(TPoint at) override { Log() << "text " << Text(at); }

    // The actions since the last call, one a line.
    std::string Take() { return std::exchange(log_, {}).str(); }

private:
    static std::string Text(TPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }
    std::ostringstream& Log()
    {
        if (log_.tellp() > 0) log_ << "; ";
        return log_;
    }
    std::ostringstream log_;
};

struct Ticks {
    THold hold;
    Recorder out;
    THoldTick tick;

    std::string At(TPoint pointer, std::vector<TPoint> path = {}, std::uint32_t after = 10)
    {
        tick.Now += after;
        tick.Pointer = pointer;
        tick.Path = path.empty() ? std::vector<TPoint>{pointer} : std::move(path);
        hold.Tick(tick, out);
        tick.ShapeKeyUp = false;
        return out.Take();
    }
};

TEST(Hold, FreeHandThroughThePathAShapeInPlaceOfTheDotAndTheTextWhereTheChordWentUp)
{
    Ticks t;
    t.tick.Now = 0xFFFFFFF0u;  // the clock wraps during the hold
    EXPECT_EQ(t.At({10, 10}), "");
    t.tick.ChordHeld = true;
    EXPECT_EQ(t.At({10, 10}), "line 10,10-10,10") << "a dot where the pen went down";
    // The curve runs a position behind: a piece is known once the position after it is. The
    // pen's tip shows at once, first.
    EXPECT_EQ(t.At({40, 10}, {{20, 30}, {40, 10}}), "line 40,10-40,10; curve 10,10-20,30");
    EXPECT_EQ(t.At({40, 10}), "") << "a hand at rest for a moment";
    EXPECT_EQ(t.At({40, 10}, {}, THold::kCurveRestMs), "curve 20,30-40,10; line 40,10-40,10")
        << "at rest for good: the curve to its end";
    EXPECT_EQ(t.At({50, 10}), "line 50,10-50,10");
    EXPECT_EQ(t.At({60, 20}), "line 60,20-60,20; curve 40,10-50,10");

    // Ctrl: a rectangle from where the pointer was, following the pointer, not its path; the
    // curve first goes to its end.
    t.tick.Shape = TDrawingShape::Rectangle;
    EXPECT_EQ(t.At({60, 50}, {{90, 0}, {60, 50}}), "curve 50,10-60,20; drop dot; end; preview 2 60,20-60,50");
    EXPECT_EQ(t.At({70, 60}), "preview 2 60,20-70,60");
    // Ctrl+Shift, then Shift goes up: the arrow is kept; Ctrl is still down, and no shape
    // follows until it goes up too; the pen rests where the shape ended.
    t.tick.Shape = TDrawingShape::Arrow;
    EXPECT_EQ(t.At({70, 60}), "preview 4 60,20-70,60");
    t.tick.Shape = TDrawingShape::Rectangle;
    t.tick.ShapeKeyUp = true;
    EXPECT_EQ(t.At({70, 60}), "keep; end");
    EXPECT_EQ(t.At({70, 60}), "");
    t.tick.Shape = TDrawingShape::None;
    t.tick.ShapeKeyUp = true;
    EXPECT_EQ(t.At({70, 60}), "") << "a dot at rest after the shape";
    EXPECT_EQ(t.At({80, 60}), "line 80,60-80,60");

    // T: the curve goes to its end and the pen rests; released with Alt still down, the text
    // opens once it is up.
    t.tick.TextWanted = true;
    EXPECT_EQ(t.At({80, 60}), "curve 70,60-80,60; drop dot");
    EXPECT_EQ(t.At({80, 60}), "");
    t.tick.ChordHeld = false;
    t.tick.ChordKeyDown = true;
    EXPECT_EQ(t.At({90, 70}), "end");
    EXPECT_TRUE(t.hold.TextWaiting());
    t.tick.TextWanted = false;
    EXPECT_EQ(t.At({95, 75}), "");
    t.tick.ChordKeyDown = false;
    EXPECT_EQ(t.At({99, 75}), "text 90,70");
    EXPECT_FALSE(t.hold.TextWaiting());

    // A shape still pulled when the chord goes up is kept.
    t.tick.ChordHeld = true;
    t.At({0, 0});
    t.tick.Shape = TDrawingShape::Ellipse;
    EXPECT_EQ(t.At({5, 5}), "curve 99,75-0,0; drop dot; end; preview 3 0,0-5,5");
    t.tick.ChordHeld = false;
    EXPECT_EQ(t.At({5, 5}), "keep; end");
}

TEST(Hold, ControlModeFramesWhereThePointerIsAndKeepsAFrameUnlessAKeyCameRightAway)
{
    Ticks t;
    t.tick.FreeHand = false;
    t.At({0, 0});
    t.tick.ChordHeld = true;
    EXPECT_EQ(t.At({10, 10}, {{300, 300}, {200, 0}, {10, 10}}), "frame 10,10")
        << "only the control under the tick's last position";
    t.tick.Shape = TDrawingShape::Line;
    EXPECT_EQ(t.At({20, 20}, {}, 100), "drop dot or frame; end; preview 1 10,10-20,20")
        << "a shape key right after the chord: the frame was the pen's way there";
    t.tick.ChordHeld = false;
    t.tick.Shape = TDrawingShape::None;
    t.At({20, 20});

    t.tick.ChordHeld = true;
    EXPECT_EQ(t.At({30, 30}), "frame 30,30");
    EXPECT_EQ(t.At({30, 30}, {}, THold::kStrayFrameMs), "frame 30,30");
    t.tick.TextWanted = true;
    EXPECT_EQ(t.At({30, 30}), "drop dot") << "a frame the person held on to stays";
}

}  // namespace
}  // namespace zelvora
