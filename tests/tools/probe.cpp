// Answers the desktop tests' questions about windows inside the Wine desktop, one command per
// run, on stdout. Exit code 0 on success, 1 when the window was not found, 2 on bad usage.
//   rect CLASS [CHILDCLASS [TEXT|WxH]]  screen rectangle "left top right bottom" of the window, or of
//                                the first window inside it of that class (with that text or size)
//   top-child CLASS CHILDCLASS   the rectangle of the highest window of CHILDCLASS inside the window
//   move CLASS X Y [W H]         move (and resize) a top-level window, bring it to the front
//   list CLASS                   one line per top-level window of the class: "hwnd process-id"
//   close-hwnd HWND              post WM_CLOSE to one window
//   hit CLASS CODE               a screen point "x y" of the window where WM_NCHITTEST gives CODE
//   front CLASS                  make a top-level window the foreground window
//   close CLASS                  post WM_CLOSE to every top-level window of the class
//   count CLASS                  number of visible top-level windows of the class
//   msgboxes                     one line per visible message box: "caption<TAB>text"
//   dismiss-msgboxes             press OK on every visible message box; prints how many
//   answer-msgbox yes|no         press Yes or No on the visible message box
//   msgboxes-utf8                as msgboxes, read through the Unicode API and printed in UTF-8
//   foreground                   the class of the foreground window
//   tray-delete CLASS ID         asks the shell to drop the tray icon ID of the window of CLASS, as a
//                                restarting shell loses it
//   taskbar-created              broadcasts "TaskbarCreated", as a shell does when it starts
//   stubborn CLASS SECONDS       a window of the class that ignores WM_CLOSE, for SECONDS
//   clipboard-bitmap FILE        the clipboard's device-independent bitmap as "W H png=0|1" (whether a
//                                "PNG" is there too); FILE gets W*H 0x00BBGGRR pixels from the top
//   hold-clipboard SECONDS       keeps the clipboard open, as a busy program does
//   ask CLASS MSG WPARAM [LPARAM]  sends message MSG (a number) to the top-level window of the class
//                                and prints the answer
//   pushy X Y W H SECONDS        a white top-most window that raises itself every 50 ms
//   zorder-changes SECONDS CLASS...  how often the highest visible window of those classes changed
//   tooltips                     the text of each visible tooltip window, one per line in UTF-8
//   backdrop                     a plain window over each monitor, below every other window and
//                                never active, until killed: without a window manager the
//                                keyboard goes to the X window under the pointer
//   zigzag X Y TURNS HEIGHT STEP a quick zigzag of the pointer through SendInput; prints each turn
//   serve                        runs the commands of each line of stdin (arguments apart by 0x1F),
//                                each answer ending in 0x1F, the exit code and a line feed
//   (CLASS may be "hwnd:N": the one window with that handle, as `list` prints it)
//   texts CLASS                  the text of a top-level window of the class, shown or hidden, and
//                                of each window inside it, one per line in UTF-8: "class<TAB>text"
//   text-columns TEXT COLOUR GROUND  per column, how many pixels TEXT drawn in the menus' font leaves
//                                in exactly COLOUR (0x00BBGGRR) over GROUND
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kServedSeparator = '\x1F';

std::string WindowText(HWND hwnd)
{
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::string Utf8WindowText(HWND hwnd)
{
    wchar_t wide[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide));
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

// "hwnd:N" names one window by its handle, where two windows share a class.
std::vector<HWND> TopLevelWindows(const char* className, bool hiddenToo = false)
{
    if (std::strncmp(className, "hwnd:", 5) == 0) {
        HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(className + 5, nullptr, 10)));
        if (IsWindow(hwnd) && (hiddenToo || IsWindowVisible(hwnd))) return {hwnd};
        return {};
    }
    struct Search {
        const char* ClassName;
        bool HiddenToo;
        std::vector<HWND> Found;
    } search{className, hiddenToo, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            char name[256] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (lstrcmpiA(name, s.ClassName) == 0 && (s.HiddenToo || IsWindowVisible(hwnd)))
                s.Found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

struct ChildSearch {
    const char* ClassName;
    const char* TextOrSize;  // null: any
    HWND Found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data)
{
    auto& search = *reinterpret_cast<ChildSearch*>(data);
    char name[256] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, search.ClassName) != 0) return TRUE;
    if (search.TextOrSize) {
        RECT r{};
        GetWindowRect(child, &r);
        char size[64];
        std::snprintf(size, sizeof size, "%ldx%ld", r.right - r.left, r.bottom - r.top);
        if (Utf8WindowText(child) != search.TextOrSize && std::string(size) != search.TextOrSize) return TRUE;
    }
    search.Found = child;
    return FALSE;
}

int Rect(int argc, char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    HWND target = windows.front();
    if (argc > 3) {
        ChildSearch search{argv[3], argc > 4 ? argv[4] : nullptr, nullptr};
        EnumChildWindows(target, MatchChild, reinterpret_cast<LPARAM>(&search));
        target = search.Found;
    }
    RECT r{};
    if (!target || !GetWindowRect(target, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

// Of the windows of a class inside a top-level window, the one highest up: "left top right bottom".
int TopChild(char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    struct Search {
        const char* ClassName;
        RECT Best{0, LONG_MAX, 0, 0};
    } search{argv[3]};
    EnumChildWindows(
        windows.front(),
        [](HWND child, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            char name[256] = {};
            RECT r{};
            GetClassNameA(child, name, sizeof name);
            if (std::string(name) == s.ClassName && GetWindowRect(child, &r) && r.top < s.Best.top)
                s.Best = r;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.Best.top == LONG_MAX) return 1;
    std::printf("%ld %ld %ld %ld\n", search.Best.left, search.Best.top, search.Best.right,
                search.Best.bottom);
    return 0;
}

// Whether the window's thread answers a message within a second: "yes" or "no".
int Answers(char** argv)
{
    const auto windows = TopLevelWindows(argv[2], true);  // shown or not, it must answer
    if (windows.empty()) return 1;
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(windows.front(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                              1000, &result) != 0;
    std::printf("%s\n", answered ? "yes" : "no");
    return 0;
}

// Every visible top-level window of a class, one rectangle a line.
int Rects(char** argv)
{
    for (HWND hwnd : TopLevelWindows(argv[2])) {
        RECT r{};
        if (GetWindowRect(hwnd, &r)) std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    }
    return 0;
}

// The system colours the flat look derives from, as 0xBBGGRR numbers, and the check mark's size.
int SystemLook()
{
    std::printf("%lu %lu %lu %lu %lu %d\n", GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_HIGHLIGHT),
                GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_WINDOW),
                GetSystemMetrics(SM_CXHTHUMB));
    return 0;
}

int Move(int argc, char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    const bool resize = argc == 7;
    SetWindowPos(windows.front(), HWND_TOP, std::atoi(argv[3]), std::atoi(argv[4]),
                 resize ? std::atoi(argv[5]) : 0, resize ? std::atoi(argv[6]) : 0,
                 SWP_SHOWWINDOW | (resize ? 0 : SWP_NOSIZE));
    return 0;
}

int List(char** argv)
{
    for (HWND hwnd : TopLevelWindows(argv[2])) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        std::printf("%llu %lu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)), pid);
    }
    return 0;
}

int CloseWindow(char** argv)
{
    HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[2], nullptr, 10)));
    return IsWindow(hwnd) && PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Hit(char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    const LRESULT wanted = std::atoi(argv[3]);
    RECT r{};
    GetWindowRect(windows.front(), &r);
    for (int y = r.top; y < r.bottom; y += 2)
        for (int x = r.right - 1; x >= r.left; x -= 2)
            if (SendMessageA(windows.front(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == wanted) {
                // Aim at the middle of the area, not its edge.
                int right = x;
                while (right - 1 > r.left &&
                       SendMessageA(windows.front(), WM_NCHITTEST, 0, MAKELPARAM(right - 1, y)) == wanted)
                    --right;
                int bottom = y;
                while (bottom + 1 < r.bottom &&
                       SendMessageA(windows.front(), WM_NCHITTEST, 0, MAKELPARAM(x, bottom + 1)) == wanted)
                    ++bottom;
                std::printf("%d %d\n", (x + right) / 2, (y + bottom) / 2);
                return 0;
            }
    return 1;
}

int Front(char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    SetForegroundWindow(windows.front());
    return 0;
}

int Close(char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    for (HWND hwnd : windows) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return windows.empty() ? 1 : 0;
}

int MessageBoxes(bool dismiss)
{
    const auto boxes = TopLevelWindows("#32770");
    for (HWND box : boxes) {
        if (dismiss) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            continue;
        }
        std::printf("%s\t%s\n", WindowText(box).c_str(), WindowText(GetDlgItem(box, 0xFFFF)).c_str());
    }
    if (dismiss) std::printf("%zu\n", boxes.size());
    return 0;
}

int Utf8MessageBoxes()
{
    for (HWND box : TopLevelWindows("#32770"))
        std::printf("%s\t%s\n", Utf8WindowText(box).c_str(), Utf8WindowText(GetDlgItem(box, 0xFFFF)).c_str());
    return 0;
}

// How many pixels of each column a text leaves in exactly its colour, drawn as the menus draw it
// (Tahoma, 8 point at 96 dpi), from its first inked column to its last: a fingerprint a menu's
// pixels can be searched for.
int TextColumns(char** argv)
{
    const char* text = argv[2];
    const auto colour = static_cast<COLORREF>(std::strtoul(argv[3], nullptr, 0));
    const auto ground = static_cast<COLORREF>(std::strtoul(argv[4], nullptr, 0));
    constexpr int kWidth = 200, kHeight = 30;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    if (!dc || !bitmap || !font) return 1;
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    HBRUSH brush = CreateSolidBrush(ground);
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT place{4, 4, kWidth, kHeight};
    DrawTextA(dc, text, -1, &place, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::vector<int> counts(kWidth, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) counts[x] += (pixels[y * kWidth + x] & 0xFFFFFF) == wanted;
    int first = 0, last = kWidth - 1;
    while (first < kWidth && counts[first] == 0) ++first;
    while (last > first && counts[last] == 0) --last;
    for (int x = first; x <= last; ++x) std::printf("%d ", counts[x]);
    std::printf("\n");
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}

int Texts(char** argv)
{
    const auto windows = TopLevelWindows(argv[2], true);
    if (windows.empty()) return 1;
    std::printf("%s\t%s\n", argv[2], Utf8WindowText(windows.front()).c_str());
    EnumChildWindows(
        windows.front(),
        [](HWND child, LPARAM) -> BOOL {
            char name[256] = {};
            GetClassNameA(child, name, sizeof name);
            std::printf("%s\t%s\n", name, Utf8WindowText(child).c_str());
            return TRUE;
        },
        0);
    return 0;
}

int ClipboardBitmap(const char* file)
{
    if (!OpenClipboard(nullptr)) return 1;
    const bool png = IsClipboardFormatAvailable(RegisterClipboardFormatA("PNG"));
    HANDLE data = GetClipboardData(CF_DIB);
    const auto* header = data ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(data)) : nullptr;
    if (!header || header->biCompression != BI_RGB ||
        (header->biBitCount != 24 && header->biBitCount != 32)) {
        if (header) GlobalUnlock(data);
        CloseClipboard();
        return 1;
    }
    const int width = header->biWidth, height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    const int bytesPerPixel = header->biBitCount / 8;
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~size_t{3};
    const auto* bits = reinterpret_cast<const BYTE*>(header) + header->biSize;
    std::vector<unsigned> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int row = header->biHeight < 0 ? y : height - 1 - y;
        const BYTE* p = bits + static_cast<size_t>(row) * stride;
        for (int x = 0; x < width; ++x, p += bytesPerPixel) pixels.push_back(p[2] | p[1] << 8 | p[0] << 16);
    }
    GlobalUnlock(data);
    CloseClipboard();
    FILE* out = std::fopen(file, "wb");
    if (!out) return 1;
    std::fwrite(pixels.data(), sizeof(unsigned), pixels.size(), out);
    std::fclose(out);
    std::printf("%d %d png=%d\n", width, height, png ? 1 : 0);
    return 0;
}

int HoldClipboard(const char* seconds)
{
    if (!OpenClipboard(nullptr)) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(seconds) * 1000));
    CloseClipboard();
    return 0;
}

int Tooltips()
{
    for (HWND tip : TopLevelWindows("tooltips_class32")) std::printf("%s\n", Utf8WindowText(tip).c_str());
    return 0;
}

// The classes of the active and the focused window of the thread that owns a window of the class.
int Focus(char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(windows.front(), nullptr), &info)) return 1;
    char active[256] = {}, focus[256] = {};
    GetClassNameA(info.hwndActive, active, sizeof active);
    GetClassNameA(info.hwndFocus, focus, sizeof focus);
    char capture[256] = {};
    GetClassNameA(info.hwndCapture, capture, sizeof capture);
    std::printf("%s %s capture=%s flags=%lx\n", active, focus, capture, info.flags);
    return 0;
}

int Foreground()
{
    char name[256] = {};
    GetClassNameA(GetForegroundWindow(), name, sizeof name);
    std::printf("%s\n", name);
    return 0;
}

int TrayDelete(char** argv)
{
    const auto windows = TopLevelWindows(argv[2], true);
    if (windows.empty()) return 1;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = windows.front();
    data.uID = static_cast<UINT>(std::atoi(argv[3]));
    return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
}

int TaskbarCreated()
{
    return PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) ? 0 : 1;
}

// Shows the window without activating it and serves it for SECONDS.
int ShowFor(HWND window, const char* seconds)
{
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, 1, static_cast<UINT>(std::atoi(seconds)) * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER) DispatchMessageA(&msg);
    DestroyWindow(window);
    return 0;
}

// A window of the class that refuses to close, as a hung program does, for SECONDS.
int Stubborn(char** argv)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return msg == WM_CLOSE ? 0 : DefWindowProcA(hwnd, msg, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = argv[2];
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowA(argv[2], "stubborn", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    return ShowFor(window, argv[3]);
}

// A white top-most window of the class at X Y W H (argv[2..5]), not yet shown.
HWND WhiteTopMost(const char* className, char** argv)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass)) return nullptr;
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, "", WS_POPUP, std::atoi(argv[2]),
                           std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// A white top-most window at a place, shown without activation, for SECONDS: what another
// program's overlay or notification does.
// A white window of another program in front at X Y W H (argv[2..5]) that writes what reaches it
// into its title: "K09" a key down (hex), "S31" a system key, "C41" a character, "LOSTFRONT"
// and "LOSTKEYS" when it lost the foreground or the keyboard. Runs until closed.
int KeyLog(char** argv)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto note = [&](const char* kind, bool code) {
            char entry[16];
            std::snprintf(entry, sizeof entry, code ? "%s%02x " : "%s ", kind, static_cast<unsigned>(wParam));
            char title[4096] = {};
            GetWindowTextA(hwnd, title, sizeof title - sizeof entry);
            std::strcat(title, entry);
            SetWindowTextA(hwnd, title);
        };
        switch (msg) {
            case WM_KEYDOWN:
                note("K", true);
                break;
            case WM_SYSKEYDOWN:
                note("S", true);
                break;
            case WM_CHAR:
            case WM_SYSCHAR:
                note("C", true);
                break;
            case WM_ACTIVATE:
                if (LOWORD(wParam) == WA_INACTIVE) note("LOSTFRONT", false);
                break;
            case WM_KILLFOCUS:
                note("LOSTKEYS", false);
                break;
            case WM_DESTROY:
                PostQuitMessage(0);
                break;
            default:
                break;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "ProbeKeyLog";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, "ProbeKeyLog", "", WS_POPUP | WS_BORDER, std::atoi(argv[2]),
                                  std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

int Backdrop()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        if (msg == WM_WINDOWPOSCHANGING) {  // a click raises a window in Wine's X stacking
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            pos->hwndInsertAfter = HWND_BOTTOM;
            pos->flags &= ~SWP_NOZORDER;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "ProbeBackdrop";
    if (!RegisterClassA(&windowClass)) return 1;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT r, LPARAM) -> BOOL {
            HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "ProbeBackdrop", "", WS_POPUP,
                                          r->left, r->top, r->right - r->left, r->bottom - r->top, nullptr,
                                          nullptr, GetModuleHandleA(nullptr), nullptr);
            ShowWindow(window, SW_SHOWNOACTIVATE);
            SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return TRUE;
        },
        0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

// Moves the pointer as a quick hand does, through SendInput inside the desktop (motion that comes
// through the X server is merged into about one move a tick): a zigzag from X Y, TURNS turns,
// HEIGHT pixels high, in moves of STEP pixels, four moves a call about a millisecond apart.
// Prints where the pointer was at each turn, "x y" a line.
int Zigzag(char** argv)
{
    const int x0 = std::atoi(argv[2]), y0 = std::atoi(argv[3]), turns = std::atoi(argv[4]),
              height = std::atoi(argv[5]), step = std::max(1, std::atoi(argv[6]));
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), tall = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const auto move = [&](int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
        input.mi.dx =
            static_cast<LONG>((static_cast<long long>(x - left) * 65535 + (width - 1) / 2) / (width - 1));
        input.mi.dy =
            static_cast<LONG>((static_cast<long long>(y - top) * 65535 + (tall - 1) / 2) / (tall - 1));
        return input;
    };
    std::vector<INPUT> batch;
    int x = x0, y = y0;
    for (int turn = 0; turn < turns; ++turn) {
        const int direction = turn % 2 == 0 ? -1 : 1;  // up first
        const int moves = height / step;
        for (int i = 0; i < moves; ++i) {
            x += 1;
            y += direction * step;
            batch.push_back(move(x, y));
            if (batch.size() == 4) {
                SendInput(static_cast<UINT>(batch.size()), batch.data(), sizeof(INPUT));
                batch.clear();
                Sleep(1);
            }
        }
        if (!batch.empty()) SendInput(static_cast<UINT>(batch.size()), batch.data(), sizeof(INPUT));
        batch.clear();
        POINT at{};
        GetCursorPos(&at);
        std::printf("%ld %ld\n", at.x, at.y);
    }
    return 0;
}

int TopMost(char** argv)
{
    return ShowFor(WhiteTopMost("ProbeTopMost", argv), argv[6]);
}

// The same window, raising itself above every top-most window every 50 ms: a program that keeps
// itself on top whatever else does.
int PushyTopMost(char** argv)
{
    HWND window = WhiteTopMost("ProbePushy", argv);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(argv[6])) * 1000;
    SetTimer(window, 1, 50, nullptr);
    MSG msg;
    while (static_cast<LONG>(GetTickCount() - end) < 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        DispatchMessageA(&msg);
    }
    DestroyWindow(window);
    return 0;
}

// How often, over SECONDS, the highest visible window of the given classes changed: two windows
// that fight for the top change places at every turn. Sampled every 5 ms.
int ZOrderChanges(int argc, char** argv)
{
    struct Search {
        char** Classes;
        int Count;
        HWND First = nullptr;
    };
    const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2])) * 1000;
    HWND last = nullptr;
    int changes = -1;
    while (static_cast<LONG>(GetTickCount() - end) < 0) {
        Search search{argv + 3, argc - 3};
        EnumWindows(
            [](HWND hwnd, LPARAM lParam) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(lParam);
                char name[256] = {};
                GetClassNameA(hwnd, name, sizeof name);
                for (int i = 0; i < s.Count; ++i)
                    if (lstrcmpiA(name, s.Classes[i]) == 0 && IsWindowVisible(hwnd)) {
                        s.First = hwnd;
                        return FALSE;
                    }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.First != last) ++changes;
        last = search.First;
        Sleep(5);
    }
    std::printf("%d\n", std::max(changes, 0));
    return 0;
}

int Ask(int argc, char** argv)
{
    const auto windows = TopLevelWindows(argv[2], true);
    if (windows.empty()) return 1;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(windows.front(), static_cast<UINT>(std::strtoul(argv[3], nullptr, 0)),
                             static_cast<WPARAM>(std::strtoull(argv[4], nullptr, 0)),
                             argc > 5 ? static_cast<LPARAM>(std::strtoll(argv[5], nullptr, 0)) : 0,
                             SMTO_ABORTIFHUNG, 5000, &answer))
        return 1;
    std::printf("%lld\n", static_cast<long long>(static_cast<LONG_PTR>(answer)));
    return 0;
}

int AnswerMessageBox(const std::string& answer)
{
    const auto boxes = TopLevelWindows("#32770");
    if (boxes.empty()) return 1;
    PostMessageA(boxes.front(), WM_COMMAND, answer == "yes" ? IDYES : IDNO, 0);
    return 0;
}

}  // namespace

// The short (8.3) form of an existing path, as some tools write it into the Run key.
int ShortPath(const char* path)
{
    wchar_t wide[MAX_PATH] = {}, shortened[MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH);
    if (GetShortPathNameW(wide, shortened, MAX_PATH) == 0) return 1;
    char utf8[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, shortened, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return 0;
}

// The arguments in UTF-8, as the driver wrote them: the ANSI ones lose what the code page lacks.
std::vector<std::string> Utf8Arguments()
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i) {
        char utf8[4096] = {};
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8, sizeof utf8, nullptr, nullptr);
        arguments.emplace_back(utf8);
    }
    LocalFree(wide);
    return arguments;
}

// One command, its arguments after the program's name.
int Run(std::vector<std::string> arguments)
{
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    const int argc = static_cast<int>(arguments.size());
    char** argv = pointers.data();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "rect" && argc >= 3) return Rect(argc, argv);
    if (command == "move" && (argc == 5 || argc == 7)) return Move(argc, argv);
    if (command == "rects" && argc == 3) return Rects(argv);
    if (command == "top-child" && argc == 4) return TopChild(argv);
    if (command == "answers" && argc == 3) return Answers(argv);
    if (command == "system-look") return SystemLook();
    if (command == "list" && argc == 3) return List(argv);
    if (command == "close-hwnd" && argc == 3) return CloseWindow(argv);
    if (command == "hit" && argc == 4) return Hit(argv);
    if (command == "front" && argc == 3) return Front(argv);
    if (command == "close" && argc == 3) return Close(argv);
    if (command == "count" && argc == 3)
        return std::printf("%zu\n", TopLevelWindows(argv[2]).size()) > 0 ? 0 : 1;
    if (command == "msgboxes") return MessageBoxes(false);
    if (command == "dismiss-msgboxes") return MessageBoxes(true);
    if (command == "answer-msgbox" && argc == 3) return AnswerMessageBox(argv[2]);
    if (command == "msgboxes-utf8") return Utf8MessageBoxes();
    if (command == "foreground") return Foreground();
    if (command == "focus" && argc == 3) return Focus(argv);
    if (command == "tray-delete" && argc == 4) return TrayDelete(argv);
    if (command == "taskbar-created") return TaskbarCreated();
    if (command == "stubborn" && argc == 4) return Stubborn(argv);
    if (command == "topmost" && argc == 7) return TopMost(argv);
    if (command == "pushy" && argc == 7) return PushyTopMost(argv);
    if (command == "ask" && (argc == 5 || argc == 6)) return Ask(argc, argv);
    if (command == "zorder-changes" && argc >= 4) return ZOrderChanges(argc, argv);
    if (command == "backdrop") return Backdrop();
    if (command == "keylog" && argc == 6) return KeyLog(argv);
    if (command == "zigzag" && argc == 7) return Zigzag(argv);
    if (command == "texts" && argc == 3) return Texts(argv);
    if (command == "text-columns" && argc == 5) return TextColumns(argv);
    if (command == "clipboard-bitmap" && argc == 3) return ClipboardBitmap(argv[2]);
    if (command == "hold-clipboard" && argc == 3) return HoldClipboard(argv[2]);
    if (command == "tooltips") return Tooltips();
    if (command == "short-path" && argc == 3) return ShortPath(argv[2]);
    std::fprintf(
        stderr,
        "usage: zelvora-probe "
        "rect|move|list|front|close|close-hwnd|hit|count|msgboxes|msgboxes-utf8|dismiss-msgboxes|"
        "answer-msgbox|texts|foreground|tray-delete|taskbar-created|stubborn|short-path|serve ...\n");
    return 2;
}

// Commands from stdin until it ends: starting a Wine process costs more than most questions.
int Serve()
{
    _setmode(_fileno(stdin), _O_BINARY);
    std::string line;
    for (int c; (c = std::getchar()) != EOF;) {
        if (c != '\n') {
            line.push_back(static_cast<char>(c));
            continue;
        }
        std::vector<std::string> arguments{"zelvora-probe"};
        for (std::size_t from = 0;;) {
            const std::size_t to = line.find(kServedSeparator, from);
            arguments.push_back(line.substr(from, to - from));
            if (to == std::string::npos) break;
            from = to + 1;
        }
        line.clear();
        const int code = Run(arguments);
        std::fflush(stdout);
        std::printf("%c%d\n", kServedSeparator, code);
        std::fflush(stdout);
    }
    return 0;
}

int main()
{
    _setmode(_fileno(stdout), _O_BINARY);  // "\n", not "\r\n": the driver compares exact text
    SetProcessDPIAware();                  // rectangles in screen pixels, as Zelvora sees them
    const std::vector<std::string> arguments = Utf8Arguments();
    if (arguments.size() == 2 && arguments[1] == "serve") return Serve();
    return Run(arguments);
}
