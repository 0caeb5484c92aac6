// The text field typed into after T: any Unicode text, kept as one piece on Enter, a click
// outside or another window coming forward, dropped on Esc alone; the window in front keeps the
// keyboard throughout.
#include "engine/win32/TextField.h"

#include <gtest/gtest.h>

#include "toolkit/win32/Handles.h"

namespace zelvora {
namespace {

class TextField : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW page{};
        page.lpfnWndProc = DefWindowProcW;
        page.hInstance = GetModuleHandleW(nullptr);
        page.lpszClassName = L"ZelvoraTextFieldTestPage";
        RegisterClassW(&page);
        page_.reset(CreateWindowExW(0, page.lpszClassName, L"page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    300, 200, nullptr, nullptr, page.hInstance, nullptr));
        SetForegroundWindow(page_.get());
        ASSERT_EQ(GetForegroundWindow(), page_.get());
    }
    std::unique_ptr<TTextField> Open()
    {
        auto field = std::make_unique<TTextField>(TPoint{50, 60}, TMarkPen{10, 0x0000FF, false},
                                                  [this](std::optional<TMarkPiece> text) {
                                                      ++calls_;
                                                      kept_ = std::move(text);
                                                  });
        EXPECT_TRUE(field->IsOpen());
        EXPECT_EQ(GetForegroundWindow(), page_.get()) << "the field took the foreground";
        EXPECT_TRUE(IsWindowVisible(field->Handle()));
        return field;
    }
    static void Type(HWND field, std::wstring_view text)
    {
        for (const wchar_t c : text) SendMessageW(field, WM_CHAR, c, 0);
    }
    static void Press(HWND field, UINT key) { SendMessageW(field, WM_KEYDOWN, key, 0); }

    UniqueWindow page_;
    int calls_ = 0;
    std::optional<TMarkPiece> kept_;
};

TEST_F(TextField, EnterKeepsAnyUnicodeTextAsOnePieceAndTheWindowInFrontKeepsTheKeyboard)
{
    auto field = Open();
    const HWND window = field->Handle();
    Type(window, L"Hä\x0219 \xD83D\xDE00");  // a letter outside the basic plane: two UTF-16 units
    Press(window, VK_BACK);                  // takes both units away, not half a letter
    Type(window, L"\x20AC\t\x7F");           // no control characters
    Press(window, VK_RETURN);
    EXPECT_FALSE(field->IsOpen());
    ASSERT_EQ(calls_, 1);
    ASSERT_TRUE(kept_);
    EXPECT_EQ(kept_->Kind, TMarkPiece::TKind::Text);
    EXPECT_EQ(kept_->Text, L"Hä\x0219 \x20AC");
    EXPECT_EQ(kept_->From, (TPoint{50, 60}));
    EXPECT_EQ(kept_->Pen.Color, 0x0000FFu);
    EXPECT_GE(kept_->Frame.Bounds.Height(), 40) << "letters four pen widths high";
    EXPECT_GT(kept_->Frame.Bounds.Width(), 40);
    EXPECT_EQ(GetForegroundWindow(), page_.get());
    EXPECT_FALSE(IsWindowVisible(window));
    Press(window, VK_RETURN);
    SendMessageW(window, WM_FIELD_CLICKED_OUTSIDE, 0, 0);
    field->Close();
    EXPECT_EQ(calls_, 1) << "done twice";
}

TEST_F(TextField, OnlyEscDropsTheTextAClickOutsideAnotherWindowInFrontOrCloseKeepIt)
{
    auto field = Open();
    Type(field->Handle(), L"weg");
    Press(field->Handle(), VK_ESCAPE);
    EXPECT_EQ(calls_, 1);
    EXPECT_FALSE(kept_);
    EXPECT_FALSE(IsWindowVisible(field->Handle()));

    field = Open();
    Type(field->Handle(), L"bleibt");
    SendMessageW(field->Handle(), WM_FIELD_CLICKED_OUTSIDE, 0, 0);
    EXPECT_EQ(calls_, 2);
    ASSERT_TRUE(kept_);
    EXPECT_EQ(kept_->Text, L"bleibt");

    field = Open();
    Type(field->Handle(), L"auch");
    field->FollowForeground();
    EXPECT_TRUE(field->IsOpen()) << "closed with the same window in front";
    const UniqueWindow other(CreateWindowExW(0, L"ZelvoraTextFieldTestPage", L"other",
                                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 100, nullptr,
                                             nullptr, GetModuleHandleW(nullptr), nullptr));
    SetForegroundWindow(other.get());
    field->FollowForeground();
    EXPECT_EQ(calls_, 3);
    ASSERT_TRUE(kept_);
    EXPECT_EQ(kept_->Text, L"auch");

    SetForegroundWindow(page_.get());
    field = Open();
    field->Close();  // nothing typed: nothing kept
    EXPECT_EQ(calls_, 4);
    EXPECT_FALSE(kept_);
}

}  // namespace
}  // namespace zelvora
