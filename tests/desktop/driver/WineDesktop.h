// A Wine virtual desktop on a private Xvfb with a prefix of its own, Notepad in it, and the
// means to start Zelvora there and ask about its windows.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ProbeServer.h"
#include "Process.h"
#include "X11Screen.h"

namespace zelvora::desktop {

struct ScreenRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    int CentreX() const { return (Left + Right) / 2; }
    int CentreY() const { return (Top + Bottom) / 2; }
};

struct RegistryValue {
    std::string Type;  // "REG_DWORD", "REG_SZ", ...
    std::string Data;  // as `reg query` prints it: "0x8032" for a DWORD
    bool operator==(const RegistryValue&) const = default;
};
using RegistryValues = std::map<std::string, RegistryValue>;

// The desktop's monitors: one (a Wine virtual desktop), or two with the second left of the
// primary, at negative points, leaving a corner of the virtual screen that no monitor shows.
enum class Monitors { One, TwoLeftOfPrimary };
inline constexpr ScreenRect kPrimaryMonitor{0, 0, 1024, 768};
inline constexpr ScreenRect kLeftMonitor{-1024, 100, 0, 868};

inline constexpr char kSettingsKey[] = "HKCU\\Software\\Ombrix\\Zelvora";
// The prefix every suite's own is copied from, made by the first suite that needs it.
inline constexpr char kTemplatePrefix[] = ZELVORA_TEMPLATE_PREFIX;

inline constexpr char kRunKey[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class WineDesktop {
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;
    static constexpr const char* kDesktopName = "zelvora";

    // `workDir` receives the prefix and logs; `binDir` holds Zelvora.exe and the probe. `dpi` is
    // the screen's ("LogPixels"), which programs aware of it see. Two monitors run without a
    // virtual desktop and a window manager, with a Notepad and a plain backdrop on each monitor.
    WineDesktop(const std::string& workDir, const std::string& binDir, int dpi = 96,
                Monitors monitors = Monitors::One);
    ~WineDesktop();
    WineDesktop(const WineDesktop&) = delete;
    WineDesktop& operator=(const WineDesktop&) = delete;

    X11Screen& Screen() { return *screen_; }
    const std::string& BinDir() const { return binDir_; }
    const std::string& WorkDir() const { return workDir_; }
    // The Windows user's Pictures folder: a folder of the prefix, not the home folder it links to.
    const std::string& PicturesDir() const { return picturesDir_; }

    // Runs a program inside the desktop and returns at once.
    ChildProcess Launch(const std::string& program, const std::vector<std::string>& args = {});
    CommandResult Probe(const std::vector<std::string>& args);
    std::optional<ScreenRect> WindowRect(const std::string& windowClass, const std::string& childClass = "");
    int WindowCount(const std::string& windowClass);
    // Focus on the desktop's X window: Wine sees keys only then. (Two monitors: the keyboard
    // follows the pointer.)
    void FocusDesktop();
    // Whether windows have frames: a window manager draws them, the virtual desktop's is Wine's.
    bool Framed() const { return !twoMonitors_; }

    void SetSetting(const std::string& name, unsigned value);
    void SetTextSetting(const std::string& name, const std::string& value);
    void ClearSettings();
    // The registry as `wine reg` sees it from outside the program.
    RegistryValues QueryKey(const std::string& key);
    RegistryValues Settings() { return QueryKey(kSettingsKey); }
    void SetRegistryValue(const std::string& key, const std::string& name, const std::string& type,
                          const std::string& data);
    void DeleteRegistryValue(const std::string& key, const std::string& name);
    // Addresses the program opens in "the browser" are appended to this file, one per line.
    std::string BrowserLog() const { return workDir_ + "/browser.log"; }

    // Notepad's edit control, where the tests draw.
    ScreenRect NotepadEdit() const { return notepadEdit_; }
    // Two monitors: the left monitor's Notepad ("hwnd:N" for the probe) and its edit control.
    const std::string& LeftNotepad() const { return leftNotepad_; }
    ScreenRect LeftNotepadEdit() const { return leftNotepadEdit_; }

private:
    void RunWine(const std::vector<std::string>& args);
    void StartTwoMonitors();
    // A new prefix at `prefix`, a copy of the one the desktop tests make once.
    void CopyFreshPrefix(const std::string& prefix);
    // Starts Notepad, places it and waits for its edit control there; "hwnd:N".
    std::string OpenNotepad(const ScreenRect& place, ScreenRect& edit);

    std::string workDir_;
    std::string binDir_;
    std::string picturesDir_;
    bool twoMonitors_;
    ProbeServer probeServer_;
    ChildProcess xvfb_;
    ChildProcess nested_;
    ChildProcess backdrop_;
    std::unique_ptr<X11Screen> screen_;
    ChildProcess notepad_, leftNotepadProcess_;
    ScreenRect notepadEdit_, leftNotepadEdit_;
    std::string leftNotepad_;
    std::string notepadHandle_;
};

}  // namespace zelvora::desktop
