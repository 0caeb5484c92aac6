#include "toolkit/win32/Bitmap.h"

namespace zelvora {

UniqueBitmap LoadResourceBitmap(const std::string& name, UINT flags)
{
    if (name.empty()) return {};
    return UniqueBitmap(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, flags)));
}

UniqueBitmap CopyBitmap(HBITMAP source)
{
    if (!source) return {};
    return UniqueBitmap(static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

TBitmap::TBitmap(int width, int height) : width_(width), height_(height)
{
    WindowDc screen(nullptr, GetDC(nullptr));
    dc_.reset(CreateCompatibleDC(screen.get()));
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
    selected_ = std::make_unique<SelectedObject>(dc_.get(), bitmap_.get());
    canvas_ = std::make_unique<TCanvas>(dc_.get());
}

void TBitmap::Draw(TCanvas& target, int x, int y) const
{
    BitBlt(target.Handle(), x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace zelvora
