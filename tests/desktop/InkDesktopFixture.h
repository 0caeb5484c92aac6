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
        logArea_ = {edit_.Left + 40, edit_.Top + 140, edit_.Left + 500, edit_.Top + 340};
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
    std::string Front()
    {
        std::string name = Foreground();
        while (!name.empty() && name.back() == '\n') name.pop_back();
        return name;
    }
    long Marks() { return Counter(0); }
    // What the main window answers for a counter (TCounter's order).
    long Counter(int counter)
    {
        return std::stol(desktop_.Probe({"ask", "TfrmZelvora", "1028", std::to_string(counter)}).Output);
    }

    // A window of another program in front of Notepad's page, writing every key that reaches it
    // and every loss of the foreground or the keyboard into its title.
    ChildProcess OpenKeyLog()
    {
        ChildProcess log =
            desktop_.Launch(desktop_.BinDir() + "/zelvora-probe.exe",
                            {"keylog", std::to_string(logArea_.Left), std::to_string(logArea_.Top),
                             std::to_string(logArea_.Width()), std::to_string(logArea_.Height())});
        EXPECT_TRUE(WaitUntil([&] { return Front() == "ProbeKeyLog"; }, 20s)) << Front();
        return log;
    }
    std::string KeyLog()
    {
        const std::string texts = desktop_.Probe({"texts", "ProbeKeyLog"}).Output;
        const auto tab = texts.find('\t');
        return tab == std::string::npos ? "no key log" : texts.substr(tab + 1, texts.find('\n') - tab - 1);
    }
    static int Count(const std::string& log, const std::string& entry)
    {
        int count = 0;
        for (auto at = log.find(entry); at != std::string::npos; at = log.find(entry, at + 1)) ++count;
        return count;
    }
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
    ScreenRect logArea_{};
};

}  // namespace zelvora::desktop
