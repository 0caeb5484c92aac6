#include "toolkit/win32/Image.h"

#include "base/DpiScaling.h"
#include "toolkit/win32/Bitmap.h"

namespace zelvora {

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TImage::StaticClassInfo()
{
    static const TClassInfo info("TImage", &TControl::StaticClassInfo(),
                                 {StringProperty<TImage>("Picture", &TImage::Picture, &TImage::SetPicture)});
    return info;
}

void TImage::SetPicture(const std::string& resourceName)
{
    picture_ = resourceName;
    bitmap_ = LoadResourceBitmap(resourceName, LR_CREATEDIBSECTION);
    if (!resourceName.empty() && !bitmap_) throw std::runtime_error("No picture " + resourceName);
    Invalidate();
}

void TImage::AssignPicture(const TImage& source)
{
    picture_ = source.picture_;
    bitmap_ = CopyBitmap(source.bitmap_.get());
    Invalidate();
}

void TImage::Paint(HDC dc)
{
    if (!bitmap_) return;
    BITMAP info{};
    GetObjectA(bitmap_.get(), sizeof info, &info);
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject picture(memory.get(), bitmap_.get());
    if (Dpi() == kDesignDpi) {
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
        return;
    }
    // Halftone averages the source pixels each target pixel covers: no jagged steps.
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchBlt(dc, 0, 0, ScaleToDpi(info.bmWidth, Dpi()), ScaleToDpi(info.bmHeight, Dpi()), memory.get(), 0,
               0, info.bmWidth, info.bmHeight, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

}  // namespace zelvora
