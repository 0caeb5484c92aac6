#include "app/ComponentClasses.h"

#include "app/frmZelvora.h"
#include "controls/AdvPanel.h"
#include "controls/Line.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmEditHotkey.h"
#include "dialogs/frmLicense.h"
#include "i18n/siLang.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Dialogs.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "tray/CoolTrayIcon.h"
#include "tray/XPMenu.h"
#include "update/IdAntiFreeze.h"
#include "update/IdHTTP.h"

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
