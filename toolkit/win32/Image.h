// A picture from the program's resources.
#pragma once

#include "toolkit/win32/GraphicControl.h"

namespace zelvora {

// Shows a bitmap from the program's resources from the top-left corner, at its own size on a
// 96-dpi screen and smoothly stretched on others.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Picture() const { return picture_; }
    void SetPicture(const std::string& resourceName);
    // Takes a copy of another image's bitmap.
    void AssignPicture(const TImage& source);
    HBITMAP Bitmap() const { return bitmap_.get(); }

protected:
    void Paint(HDC dc) override;

private:
    std::string picture_;
    UniqueBitmap bitmap_;
};

}  // namespace zelvora
