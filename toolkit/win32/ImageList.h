// A list of equally sized images, drawn by index (menus and mini-HTML "IDX:" pictures).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "toolkit/Component.h"

namespace zelvora {

class TImageList : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int Width() const { return width_; }
    void SetWidth(int width);
    int Height() const { return height_; }
    void SetHeight(int height);

    // Adds a copy of a bitmap of the list's size; pixels of `mask` (a colour) are transparent.
    void Add(HBITMAP bitmap, COLORREF mask = CLR_NONE);
    int Count() const;
    void Draw(HDC dc, int x, int y, int index) const;
    // A new icon made of image `index`; the caller destroys it. Null without that image.
    HICON Icon(int index) const;

private:
    struct Destroyer {
        void operator()(_IMAGELIST* list) const { ImageList_Destroy(list); }
    };
    int width_ = 16, height_ = 16;
    std::unique_ptr<_IMAGELIST, Destroyer> list_;
};

}  // namespace zelvora
