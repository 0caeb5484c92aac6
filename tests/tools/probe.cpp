// Answers the desktop tests' questions about windows inside the Wine desktop, one command per
// run, on stdout. Exit code 0 on success, 1 when the window was not found, 2 on bad usage.
//   rect CLASS [CHILDCLASS]      screen rectangle "left top right bottom"
//   move CLASS X Y W H           move and resize a top-level window, bring it to the front
//   front CLASS                  make a top-level window the foreground window
//   close CLASS                  post WM_CLOSE to every top-level window of the class
//   count CLASS                  number of visible top-level windows of the class
//   msgboxes                     one line per visible message box: "caption<TAB>text"
//   dismiss-msgboxes             press OK on every visible message box; prints how many
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string WindowText(HWND hwnd)
{
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::vector<HWND> TopLevelWindows(const char* className)
{
    struct Search {
        const char* ClassName;
        std::vector<HWND> Found;
    } search{className, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            char name[256] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (lstrcmpiA(name, s.ClassName) == 0 && IsWindowVisible(hwnd)) s.Found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

int Rect(int argc, char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    HWND target = windows.front();
    if (argc > 3) target = FindWindowExA(target, nullptr, argv[3], nullptr);
    RECT r{};
    if (!target || !GetWindowRect(target, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

int Move(char** argv)
{
    const auto windows = TopLevelWindows(argv[2]);
    if (windows.empty()) return 1;
    SetWindowPos(windows.front(), HWND_TOP, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                 std::atoi(argv[6]), SWP_SHOWWINDOW);
    return 0;
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

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "rect" && argc >= 3) return Rect(argc, argv);
    if (command == "move" && argc == 7) return Move(argv);
    if (command == "front" && argc == 3) return Front(argv);
    if (command == "close" && argc == 3) return Close(argv);
    if (command == "count" && argc == 3) return std::printf("%zu\n", TopLevelWindows(argv[2]).size()) > 0 ? 0 : 1;
    if (command == "msgboxes") return MessageBoxes(false);
    if (command == "dismiss-msgboxes") return MessageBoxes(true);
    std::fprintf(stderr, "usage: zelvora-probe rect|move|front|close|count|msgboxes|dismiss-msgboxes ...\n");
    return 2;
}
