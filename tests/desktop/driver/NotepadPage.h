// Notepad's page as the paper the desktop tests draw on: strokes with a chord held, and what
// they leave on the screen.
#pragma once

#include <string>
#include <vector>

#include "ZelvoraSession.h"

namespace zelvora::desktop {

class NotepadPage {
public:
    explicit NotepadPage(WineDesktop& desktop) : desktop_(desktop), edit_(desktop.NotepadEdit()) {}
    // Another Notepad's page, by its edit control.
    NotepadPage(WineDesktop& desktop, const ScreenRect& edit) : desktop_(desktop), edit_(edit) {}

    const ScreenRect& Edit() const { return edit_; }
    Image Grab() { return desktop_.Screen().Grab(edit_.Left, edit_.Top, edit_.Width(), edit_.Height()); }

    // A stroke through the lower part of the page, away from its text.
    Point StrokeStart(int dy = 0) const { return {edit_.Left + 60, edit_.Top + 200 + dy}; }
    std::vector<Point> Stroke(int dy = 0) const
    {
        return StraightPath(StrokeStart(dy), {edit_.Left + 360, edit_.Top + 200 + dy}, 10);
    }

    // Puts the invisible pen at a point and lets idle ticks pass before a chord goes down.
    void RestPointerAt(Point p);
    // Holds the chord and draws the stroke; false when a point stayed without `color`.
    bool DrawStroke(const std::vector<const char*>& chord, int dy = 0, std::uint32_t color = kMarkerOrange);
    // Holds the chord while the pointer crosses the page; returns how many pixels changed in the
    // band the stroke crosses.
    int ChangedByStroke(const std::vector<const char*>& chord, int dy = 0);
    // Holds the chord over the page and waits for control mode's frame, a `penWidth` pen around
    // the page grown by it: proof that the program has taken a switch to that mode.
    bool ChordFramesThePage(const std::vector<const char*>& chord, int penWidth);
    // Holds the chord over the page, which control mode fills with the transparent pen, and counts
    // the page's pixels that are not what was there ANDed with the pen; -1 when the page had no
    // text to see through or no fill came.
    int PixelsNotAndedByFill(const std::vector<const char*>& chord, std::uint32_t pen = kMarkerOrange);

    // Saves the expected picture and the screen as they are now, for a failure's reader.
    void KeepForInspection(const std::string& name, const Image& expected);

private:
    WineDesktop& desktop_;
    ScreenRect edit_;
};

// How many pixels of column x, around row y, have the colour: the width of a level stroke.
int StrokeWidthAt(const Image& image, int x, int y, std::uint32_t color = kMarkerOrange);

}  // namespace zelvora::desktop
