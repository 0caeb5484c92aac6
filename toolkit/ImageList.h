// A list of equally sized images for menus; the program's menus name none of them.
#pragma once

#include "toolkit/Component.h"

namespace zelvora {

class TImageList : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TImageList", &TComponent::StaticClassInfo(),
                                     {IntegerProperty<TImageList>("Width", &TImageList::Width, &TImageList::SetWidth),
                                      IntegerProperty<TImageList>("Height", &TImageList::Height, &TImageList::SetHeight)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }

private:
    int width_ = 16, height_ = 16;
};

}  // namespace zelvora
