#include "WineDesktop.h"

#include <fcntl.h>
#include <unistd.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "Wait.h"

namespace zelvora::desktop {

namespace {

using namespace std::chrono_literals;

bool DisplayInUse(int number)
{
    struct stat info {};
    return stat(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), &info) == 0 ||
           stat(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), &info) == 0;
}

// The process the X server lock of a display names; -1 while there is none.
long LockHolder(int number)
{
    std::ifstream lock("/tmp/.X" + std::to_string(number) + "-lock");
    long pid = -1;
    return lock >> pid ? pid : -1;
}

// Starts an X server (`argv` with the display to take last) on a free display number. Test
// programs that start side by side may pick one number at once: the lock file names the server
// that got it, and the other tries the next.
ChildProcess StartXServer(std::vector<std::string> argv, const std::string& logPath, std::string& display)
{
    for (int number = 90 + (getpid() % 50); number < 400; ++number) {
        if (DisplayInUse(number)) continue;
        display = ":" + std::to_string(number);
        argv.insert(argv.begin() + 1, display);
        ChildProcess server(argv, logPath);
        argv.erase(argv.begin() + 1);
        bool ours = false;
        WaitUntil(
            [&] {
                ours = LockHolder(number) == server.Pid() &&
                       std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number));
                return ours || !server.Running();
            },
            15s, 20ms);
        if (ours) return server;
    }
    throw std::runtime_error("no free X display number");
}

std::unique_ptr<X11Screen> OpenScreen(const std::string& display, int originX = 0, int originY = 0)
{
    std::unique_ptr<X11Screen> screen;
    if (!WaitUntil(
            [&] {
                try {
                    screen = std::make_unique<X11Screen>(display, originX, originY);
                    return true;
                } catch (const std::exception&) {
                    return false;
                }
            },
            15s, 100ms))
        throw std::runtime_error("no X server on " + display);
    return screen;
}

}  // namespace

WineDesktop::WineDesktop(const std::string& workDir, const std::string& binDir, int dpi, Monitors monitors)
    : workDir_(std::filesystem::absolute(workDir).lexically_normal()),
      binDir_(std::filesystem::absolute(binDir).lexically_normal()),
      twoMonitors_(monitors == Monitors::TwoLeftOfPrimary),
      probeServer_(binDir_ + "/zelvora-probe.exe")
{
    std::filesystem::create_directories(workDir_);
    if (twoMonitors_) {
        StartTwoMonitors();
    } else {
        std::string display;
        xvfb_ =
            StartXServer({"Xvfb", "-screen", "0",
                          std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24", "-nolisten", "tcp"},
                         workDir_ + "/xvfb.log", display);
        screen_ = OpenScreen(display);
        setenv("DISPLAY", display.c_str(), 1);
    }

    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);  // no Mono or Gecko installer dialogs
    const std::string prefix = workDir_ + "/prefix";
    setenv("WINEPREFIX", prefix.c_str(), 1);
    RunCommand({"wineserver", "-k"}, 10s);
    if (!std::filesystem::exists(prefix + "/system.reg")) CopyFreshPrefix(prefix);
    // The prefix links the user's Pictures to the home folder: pictures taken in a test stay in it.
    for (const auto& user : std::filesystem::directory_iterator(workDir_ + "/prefix/drive_c/users")) {
        if (user.path().filename() == "Public") continue;
        picturesDir_ = (user.path() / "Pictures").string();
        if (std::filesystem::is_symlink(picturesDir_)) std::filesystem::remove(picturesDir_);
        std::filesystem::create_directories(picturesDir_);
    }
    // Tahoma and Marlett, as every prefix of ours gets them ($WINEPREFIX is set above).
    RunCommand({ZELVORA_SCRIPTS_DIR "/wine-fonts"}, 30s);
    // Every program of this prefix joins one virtual desktop, the probe included.
    if (!twoMonitors_) {
        RunWine({"reg", "add", "HKCU\\Software\\Wine\\Explorer", "/v", "Desktop", "/d", kDesktopName, "/f"});
        RunWine({"reg", "add", "HKCU\\Software\\Wine\\Explorer\\Desktops", "/v", kDesktopName, "/d",
                 std::to_string(kWidth) + "x" + std::to_string(kHeight), "/f"});
    }
    RunWine({"reg", "add", "HKCU\\Software\\Wine\\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD", "/d",
             "0", "/f"});
    if (dpi != 96) {
        RunWine({"reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                 std::to_string(dpi), "/f"});
        RunCommand({"wineserver", "-k"}, 10s);  // the server reads it when it starts
    }

    // Wine's browser launcher runs this script instead of a browser: it notes what it was asked to open.
    const std::string browser = workDir_ + "/browser.sh";
    std::ofstream(browser) << "#!/bin/sh\necho \"$1\" >> '" << BrowserLog() << "'\n";
    std::filesystem::permissions(browser, std::filesystem::perms::owner_all);
    RunWine({"reg", "add", "HKCU\\Software\\Wine\\WineBrowser", "/v", "Browsers", "/d", browser, "/f"});

    if (twoMonitors_) {
        backdrop_ = Launch(binDir_ + "/zelvora-probe.exe", {"backdrop"});
        if (!WaitUntil([&] { return WindowCount("ProbeBackdrop") == 2; }, 60s, 200ms))
            throw std::runtime_error("no backdrop on both monitors");
    }
    notepad_ = Launch("notepad");
    const std::string notepad = OpenNotepad({20, 20, 620, 480}, notepadEdit_);
    if (!twoMonitors_ && !WaitUntil([&] { return screen_->FocusWindowNamed("Wine desktop"); }, 30s, 100ms))
        throw std::runtime_error("no Wine desktop window");
    // Some dark text for the transparent pen to leave alone.
    Probe({"front", notepad});
    screen_->Click(notepadEdit_.Left + 40, notepadEdit_.Top + 40);
    screen_->TypeText("MMMM WWWW MMMM WWWW MMMM WWWW");
    if (!twoMonitors_) return;
    leftNotepadProcess_ = Launch("notepad");
    leftNotepad_ = OpenNotepad(
        {kLeftMonitor.Left + 24, kLeftMonitor.Top + 50, kLeftMonitor.Left + 624, kLeftMonitor.Top + 510},
        leftNotepadEdit_);
    Probe({"front", leftNotepad_});
    screen_->Click(leftNotepadEdit_.Left + 40, leftNotepadEdit_.Top + 40);
    screen_->TypeText("MMMM WWWW MMMM WWWW MMMM WWWW");
}

void WineDesktop::StartTwoMonitors()
{
    // Xephyr nested in an Xvfb places its heads where asked (Xvfb's own put every head at 0,0):
    // Wine makes the first the primary monitor and the second the one to its left.
    std::string outer, inner;
    xvfb_ = StartXServer({"Xvfb", "-screen", "0", "2400x1200x24", "-nolisten", "tcp"}, workDir_ + "/xvfb.log",
                         outer);
    OpenScreen(outer);
    setenv("DISPLAY", outer.c_str(), 1);
    nested_ = StartXServer({"Xephyr", "+xinerama", "-extension", "RANDR", "-origin", "1024,0", "-screen",
                            "1024x768", "-origin", "0,100", "-screen", "1024x768", "-nolisten", "tcp"},
                           workDir_ + "/xephyr.log", inner);
    screen_ = OpenScreen(inner, kLeftMonitor.Left, 0);
    setenv("DISPLAY", inner.c_str(), 1);
}

void WineDesktop::CopyFreshPrefix(const std::string& prefix)
{
    // Making a prefix costs Wine most of a minute; the suites copy one made once. Suites that
    // start side by side take turns at the lock, and the first makes it.
    const std::string made = kTemplatePrefix;
    std::filesystem::create_directories(std::filesystem::path(made).parent_path());
    const int lock = open((made + ".lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (lock < 0 || flock(lock, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + made + ".lock");
    const std::string ready = made + "/.ready";
    if (!std::filesystem::exists(ready)) {
        std::filesystem::remove_all(made);
        const std::string inPrefix = "WINEPREFIX=" + made;
        const bool madeIt =
            RunCommand({"env", inPrefix, "wineboot", "-i"}, 300s).ExitCode == 0 &&
            RunCommand({"env", inPrefix, ZELVORA_SCRIPTS_DIR "/wine-fonts"}, 30s).ExitCode == 0 &&
            RunCommand({"env", inPrefix, "wineserver", "-w"}, 60s).ExitCode == 0;
        if (madeIt) std::ofstream(ready) << "made once for the desktop tests\n";
    }
    std::filesystem::remove_all(prefix);  // a copy cut short
    const bool copied =
        std::filesystem::exists(ready) && RunCommand({"cp", "-a", made, prefix}, 300s).ExitCode == 0;
    close(lock);  // and the lock with it
    if (!copied) throw std::runtime_error("no Wine prefix (made in " + made + ")");
}

std::string WineDesktop::OpenNotepad(const ScreenRect& place, ScreenRect& edit)
{
    // The Notepad just started is the one not known yet.
    std::string window;
    if (!WaitUntil(
            [&] {
                std::istringstream lines(Probe({"list", "Notepad"}).Output);
                for (std::string handle, process; lines >> handle >> process;)
                    if ("hwnd:" + handle != notepadHandle_) window = "hwnd:" + handle;
                return !window.empty() && WindowRect(window, "Edit").has_value();
            },
            60s, 200ms))
        throw std::runtime_error("Notepad did not appear");
    if (notepadHandle_.empty()) notepadHandle_ = window;
    Probe({"move", window, std::to_string(place.Left), std::to_string(place.Top),
           std::to_string(place.Width()), std::to_string(place.Height())});
    if (!WaitUntil(
            [&] {
                const auto now = WindowRect(window, "Edit");
                const bool placed =
                    now && now->Left > place.Left && now->Right < place.Right && now->Width() > 400;
                if (placed) edit = *now;
                return placed;
            },
            10s, 100ms))
        throw std::runtime_error("Notepad did not move to its place");
    return window;
}

WineDesktop::~WineDesktop()
{
    probeServer_.Stop();
    RunCommand({"wineserver", "-k"}, 20s);
    notepad_.Stop();
    leftNotepadProcess_.Stop();
    backdrop_.Stop();
    screen_.reset();
    nested_.Stop();
    xvfb_.Stop();
}

void WineDesktop::RunWine(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{"wine"};
    argv.insert(argv.end(), args.begin(), args.end());
    RunCommand(argv, 60s);
}

ChildProcess WineDesktop::Launch(const std::string& program, const std::vector<std::string>& args)
{
    std::vector<std::string> argv{"wine", program};
    argv.insert(argv.end(), args.begin(), args.end());
    return ChildProcess(argv, workDir_ + "/wine.log");
}

CommandResult WineDesktop::Probe(const std::vector<std::string>& args)
{
    // Questions and quick commands go to the probe that stays; the rest need a process of their own
    // (windows it shows, a clipboard it holds, the shell's notification area).
    static const std::set<std::string> served{
        "rect",          "rects",      "top-child",     "list",
        "count",         "msgboxes",   "msgboxes-utf8", "dismiss-msgboxes",
        "answer-msgbox", "foreground", "focus",         "texts",
        "text-columns",  "ask",        "hit",           "close",
        "close-hwnd",    "move",       "front",         "short-path"};
    if (!args.empty() && served.contains(args.front())) return probeServer_.Ask(args, 30s);
    std::vector<std::string> argv{"wine", binDir_ + "/zelvora-probe.exe"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, 30s);
}

std::optional<ScreenRect> WineDesktop::WindowRect(const std::string& windowClass,
                                                  const std::string& childClass)
{
    std::vector<std::string> args{"rect", windowClass};
    if (!childClass.empty()) args.push_back(childClass);
    const CommandResult result = Probe(args);
    ScreenRect r;
    std::istringstream in(result.Output);
    if (result.ExitCode != 0 || !(in >> r.Left >> r.Top >> r.Right >> r.Bottom)) return std::nullopt;
    return r;
}

int WineDesktop::WindowCount(const std::string& windowClass)
{
    const CommandResult result = Probe({"count", windowClass});
    return result.ExitCode == 0 ? std::atoi(result.Output.c_str()) : 0;
}

void WineDesktop::FocusDesktop()
{
    if (!twoMonitors_) screen_->FocusWindowNamed("Wine desktop");
}

void WineDesktop::SetSetting(const std::string& name, unsigned value)
{
    RunWine({"reg", "add", kSettingsKey, "/v", name, "/t", "REG_DWORD", "/d", std::to_string(value), "/f"});
}

void WineDesktop::SetTextSetting(const std::string& name, const std::string& value)
{
    RunWine({"reg", "add", kSettingsKey, "/v", name, "/t", "REG_SZ", "/d", value, "/f"});
}

void WineDesktop::ClearSettings()
{
    RunWine({"reg", "delete", kSettingsKey, "/f"});
}

RegistryValues WineDesktop::QueryKey(const std::string& key)
{
    const CommandResult result = RunCommand({"wine", "reg", "query", key}, 60s);
    // "    Name    REG_DWORD    0x8032", four blanks between the columns.
    static const std::regex line(R"(^    (\S+)    (REG_\w+)    ?(.*?)\r?$)");
    RegistryValues values;
    std::istringstream lines(result.Output);
    std::string text;
    std::smatch match;
    while (std::getline(lines, text))
        if (std::regex_match(text, match, line)) values[match[1]] = RegistryValue{match[2], match[3]};
    return values;
}

void WineDesktop::SetRegistryValue(const std::string& key, const std::string& name, const std::string& type,
                                   const std::string& data)
{
    RunWine({"reg", "add", key, "/v", name, "/t", type, "/d", data, "/f"});
}

void WineDesktop::DeleteRegistryValue(const std::string& key, const std::string& name)
{
    RunWine({"reg", "delete", key, "/v", name, "/f"});
}

}  // namespace zelvora::desktop
