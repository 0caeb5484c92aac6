// Pointing without leaving marks: a laser whose trail fades after release, a spotlight that
// dims every monitor but a circle around the pointer or the control under it, and a ring in the
// pen's colour and width while the paint shortcut is held. None is a mark: nothing here enters
// the history, and nothing is left on the screen once it has gone.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>

#include "engine/LaserTrail.h"
#include "engine/MarkHistory.h"
#include "engine/MarkerDefaults.h"
#include "engine/PointerPictures.h"
#include "engine/SpotlightPainter.h"
#include "engine/win32/OverlayPanes.h"

namespace zelvora {

// What the marking loop saw this tick.
struct TPresenterTick {
    DWORD Now = 0;
    TPoint Pointer;
    bool LaserHeld = false;
    bool PaintHeld = false;
    TColor PenColor = 0;
    int PenWidth = 0;  // pixels of the monitor under the pointer
    int Dpi = 96;      // of that monitor
    bool FreeHand = true;
    bool Shift = false;
    // Marks drawn on the screen itself: a keyed window's pixels going clear make the windows
    // beneath repaint there, over the marks, so the ring (which would cut every stroke) stays off.
    bool MarksOnScreen = false;
};

// What the marking loop knows at a tick; the presenter asks the system for the rest, and only
// when something shows or is wanted.
struct TPresenterInput {
    TPoint Pointer;
    bool LaserHeld = false;
    bool PaintHeld = false;
    int MarkerSize = 0;  // at 96 dpi
    TColor PenColor = 0;
    bool FreeHand = true;
    bool MarksOnScreen = false;
};

// The spotlight's keys, from the keyboard and mouse hooks: Esc ends it, Ctrl+wheel sizes its
// circle, and neither reaches the window beneath.
class ISpotlightKeys {
public:
    virtual void Follow(bool on) = 0;
    // Ctrl+wheel is taken only while the circle follows the pointer.
    virtual void TakeWheel(bool take) = 0;
    // What came since the last call: Esc pressed; wheel steps with Ctrl (up positive).
    virtual bool TakeEscape() = 0;
    virtual int TakeWheelSteps() = 0;

protected:
    ~ISpotlightKeys() = default;
};

class TPresenterPointer {
public:
    // The laser's width and the spotlight's circle, at 96 dpi; the ring is never smaller.
    static constexpr double kLaserWidth = 6;
    static constexpr double kSpotlightRadius = 120, kMinSpotlightRadius = 40, kMaxSpotlightRadius = 600;
    static constexpr double kMinRingWidth = 6;
    static constexpr DWORD kFadeStepMs = 30;

    // The marks show undimmed in the spotlight.
    TPresenterPointer(const TMarkHistory& marks, ISpotlightKeys& keys) : marks_(marks), keys_(keys) {}
    TPresenterPointer(const TPresenterPointer&) = delete;
    TPresenterPointer& operator=(const TPresenterPointer&) = delete;

    void Tick(const TPresenterTick& tick);
    // The marking loop's tick: idle, nothing more is asked of the system.
    void Follow(const TPresenterInput& input);
    // Whether anything shows or waits to: the loop asks for the pointer's monitor only then.
    bool Active() const { return spotlight_ || laser_.Shown() || ringShown_; }
    bool SpotlightOn() const { return spotlight_; }
    // On from the next tick, around the pointer; off at once.
    void ToggleSpotlight();
    int LaserFadeMs() const { return fadeMs_; }
    void SetLaserFadeMs(int ms) { fadeMs_ = ms; }
    int SpotlightDim() const { return dim_; }
    void SetSpotlightDim(int percent);
    // Marks came or went in the area: the spotlight lights them as they are now.
    void MarksChanged(const TRect& area);
    void DisplayChanged();
    // The laser and the ring above windows that came to the top since (the ink layer's).
    void RaisePointer()
    {
        laserWindow_.Raise();
        ringWindow_.Raise();
    }
    // Out of sight while a picture of the screen is taken, and back.
    void Hide(bool hidden);
    bool Showing() const { return laserWindow_.Open() || spotlightPanes_.Open() || ringWindow_.Open(); }
    // The spotlight's pixels painted since the last call: what its ticks cost.
    std::uint64_t TakeSpotlightPixels() { return painter_.TakePixelsWritten(); }
    // Where the screen was covered and shows the windows beneath again since the last call: on
    // a desktop that is not composed they repaint there, and marks on the screen with them.
    TRect TakeUncovered() { return std::exchange(uncovered_, TRect{}); }

private:
    void FollowLaser(const TPresenterTick& tick);
    void LayLaserPoints(std::span<const TPointF> points);
    void FollowRing(const TPresenterTick& tick);
    void ClearPointer();
    void FollowSpotlight(const TPresenterTick& tick);
    TSpotlightHole HoleAt(const TPresenterTick& tick) const;
    // The dim over the area, every pixel of it.
    void PaintDim(const TRect& area);
    // The hole moved from `before`: only what changed.
    void MoveDim(const TSpotlightHole& before);
    // The keyed path: the dim's windows take the shape of the screen less the hole and the marks.
    void ShapeDim();
    // The marks lit in the dim, kept and brought up to date where they changed.
    void UpdateLit(const TRect& area);
    const TCoverage* Lit() const { return lit_.Empty() ? nullptr : &lit_; }
    // The dim's windows as opaque as the screen is to be darkened.
    std::uint8_t DimOpacity() const { return static_cast<std::uint8_t>(255 * (100 - dim_) / 100); }
    void Uncover(const TRect& area);

    const TMarkHistory& marks_;
    const bool alpha_ = InkWithAlpha();
    TRect uncovered_;
    TOverlayPanes spotlightPanes_;
    TOverlayWindow laserWindow_;  // made after the spotlight's panes: above them
    TOverlayWindow ringWindow_;
    TLaserTrail laser_;
    double laserWidth_ = kLaserWidth;
    int fadeMs_ = kDefaultLaserFadeMs;
    DWORD fadeStepAt_ = 0;
    struct TRing {
        TPointF Centre;
        double Diameter = 0;
        TColor Color = 0;
        bool operator==(const TRing&) const = default;
    };
    std::optional<TRing> ringShown_;
    bool spotlight_ = false;
    int dim_ = kDefaultSpotlightDim;
    double radius_ = kSpotlightRadius;    // at 96 dpi
    std::optional<TSpotlightHole> hole_;  // shown
    TSpotlightPainter painter_;
    TCoverage lit_;           // over the virtual screen, while marks show in the dim
    UniqueRegion litRegion_;  // the keyed path's: where the marks show through
    ISpotlightKeys& keys_;
};

}  // namespace zelvora
