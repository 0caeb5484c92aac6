// An icon of the program's resources, drawn at the size it was loaded at.
#pragma once

#include "toolkit/win32/Canvas.h"

namespace zelvora {

class TIcon {
public:
    // An icon of the program's resources at the given size; empty when there is none.
    TIcon(const char* resourceName, int size);
    HICON Handle() const { return icon_.get(); }
    void Draw(TCanvas& target, int x, int y) const;

private:
    int size_;
    UniqueIcon icon_;
};

}  // namespace zelvora
