#include "app/win32/ComponentClasses.h"

#include "app/win32/MainWindow.h"
#include "controls/win32/CaptionPanel.h"
#include "controls/win32/Line.h"
#include "dialogs/win32/AboutWindow.h"
#include "dialogs/win32/HotkeyWindow.h"
#include "dialogs/win32/TermsWindow.h"
#include "i18n/TranslationComponent.h"
#include "look/win32/MenuPainter.h"
#include "toolkit/win32/Button.h"
#include "toolkit/win32/CheckBox.h"
#include "toolkit/win32/ColorDialog.h"
#include "toolkit/win32/HotkeyField.h"
#include "toolkit/win32/Image.h"
#include "toolkit/win32/ImageList.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/Memo.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/Panel.h"
#include "toolkit/win32/PictureButton.h"
#include "toolkit/win32/RadioButton.h"
#include "toolkit/win32/Shape.h"
#include "toolkit/win32/TrackBar.h"
#include "tray/win32/TrayIcon.h"
#include "update/AntiFreeze.h"
#include "update/HttpClient.h"

namespace zelvora {

void RegisterComponentClasses()
{
    TsiLang::SetPayloadSource([](const std::string& name) { return LoadTextResource(name.c_str()); });
    RegisterComponentClass<TLabel>();
    RegisterComponentClass<TCheckBox>();
    RegisterComponentClass<TRadioButton>();
    RegisterComponentClass<TButton>();
    RegisterComponentClass<TBitBtn>();
    RegisterComponentClass<TMemo>();
    RegisterComponentClass<TPanel>();
    RegisterComponentClass<TImage>();
    RegisterComponentClass<TShape>();
    RegisterComponentClass<TTrackBar>();
    RegisterComponentClass<THotKey>();
    RegisterComponentClass<TMainMenu>();
    RegisterComponentClass<TPopupMenu>();
    RegisterComponentClass<TMenuItem>();
    RegisterComponentClass<TColorDialog>();
    RegisterComponentClass<TImageList>();
    RegisterComponentClass<TLine>();
    RegisterComponentClass<TAdvPanel>();
    RegisterComponentClass<TCoolTrayIcon>();
    RegisterComponentClass<TXPMenu>();
    RegisterComponentClass<TsiLang>();
    RegisterComponentClass<TsiLangDispatcher>();
    RegisterComponentClass<TIdHTTP>();
    RegisterComponentClass<TIdAntiFreeze>();
}

}  // namespace zelvora
