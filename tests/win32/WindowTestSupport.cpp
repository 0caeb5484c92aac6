#include "WindowTestSupport.h"

#include "toolkit/win32/Handles.h"
#include "toolkit/win32/Registry.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "app/win32/ComponentClasses.h"
#include "app/win32/MainWindow.h"
#include "dialogs/win32/AboutWindow.h"
#include "dialogs/win32/HotkeyWindow.h"
#include "dialogs/win32/TermsWindow.h"

namespace zelvora::testing {

std::unique_ptr<TApplication> CreateProgramWindows(
    std::initializer_list<std::pair<const char*, DWORD>> settings)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    if (settings.size()) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr);
        UniqueHandle<RegistryKeyTraits> owned(key);
        for (const auto& [name, value] : settings)
            RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    RegisterComponentClasses();
    auto app = std::make_unique<TApplication>();
    app->SetTitle("Zelvora");
    app->CreateForm<TfrmZelvora>();
    app->CreateForm<TfrmAbout>();
    app->CreateForm<TfrmLicense>();
    app->CreateForm<TfrmEditHotkey>();
    app->CreateFormWindows();  // as Run does once the main window shows
    return app;
}

TForm& ProgramWindowsSuite::Window(const char* name)
{
    auto* form = dynamic_cast<TForm*>(app->FindComponent(name));
    if (!form) throw std::runtime_error(std::string("no window ") + name);
    return *form;
}

ChildInfo DescribeWindow(HWND hwnd)
{
    ChildInfo info;
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    info.ClassName = name;
    GetWindowRect(hwnd, &info.Bounds);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&info.Bounds), 2);
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1);
    GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    info.Text = text.data();
    return info;
}

ChildInfo DescribeControl(const TControl& control)
{
    if (control.Windowed()) return DescribeWindow(control.Handle());
    return ChildInfo{control.ClassName(), control.BoundsRect(), ""};
}

COLORREF ControlPixel(TControl& control, int x, int y)
{
    const bool own = control.Windowed();
    HWND window = own ? control.Handle() : control.Parent()->Handle();
    if (!own) x += control.Left(), y += control.Top();
    UpdateWindow(window);
    WindowDc dc(window, GetDC(window));
    return GetPixel(dc.get(), x, y);
}

SIZE ClientSize(HWND hwnd)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    return SIZE{r.right, r.bottom};
}

bool SaveScreenshot(HWND hwnd, const std::string& name)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    WindowDc screen(nullptr, GetDC(nullptr));
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(screen.get(), &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return false;
    {
        SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    const DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
    const DWORD imageSize = stride * static_cast<DWORD>(h);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file{0x4D42, headers + imageSize, 0, 0, headers};
    CreateDirectoryA("artefacts", nullptr);
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(("artefacts/" + name + ".bmp").c_str(), "wb"),
                                              std::fclose);
    return out && std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
           std::fwrite(&bmi.bmiHeader, sizeof bmi.bmiHeader, 1, out.get()) == 1 &&
           std::fwrite(bits, 1, imageSize, out.get()) == imageSize;
}

std::uint64_t ScreenHash(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    WindowDc screen(nullptr, GetDC(nullptr));
    std::uint64_t hash = 1469598103934665603ull;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            hash ^= GetPixel(screen.get(), x, y);
            hash *= 1099511628211ull;
        }
    return hash;
}

}  // namespace zelvora::testing
