#include "app/frmZelvora.h"

#include <algorithm>

#include "engine/GlobalHotkeys.h"
#include "engine/SystemKeyNames.h"
#include "toolkit/Application.h"
#include "toolkit/Format.h"
#include "toolkit/Registry.h"

namespace zelvora {

TfrmZelvora* frmZelvora = nullptr;

namespace {

constexpr int kClientWidth = 417;
constexpr int kClientHeight = 241;
constexpr int kMinMarkerSize = 1;   // the size track bar's range
constexpr int kMaxMarkerSize = 20;

TFormParams MainWindowParams()
{
    TFormParams params;
    params.ClassName = "TfrmZelvora";
    params.Caption = "Zelvora";
    params.ClientWidth = kClientWidth;
    params.ClientHeight = kClientHeight;
    params.BorderStyle = TFormBorderStyle::bsSingle;
    params.BackgroundSysColor = COLOR_WINDOW;
    return params;
}

int ReadInteger(const TRegistry& settings, const char* name, int fallback)
{
    return settings.ValueExists(name) ? settings.ReadInteger(name) : fallback;
}

}  // namespace

TfrmZelvora::TfrmZelvora(TApplication& application)
    : TForm(application, MainWindowParams()), engine_(static_cast<const IMarkingOptions&>(*this))
{
    frmZelvora = this;
    FormCreate();
    wipeHotkeyId_ = AddHotkeyAtom(kWipeHotkeyAtomName);
    modeHotkeyId_ = AddHotkeyAtom(kModeHotkeyAtomName);
    LoadSettings();
    SetWindowState(TWindowState::wsNormal);
    // Registered a second time on purpose, after the window state is settled: a combination
    // that is taken is therefore reported twice at start-up.
    RegisterShortcutHotkey(wipeHotkeyId_, wipeShortcut_);
    RegisterShortcutHotkey(modeHotkeyId_, modeShortcut_);
    UpdateTitle();
}

TfrmZelvora::~TfrmZelvora()
{
    FormDestroy();
    if (frmZelvora == this) frmZelvora = nullptr;
}

void TfrmZelvora::FormCreate()
{
    engine_.SetDrawingEnabled(true);
    engine_.AcquireDesktopCanvas();
    engine_.StartPollTimer();
}

void TfrmZelvora::FormDestroy()
{
    UnregisterShortcutHotkey(Handle(), wipeHotkeyId_);
    UnregisterShortcutHotkey(Handle(), modeHotkeyId_);
    engine_.StopPollTimer();
    TMarkingEngine::RepaintAllWindows();  // no mark outlives the program
    engine_.ReleaseDesktopCanvas();
}

void TfrmZelvora::LoadSettings()
{
    const TRegistry settings(HKEY_CURRENT_USER, kSettingsKeyPath);
    engine_.SetMarkerSize(
        std::clamp(ReadInteger(settings, "MarkerSize", kDefaultMarkerSize), kMinMarkerSize, kMaxMarkerSize));
    engine_.SetMarkerColor(static_cast<TColor>(ReadInteger(settings, "MarkerColor", kDefaultMarkerColor)));
    // A number outside the known languages falls back to the default instead of failing start-up.
    activeLanguage_ = ReadInteger(settings, "Lang", kDefaultLanguage);
    if (activeLanguage_ < 1 || activeLanguage_ > kLanguageCount) activeLanguage_ = kDefaultLanguage;
    rbtnFreeHand = ReadInteger(settings, "Mode", 1) == 1;
    rbtnControl = !rbtnFreeHand;
    cbTransparent = ReadInteger(settings, "Transparency", 0) != 0;
    cbFloodFill = ReadInteger(settings, "FloodFill", 0) != 0;
    SetPaintShortcut(static_cast<TShortCut>(ReadInteger(settings, "PaintHotkey", kDefaultPaintShortcut)));
    SetWipeShortcut(static_cast<TShortCut>(ReadInteger(settings, "DeleteHotkey", kDefaultWipeShortcut)));
    SetModeShortcut(static_cast<TShortCut>(ReadInteger(settings, "ModeHotkey", kDefaultModeShortcut)));
}

void TfrmZelvora::SetPaintShortcut(TShortCut shortcut)
{
    engine_.SetPaintShortcut(shortcut);
}

void TfrmZelvora::SetWipeShortcut(TShortCut shortcut)
{
    wipeShortcut_ = shortcut;
    RegisterShortcutHotkey(wipeHotkeyId_, shortcut);
}

void TfrmZelvora::SetModeShortcut(TShortCut shortcut)
{
    modeShortcut_ = shortcut;
    RegisterShortcutHotkey(modeHotkeyId_, shortcut);
}

void TfrmZelvora::RegisterShortcutHotkey(int id, TShortCut shortcut)
{
    if (zelvora::RegisterShortcutHotkey(Handle(), id, shortcut)) return;
    // The shortcut stays stored although it is not registered; the user picks another one.
    const std::string message =
        FormatText(GetNamedString("sCantRegisterHotkey"), {ShortCutToText(shortcut)});
    Application().ShowMessageBox(message, Application().Title(), MB_OK);
}

std::string TfrmZelvora::GetNamedString(const std::string& name) const
{
    return zelvora::GetNamedString(name, activeLanguage_);
}

void TfrmZelvora::ToggleMode()
{
    rbtnFreeHand = !rbtnFreeHand;
    rbtnControl = !rbtnFreeHand;
}

void TfrmZelvora::WMHotKey(WPARAM id)
{
    if (static_cast<int>(id) == wipeHotkeyId_) WipeMarks();
    if (static_cast<int>(id) == modeHotkeyId_) ToggleMode();
}

void TfrmZelvora::UpdateTitle()
{
    SetCaption(Application().Title());
}

LRESULT TfrmZelvora::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_HOTKEY) {
        WMHotKey(wParam);
        return 0;
    }
    return TForm::WndProc(msg, wParam, lParam);
}

}  // namespace zelvora
