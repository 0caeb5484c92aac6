#include "engine/Hold.h"

#include <utility>

namespace zelvora {

void THold::Tick(const THoldTick& tick, IHoldActions& out)
{
    if (!tick.ChordHeld) {
        if (held_) End(tick, out);
        penAt_ = tick.Pointer;
        // Opened with a key of the chord still down, letters would come as system keys.
        if (textAt_ && !tick.ChordKeyDown) out.OpenText(*std::exchange(textAt_, std::nullopt));
        return;
    }
    if (!held_) Begin(tick.Now);
    const bool shapeBefore = shape_ != TDrawingShape::None;
    FollowKeys(tick, out);
    // A shape follows the pointer, not its path, and the path drawn free-hand begins once the
    // shape is kept.
    if (shape_ != TDrawingShape::None)
        out.PreviewShape(shape_, shapeFrom_, tick.Pointer);
    else if (!shapeBefore)
        DrawPath(tick, out);
}

void THold::Begin(std::uint32_t now)
{
    held_ = true;
    since_ = now;
    movedAt_ = now;
    curve_.Drop();
    rests_ = false;
    textAsked_ = false;
    shape_ = TDrawingShape::None;
    shapeKeysGoingUp_ = false;
}

void THold::End(const THoldTick& tick, IHoldActions& out)
{
    FinishCurve(out);
    FollowKeys(tick, out);
    if (shape_ != TDrawingShape::None) out.KeepShape();
    shape_ = TDrawingShape::None;
    held_ = false;
    if (tick.TextWanted) textAt_ = tick.Pointer;
    out.EndMark();
}

void THold::FollowKeys(const THoldTick& tick, IHoldActions& out)
{
    if (tick.TextWanted && !textAsked_) {
        textAsked_ = true;
        FinishCurve(out);
        DropMarkAtRest(tick, out);
        RestAt(tick.Pointer);
    }
    if (tick.ShapeKeyUp && shape_ != TDrawingShape::None) {
        // Kept as it is when one of its keys goes up.
        out.KeepShape();
        out.EndMark();
        shape_ = TDrawingShape::None;
        RestAt(tick.Pointer);
        shapeKeysGoingUp_ = tick.Shape != TDrawingShape::None;
        return;
    }
    if (shapeKeysGoingUp_) {
        shapeKeysGoingUp_ = tick.Shape != TDrawingShape::None;
        return;
    }
    if (tick.Shape == shape_) return;
    if (shape_ == TDrawingShape::None) {
        // A mark of its own, from where the pointer was when its keys went down.
        FinishCurve(out);
        shapeFrom_ = penAt_;
        DropMarkAtRest(tick, out);
        out.EndMark();
    }
    shape_ = tick.Shape;
}

void THold::DrawPath(const THoldTick& tick, IHoldActions& out)
{
    if (!tick.FreeHand) {
        // A frame for where the pointer is, not for every control it crossed on the way.
        const TPoint at = tick.Path.empty() ? tick.Pointer : tick.Path.back();
        if (rests_ && at == penAt_) return;
        rests_ = false;
        penAt_ = at;
        out.FrameAt(at);
        return;
    }
    std::vector<std::vector<TPointF>> curves;
    for (const TPoint to : tick.Path) {
        if (rests_ && to == penAt_) continue;
        rests_ = false;
        if (to == penAt_) continue;
        if (!curve_.Started()) curve_.Start(penAt_);
        curves.push_back(curve_.Add(to));
        penAt_ = to;
        movedAt_ = tick.Now;
    }
    if (!curves.empty()) {
        // The curve runs a position behind; the pen's tip shows where the pointer is now, first
        // (it is what the hand waits for), and the curve covers it when it gets there.
        out.DrawLine(penAt_, penAt_);
        for (const auto& curve : curves) Draw(curve, out);
        return;
    }
    if (rests_) return;
    // At rest: a dot where the pen went down, the curve drawn to its end once the hand stays.
    if (curve_.Started()) {
        if (static_cast<std::int32_t>(tick.Now - movedAt_) < static_cast<std::int32_t>(kCurveRestMs)) return;
        FinishCurve(out);
    }
    out.DrawLine(penAt_, penAt_);
}

void THold::Draw(std::span<const TPointF> curve, IHoldActions& out)
{
    if (curve.size() > 1) out.DrawCurve(curve);
}

void THold::FinishCurve(IHoldActions& out)
{
    Draw(curve_.Finish(), out);
}

void THold::DropMarkAtRest(const THoldTick& tick, IHoldActions& out) const
{
    const bool early =
        static_cast<std::int32_t>(tick.Now - since_) < static_cast<std::int32_t>(kStrayFrameMs);
    out.DropMarkAtRest(!tick.FreeHand && early);
}

void THold::RestAt(TPoint at)
{
    curve_.Drop();
    rests_ = true;
    penAt_ = at;
}

}  // namespace zelvora
