// A Wine virtual desktop on a private Xvfb with a prefix of its own, Notepad in it, and the
// means to start Zelvora there and ask about its windows.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

inline constexpr char kSettingsKey[] = "HKCU\\Software\\Ombrix\\Zelvora";
inline constexpr char kRunKey[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class WineDesktop {
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;
    static constexpr const char* kDesktopName = "zelvora";

    // `workDir` receives the prefix and logs; `binDir` holds Zelvora.exe and the probe. `dpi` is
    // the screen's ("LogPixels"), which programs aware of it see.
    WineDesktop(const std::string& workDir, const std::string& binDir, int dpi = 96);
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
    // Focus on the desktop's X window: Wine sees keys only then.
    void FocusDesktop();

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

private:
    void RunWine(const std::vector<std::string>& args);

    std::string workDir_;
    std::string binDir_;
    std::string picturesDir_;
    ChildProcess xvfb_;
    std::unique_ptr<X11Screen> screen_;
    ChildProcess notepad_;
    ScreenRect notepadEdit_;
};

}  // namespace zelvora::desktop
