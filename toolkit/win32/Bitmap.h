// An off-screen picture with a canvas of its own.
#pragma once

#include <memory>
#include <string>
#include "toolkit/win32/Canvas.h"

namespace zelvora {

// A bitmap of the program's resources; empty for an empty name or when there is none.
UniqueBitmap LoadResourceBitmap(const std::string& name, UINT flags = 0);
// A copy of `source` as a DIB section; empty for none.
UniqueBitmap CopyBitmap(HBITMAP source);

class TBitmap {
public:
    TBitmap(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Handle() const { return bitmap_.get(); }
    TCanvas& Canvas() { return *canvas_; }
    // Copies the picture onto another canvas with its top-left corner at (x, y).
    void Draw(TCanvas& target, int x, int y) const;

private:
    int width_, height_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    std::unique_ptr<SelectedObject> selected_;
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace zelvora
