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
    WindowDc dc(nullptr, GetDC(nullptr));
    ASSERT_TRUE(dc);
    WindowDc moved(std::move(dc));
    EXPECT_FALSE(dc);
    EXPECT_TRUE(moved);
    moved.reset();
    EXPECT_FALSE(moved);
}

}  // namespace
}  // namespace zelvora
