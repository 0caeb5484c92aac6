// The main window: owner of the marking engine, the shortcuts, the global hotkeys and the other
// windows' shared state.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "app/win32/ScreenSaves.h"
#include "app/win32/SettingsKey.h"
#include "app/win32/ShortcutHotkeys.h"
#include "base/ShortCut.h"
#include "controls/win32/CaptionPanel.h"
#include "dialogs/HotkeyOwner.h"
#include "engine/win32/MarkingEngine.h"
#include "i18n/TranslationComponent.h"
#include "toolkit/win32/CheckBox.h"
#include "toolkit/win32/ColorDialog.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Image.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/Panel.h"
#include "toolkit/win32/RadioButton.h"
#include "toolkit/win32/Shape.h"
#include "toolkit/win32/TrackBar.h"
#include "update/AntiFreeze.h"
#include "update/HttpClient.h"

namespace zelvora {

inline constexpr UINT WM_SHOW_ABOUT = WM_USER + 1;
// Posted from the marking loop, which runs inside a timer: the message box waits for the queue.
inline constexpr UINT WM_INK_LAYER_FAILED = WM_USER + 2;
// The save screen worker has written a picture.
inline constexpr UINT WM_SNAPSHOT_DONE = WM_USER + 3;
// Posted at start-up: the session's lock and unlock are followed once the window is up.
inline constexpr UINT WM_FOLLOW_SESSION = WM_USER + 5;
// What a long session's benchmark reads from outside: the main window answers the counter that
// wParam names.
inline constexpr UINT WM_QUERY_COUNTER = WM_USER + 4;
enum class TCounter : WPARAM {
    Marks,          // in the history
    MarkKiB,        // their size
    GdiObjects,     // the system's count (Wine answers 0)
    UserObjects,    // the same
    KernelHandles,  // the process's
    OwnGdiObjects,  // those our handle owners hold: counts Wine gives too
    OwnWindows,
    OwnKernelObjects,      // events, threads, files and registry keys
    HookReinstalls,        // the hold's hooks installed again after the system dropped them
    LongestHookMicros,     // the longest a hook procedure took since the last ask
    LongestTickGapMicros,  // the longest the marking loop's timer waited since the last ask
    Holding,               // 1 while a hold of the paint shortcut is on and its keys are ours
    LastTextHash,          // FNV-1a of the UTF-16 units of the newest text mark; 0 without one
    Paused,                // 1 while the pause shortcut has every other one off
    LastTextLength,        // UTF-16 units of the newest text mark
};
// Language numbers: 1 Deutsch, 2 English, 3 French, 4 Romanian.
inline constexpr int kDefaultLanguage = TSettings{}.Lang;

class TfrmZelvora : public TForm, public IHotkeyOwner, private IMarkingOptions {
    // Reads the description first, so that the control references below can be bound. These two
    // come first because members are initialised in the order they are declared.
    struct Loader {
        explicit Loader(TfrmZelvora& form);
    };
    TMarkingEngine engine_;
    // The window procedure hands messages to these two from the window's first message on,
    // while the description is still being read.
    TShortcutHotkeys hotkeys_;
    // The screen with its marks into Pictures\Zelvora and onto the clipboard; made on first use.
    std::unique_ptr<TScreenSaves> saves_;
    Loader loader_;
    bool updateRunning_ = false;

public:
    explicit TfrmZelvora(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TMarkingEngine& Engine() { return engine_; }
    void WipeMarks() { engine_.WipeMarks(); }
    void UndoLastMark() { engine_.UndoLastMark(); }
    void SetKeepMarks(bool keep);
    void SetVanishSeconds(int seconds);
    void ToggleMode();
    // Paused, every other shortcut is off and its keys reach the programs; never stored.
    bool Paused() const { return engine_.Paused(); }
    void SetPaused(bool paused);

    TShortCut Shortcut(TShortcutCommand command) const override { return shortcuts_[IndexOf(command)]; }
    // Stores the shortcut; the paint chord goes to the engine, the others register as hotkeys.
    void SetShortcut(TShortcutCommand command, TShortCut shortcut) override;
    void RegisterShortcutHotkey(TShortcutCommand command);
    void UnregisterHotkeys();
    // What a shortcut does, from its hotkey or from its menu item.
    enum class TCommandSource { Hotkey, Menu };
    void RunCommand(TShortcutCommand command, TCommandSource source = TCommandSource::Hotkey);
    int ActiveLanguage() const { return siLangDispatcher.ActiveLanguage(); }
    // A named message in the active language; empty when there is none.
    std::string GetNamedString(const std::string& name) const;
    void UpdateHints();
    void UpdateTitle();
    void UpdatePenPreview();
    // The keys held while drawing changed the pen: the swatch, the size and the preview show it.
    void FollowPen();

    TImage& ImageHeader;
    TPanel& Panel2;
    TLabel& lblPaint;
    TLabel& lblMode;
    TLabel& lblSize;
    TRadioButton& rbtnFreeHand;
    TRadioButton& rbtnControl;
    TCheckBox& cbTransparent;
    TCheckBox& cbFloodFill;
    TTrackBar& TrackBar;
    TShape& Shape1;
    TShape& Shape2;
    TMenuItem& mnuMinimizeOnStart;
    TMenuItem& mnuStartWithWindows;
    TMenuItem& mnuKeepMarks;
    TColorDialog& ColorDialog;
    TsiLang& siLang;
    TAdvPanel& pnlDraw;
    TAdvPanel& pnlMode;
    TAdvPanel& pnlPen;
    TsiLangDispatcher& siLangDispatcher;
    TMenuItem& mnuOnlineUpdate;
    TIdHTTP& IdHTTP;
    TIdAntiFreeze& IdAntiFreeze;
    // True while the update check waits for the server.
    bool UpdateCheckRunning() const { return updateRunning_; }
    // The settings as the window shows them now, in their stored form.
    TSettings CurrentSettings() const;
    // Writes every setting; a value that cannot be written is reported once, the rest are written.
    void WriteSettings();

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void BeforeDestruction() override;
    void ScaleChanged() override { UpdatePenPreview(); }

private:
    bool FreeHandMode() const override { return rbtnFreeHand.Checked(); }
    bool Transparent() const override { return cbTransparent.Checked(); }
    bool FloodFill() const override { return cbFloodFill.Checked(); }

    void PublishHandlers();
    void FormCreate();
    void FormDestroy();
    void FormShow();
    // All but the shortcuts, which need the window; returns what was stored.
    TSettings ApplyStoredSettings();
    void mnuStartWithWindowsClick();
    void ShowAbout();
    static void ReportErrors(const std::vector<std::string>& errors);
    void TrackBarChange();
    void Shape1MouseUp();
    void mnuEditShortCutClick();
    void siLangChangeLanguage();
    void SelectLanguage(int language);
    void mnuOnlineUpdateClick();
    void EndRequestWhenClosing();

    // Open from construction to destruction; null only if construction failed before it.
    std::unique_ptr<TSettingsKey> settingsKey_;
    TShortcuts shortcuts_ = DefaultShortcuts();
    TScreenSaves& Saves();
    void WarnOfElevatedWindow(HWND window);
    // The tray's icon and tip tell whether Zelvora is paused.
    void ShowPausedInTray();
    void FollowSession(bool watch);
    HWND elevatedWarned_ = nullptr;
    LRESULT Counter(TCounter counter);
};

}  // namespace zelvora
