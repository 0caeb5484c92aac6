// Save screen's queue: at most two pictures wait behind the one being written, a press beyond
// that is told the save is busy, and at exit every picture taken is written before the windows go.
#include "app/win32/ScreenSnapshot.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "toolkit/win32/Handles.h"
#include "toolkit/win32/KnownFolders.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

std::size_t PicturesIn(const fs::path& folder)
{
    std::error_code error;
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder, error))
        count += entry.path().extension() == ".png";
    return count;
}

TEST(SnapshotQueue, TwoWaitBehindTheOneBeingWrittenAThirdIsBusyAndAllAreWrittenAtExit)
{
    const fs::path folder = fs::path(PicturesFolder()) / L"Zelvora";
    const std::size_t before = PicturesIn(folder);
    const UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                              GetModuleHandleW(nullptr), nullptr));
    {
        // No message is handled meanwhile: the first picture stays the one being written.
        TSnapshotQueue queue(window.get(), WM_APP);
        EXPECT_FALSE(queue.Take());
        EXPECT_FALSE(queue.Take());
        EXPECT_FALSE(queue.Take());
        const auto busy = queue.Take();
        ASSERT_TRUE(busy);
        EXPECT_EQ(busy->Failure, TSnapshot::TFailure::Busy);
        EXPECT_STREQ(SnapshotMessageName(busy->Failure), "sSnapshotBusy");
        queue.WriteAll();
        EXPECT_FALSE(queue.Busy());
        EXPECT_EQ(PicturesIn(folder), before + 3) << "a picture taken was not written at exit";
    }
    EXPECT_EQ(PicturesIn(folder), before + 3);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE)) {
    }
}

}  // namespace
}  // namespace zelvora
