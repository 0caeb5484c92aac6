// Save screen and vanishing ink on a real (Wine) desktop: Alt+5 after a stroke over Notepad, the
// picture decoded from the file and read back from the clipboard by another program; marks that
// go by themselves.
#include <filesystem>
#include <fstream>
#include <regex>

#include "InkDesktopFixture.h"

namespace zelvora::desktop {
namespace {

namespace fs = std::filesystem;

constexpr char kSnapshotFolder[] = "snapshot";
const std::vector<const char*> kSnapshotChord{"Alt_L", "5"};
constexpr int kVanishItem = 3;  // Aktion: wipe, undo, keep marks, this submenu, save screen
constexpr int kSnapshotItem = 4;

class SaveAndVanish : public InkDesktop<kSnapshotFolder> {
protected:
    void SetUp() override
    {
        InkDesktop::SetUp();
        ASSERT_FALSE(pictures_.empty());
        fs::remove_all(pictures_ / "Zelvora");
    }

    std::vector<fs::path> Pictures() const { return FinishedPictures(pictures_.string()); }
    // Presses the save-screen chord and waits for `count` pictures in the folder.
    bool SaveScreen(std::size_t count)
    {
        PressChord(screen_, kSnapshotChord);
        return WaitUntil([&] { return Pictures().size() == count; }, 10s, 100ms);
    }
    std::string Tooltips() { return desktop_.Probe({"tooltips"}).Output; }

    // The picture shows the stroke where it was drawn and, apart from the stroke, the same page as
    // the screen does.
    void ExpectPictureOfTheScreen(const Image& picture, const std::vector<Point>& stroke, const Image& screen)
    {
        ASSERT_EQ(picture.Width, WineDesktop::kWidth);
        ASSERT_EQ(picture.Height, WineDesktop::kHeight);
        for (const Point& p : stroke) EXPECT_EQ(picture.At(p.X, p.Y), kMarkerOrange) << p.X << "," << p.Y;
        int differences = 0;
        for (int y = edit_.Top; y < edit_.Bottom; ++y)
            for (int x = edit_.Left; x < edit_.Right; ++x) differences += picture.At(x, y) != screen.At(x, y);
        EXPECT_EQ(differences, 0) << "the page in the picture is not the page on the screen";
        int orange = 0;
        for (int y = edit_.Top; y < edit_.Bottom; ++y)
            for (int x = edit_.Left; x < edit_.Right; ++x) orange += picture.At(x, y) == kMarkerOrange;
        EXPECT_GT(orange, 240 * 8) << "the stroke is thinner than its pen";
    }

    const fs::path pictures_ = desktop_.PicturesDir();
};

TEST_F(SaveAndVanish, AltFiveSavesTheScreenWithItsMarksAsPngAndOnTheClipboardInBothModes)
{
    const std::vector<Point> stroke = FirstLineStroke();
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "keep marks" : "on the screen");
        desktop_.SetSetting("KeepMarks", keep ? 1 : 0);
        fs::remove_all(pictures_ / "Zelvora");
        ZelvoraSession zelvora(desktop_);
        ASSERT_TRUE(Draw(stroke));
        std::this_thread::sleep_for(300ms);
        const Image screen = screen_.GrabAll();
        ASSERT_TRUE(SaveScreen(1));
        const fs::path file = Pictures().front();
        EXPECT_TRUE(std::regex_match(file.filename().string(),
                                     std::regex(R"(Zelvora \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.png)")))
            << file.filename();
        std::optional<Image> picture;
        ASSERT_TRUE(WaitUntil([&] { return (picture = ReadPng(file.string())).has_value(); }, 5s))
            << "no PNG: " << file;
        ExpectPictureOfTheScreen(*picture, stroke, screen);

        const auto pasted = ReadClipboardPicture(desktop_);
        ASSERT_TRUE(pasted) << "no bitmap on the clipboard";
        EXPECT_EQ(pasted->Header, "1024 768 png=1\n");
        EXPECT_TRUE(pasted->Pixels == picture->Pixels) << "the clipboard's bitmap is not the picture";

        EXPECT_TRUE(
            WaitUntil([&] { return Tooltips().find(file.filename().string()) != std::string::npos; }, 5s))
            << "no notification names the picture; tooltips:\n"
            << Tooltips();
        PressChord(screen_, {"Alt_L", "2"});
        ASSERT_TRUE(zelvora.Close());
    }
}

TEST_F(SaveAndVanish, ASaveChosenFromTheMenuShowsNoMenu)
{
    ZelvoraSession zelvora(desktop_);
    ChooseMenu(desktop_, 1, {kSnapshotItem});  // the menu drops over the main window
    ASSERT_TRUE(WaitUntil([&] { return Pictures().size() == 1; }, 10s, 100ms));
    std::optional<Image> picture;
    ASSERT_TRUE(WaitUntil([&] { return (picture = ReadPng(Pictures().front().string())).has_value(); }, 5s));
    ScreenRect main;
    ASSERT_EQ(std::sscanf(desktop_.Probe({"rect", "TfrmZelvora"}).Output.c_str(), "%d %d %d %d", &main.Left,
                          &main.Top, &main.Right, &main.Bottom),
              4);
    const Image screen = screen_.GrabAll();
    int differences = 0;
    for (int y = std::max(main.Top, 0); y < std::min(main.Bottom, picture->Height); ++y)
        for (int x = std::max(main.Left, 0); x < std::min(main.Right, picture->Width); ++x)
            differences += picture->At(x, y) != screen.At(x, y);
    EXPECT_EQ(differences, 0) << "the picture shows the main window otherwise than the screen: the menu";
}

TEST_F(SaveAndVanish, TwoPicturesOfOneSecondGetTwoNamesAndNeitherReplacesTheOther)
{
    ZelvoraSession zelvora(desktop_);
    // The two presses may straddle a second; a few tries find two in one.
    bool sameSecond = false;
    for (int attempt = 0; attempt < 5 && !sameSecond; ++attempt) {
        fs::remove_all(pictures_ / "Zelvora");
        PressChord(screen_, kSnapshotChord);
        PressChord(screen_, kSnapshotChord);
        ASSERT_TRUE(WaitUntil([&] { return Pictures().size() == 2; }, 10s, 100ms)) << Pictures().size();
        const std::string one = Pictures()[0].filename().string(), other = Pictures()[1].filename().string();
        const auto secondOf = [](const std::string& name) {
            return name.substr(0, name.size() - 4) + " (2).png";
        };
        sameSecond = one == secondOf(other) || other == secondOf(one);
        for (const fs::path& file : Pictures()) EXPECT_TRUE(ReadPng(file.string())) << file;
    }
    EXPECT_TRUE(sameSecond) << "no two pictures of one second in five tries";
}

TEST_F(SaveAndVanish, AFolderThatCannotBeWrittenIsNamedInAMessageAndNothingChanges)
{
    std::ofstream(pictures_ / "Zelvora") << "a file where the folder would be";
    ZelvoraSession zelvora(desktop_);
    PressChord(screen_, kSnapshotChord);
    std::string boxes;
    ASSERT_TRUE(WaitUntil([&] { return !(boxes = desktop_.Probe({"msgboxes-utf8"}).Output).empty(); }, 10s));
    EXPECT_NE(boxes.find("The picture could not be saved in the folder "), std::string::npos) << boxes;
    EXPECT_NE(boxes.find("\\Pictures\\Zelvora"), std::string::npos) << boxes;
    desktop_.Probe({"dismiss-msgboxes"});
    EXPECT_TRUE(fs::is_regular_file(pictures_ / "Zelvora"));
    std::ifstream in(pictures_ / "Zelvora");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a file where the folder would be");
    EXPECT_EQ(std::distance(fs::directory_iterator(pictures_), fs::directory_iterator()), 1)
        << "something was left beside it";
    fs::remove(pictures_ / "Zelvora");
}

TEST_F(SaveAndVanish, ASaveThatFailsDuringAHoldIsToldInANotificationNotABoxThatTakesTheKeyboard)
{
    std::ofstream(pictures_ / "Zelvora") << "a file where the folder would be";
    ZelvoraSession zelvora(desktop_);
    {
        HeldKeys chord(screen_, kPaintChord);
        ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
        PressChord(screen_, {"5"});  // Alt is still down: Alt+5
        EXPECT_TRUE(WaitUntil(
            [&] { return Tooltips().find("could not be saved in the folder") != std::string::npos; }, 10s))
            << "no notification names the failure; tooltips:\n"
            << Tooltips();
    }
    EXPECT_EQ(desktop_.Probe({"msgboxes-utf8"}).Output, "") << "a message box came up during the hold";
    fs::remove(pictures_ / "Zelvora");
}

TEST_F(SaveAndVanish, AClipboardHeldByAnotherProgramIsNamedInAMessageButThePictureIsSaved)
{
    ZelvoraSession zelvora(desktop_);
    ChildProcess holder({"wine", desktop_.BinDir() + "/zelvora-probe.exe", "hold-clipboard", "20"});
    std::this_thread::sleep_for(2s);  // the holder's Wine process starts
    PressChord(screen_, kSnapshotChord);
    std::string boxes;
    ASSERT_TRUE(WaitUntil([&] { return !(boxes = desktop_.Probe({"msgboxes-utf8"}).Output).empty(); }, 10s));
    EXPECT_NE(boxes.find("is not on the clipboard: another program is holding it"), std::string::npos)
        << boxes;
    ASSERT_EQ(Pictures().size(), 1u);
    EXPECT_NE(boxes.find(Pictures().front().filename().string()), std::string::npos) << boxes;
    EXPECT_TRUE(ReadPng(Pictures().front().string()));
    desktop_.Probe({"dismiss-msgboxes"});
}

TEST_F(SaveAndVanish, HoldingAltFiveSavesOnePictureAndHoldingAltFourRemovesOneMark)
{
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    for (int dy : {0, 40, 80}) ASSERT_TRUE(page_.DrawStroke(kPaintChord, dy));
    std::this_thread::sleep_for(300ms);
    {
        HeldKeys held(screen_, kSnapshotChord);  // the keyboard repeats it meanwhile
        std::this_thread::sleep_for(2s);
    }
    ASSERT_TRUE(WaitUntil([&] { return !Pictures().empty(); }, 10s, 100ms));
    std::this_thread::sleep_for(2s);  // time for any more to be written
    EXPECT_EQ(Pictures().size(), 1u) << "one press wrote several pictures";
    {
        HeldKeys held(screen_, kUndoChord);
        std::this_thread::sleep_for(2s);
    }
    EXPECT_TRUE(WaitForOrange(page_.Stroke(80), 0)) << "the last mark stayed";
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(Orange(page_.Stroke(40)), 10) << "one press undid more than one mark";
    EXPECT_EQ(Orange(page_.Stroke(0)), 10);
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(SaveAndVanish, AMarkBeingDrawnOnTheScreenSurvivesAnotherMarksVanishing)
{
    desktop_.SetSetting("VanishSeconds", 5);
    ZelvoraSession zelvora(desktop_);
    // A diagonal mark, whose bounding box holds all of a level one drawn across it afterwards.
    const std::vector<Point> diagonal =
        StraightPath({edit_.Left + 60, edit_.Top + 140}, {edit_.Left + 360, edit_.Top + 300}, 10);
    const std::vector<Point> level =
        StraightPath({edit_.Left + 70, edit_.Top + 220}, {edit_.Left + 350, edit_.Top + 220}, 10);
    ASSERT_TRUE(Draw(diagonal));
    page_.RestPointerAt({level.front().X - 4, level.front().Y});
    HeldKeys chord(screen_, kPaintChord);
    MovePointerAlong(screen_, {{level.front().X - 2, level.front().Y}}, false);
    ASSERT_TRUE(MovePointerAlong(screen_, level, true));
    // Still drawing: the diagonal goes, the level mark stays whole.
    const std::vector<Point> diagonalEnds{diagonal.front(), diagonal[1], diagonal[8], diagonal.back()};
    EXPECT_TRUE(WaitUntil([&] { return Orange(diagonalEnds) == 0; }, 10s)) << "the older mark did not vanish";
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(Orange(level), static_cast<int>(level.size()))
        << "the older mark's going took the mark being drawn";
}

TEST_F(SaveAndVanish, WithTwoSecondsAStrokeGoesByItselfInBothModesAndWithNeverItStays)
{
    const std::vector<Point> stroke = FirstLineStroke();
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "keep marks" : "on the screen");
        desktop_.SetSetting("KeepMarks", keep ? 1 : 0);
        desktop_.SetSetting("VanishSeconds", 2);
        ZelvoraSession zelvora(desktop_);
        ASSERT_TRUE(Draw(stroke));
        EXPECT_EQ(Orange(stroke), 9) << "gone at once";
        EXPECT_TRUE(WaitForOrange(stroke, 0)) << "still there";
        if (keep) {
            EXPECT_TRUE(WaitUntil([&] { return Layers() == 0; }, 2s)) << "an empty layer stays";
        }
        ASSERT_TRUE(zelvora.Close());
    }
    // Never, chosen in the menu and saved.
    desktop_.SetSetting("KeepMarks", 1);
    desktop_.SetSetting("VanishSeconds", 5);
    ZelvoraSession zelvora(desktop_);
    ChooseMenu(desktop_, 1, {kVanishItem, 0});
    ASSERT_TRUE(Draw(stroke));
    std::this_thread::sleep_for(6s);
    EXPECT_EQ(Orange(stroke), 9) << "vanished although never was chosen";
    ChooseMenu(desktop_, 1, {kVanishItem, 1});  // after 2 seconds: the waiting mark goes too
    EXPECT_TRUE(WaitForOrange(stroke, 0));
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings().at("VanishSeconds"), Dword(2));
}

}  // namespace
}  // namespace zelvora::desktop
