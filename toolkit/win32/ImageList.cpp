#include "toolkit/win32/ImageList.h"

namespace zelvora {

const TClassInfo& TImageList::StaticClassInfo()
{
    static const TClassInfo info(
        "TImageList", &TComponent::StaticClassInfo(),
        {IntegerProperty<TImageList>("Width", &TImageList::Width, &TImageList::SetWidth),
         IntegerProperty<TImageList>("Height", &TImageList::Height, &TImageList::SetHeight)});
    return info;
}

// A new size empties the list, as its images no longer fit.
void TImageList::SetWidth(int width)
{
    width_ = width;
    list_.reset();
}

void TImageList::SetHeight(int height)
{
    height_ = height;
    list_.reset();
}

void TImageList::Add(HBITMAP bitmap, COLORREF mask)
{
    if (!list_) list_.reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4));
    if (!list_) return;
    if (mask == CLR_NONE)
        ImageList_Add(list_.get(), bitmap, nullptr);
    else
        ImageList_AddMasked(list_.get(), bitmap, mask);
}

int TImageList::Count() const
{
    return list_ ? ImageList_GetImageCount(list_.get()) : 0;
}

void TImageList::Draw(HDC dc, int x, int y, int index) const
{
    if (list_ && index >= 0 && index < Count()) ImageList_Draw(list_.get(), index, dc, x, y, ILD_NORMAL);
}

HICON TImageList::Icon(int index) const
{
    return list_ && index >= 0 && index < Count() ? ImageList_GetIcon(list_.get(), index, ILD_NORMAL)
                                                  : nullptr;
}

}  // namespace zelvora
