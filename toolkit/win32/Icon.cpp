#include "toolkit/win32/Icon.h"

namespace zelvora {

TIcon::TIcon(const char* resourceName, int size)
    : size_(size),
      icon_(
          static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), resourceName, IMAGE_ICON, size, size, 0)))
{
}

void TIcon::Draw(TCanvas& target, int x, int y) const
{
    if (icon_) DrawIconEx(target.Handle(), x, y, icon_.get(), size_, size_, 0, nullptr, DI_NORMAL);
}

}  // namespace zelvora
