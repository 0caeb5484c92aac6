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
    rests_ = false;
    textAsked_ = false;
    shape_ = TDrawingShape::None;
    shapeKeysGoingUp_ = false;
}

void THold::End(const THoldTick& tick, IHoldActions& out)
{
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
    for (const TPoint to : tick.Path) {
        if (rests_ && to == penAt_) continue;
        rests_ = false;
        out.DrawLine(std::exchange(penAt_, to), to);
    }
}

void THold::DropMarkAtRest(const THoldTick& tick, IHoldActions& out) const
{
    const bool early =
        static_cast<std::int32_t>(tick.Now - since_) < static_cast<std::int32_t>(kStrayFrameMs);
    out.DropMarkAtRest(!tick.FreeHand && early);
}

void THold::RestAt(TPoint at)
{
    rests_ = true;
    penAt_ = at;
}

}  // namespace zelvora
