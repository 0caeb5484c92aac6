#include "look/win32/PictureEffects.h"

#include <vector>

#include "toolkit/win32/Canvas.h"

namespace zelvora {

void DrawPicture(TCanvas& target, const TPictureSource& source, TPoint at,
                 const std::function<TColor(TColor)>& look, std::optional<TColor> shadow)
{
    const int width = source.Area.Width(), height = source.Area.Height();
    if (width <= 0 || height <= 0) return;
    const TColor transparent = GetPixel(source.Dc, source.Area.Left, source.Area.Bottom - 1);
    std::vector<TColor> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] =
                GetPixel(source.Dc, source.Area.Left + x, source.Area.Top + y);

    if (shadow)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (pixels[static_cast<std::size_t>(y) * width + x] != transparent)
                    target.SetPixel(at.X + x + 2, at.Y + y + 2, *shadow);

    TColor lastIn = transparent, lastOut = transparent;
    bool haveLast = false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor pixel = pixels[static_cast<std::size_t>(y) * width + x];
            if (pixel == transparent) continue;
            if (!haveLast || pixel != lastIn) {
                lastIn = pixel;
                lastOut = look ? look(pixel) : pixel;
                haveLast = true;
            }
            target.SetPixel(at.X + x, at.Y + y, lastOut);
        }
}

}  // namespace zelvora
