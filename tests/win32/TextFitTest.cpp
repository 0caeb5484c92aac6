// Every text of the four windows shows whole, in each language and at 96, 120, 144 and 192 dpi:
// each label's, check box's, radio button's and button's text is measured with the font the
// control answers to WM_GETFONT, against the room the control has, and each control lies inside
// its parent's client area. Pictures of the four windows in the four languages at 144 dpi are kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "base/DpiScaling.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/Menus.h"

namespace zelvora {
namespace {

constexpr const char* kWindows[] = {"frmZelvora", "frmAbout", "frmLicense", "frmEditHotkey"};
constexpr const char* kLanguageItems[] = {"mnuGerman", "mnuEnglish", "mnuFrancais", "mnuRomana"};
constexpr const char* kLanguageNames[] = {"de", "en", "fr", "ro"};
constexpr int kDpis[] = {96, 120, 144, 192};

std::wstring TextOf(HWND hwnd)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

bool Shown(HWND hwnd, HWND top)
{
    for (HWND w = hwnd; w && w != top; w = GetParent(w))
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) return false;
    return true;
}

// The room a control's text has, and how the control lays it out.
struct TextRoom {
    int Width = 0, Height = 0;
    UINT Format = 0;
};

TextRoom RoomOf(HWND hwnd, int dpi)
{
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    RECT client{};
    GetClientRect(hwnd, &client);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    TextRoom room{client.right, client.bottom, DT_CALCRECT | DT_EXPANDTABS};
    if (lstrcmpiW(className, L"Static") == 0) {
        // The static control wraps every text but a left-aligned one without word wrap.
        if ((style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP) room.Format |= DT_WORDBREAK;
        if (style & SS_NOPREFIX) room.Format |= DT_NOPREFIX;
        return room;
    }
    const LONG type = style & BS_TYPEMASK;
    room.Format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
        type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
        room.Width -= ScaleToDpi(13 + 4, dpi);  // the box and the gap before the text
    } else {
        room.Width -= ScaleToDpi(2 * 3, dpi);  // a push button's edges
    }
    return room;
}

class TextFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        app_ = testing::CreateProgramWindows({{"Lang", 1}});
        app_->CreateFormWindows();
        main_ = dynamic_cast<TfrmZelvora*>(app_->MainForm());
        ASSERT_NE(main_, nullptr);
    }
    TForm& Window(const char* name) { return dynamic_cast<TForm&>(*app_->FindComponent(name)); }
    void Choose(int language)
    {
        dynamic_cast<TMenuItem&>(*main_->FindComponent(kLanguageItems[language])).Click();
    }
    // As the system tells a window moved to a screen of `dpi`.
    void MoveTo(TForm& form, int dpi)
    {
        SIZE size{};
        SendMessageW(form.Handle(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size));
        RECT window{};
        GetWindowRect(form.Handle(), &window);
        RECT suggested{window.left, window.top, window.left + size.cx, window.top + size.cy};
        SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }

    // Every shown text of the window, measured; every control inside its parent.
    void CheckWindow(TForm& form)
    {
        SCOPED_TRACE(form.Name());
        std::vector<HWND> children;
        EnumChildWindows(
            form.Handle(),
            [](HWND child, LPARAM list) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            if (!Shown(child, form.Handle())) continue;
            TControl* control = ControlOf(child);
            TControl* parent = control ? control->Parent() : nullptr;
            if (!control || !parent) continue;
            SCOPED_TRACE(control->Name());
            // Inside the parent's client area (a caption band is not part of it), whole.
            const RECT inside = parent->ClientRect();
            const RECT bounds = control->BoundsRect();
            EXPECT_GE(bounds.top, inside.top - 1);
            EXPECT_LE(bounds.bottom, inside.bottom) << "cut off at the bottom of " << parent->Name();
            EXPECT_LE(bounds.right, inside.right + 1) << "cut off at the right of " << parent->Name();

            wchar_t className[32] = {};
            GetClassNameW(child, className, 32);
            const bool textControl =
                lstrcmpiW(className, L"Static") == 0 || lstrcmpiW(className, L"Button") == 0;
            const std::wstring text = TextOf(child);
            if (!textControl || text.empty()) continue;
            const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            ASSERT_NE(font, nullptr) << "a text control that does not name its font";
            // The font it names is the one it draws with: the control's own, at its scaled height.
            LOGFONTW named{};
            ASSERT_EQ(GetObjectW(font, sizeof named, &named), static_cast<int>(sizeof named));
            EXPECT_EQ(named.lfHeight, control->Font().Height());
            EXPECT_EQ(named.lfCharSet, static_cast<BYTE>(control->Font().Charset()));
            const TextRoom room = RoomOf(child, form.Dpi());
            WindowDc dc(child, GetDC(child));
            SelectedObject selected(dc.get(), font);
            RECT needed{0, 0, room.Width, 0};
            DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed, room.Format);
            EXPECT_LE(needed.bottom, room.Height) << "lines lost of \"" << Narrow(text) << "\"";
            EXPECT_LE(needed.right, room.Width) << "letters lost of \"" << Narrow(text) << "\"";
        }
    }

    std::unique_ptr<TApplication> app_;
    TfrmZelvora* main_ = nullptr;
};

TEST_F(TextFit, EveryTextShowsWholeInEveryLanguageAtEveryDpi)
{
    for (const int dpi : kDpis) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        for (const char* name : kWindows) MoveTo(Window(name), dpi);
        for (int language = 0; language < 4; ++language) {
            SCOPED_TRACE(kLanguageNames[language]);
            Choose(language);
            for (const char* name : kWindows) CheckWindow(Window(name));
            if (dpi != 144) continue;
            for (const char* name : kWindows) {
                TForm& form = Window(name);
                form.Show();
                testing::PumpUntil(*app_, [&] { return IsWindowVisible(form.Handle()) != FALSE; });
                UpdateWindow(form.Handle());
                app_->ProcessMessages();
                EXPECT_TRUE(testing::SaveScreenshot(
                    form.Handle(), std::string(name) + "-144dpi-" + kLanguageNames[language]));
                form.Hide();
            }
        }
    }
}

TEST_F(TextFit, AShorterTextGivesTheRoomBack)
{
    Choose(1);
    const int englishHeight = testing::ClientSize(main_->Handle()).cy;
    Choose(0);  // German: the mode hint needs more lines than English
    const int germanHeight = testing::ClientSize(main_->Handle()).cy;
    EXPECT_LT(englishHeight, germanHeight);
    Choose(1);
    EXPECT_EQ(testing::ClientSize(main_->Handle()).cy, englishHeight) << "the room was given back";
    Choose(0);
    EXPECT_EQ(testing::ClientSize(main_->Handle()).cy, germanHeight) << "the same text, the same window";
}

}  // namespace
}  // namespace zelvora
