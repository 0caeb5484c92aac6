// The main window: owner of the marking engine, the shortcuts and the global hotkeys.
#pragma once

#include <windows.h>

#include <string>

#include "engine/MarkingEngine.h"
#include "engine/ShortCut.h"
#include "i18n/NamedMessages.h"
#include "toolkit/Form.h"

namespace zelvora {

inline constexpr TShortCut kDefaultWipeShortcut = 0x8032;  // Alt+2
inline constexpr TShortCut kDefaultModeShortcut = 0x8033;  // Alt+3
inline constexpr char kSettingsKeyPath[] = "Software\\Ombrix\\Zelvora";

class TfrmZelvora : public TForm, private IMarkingOptions {
public:
    explicit TfrmZelvora(TApplication& application);
    ~TfrmZelvora() override;

    TMarkingEngine& Engine() { return engine_; }
    void WipeMarks() { engine_.WipeMarks(); }
    void ToggleMode();

    void SetPaintShortcut(TShortCut shortcut);
    void SetWipeShortcut(TShortCut shortcut);
    void SetModeShortcut(TShortCut shortcut);
    void RegisterShortcutHotkey(int id, TShortCut shortcut);

    int WipeHotkeyId() const { return wipeHotkeyId_; }
    int ActiveLanguage() const { return activeLanguage_; }
    // A named message in the active language; empty when there is none.
    std::string GetNamedString(const std::string& name) const;
    int ModeHotkeyId() const { return modeHotkeyId_; }

    // Stand-ins for the option controls, which the window does not have yet.
    bool rbtnFreeHand = true;
    bool rbtnControl = false;
    bool cbTransparent = false;
    bool cbFloodFill = false;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool FreeHandMode() const override { return rbtnFreeHand; }
    bool Transparent() const override { return cbTransparent; }
    bool FloodFill() const override { return cbFloodFill; }

    void FormCreate();
    void FormDestroy();
    void LoadSettings();
    void WMHotKey(WPARAM id);
    void UpdateTitle();

    TMarkingEngine engine_;
    int activeLanguage_ = kDefaultLanguage;
    int wipeHotkeyId_ = 0;
    int modeHotkeyId_ = 0;
    TShortCut wipeShortcut_ = kDefaultWipeShortcut;
    TShortCut modeShortcut_ = kDefaultModeShortcut;
};

// The main window of the running program, while it exists.
extern TfrmZelvora* frmZelvora;

}  // namespace zelvora
