#include "toolkit/win32/Handles.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

bool IsLiveGdiObject(HGDIOBJ object)
{
    return GetObjectType(object) != 0;
}

TEST(UniqueHandle, DeletesItsObjectOnceAndOnlyWhenOwned)
{
    HGDIOBJ raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        UniqueGdiObject brush(raw);
        EXPECT_TRUE(IsLiveGdiObject(raw));
        UniqueGdiObject moved(std::move(brush));
        EXPECT_FALSE(brush);
        EXPECT_EQ(moved.get(), raw);
        EXPECT_TRUE(IsLiveGdiObject(raw));
    }
    EXPECT_FALSE(IsLiveGdiObject(raw));

    HGDIOBJ kept = CreateSolidBrush(RGB(4, 5, 6));
    {
        UniqueGdiObject brush(kept);
        EXPECT_EQ(brush.release(), kept);
    }
    EXPECT_TRUE(IsLiveGdiObject(kept));
    DeleteObject(kept);
}

TEST(UniqueHandle, ResetToTheSameHandleKeepsIt)
{
    UniqueGdiObject brush(CreateSolidBrush(RGB(7, 8, 9)));
    HGDIOBJ raw = brush.get();
    brush.reset(raw);
    EXPECT_TRUE(IsLiveGdiObject(raw));
    brush.reset();
    EXPECT_FALSE(IsLiveGdiObject(raw));
}

TEST(UniqueHandle, MoveAssignmentFreesTheTargetsOldObject)
{
    UniqueGdiObject first(CreateSolidBrush(RGB(1, 1, 1)));
    UniqueGdiObject second(CreateSolidBrush(RGB(2, 2, 2)));
    HGDIOBJ oldFirst = first.get();
    HGDIOBJ oldSecond = second.get();
    first = std::move(second);
    EXPECT_FALSE(IsLiveGdiObject(oldFirst));
    EXPECT_EQ(first.get(), oldSecond);
}

TEST(UniqueWindow, DestroysTheWindow)
{
    HWND raw = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    {
        UniqueWindow window(raw);
    }
    EXPECT_FALSE(IsWindow(raw));
}

TEST(SelectedObject, PutsThePreviousObjectBack)
{
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BRUSH);
    UniqueGdiObject brush(CreateSolidBrush(RGB(9, 9, 9)));
    {
        SelectedObject selected(dc.get(), brush.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), before);
}

TEST(WindowDc, ReleasesTheDcItTook)
{
    // A window without a DC of its own draws through the system's cache: a DC given back is the
    // one handed out next, a DC kept is not.
    UniqueWindow window(
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    HDC first = nullptr;
    {
        WindowDc dc(window.get(), GetDC(window.get()));
        ASSERT_TRUE(dc);
        first = dc.get();
        WindowDc moved(std::move(dc));
        EXPECT_FALSE(dc);
        EXPECT_EQ(moved.get(), first);
    }
    WindowDc again(window.get(), GetDC(window.get()));
    EXPECT_EQ(again.get(), first) << "the moved-to owner gave it back once";
    HDC kept = GetDC(window.get());  // not given back
    WindowDc third(window.get(), GetDC(window.get()));
    again.reset();
    EXPECT_NE(third.get(), kept) << "the check can tell a kept DC";
    ReleaseDC(window.get(), kept);
}

}  // namespace
}  // namespace zelvora
