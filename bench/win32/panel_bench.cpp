// Costs of the caption panels, each as a ratio to a plain fill and blit of the same 205 x 20 band
// measured in the same run: building every shade type, laying out and painting one caption, and
// the number of shade rebuilds a hundred repaints cause.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "app/win32/ComponentClasses.h"
#include "app/win32/MainWindow.h"
#include "controls/win32/HtmlCanvas.h"
#include "toolkit/win32/Application.h"

using namespace zelvora;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWidth = 205, kHeight = 20;

double MicrosecondsPerCall(int calls, const std::function<void()>& work)
{
    work();  // warm up
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) work();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

}  // namespace

int main()
{
    WindowDc screen(nullptr, GetDC(nullptr));
    UniqueMemoryDc target(CreateCompatibleDC(screen.get()));
    UniqueBitmap targetBitmap(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    SelectedObject selectedTarget(target.get(), targetBitmap.get());
    UniqueMemoryDc source(CreateCompatibleDC(screen.get()));
    UniqueBitmap sourceBitmap(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    SelectedObject selectedSource(source.get(), sourceBitmap.get());
    UniqueBrush brush(CreateSolidBrush(RGB(1, 100, 202)));

    const double baseline = MicrosecondsPerCall(2000, [&] {
        const RECT band{0, 0, kWidth, kHeight};
        FillRect(source.get(), &band, brush.get());
        BitBlt(target.get(), 0, 0, kWidth, kHeight, source.get(), 0, 0, SRCCOPY);
    });
    std::printf("Plain FillRect + BitBlt of a %d x %d band: %.2f us (the unit below)\n", kWidth, kHeight,
                baseline);

    static const char* kNames[] = {"stNormal",   "stNoise",          "stDiagShade",     "stHShade",
                                   "stVShade",   "stHBump",          "stVBump",         "stSoftBump",
                                   "stHardBump", "stLMetal",         "stRMetal",        "stIRadial",
                                   "stORadial",  "stHShadeInv",      "stVShadeInv",     "stXPCaption",
                                   "stBitmap",   "stBitmapRStretch", "stBitmapLStretch"};
    std::printf("Building the shade, per type:\n");
    const TShadeRandom random = ClockSeededRandom();
    for (int type = 0; type < kShadeTypeCount; ++type) {
        const double us = MicrosecondsPerCall(200, [&] {
            const TShadeBitmap shade = BuildShade({13263873, 200, 32, type, kWidth, kHeight}, random);
            (void)shade;
        });
        std::printf("  %-17s %9.1f us  %7.1fx\n", kNames[type], us, us / baseline);
    }

    TGdiHtmlCanvas canvas(target.get());
    THtmlFont font;
    font.Name = "Arial";
    font.Style = kHtmlBold;
    font.Color = 98814;
    const double caption = MicrosecondsPerCall(500, [&] {
        DrawMiniHtml(canvas,
                     "<P align=\"center\">Stift und Fl\xE4"
                     "che</P>",
                     {0, 0, kWidth, kHeight}, THtmlMode::Paint, {}, font);
    });
    std::printf("Laying out and painting one caption: %.1f us  %.1fx\n", caption, caption / baseline);

    RegisterComponentClasses();
    TApplication app;
    app.SetTitle("Zelvora");
    auto& main = app.CreateForm<TfrmZelvora>();
    main.Show();
    app.ProcessMessages();
    const int before = main.pnlDraw.ShadeBuilds();
    const double repaint = MicrosecondsPerCall(100, [&] {
        InvalidateRect(main.pnlDraw.Handle(), nullptr, TRUE);
        UpdateWindow(main.pnlDraw.Handle());
    });
    std::printf("Repainting a panel: %.1f us  %.1fx; shade rebuilds over 101 repaints: %d\n", repaint,
                repaint / baseline, main.pnlDraw.ShadeBuilds() - before);
    return 0;
}
