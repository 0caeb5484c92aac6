#include "app/win32/MainWindow.h"

#include <algorithm>

#include "app/win32/Autostart.h"
#include "app/win32/ScreenSaves.h"
#include "app/win32/UpdateCheck.h"
#include "base/DpiScaling.h"
#include "base/Format.h"
#include "dialogs/WebSites.h"
#include "dialogs/win32/DrawingKeysWindow.h"
#include "dialogs/win32/HotkeyWindow.h"
#include "engine/win32/GlobalHotkeys.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/DesktopComposition.h"
#include "toolkit/win32/GreyedIcon.h"
#include "toolkit/win32/KeyNames.h"
#include "toolkit/win32/Registry.h"
#include "toolkit/win32/ShellOpen.h"
#include "toolkit/win32/SystemLibrary.h"
#include "toolkit/win32/TextEncoding.h"
#include "tray/win32/TrayIcon.h"

namespace zelvora {

const TClassInfo& TfrmZelvora::StaticClassInfo()
{
    static const TClassInfo info("TfrmZelvora", &TForm::StaticClassInfo(), {});
    return info;
}

TfrmZelvora::Loader::Loader(TfrmZelvora& form)
{
    form.PublishHandlers();
    // The stored settings check menu items and the language renames them: the menu is built
    // once, when the constructor is done, instead of at every change.
    form.Updating();
    form.InitializeFromResource("TFRMZELVORA", TWindowsMade::ByTheWindow);
}

TfrmZelvora::TfrmZelvora(TComponent* owner)
    : TForm(owner),
      engine_(static_cast<const IMarkingOptions&>(*this)),
      hotkeys_([this](TShortcutCommand command) { RunCommand(command); },
               [this](TShortCut refused) {
                   const std::string message =
                       FormatText(GetNamedString("sCantRegisterHotkey"), {ShortCutToText(refused)});
                   Application->ShowMessageBox(message, Application->Title(), MB_OK);
               }),
      loader_(*this),
      ImageHeader(Field<TImage>("ImageHeader")),
      Panel2(Field<TPanel>("Panel2")),
      lblPaint(Field<TLabel>("lblPaint")),
      lblMode(Field<TLabel>("lblMode")),
      lblSize(Field<TLabel>("lblSize")),
      rbtnFreeHand(Field<TRadioButton>("rbtnFreeHand")),
      rbtnControl(Field<TRadioButton>("rbtnControl")),
      cbTransparent(Field<TCheckBox>("cbTransparent")),
      cbFloodFill(Field<TCheckBox>("cbFloodFill")),
      TrackBar(Field<TTrackBar>("TrackBar")),
      Shape1(Field<TShape>("Shape1")),
      Shape2(Field<TShape>("Shape2")),
      mnuMinimizeOnStart(Field<TMenuItem>("mnuMinimizeOnStart")),
      mnuStartWithWindows(Field<TMenuItem>("mnuStartWithWindows")),
      mnuKeepMarks(Field<TMenuItem>("mnuKeepMarks")),
      ColorDialog(Field<TColorDialog>("ColorDialog")),
      siLang(Field<TsiLang>("siLang")),
      pnlDraw(Field<TAdvPanel>("pnlDraw")),
      pnlMode(Field<TAdvPanel>("pnlMode")),
      pnlPen(Field<TAdvPanel>("pnlPen")),
      siLangDispatcher(Field<TsiLangDispatcher>("siLangDispatcher")),
      mnuOnlineUpdate(Field<TMenuItem>("mnuOnlineUpdate")),
      IdHTTP(Field<TIdHTTP>("IdHTTP")),
      IdAntiFreeze(Field<TIdAntiFreeze>("IdAntiFreeze"))
{
    // While the update check waits, the windows, menus and the marking timer keep running. Closing
    // the program meanwhile ends the waiting request at once instead of after its time limit.
    IdAntiFreeze.ProcessMessages = [this] {
        Application->ProcessMessages();
        EndRequestWhenClosing();
    };
    IdAntiFreeze.HandleMessage = [this] {
        if (!Application->MessageWaiting()) return false;
        Application->HandleMessage();
        EndRequestWhenClosing();
        return true;
    };
    IdAntiFreeze.MessagesWaiting = [] { return Application->MessageWaiting(); };
    FormCreate();
    MarkStartup("marking engine");
    settingsKey_ = std::make_unique<TSettingsKey>();
    const TSettings stored = ApplyStoredSettings();
    // Made once the stored texts, checks and language are in: each control is made as it
    // shows, and each label measures its text once.
    CreateHandle();
    MarkStartup("system windows", Name());
    for (const TShortcutRow& row : kShortcutRows) SetShortcut(row.Command, stored.Shortcut(row.Command));
    SetWindowState(mnuMinimizeOnStart.Checked() ? TWindowState::wsMinimized : TWindowState::wsNormal);
    // Registered a second time on purpose, after the window state is settled: a combination
    // that is taken is therefore reported twice at start-up.
    for (const TShortcutRow& row : kShortcutRows) RegisterShortcutHotkey(row.Command);
    MarkStartup("hotkey registration");
    PostMessageW(Handle(), WM_FOLLOW_SESSION, 0, 0);
    mnuStartWithWindows.SetChecked(AutostartEnabled());
    MarkStartup("autostart read");
    Updated();
    MarkStartup("menu built");
}

void TfrmZelvora::PublishHandlers()
{
    PublishMethod("FormDestroy", [this](TEventArgs&) { FormDestroy(); });
    PublishMethod("FormShow", [this](TEventArgs&) { FormShow(); });
    PublishMethod("TrackBarChange", [this](TEventArgs&) { TrackBarChange(); });
    PublishMethod("Shape1MouseUp", [this](TEventArgs&) { Shape1MouseUp(); });
    PublishMethod("Minimieren1Click", [](TEventArgs&) { Application->Minimize(); });
    PublishMethod("CoolTrayIconClick", [](TEventArgs&) {
        Application->Restore();
        Application->BringToFront();
    });
    PublishMethod("Beenden1Click", [](TEventArgs&) { Application->Terminate(); });
    for (const TShortcutRow& row : kShortcutRows)
        if (row.MenuItem)
            PublishMethod(std::string(row.MenuItem) + "Click", [this, command = row.Command](TEventArgs&) {
                RunCommand(command, TCommandSource::Menu);
            });
    PublishMethod("pmnuPauseClick", [this](TEventArgs&) { SetPaused(!Paused()); });
    PublishMethod("mnuKeepMarksClick", [this](TEventArgs&) { SetKeepMarks(!mnuKeepMarks.Checked()); });
    PublishMethod("mnuVanishNeverClick", [this](TEventArgs&) { SetVanishSeconds(0); });
    PublishMethod("mnuVanish2Click", [this](TEventArgs&) { SetVanishSeconds(2); });
    PublishMethod("mnuVanish5Click", [this](TEventArgs&) { SetVanishSeconds(5); });
    PublishMethod("mnuVanish15Click", [this](TEventArgs&) { SetVanishSeconds(15); });
    PublishMethod("CoolTrayIconBalloonHintClick", [this](TEventArgs&) {
        if (saves_ && !saves_->LastPicture().empty()) ShellOpenFile(saves_->LastPicture(), Handle());
    });
    PublishMethod("HerstellerWebsite1Click", [](TEventArgs&) { ShellOpen(kProductWebSite); });
    PublishMethod("mnuEditShortCutClick", [this](TEventArgs&) { mnuEditShortCutClick(); });
    PublishMethod("siLangChangeLanguage", [this](TEventArgs&) { siLangChangeLanguage(); });
    PublishMethod("mnuGermanClick", [this](TEventArgs&) { SelectLanguage(1); });
    PublishMethod("mnuEnglishClick", [this](TEventArgs&) { SelectLanguage(2); });
    PublishMethod("mnuFrancaisClick", [this](TEventArgs&) { SelectLanguage(3); });
    PublishMethod("mnuRomanaClick", [this](TEventArgs&) { SelectLanguage(4); });
    PublishMethod("mnuOnlineUpdateClick", [this](TEventArgs&) { mnuOnlineUpdateClick(); });
    PublishMethod("mnuStartWithWindowsClick", [this](TEventArgs&) { mnuStartWithWindowsClick(); });
    PublishMethod("mnuLicenseClick", [](TEventArgs&) {
        if (auto* license = dynamic_cast<TForm*>(Application->FindComponent("frmLicense")))
            license->ShowModal();
    });
    PublishMethod("Info1Click", [this](TEventArgs&) { ShowAbout(); });
    PublishMethod("mnuDrawingKeysClick", [this](TEventArgs&) {
        // Made on first use: start-up does not wait for a window few open.
        auto* keys = dynamic_cast<TfrmDrawingKeys*>(Application->FindComponent("frmDrawingKeys"));
        if (!keys) keys = &Application->CreateForm<TfrmDrawingKeys>();
        keys->ShowKeyHints(engine_.ShowKeyHints());
        keys->OnShowKeyHintsChanged = [this](bool show) { engine_.SetShowKeyHints(show); };
        keys->ShowModal();
    });
    OnDestroy = TEventRef{"FormDestroy", *FindMethod("FormDestroy")};
    OnShow = TEventRef{"FormShow", *FindMethod("FormShow")};
}

void TfrmZelvora::mnuOnlineUpdateClick()
{
    // One request at a time: the command is off while one waits. Closing the program meanwhile
    // ends the request; the quit message ends the main loop once the check has returned.
    if (updateRunning_) return;
    updateRunning_ = true;
    mnuOnlineUpdate.SetEnabled(false);
    struct TDone {
        TfrmZelvora& Form;
        ~TDone()
        {
            Form.updateRunning_ = false;
            Form.mnuOnlineUpdate.SetEnabled(true);
        }
    } done{*this};
    RunUpdateCheck(IdHTTP, siLang);
}

void TfrmZelvora::EndRequestWhenClosing()
{
    if (updateRunning_ && Application->Terminated() && IdHTTP.IsConnected()) IdHTTP.CloseConnection();
}

void TfrmZelvora::FormCreate()
{
    engine_.OnLayerFailed = [this] { PostMessageW(Handle(), WM_INK_LAYER_FAILED, 0, 0); };
    engine_.OnPenChanged = [this] { FollowPen(); };
    engine_.OnShortcut = [this](std::size_t index) {
        if (index < kShortcutCount) RunCommand(kShortcutRows[index].Command);
    };
    engine_.OnHoldOverElevatedWindow = [this](HWND window) { WarnOfElevatedWindow(window); };
    engine_.SetShortcuts(shortcuts_);
    engine_.KeyHintLines = [this] {
        std::vector<std::wstring> lines;
        for (const char* name :
             {"sKeyHintShapes", "sKeyHintColours", "sKeyHintWidth", "sKeyHintText", "sKeyHintBoards"})
            if (const std::string line = GetNamedString(name); !line.empty())
                lines.push_back(WideFromAnsi(line, Application->TextCharset()));
        return lines;
    };
    engine_.SetDrawingEnabled(true);
    engine_.AcquireDesktopCanvas();
    engine_.StartPollTimer();
}

void TfrmZelvora::FormDestroy()
{
    // Pictures still waiting are written while the windows are there, not after.
    if (saves_) saves_->WriteAll();
    FollowSession(false);
    UnregisterHotkeys();
    engine_.StopPollTimer();
    engine_.SetKeepMarks(false);
    TMarkingEngine::RepaintAllWindows();  // no mark outlives the program
    engine_.ReleaseDesktopCanvas();
}

void TfrmZelvora::FormShow()
{
    std::vector<std::string> errors;
    // Posted: the about window opens once the main window is up.
    if (settingsKey_ && TakeFirstStart(*settingsKey_, errors)) PostMessageW(Handle(), WM_SHOW_ABOUT, 0, 0);
    ReportErrors(errors);
    UpdateHints();
    UpdateTitle();
}

TSettings TfrmZelvora::ApplyStoredSettings()
{
    TSettings defaults;
    // Asked only without a stored choice: the answer costs a library at start-up.
    defaults.KeepMarks = !settingsKey_->ValueExists("KeepMarks") && DesktopComposed();
    const TLoadedSettings loaded = LoadSettings(*settingsKey_, defaults);
    MarkStartup("settings read");
    const TSettings& stored = loaded.Settings;
    engine_.SetMarkerSize(stored.MarkerSize);
    TrackBar.SetPosition(engine_.MarkerSize());  // clamps to 1..20 and runs TrackBarChange
    lblSize.SetCaption(FormatText("%d px", {static_cast<long long>(TrackBar.Position())}));
    engine_.SetMarkerColor(stored.MarkerColor);
    try {
        siLangDispatcher.SetActiveLanguage(stored.Lang);
    } catch (const ELanguageError&) {
        // A stored number outside the languages falls back to English instead of ending start-up.
        siLangDispatcher.SetActiveLanguage(kDefaultLanguage);
    }
    MarkStartup("translation pass");
    rbtnFreeHand.SetChecked(stored.FreeHand);
    rbtnControl.SetChecked(!stored.FreeHand);
    mnuMinimizeOnStart.SetChecked(stored.MinimizeOnStart);
    cbTransparent.SetChecked(stored.Transparent);
    cbFloodFill.SetChecked(stored.FloodFill);
    SetKeepMarks(stored.KeepMarks);
    SetVanishSeconds(stored.VanishSeconds);
    engine_.SetLaserFadeMs(stored.LaserFadeMs);
    engine_.SetSpotlightDim(stored.SpotlightDim);
    engine_.SetShowKeyHints(stored.ShowKeyHints);
    static constexpr const char* kLanguageItems[] = {"mnuGerman", "mnuEnglish", "mnuFrancais", "mnuRomana"};
    Field<TMenuItem>(kLanguageItems[siLangDispatcher.ActiveLanguage() - 1]).SetChecked(true);
    UpdatePenPreview();
    Shape1.Brush().SetColor(engine_.MarkerColor());
    // A bad value is reported once and its default used; the save at exit rewrites it.
    std::vector<std::string> errors = loaded.Errors;
    for (const std::string& name : loaded.MendedShortcuts)
        errors.push_back(FormatText(GetNamedString("sInvalidShortcut"), {name}));
    ReportErrors(errors);
    MarkStartup("settings applied");
    return stored;
}

TSettings TfrmZelvora::CurrentSettings() const
{
    TSettings current;
    current.MarkerSize = engine_.MarkerSize();
    current.MarkerColor = engine_.MarkerColor();
    current.Lang = siLangDispatcher.ActiveLanguage();
    current.FreeHand = rbtnFreeHand.Checked();
    current.MinimizeOnStart = mnuMinimizeOnStart.Checked();
    current.Transparent = cbTransparent.Checked();
    current.FloodFill = cbFloodFill.Checked();
    current.Shortcuts = shortcuts_;
    current.KeepMarks = mnuKeepMarks.Checked();
    current.VanishSeconds = engine_.VanishSeconds();
    current.LaserFadeMs = engine_.LaserFadeMs();
    current.SpotlightDim = engine_.SpotlightDim();
    current.ShowKeyHints = engine_.ShowKeyHints();
    return current;
}

void TfrmZelvora::WriteSettings()
{
    if (settingsKey_) ReportErrors(SaveSettings(CurrentSettings(), *settingsKey_));
}

void TfrmZelvora::BeforeDestruction()
{
    // Nothing may escape the window's destruction: a failed save is reported and the exit goes on.
    try {
        WriteSettings();
    } catch (...) {
    }
    settingsKey_.reset();
}

void TfrmZelvora::ReportErrors(const std::vector<std::string>& errors)
{
    if (!errors.empty() && Application) Application->ShowException(JoinErrors(errors));
}

void TfrmZelvora::mnuStartWithWindowsClick()
{
    mnuStartWithWindows.SetChecked(!mnuStartWithWindows.Checked());
    // The check mark shows what the registry holds afterwards, also when the write failed.
    try {
        mnuStartWithWindows.SetChecked(SetAutostart(mnuStartWithWindows.Checked()));
    } catch (...) {
        mnuStartWithWindows.SetChecked(AutostartEnabled());
        throw;
    }
}

void TfrmZelvora::ShowAbout()
{
    if (auto* about = dynamic_cast<TForm*>(Application->FindComponent("frmAbout"))) about->ShowModal();
}

void TfrmZelvora::TrackBarChange()
{
    engine_.SetMarkerSize(TrackBar.Position());
    lblSize.SetCaption(FormatText("%d px", {static_cast<long long>(TrackBar.Position())}));
    UpdatePenPreview();
}

void TfrmZelvora::Shape1MouseUp()
{
    if (!ColorDialog.Execute(Handle())) return;
    engine_.SetMarkerColor(ColorDialog.Color());
    Shape1.Brush().SetColor(ColorDialog.Color());
    UpdatePenPreview();
}

void TfrmZelvora::FollowPen()
{
    TrackBar.SetPosition(engine_.MarkerSize());  // runs TrackBarChange: the label and the preview
    Shape1.Brush().SetColor(engine_.MarkerColor());
    UpdatePenPreview();
}

void TfrmZelvora::UpdatePenPreview()
{
    // The pen as wide as it draws on this window's screen.
    const int size = MarkerWidthAtDpi(engine_.MarkerSize(), Shape2.Dpi());
    const int left = (Panel2.Width() - size) / 2;
    const int top = (Panel2.Height() - size) / 2;
    Shape2.Brush().SetColor(engine_.MarkerColor());
    Shape2.SetBounds(left, top, size, size);
}

void TfrmZelvora::UpdateHints()
{
    const int charset = lblPaint.Font().Charset();  // the key names in the labels' code page
    lblPaint.SetCaption(
        FormatText(GetNamedString("sPaint"), {ShortCutToText(engine_.PaintShortcut(), charset),
                                              ShortCutToText(Shortcut(TShortcutCommand::Wipe), charset)}));
    lblMode.SetCaption(
        FormatText(GetNamedString("sMode"), {ShortCutToText(Shortcut(TShortcutCommand::Mode), charset)}));
    const auto centred = [&](const char* message) {
        return "<P align=\"center\">" + GetNamedString(message) + "</P>";
    };
    pnlPen.Caption().SetText(centred("sPenAndPanel"));
    // Only the pen panel's caption font follows the language's charset.
    pnlPen.Caption().Font().SetCharset(ActiveLanguage() == 4 ? EASTEUROPE_CHARSET_VALUE : ANSI_CHARSET_VALUE);
    pnlDraw.Caption().SetText(centred("sPaintPanel"));
    pnlMode.Caption().SetText(centred("sModePanel"));
}

void TfrmZelvora::UpdateTitle()
{
    SetCaption(Application->Title());
}

void TfrmZelvora::mnuEditShortCutClick()
{
    UnregisterHotkeys();
    engine_.SetDrawingEnabled(false);
    if (auto* editor = dynamic_cast<TfrmEditHotkey*>(Application->FindComponent("frmEditHotkey")))
        editor->Edit(*this);
    engine_.SetDrawingEnabled(true);
    if (Paused()) SetPaused(true);  // the editor registered every shortcut again
    UpdateHints();
}

void TfrmZelvora::UnregisterHotkeys()
{
    hotkeys_.UnregisterAll(Handle());
}

std::string TfrmZelvora::GetNamedString(const std::string& name) const
{
    return siLang.GetNamedString(name);
}

void TfrmZelvora::SelectLanguage(int language)
{
    siLangDispatcher.SetActiveLanguage(language);
}

void TfrmZelvora::siLangChangeLanguage()
{
    UpdateTitle();
    if (Paused()) ShowPausedInTray();  // the language wrote the tip anew
    lblSize.SetCaption(FormatText("%d px", {static_cast<long long>(TrackBar.Position())}));
    UpdateHints();
}

void TfrmZelvora::SetShortcut(TShortcutCommand command, TShortCut shortcut)
{
    shortcuts_[IndexOf(command)] = shortcut;
    // Shown at the right of the items that do the same, as the system's menus show theirs.
    const TShortcutRow& row = RowOf(command);
    for (const char* item : {row.MenuItem, row.TrayItem})
        if (item) Field<TMenuItem>(item).SetShortCut(static_cast<int>(shortcut));
    // The hook lets the old keys go and takes the new ones at once.
    engine_.SetShortcuts(shortcuts_);
    RegisterShortcutHotkey(command);
}

void TfrmZelvora::SetVanishSeconds(int seconds)
{
    engine_.SetVanishSeconds(seconds);
    const std::pair<const char*, int> items[] = {
        {"mnuVanishNever", 0}, {"mnuVanish2", 2}, {"mnuVanish5", 5}, {"mnuVanish15", 15}};
    for (const auto& [name, itemSeconds] : items)
        Field<TMenuItem>(name).SetChecked(itemSeconds == engine_.VanishSeconds());
}

TScreenSaves& TfrmZelvora::Saves()
{
    if (!saves_)
        saves_ = std::make_unique<TScreenSaves>(
            Handle(), WM_SNAPSHOT_DONE, Field<TCoolTrayIcon>("CoolTrayIcon"),
            [this](const char* name) { return GetNamedString(name); },
            [] { return Application->TextCharset(); }, [this] { return engine_.HidePointerForCapture(); },
            [this] { engine_.ShowPointerAfterCapture(); }, [this] { return engine_.Holding(); });
    return *saves_;
}

namespace {

const std::wstring* LastText(const TMarkHistory& history)
{
    const auto& marks = history.Marks();
    for (auto mark = marks.rbegin(); mark != marks.rend(); ++mark)
        for (const TMarkPiece& piece : mark->Pieces)
            if (piece.Kind == TMarkPiece::TKind::Text) return &piece.Text;
    return nullptr;
}

std::uint32_t LastTextHash(const TMarkHistory& history)
{
    const std::wstring* text = LastText(history);
    if (!text) return 0;
    std::uint32_t hash = 2166136261u;
    for (const wchar_t unit : *text) hash = (hash ^ static_cast<std::uint16_t>(unit)) * 16777619u;
    return hash;
}

}  // namespace

LRESULT TfrmZelvora::Counter(TCounter counter)
{
    DWORD handles = 0;
    switch (counter) {
        case TCounter::Marks:
            return static_cast<LRESULT>(engine_.History().Marks().size());
        case TCounter::MarkKiB:
            return static_cast<LRESULT>(engine_.History().Bytes() / 1024);
        case TCounter::GdiObjects:
            return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        case TCounter::UserObjects:
            return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        case TCounter::KernelHandles:
            return GetProcessHandleCount(GetCurrentProcess(), &handles) ? handles : -1;
        case TCounter::OwnGdiObjects:
            return UniqueGdiObject::Live();
        case TCounter::OwnWindows:
            return UniqueWindow::Live();
        case TCounter::OwnKernelObjects:
            return UniqueKernelObject::Live() + UniqueRegistryKey::Live();
        case TCounter::HookReinstalls:
            return engine_.HookReinstalls();
        case TCounter::LongestHookMicros:
            return static_cast<LRESULT>(engine_.TakeLongestHookMicros());
        case TCounter::LongestTickGapMicros:
            return static_cast<LRESULT>(engine_.TakeLongestTickGapMicros());
        case TCounter::Holding:
            return engine_.Holding() ? 1 : 0;
        case TCounter::LastTextHash:
            return static_cast<LRESULT>(LastTextHash(engine_.History()));
        case TCounter::Paused:
            return Paused() ? 1 : 0;
        case TCounter::LastTextLength: {
            const std::wstring* text = LastText(engine_.History());
            return text ? static_cast<LRESULT>(text->size()) : 0;
        }
    }
    return -1;
}

void TfrmZelvora::WarnOfElevatedWindow(HWND window)
{
    // Once a window: the letters of every hold over it go to it.
    if (window == elevatedWarned_) return;
    elevatedWarned_ = window;
    const int charset = Application->TextCharset();
    auto& tray = Field<TCoolTrayIcon>("CoolTrayIcon");
    static_cast<void>(tray.ShowBalloonHint(WideFromAnsi(Application->Title(), charset),
                                           WideFromAnsi(GetNamedString("sElevatedWindow"), charset)));
}

void TfrmZelvora::SetPaused(bool paused)
{
    engine_.SetPaused(paused);
    for (const TShortcutRow& row : kShortcutRows) {
        if (row.Command == TShortcutCommand::Pause) continue;
        if (paused)
            hotkeys_.Unregister(Handle(), row.Command);
        else
            RegisterShortcutHotkey(row.Command);
    }
    Field<TMenuItem>("pmnuPause").SetChecked(paused);
    ShowPausedInTray();
}

void TfrmZelvora::ShowPausedInTray()
{
    auto& tray = Field<TCoolTrayIcon>("CoolTrayIcon");
    if (!Paused()) {
        tray.SetHint(Application->Title());
        tray.SetIcon(tray.Icon());
        return;
    }
    tray.SetHint(GetNamedString("sPausedTip"));
    const int size = GetSystemMetrics(SM_CXSMICON);
    const UniqueIcon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (const UniqueIcon grey = GreyedIcon(icon.get())) tray.AssignIcon(grey.get());
}

void TfrmZelvora::FollowSession(bool watch)
{
    // Locked, or behind the secure desktop, the key-ups go elsewhere: told when it comes back.
    // (Asked for by name: the library is loaded only here.)
    if (watch) {
        if (auto* follow =
                SystemFunction<BOOL WINAPI(HWND, DWORD)>(L"wtsapi32.dll", "WTSRegisterSessionNotification"))
            follow(Handle(), 0);  // NOTIFY_FOR_THIS_SESSION
    } else if (auto* stop =
                   SystemFunction<BOOL WINAPI(HWND)>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification")) {
        stop(Handle());
    }
}

void TfrmZelvora::SetKeepMarks(bool keep)
{
    engine_.SetKeepMarks(keep);
    mnuKeepMarks.SetChecked(engine_.KeepMarks());
}

void TfrmZelvora::RegisterShortcutHotkey(TShortcutCommand command)
{
    hotkeys_.Register(Handle(), command, Shortcut(command));
}

void TfrmZelvora::ToggleMode()
{
    const bool freeHand = !rbtnFreeHand.Checked();
    rbtnFreeHand.SetChecked(freeHand);
    rbtnControl.SetChecked(!freeHand);
}

void TfrmZelvora::RunCommand(TShortcutCommand command, TCommandSource source)
{
    switch (command) {
        case TShortcutCommand::Paint:  // held, not pressed: the marking loop polls them
        case TShortcutCommand::Laser:
            break;
        case TShortcutCommand::Spotlight:
            engine_.ToggleSpotlight();
            break;
        case TShortcutCommand::Wipe:
            WipeMarks();
            break;
        case TShortcutCommand::Mode:
            ToggleMode();
            break;
        case TShortcutCommand::Undo:
            UndoLastMark();
            break;
        case TShortcutCommand::Pause:
            SetPaused(!Paused());
            break;
        case TShortcutCommand::Snapshot:
            if (source == TCommandSource::Menu)
                Saves().SaveAfterMenu();
            else
                Saves().Save();
            break;
    }
}

LRESULT TfrmZelvora::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hotkeys_.HandleMessage(Handle(), msg, wParam)) return 0;
    if (saves_ && saves_->HandleMessage(msg, wParam)) return 0;
    if (msg == WM_QUERY_COUNTER) return Counter(static_cast<TCounter>(wParam));
    if (msg == WM_FOLLOW_SESSION) {
        FollowSession(true);
        return 0;
    }
    if (msg == WM_SHOW_ABOUT) {
        ShowAbout();
        return 0;
    }
    if (msg == WM_INK_LAYER_FAILED) {
        Application->ShowMessageBox(
            WideFromAnsi(GetNamedString("sInkLayerFailed"), Application->TextCharset()),
            MB_OK | MB_ICONWARNING);
        return 0;
    }
    if (msg == WM_DISPLAYCHANGE) engine_.DisplayChanged();  // and on to the form
    constexpr WPARAM kSessionLock = 7, kSessionUnlock = 8;  // WTS_SESSION_LOCK, WTS_SESSION_UNLOCK
    if (msg == WM_WTSSESSION_CHANGE && (wParam == kSessionLock || wParam == kSessionUnlock)) {
        engine_.ForgetKeys();
        return 0;
    }
    // A program that starts with Windows usually ends with the session, not from its menu.
    if (msg == WM_QUERYENDSESSION) return TRUE;
    if (msg == WM_ENDSESSION) {
        if (wParam) WriteSettings();
        return 0;
    }
    return TForm::WndProc(msg, wParam, lParam);
}

}  // namespace zelvora
