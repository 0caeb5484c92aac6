// Caption and body texts are data: any markup laid out, measured and painted must neither
// crash nor hang; measuring and painting agree on the height, and a hit lies in the anchor it
// reports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/MiniHtml.h"

namespace {

class CountingCanvas : public zelvora::IHtmlCanvas {
public:
    zelvora::THtmlSize TextExtent(const std::string& text, const zelvora::THtmlFont& font) override
    {
        const int size = font.Size > 0 && font.Size < 1000 ? font.Size : 8;
        return {static_cast<int>(text.size()) * size * 3 / 4, size * 7 / 4};
    }
    void DrawText(int, int, const std::string& text, const zelvora::THtmlFont&, zelvora::TColor) override
    {
        drawn += text.size();
    }
    void FillRect(const zelvora::TRect&, zelvora::TColor) override {}
    void Line(int, int, int, int, zelvora::TColor) override {}
    std::optional<zelvora::THtmlSize> PictureSize(const std::string& source) override
    {
        if (source.empty()) return std::nullopt;
        return zelvora::THtmlSize{static_cast<int>(source.size()), 16};
    }
    void DrawPicture(const std::string&, const zelvora::TRect&) override {}
    std::size_t drawn = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    zelvora::THtmlOptions options;
    options.WordWrap = data[0] & 1;
    options.HitTest = true;
    options.HitX = data[1] % 200;
    options.HitY = data[1] / 8;
    CountingCanvas canvas;
    const int width = 1 + data[0] % 250;
    const zelvora::TRect rect{0, 0, width, 40};
    const auto measured = zelvora::DrawMiniHtml(canvas, text, rect, zelvora::THtmlMode::Measure, options, {});
    const auto painted = zelvora::DrawMiniHtml(canvas, text, rect, zelvora::THtmlMode::Paint, options, {});
    (void)zelvora::DrawMiniHtml(canvas, text, rect, zelvora::THtmlMode::FirstPass, options, {});
    if (measured.Height != painted.Height) std::abort();
    for (const auto& result : {measured, painted}) {
        if (!result.OnAnchor) continue;
        const zelvora::TRect& anchor = result.AnchorRect;
        if (options.HitX < anchor.Left || options.HitX >= anchor.Right || options.HitY < anchor.Top ||
            options.HitY >= anchor.Bottom)
            std::abort();  // a hit outside the anchor it names
    }
    return 0;
}
