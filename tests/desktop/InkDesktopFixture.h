// The ink tests' desktop: Notepad's page, strokes over its first line, and the layer.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

#include "ProgramDesktopFixture.h"

namespace zelvora::desktop {

inline constexpr char kLayerClass[] = "TZelvoraInkLayer";
inline constexpr int kKeepMarksItem = 2;  // Aktion: "Zeichnung löschen", "Letzte Markierung entfernen", this
inline const std::vector<const char*> kUndoChord{"Alt_L", "4"};

template <const char* Folder>
class InkDesktop : public SharedDesktopSuite<Folder> {
protected:
    void SetUp() override
    {
        desktop_.ClearSettings();
        edit_ = page_.Edit();
    }

    // Nine points along a stroke over the first line of Notepad's text.
    std::vector<Point> FirstLineStroke() const
    {
        return StraightPath({edit_.Left + 20, edit_.Top + 11}, {edit_.Left + 260, edit_.Top + 11}, 9);
    }
    // Holds the paint chord along the path; false when a point did not turn orange.
    bool Draw(const std::vector<Point>& path)
    {
        page_.RestPointerAt({path.front().X - 4, path.front().Y});
        HeldKeys chord(screen_, kPaintChord);
        MovePointerAlong(screen_, {{path.front().X - 2, path.front().Y}}, false);  // Wine sees the keys
        return MovePointerAlong(screen_, path, true);
    }
    int Orange(const std::vector<Point>& points)
    {
        const Image now = screen_.GrabAll();
        int orange = 0;
        for (const Point& p : points) orange += now.At(p.X, p.Y) == kMarkerOrange;
        return orange;
    }
    bool WaitForOrange(const std::vector<Point>& points, int count)
    {
        return WaitUntil([&] { return Orange(points) == count; }, 5s);
    }
    int Layers() { return desktop_.WindowCount(kLayerClass); }
    // Save screen with its shortcut (in a hold of the paint chord, whose Alt is down already,
    // its key alone): the one picture it wrote, read back; none within seconds.
    std::optional<Image> SaveScreen(bool inHold = false)
    {
        std::filesystem::remove_all(std::filesystem::path(desktop_.PicturesDir()) / "Zelvora");
        if (inHold)
            screen_.Tap("5");
        else
            PressChord(screen_, {"Alt_L", "5"});
        std::optional<Image> picture;
        WaitUntil(
            [&] {
                const auto files = FinishedPictures(desktop_.PicturesDir());
                return files.size() == 1 && (picture = ReadPng(files.front().string())).has_value();
            },
            10s, 100ms);
        return picture;
    }
    std::string Foreground() { return desktop_.Probe({"foreground"}).Output; }
    // A person clicks below the text, types a line and selects everything: Notepad repaints.
    void TypeUnderAndSelectAll()
    {
        screen_.Click(edit_.Left + 40, edit_.Top + 120);
        std::this_thread::sleep_for(200ms);
        screen_.Tap("Return");
        screen_.TypeText("WWWW MMMM");
        std::this_thread::sleep_for(300ms);
        PressChord(screen_, {"Control_L", "a"});
        std::this_thread::sleep_for(300ms);
    }
    // The page's text as the desktop began with it.
    void RestoreText()
    {
        screen_.Click(edit_.Left + 40, edit_.Top + 120);
        std::this_thread::sleep_for(200ms);
        PressChord(screen_, {"Control_L", "a"});
        screen_.TypeText("MMMM WWWW MMMM WWWW MMMM WWWW");
        std::this_thread::sleep_for(300ms);
    }

    WineDesktop& desktop_ = SharedDesktopSuite<Folder>::Shared();
    X11Screen& screen_ = desktop_.Screen();
    NotepadPage page_{desktop_};
    ScreenRect edit_;
};

}  // namespace zelvora::desktop
