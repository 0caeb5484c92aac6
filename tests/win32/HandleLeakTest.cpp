// Opening and closing windows many times (their controls styled flat, their menus drawn flat)
// must give back every window, GDI object and menu.
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "dialogs/win32/AboutWindow.h"
#include "dialogs/win32/HotkeyWindow.h"
#include "dialogs/win32/TermsWindow.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Clipboard.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/NewFile.h"
#include "toolkit/win32/PngEncoder.h"

namespace zelvora {
namespace {

int CountThreadWindows()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM counter) -> BOOL {
            int& n = *reinterpret_cast<int*>(counter);
            ++n;
            EnumChildWindows(
                hwnd, [](HWND, LPARAM c) -> BOOL { return ++*reinterpret_cast<int*>(c), TRUE; }, counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// The GDI objects of this process as the system's shared handle table lists them (the table the
// process environment block points to, on Windows and Wine alike): unlike GetGuiResources, which
// Wine answers with 0, it sees any handle, ours or a raw one leaked past our owners. -1: no table.
long CountSystemGdiObjects()
{
    struct Entry {  // GDI_HANDLE_ENTRY: 24 bytes each
        std::uint64_t Object;
        std::uint16_t ProcessId, Count, Unique;
        std::uint8_t Type, Flags;
        std::uint64_t UserPointer;
    };
    static_assert(sizeof(Entry) == 24);
    constexpr std::size_t kTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on 64-bit systems
    constexpr std::size_t kEntries = 0x10000;
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const Entry* const*>(peb + kTableOffset);
    if (!table) return -1;
    const auto self = static_cast<std::uint16_t>(GetCurrentProcessId());
    long count = 0;
    // Wine's table is the process's own and names no owner (0); Windows shares one table among
    // all processes, where 0 owns only the stock objects.
    for (std::size_t i = 0; i < kEntries; ++i)
        count += table[i].Type != 0 && (table[i].ProcessId == self || table[i].ProcessId == 0);
    return count;
}

struct Census {
    int Windows = CountThreadWindows();
    long GdiObjects = UniqueGdiObject::Live();
    long MemoryDcs = UniqueMemoryDc::Live();
    long Menus = UniqueMenu::Live();
    long OurWindows = UniqueWindow::Live();
    long SystemGdi = CountSystemGdiObjects();
    // The system's own count of window objects; Wine answers 0, and the window census stands in.
    DWORD SystemUser = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
};

// Has every item of the main menu drawn and measured by the flat painter, as the system asks.
void DrawMainMenu(TForm& main)
{
    TBitmap canvas(200, 24);
    const auto drawAll = [&canvas](auto&& self, TMenuItem& parent) -> void {
        for (TMenuItem* item : parent.Items()) {
            TEventArgs args;
            args.Sender = item;
            args.Dc = canvas.Canvas().Handle();
            args.Right = 200, args.Bottom = 22;
            args.State = ODS_SELECTED;
            if (item->OnMeasureItem.Handler) item->OnMeasureItem.Handler(args);
            if (item->OnDrawItem.Handler) item->OnDrawItem.Handler(args);
            self(self, *item);
        }
    };
    drawAll(drawAll, dynamic_cast<TMainMenu&>(*main.FindComponent("MainMenu")).Items());
}

// Strokes, highlighter strokes and control frames on the screen and on the ink layer, an undo and
// a wipe: the engine's whole drawing cycle, the layer's window and pixels made and given back.
void DrawMarks(TfrmZelvora& main)
{
    TMarkingEngine& engine = main.Engine();
    for (const bool keep : {false, true}) {
        main.SetKeepMarks(keep);
        for (const bool highlighter : {false, true}) {
            main.cbTransparent.SetChecked(highlighter);
            for (int i = 0; i < 10; ++i) {
                engine.MovePenTo(100 + i, 100);
                engine.DrawLineTo(300, 120 + i);
                engine.FrameWindowAt(main.Left() + 20, main.Top() + 60);
            }
            engine.UndoLastMark();
        }
        engine.DrawLineTo(400, 400);
        engine.WipeMarks();
    }
    main.SetKeepMarks(false);
    main.cbTransparent.SetChecked(false);
}

template <typename Form>
void OpenAndClose(TApplication& app)
{
    auto* form = new Form(&app);
    form->Show();
    app.ProcessMessages();
    form->Hide();
    form->PrepareDestruction();
    delete form;
}

TEST(HandleLeaks, TheSystemCountSeesARawRegionThatNoOwnerHolds)
{
    const long before = CountSystemGdiObjects();
    ASSERT_GE(before, 0) << "no shared GDI handle table here";
    // What a failed SetWindowRgn leaves when nobody deletes the region.
    HRGN leaked = CreateRectRgn(0, 0, 10, 10);
    EXPECT_FALSE(SetWindowRgn(nullptr, leaked, FALSE));
    EXPECT_EQ(CountSystemGdiObjects(), before + 1);
    DeleteObject(leaked);
    EXPECT_EQ(CountSystemGdiObjects(), before);
}

TEST(HandleLeaks, OpeningAndClosingWindowsAHundredTimesGivesEverythingBack)
{
    auto app = testing::CreateProgramWindows();
    TForm& main = *app->MainForm();
    main.Show();
    app->ProcessMessages();
    const auto round = [&] {
        OpenAndClose<TfrmAbout>(*app);
        OpenAndClose<TfrmLicense>(*app);
        OpenAndClose<TfrmEditHotkey>(*app);
        main.Hide();
        main.Show();
        DrawMainMenu(main);
        DrawMarks(dynamic_cast<TfrmZelvora&>(main));
        app->ProcessMessages();
    };
    // The system's caches (fonts, device contexts) fill in the first rounds and then stay.
    for (int i = 0; i < 5; ++i) round();
    const Census before;
    EXPECT_GT(before.Windows, 40);
    EXPECT_GT(before.GdiObjects, 10);
    EXPECT_GT(before.SystemGdi, before.GdiObjects) << "the system's count holds ours and more";
    for (int i = 0; i < 100; ++i) round();
    const Census after;
    EXPECT_EQ(after.Windows, before.Windows);
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.MemoryDcs, before.MemoryDcs);
    EXPECT_EQ(after.Menus, before.Menus);
    EXPECT_EQ(after.OurWindows, before.OurWindows);
    EXPECT_EQ(after.SystemGdi, before.SystemGdi);
    EXPECT_EQ(after.SystemUser, before.SystemUser);
}

TEST(HandleLeaks, SavingTheScreenTwentyTimesGivesEverythingBackAndLeavesOnlyThePictures)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"zelvora-leak-test";
    const auto save = [&](int round) {
        const TScreenCopy screen = CopyScreen();
        const auto png = EncodePng(screen.Pixels->Bits(), screen.Bounds.Width(), screen.Bounds.Height());
        const TNewFile file = WriteNewFile(
            folder, [&](int copy) { return std::to_wstring(round) + L"-" + std::to_wstring(copy); }, png);
        EXPECT_FALSE(file.Path.empty()) << file.Error;
        EXPECT_EQ(PutPictureOnClipboard(nullptr, screen.Pixels->Bits(), screen.Bounds.Width(),
                                        screen.Bounds.Height(), png),
                  TClipboardResult::Done);
    };
    save(0);  // binds the imaging component and fills the system's caches
    const Census before;
    DWORD handlesBefore = 0, handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);
    for (int round = 1; round <= 20; ++round) save(round % 2);  // every name twice: "-1", then "-2"
    const Census after;
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.MemoryDcs, before.MemoryDcs);
    EXPECT_EQ(after.SystemGdi, before.SystemGdi);
    EXPECT_EQ(handlesAfter, handlesBefore) << "kernel handles (files, sections) left open";
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    RemoveDirectoryW(folder.c_str());
    std::sort(names.begin(), names.end());
    std::vector<std::wstring> expected;
    for (int copy = 1; copy <= 11; ++copy) expected.push_back(L"0-" + std::to_wstring(copy));
    for (int copy = 1; copy <= 10; ++copy) expected.push_back(L"1-" + std::to_wstring(copy));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected) << "a picture replaced another, or a temporary file stayed";
}

}  // namespace
}  // namespace zelvora
