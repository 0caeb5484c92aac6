// One hold of the paint shortcut, tick by tick: what the pen, the shape keys and T ask for, turned
// into actions a drawing surface carries out. Keys and pointer come in as the hook saw them; no
// window, no clock of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/Geometry.h"
#include "engine/DrawingKeys.h"
#include "engine/StrokeCurve.h"

namespace zelvora {

// What the marking loop saw in one tick.
struct THoldTick {
    std::uint32_t Now = 0;  // milliseconds of the system's clock, which wraps
    bool ChordHeld = false;
    // Some key of the chord is still down (a text waits until all are up).
    bool ChordKeyDown = false;
    bool FreeHand = true;
    TPoint Pointer;
    // Every position the pointer passed since the last tick, the newest last.
    std::vector<TPoint> Path;
    TDrawingShape Shape = TDrawingShape::None;
    bool ShapeKeyUp = false;
    bool TextWanted = false;
};

class IHoldActions {
public:
    // A dot where the pen rests or where its tip is, or a straight line.
    virtual void DrawLine(TPoint from, TPoint to) = 0;
    // A piece of a free-hand curve, through every point in order.
    virtual void DrawCurve(std::span<const TPointF> points) = 0;
    virtual void FrameAt(TPoint at) = 0;
    // The shape as it would be kept now; shown in place of the one before.
    virtual void PreviewShape(TDrawingShape shape, TPoint from, TPoint to) = 0;
    // The shape last previewed becomes a mark.
    virtual void KeepShape() = 0;
    // The mark being drawn, when it is only a dot where the pen rested (or, with `frameToo`,
    // one frame), goes: a shape or a text takes its place.
    virtual void DropMarkAtRest(bool frameToo) = 0;
    virtual void EndMark() = 0;
    virtual void OpenText(TPoint at) = 0;

protected:
    ~IHoldActions() = default;
};

class THold {
public:
    // A frame drawn in control mode is what the person meant unless a shape key or T came this
    // soon after the hold began, when it is the frame the pen made on the way.
    static constexpr std::uint32_t kStrayFrameMs = 300;
    // A curve waits for the position after its last one; a pointer at rest this long draws it
    // to the end.
    static constexpr std::uint32_t kCurveRestMs = 100;

    void Tick(const THoldTick& tick, IHoldActions& out);
    bool Held() const { return held_; }
    // A text was asked for and opens once the chord's keys are up.
    bool TextWaiting() const { return textAt_.has_value(); }
    // After a shape, once a text is asked for, or after a shortcut ran during the hold, the pen
    // at rest draws nothing (a dot would be a mark of its own) until the pointer moves.
    void RestAt(TPoint at);

private:
    void Begin(std::uint32_t now);
    void End(const THoldTick& tick, IHoldActions& out);
    void FollowKeys(const THoldTick& tick, IHoldActions& out);
    void DrawPath(const THoldTick& tick, IHoldActions& out);
    void DropMarkAtRest(const THoldTick& tick, IHoldActions& out) const;
    static void Draw(std::span<const TPointF> curve, IHoldActions& out);
    void FinishCurve(IHoldActions& out);

    bool held_ = false;
    std::uint32_t since_ = 0;
    TPoint penAt_;
    TStrokeCurve curve_;
    std::uint32_t movedAt_ = 0;
    bool rests_ = false;
    bool textAsked_ = false;
    std::optional<TPoint> textAt_;
    TDrawingShape shape_ = TDrawingShape::None;
    TPoint shapeFrom_;
    // A shape was kept by one of its keys going up; the next waits until all are up.
    bool shapeKeysGoingUp_ = false;
};

}  // namespace zelvora
