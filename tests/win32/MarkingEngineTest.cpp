// The marking engine on the ink layer, read back from the layer's pixels: marks the history's limits push out
// leave the layer, and a highlight over an older mark keeps no colour of it once it goes.
#include "engine/win32/MarkingEngine.h"

#include <gtest/gtest.h>

#include "engine/InkPixels.h"
#include "engine/MarkInk.h"
#include "engine/ShapePieces.h"
#include "engine/win32/PieceDrawing.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {
namespace {

struct TOptions final : IMarkingOptions {
    bool FreeHandMode() const override { return true; }
    bool Transparent() const override { return highlighter; }
    bool FloodFill() const override { return false; }
    bool highlighter = false;
};

constexpr TColor kOrange = 0x0080FF;

class MarkingEngineOnTheLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A white page of our own under the marks: whatever the display shows otherwise.
        WNDCLASSW page{};
        page.lpfnWndProc = DefWindowProcW;
        page.hInstance = GetModuleHandleW(nullptr);
        page.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        page.lpszClassName = L"ZelvoraTestPage";
        RegisterClassW(&page);
        page_.reset(CreateWindowExW(0, page.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500,
                                    nullptr, nullptr, page.hInstance, nullptr));
        UpdateWindow(page_.get());
        // The layer of the test before may still show where this one looks, until the windows
        // beneath have repainted: the ground is read from the screen.
        const DWORD deadline = GetTickCount() + 5000;
        while (!PageShows() && static_cast<int>(deadline - GetTickCount()) > 0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
        engine_.SetKeepMarks(true);
        engine_.SetMarkerColor(kOrange);
    }
    void TearDown() override { engine_.WipeMarks(); }
    static bool PageShows()
    {
        const HDC screen = GetDC(nullptr);
        bool white = true;
        for (const int y : {100, 140, 180, 300, 400})
            white = white && (GetPixel(screen, 200, y) & 0xFFFFFF) == 0xFFFFFF;
        ReleaseDC(nullptr, screen);
        return white;
    }
    void Stroke(int y, int fromX = 100, int toX = 300)
    {
        engine_.MovePenTo(fromX, y);
        engine_.DrawLineTo(toX, y);
        engine_.EndMark();
    }
    // What the layer shows at a point: its ink, or the screen (the white page) where it has none.
    std::uint32_t SeenAt(int x, int y) const { return engine_.InkLayer().InkAt({x, y}).value_or(0xFFFFFF); }

    UniqueWindow page_;
    TOptions options_;
    TMarkingEngine engine_{options_, 2};  // two marks at most
};

TEST_F(MarkingEngineOnTheLayer, AMarkTheLimitsPushOutLeavesTheLayerAsItLeavesTheHistory)
{
    for (int i = 0; i < 3; ++i) Stroke(100 + 40 * i);
    ASSERT_EQ(engine_.History().Marks().size(), 2u);
    EXPECT_EQ(SeenAt(200, 100), 0xFFFFFFu) << "the first mark's ink stayed on the layer";
    EXPECT_EQ(SeenAt(200, 140), PixelOf(kOrange));
    EXPECT_EQ(SeenAt(200, 180), PixelOf(kOrange));
}

TEST_F(MarkingEngineOnTheLayer, AHighlightOverAnOlderMarkShowsTheScreenOnceThatMarkGoes)
{
    engine_.SetMarkerColor(RgbOf(0, 0, 255));
    Stroke(300);
    engine_.SetMarkerColor(kOrange);
    options_.highlighter = true;
    Stroke(300, 150, 250);
    EXPECT_EQ(SeenAt(200, 300), 0u) << "blue under an orange highlighter is black";
    options_.highlighter = false;
    Stroke(400);  // the blue mark is pushed out; the highlight stays
    EXPECT_EQ(SeenAt(120, 300), 0xFFFFFFu) << "the blue mark stayed";
    EXPECT_EQ(SeenAt(200, 300), PixelOf(kOrange))
        << "the highlight kept the blue mark's colour, not the page's";
}

// On the screen as on the layer, the highlighter's letters are what lies beneath ANDed with the
// pen, not the pen itself, and their edges are smoothed in grey: partly covered pixels mix that
// with the ground, no colour fringes.
TEST(MarkingEngine, HighlighterLettersAreTheGroundAndedWithThePenSmoothedAtTheirEdges)
{
    constexpr int kWidth = 200, kHeight = 60;
    constexpr std::uint32_t kWhite = 0xFFFFFF, kGrey = 0x808080;
    const POINT size = MeasureText(L"Hallo", 10);
    const TMarkPiece text = TextPiece({10, 5}, L"Hallo", {10, kOrange, true}, size.x, size.y);
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) pixels[i] = i % kWidth < kWidth / 2 ? kWhite : kGrey;
    const std::vector<std::uint32_t> ground = pixels;
    const TRect area{0, 0, kWidth, kHeight};
    const TCoverage letters = PieceCoverage(text, area);
    TMarkInk(1, text.Pen).Lay(letters, {{pixels.data(), kWidth, kHeight, {0, 0}}, TInkPixels::Opaque}, area);
    const std::uint32_t pen = PixelOf(kOrange);
    int inked[2] = {}, smoothed = 0, wrong = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t under = ground[y * kWidth + x], now = pixels[y * kWidth + x];
            const unsigned covered = letters.At(x, y);
            if (covered == 255 && now == (under & pen))
                ++inked[x < kWidth / 2 ? 0 : 1];
            else if (covered > 0 && covered < 255 && now == MixPixels(under & pen, under, covered))
                ++smoothed;
            else if (covered != 0 || now != under)
                ++wrong;
        }
    EXPECT_GT(inked[0], 50) << "no letters over white";
    EXPECT_GT(inked[1], 50) << "no letters over grey";
    EXPECT_GT(smoothed, 50) << "letters without smooth edges";
    EXPECT_EQ(wrong, 0);
}

TEST(MarkingEngine, MarksVanishFromTheEngineThatKeepsThemAlsoWhereAnotherPolls)
{
    TOptions options;
    TMarkingEngine polling(options), keeping(options);
    polling.StartPollTimer();
    keeping.SetKeepMarks(true);
    keeping.MovePenTo(100, 100);
    keeping.DrawLineTo(200, 100);
    keeping.EndMark();
    keeping.SetVanishSeconds(2);
    const DWORD until = GetTickCount() + 10000;
    MSG msg;
    while (!keeping.History().Marks().empty() && static_cast<LONG>(GetTickCount() - until) < 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    EXPECT_TRUE(keeping.History().Marks().empty()) << "the mark never vanished";
    EXPECT_TRUE(keeping.InkLayer().Panes().empty()) << "its layer stayed";
    polling.StopPollTimer();
}

TEST(MarkingEngine, ALayerThatCannotBeMadeIsReportedOnceAndTheScreenStandsInUntilTheDisplayChanges)
{
    TOptions options;
    TMarkingEngine engine(options, TMarkHistory::kMaxMarks, TMarkHistory::kMaxBytes, 100);  // no screen fits
    int reports = 0;
    engine.OnLayerFailed = [&] { ++reports; };
    engine.SetKeepMarks(true);
    for (int y : {100, 140, 180}) {
        engine.MovePenTo(100, y);
        engine.DrawLineTo(200, y);
        engine.EndMark();
    }
    EXPECT_EQ(reports, 1) << "said more than once, or never";
    EXPECT_FALSE(engine.DrawsOnLayer());
    EXPECT_TRUE(engine.KeepMarks()) << "the person's choice stays";
    EXPECT_TRUE(engine.InkLayer().Panes().empty());
    EXPECT_EQ(engine.History().Marks().size(), 3u)
        << "what was drawn on the screen is still undone mark by mark";
    engine.DisplayChanged();  // tried again; still too large: quietly the screen again
    EXPECT_FALSE(engine.DrawsOnLayer());
    EXPECT_EQ(reports, 1);
    engine.WipeMarks();
}

}  // namespace
}  // namespace zelvora
