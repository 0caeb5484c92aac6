// Pictures in caption panels: image tags from every source, the body background and the
// hovered anchor, as they show on the screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "controls/win32/CaptionPanel.h"

namespace zelvora {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// A 24-bit BMP file of one colour.
std::string BmpFile(int width, int height, COLORREF color)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width, info.biHeight = height, info.biPlanes = 1, info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    std::string data(reinterpret_cast<const char*>(&file), sizeof file);
    data.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
        row[x * 3] = static_cast<char>(GetBValue(color));
        row[x * 3 + 1] = static_cast<char>(GetGValue(color));
        row[x * 3 + 2] = static_cast<char>(GetRValue(color));
    }
    for (int y = 0; y < height; ++y) data += row;
    return data;
}

// The same, its top rows (the last in the file, as BMP rows run bottom-up) in another colour.
std::string TwoColourBmpFile(int width, int height, COLORREF bottom, COLORREF top, int topRows)
{
    std::string data = BmpFile(width, height, bottom);
    const int stride = (width * 3 + 3) & ~3;
    for (int y = height - topRows; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + y * stride + x * 3;
            data[at] = static_cast<char>(GetBValue(top));
            data[at + 1] = static_cast<char>(GetGValue(top));
            data[at + 2] = static_cast<char>(GetRValue(top));
        }
    return data;
}

class PanelPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        app_ = testing::CreateProgramWindows();
        main_ = dynamic_cast<TfrmZelvora*>(app_->MainForm());
        main_->Show();
        panel_ = &TComponent::Create<TAdvPanel>(*main_);
        panel_->SetBounds(10, 60, 200, 90);
        panel_->SetBevelOuter(TBevelCut::bvNone);
        panel_->Caption().SetVisible(true);
        panel_->SetParent(main_);
        app_->ProcessMessages();
    }
    COLORREF Pixel(int x, int y)
    {
        UpdateWindow(panel_->Handle());
        WindowDc dc(panel_->Handle(), GetDC(panel_->Handle()));
        return GetPixel(dc.get(), x, y);
    }
    std::string TempFile(const std::string& name, const std::string& data)
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        const std::string path = std::string(dir) + name;
        std::ofstream(path, std::ios::binary) << data;
        return path;
    }

    std::unique_ptr<TApplication> app_;
    TfrmZelvora* main_ = nullptr;
    TAdvPanel* panel_ = nullptr;
};

TEST_F(PanelPictures, DecodedPicturesKnowTheirSizeAndRefuseBrokenData)
{
    THTMLPicture picture;
    picture.LoadFromData(BmpFile(7, 5, kRed));
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(picture.Height(), 5);
    for (const std::string& broken : {std::string("not a picture at all"), std::string()}) {
        try {
            picture.LoadFromData(broken);
            ADD_FAILURE() << "broken data loaded";
        } catch (const EPictureError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Could not load image", 0), 0u) << error.what();
        }
        EXPECT_TRUE(picture.Empty());  // nothing half-loaded stays behind
    }
    EXPECT_THROW(picture.LoadFromFile("Z:\\no\\such\\picture.bmp"), EPictureError);
}

TEST_F(PanelPictures, ImageTagsDrawFilesResourcesListsAndContainerItems)
{
    const std::string path = TempFile("zelvora-red.bmp", TwoColourBmpFile(10, 8, kRed, kBlue, 2));
    // Body text starts at the body area (the 20-pixel band less twice the bevel width) plus one pixel.
    constexpr int top = 18;
    panel_->SetText("<IMG src=\"FILE://" + path + "\">");
    EXPECT_EQ(Pixel(1 + 4, top + 4), kRed);
    EXPECT_EQ(Pixel(1 + 4, top + 0), kBlue);  // upright
    EXPECT_EQ(panel_->PictureCache().Count(), 1u);

    panel_->SetText("<IMG src=\"FILE://" + path + "\" width=\"30\" height=\"20\">");
    EXPECT_EQ(Pixel(1 + 25, top + 15), kRed);  // stretched
    EXPECT_EQ(Pixel(1 + 25, top + 2), kBlue);

    // A source that cannot be found takes no room: the next picture starts at the line's start.
    auto& images = TComponent::Create<TImageList>(*main_);
    images.SetWidth(12), images.SetHeight(12);
    UniqueGdiObject green(CreateBitmap(12, 12, 1, 32, std::string(12 * 12 * 4, '\0').data()));
    {
        WindowDc screen(nullptr, GetDC(nullptr));
        UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
        SelectedObject selected(memory.get(), green.get());
        UniqueGdiObject brush(CreateSolidBrush(kGreen));
        RECT all{0, 0, 12, 12};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(brush.get()));
    }
    images.Add(static_cast<HBITMAP>(green.get()));
    panel_->SetImages(&images);
    panel_->SetText("<IMG src=\"FILE://Z:\\missing.bmp\"><IMG src=\"IDX:5\"><IMG src=\"IDX:0\">");
    EXPECT_EQ(Pixel(1 + 3, top + 3), kGreen);

    auto& container = TComponent::Create<TPictureContainer>(*main_);
    container.Add("Logo").LoadFromData(BmpFile(6, 6, kBlue));
    panel_->SetPictureContainer(&container);
    panel_->SetText("<IMG src=\"logo\">");
    EXPECT_EQ(Pixel(1 + 2, top + 2), kBlue);
    delete &container;  // the panel lets go of a container that is destroyed
    EXPECT_EQ(panel_->PictureContainer(), nullptr);
    EXPECT_NE(Pixel(1 + 2, top + 2), kBlue);

    // A bitmap of the program's resources: the about window's header.
    panel_->SetText("<IMG src=\"RES://HEADER\">");
    UniqueGdiObject header(LoadBitmapA(GetModuleHandleA(nullptr), "HEADER"));
    WindowDc screen(nullptr, GetDC(nullptr));
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    SelectedObject selected(memory.get(), header.get());
    for (int x : {3, 60, 150})
        for (int y : {2, 20, 40})
            EXPECT_EQ(Pixel(1 + x, top + y), GetPixel(memory.get(), x, y)) << x << "," << y;
    std::remove(path.c_str());
}

TEST_F(PanelPictures, BackgroundSitsWhereItsPositionSays)
{
    panel_->Background().LoadFromData(BmpFile(16, 10, kRed));
    panel_->Invalidate();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Pixel(2, 22), kRed);          // top left of the body area, below the band
    EXPECT_EQ(Pixel(2, 5), Pixel(150, 5));  // the band covers it, not the picture
    panel_->SetBackgroundPosition(TBackGroundPosition::bpBottomRight);
    EXPECT_EQ(Pixel(198 - 8, 88 - 5), kRed);
    EXPECT_EQ(Pixel(2, 22), face);
    panel_->SetBackgroundPosition(TBackGroundPosition::bpTiled);
    EXPECT_EQ(Pixel(2, 22), kRed);
    EXPECT_EQ(Pixel(100, 60), kRed);
    panel_->SetBackgroundPosition(TBackGroundPosition::bpStretched);
    EXPECT_EQ(Pixel(100, 60), kRed);
    panel_->SetBackgroundPosition(TBackGroundPosition::bpCenter);
    EXPECT_EQ(Pixel((200 - 16) / 2 + 4, (90 - 10) / 2 + 4), kRed);
    EXPECT_EQ(Pixel(2, 22), face);
}

TEST_F(PanelPictures, ThemedCaptionIsAPlainBandWithoutVisualStyles)
{
    panel_->Caption().SetColor(0x00A05020);
    panel_->Caption().SetShadeType(TShadeType::stXPCaption);
    if (TAdvPanel::VisualStylesActive())
        EXPECT_NE(Pixel(150, 5), RGB(0x20, 0x50, 0xA0));  // the theme's caption instead
    else
        EXPECT_EQ(Pixel(150, 5), RGB(0x20, 0x50, 0xA0));
}

TEST_F(PanelPictures, HoveredAnchorIsPaintedInTheHoverColours)
{
    panel_->SetText("<A href=\"one\">Onward</A>");
    panel_->SetHover(true);
    panel_->SetHoverColor(0x00FFFF);  // yellow as TColor
    const auto yellowPixels = [&] {
        int count = 0;
        for (int x = 0; x < 60; ++x)
            for (int y = 20; y < 40; ++y) count += Pixel(x, y) == RGB(255, 255, 0);
        return count;
    };
    EXPECT_EQ(yellowPixels(), 0);
    SendMessageA(panel_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(8, 25));
    ASSERT_EQ(panel_->HoveredAnchor(), "one");
    EXPECT_GT(yellowPixels(), 50);
    SendMessageA(panel_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 70));
    EXPECT_EQ(yellowPixels(), 0);
}

}  // namespace
}  // namespace zelvora
