// Opening the program's real windows inside a test, and looking at them as the system sees them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Form.h"

namespace zelvora::testing {

// The application with its four windows, created as the program creates them, with the stored
// settings given (value name and number; an empty list is a first start).
std::unique_ptr<TApplication> CreateProgramWindows(
    std::initializer_list<std::pair<const char*, DWORD>> settings = {});

// A suite that opens the four windows once, in German: as their descriptions show them.
class ProgramWindowsSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app = CreateProgramWindows({{"Lang", 1}}).release(); }
    static void TearDownTestSuite()
    {
        delete app;
        app = nullptr;
    }
    static TForm& Window(const char* name);

    static inline TApplication* app = nullptr;
};

struct ChildInfo {
    std::string ClassName;
    RECT Bounds;  // relative to the parent's client area
    std::string Text;
};
ChildInfo DescribeWindow(HWND hwnd);
// A control's window, or for a graphic control its class and place in its parent.
ChildInfo DescribeControl(const TControl& control);
// A pixel of a control as shown, at (x, y) of the control: from its own window, or from its
// parent's for a graphic control.
COLORREF ControlPixel(TControl& control, int x, int y);
SIZE ClientSize(HWND hwnd);

// Runs the application's messages until the condition holds or the time is up.
template <typename Condition>
bool PumpUntil(TApplication& app, Condition condition, DWORD timeoutMs = 3000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        app.ProcessMessages();
        Sleep(5);
    }
    return true;
}

// Saves what the window shows on the screen as a 24-bit BMP under artefacts/.
bool SaveScreenshot(HWND hwnd, const std::string& name);
// A checksum of what the window shows on the screen (FNV-1a over its pixels).
std::uint64_t ScreenHash(HWND hwnd);

}  // namespace zelvora::testing
