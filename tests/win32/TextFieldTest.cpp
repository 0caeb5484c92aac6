// The text field typed into after T: any Unicode text, kept as one piece on Enter, dropped on Esc
// or when another window takes the keyboard, and the keyboard back where it was.
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
        EXPECT_EQ(GetForegroundWindow(), field->Handle()) << "the field does not have the keyboard";
        EXPECT_EQ(GetFocus(), field->Handle());
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

TEST_F(TextField, EnterKeepsAnyUnicodeTextAsOnePieceAndGivesTheKeyboardBack)
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
    Press(window, VK_RETURN);
    EXPECT_EQ(calls_, 1) << "done twice";
}

TEST_F(TextField, EscOrAnotherWindowTakingTheKeyboardDropsTheText)
{
    auto field = Open();
    Type(field->Handle(), L"weg");
    Press(field->Handle(), VK_ESCAPE);
    EXPECT_EQ(calls_, 1);
    EXPECT_FALSE(kept_);
    EXPECT_EQ(GetForegroundWindow(), page_.get());

    field = Open();
    Type(field->Handle(), L"auch weg");
    SetForegroundWindow(page_.get());  // a click elsewhere
    EXPECT_FALSE(field->IsOpen());
    EXPECT_EQ(calls_, 2);
    EXPECT_FALSE(kept_);

    field = Open();
    Press(field->Handle(), VK_RETURN);  // nothing typed: nothing kept
    EXPECT_EQ(calls_, 3);
    EXPECT_FALSE(kept_);
}

}  // namespace
}  // namespace zelvora
