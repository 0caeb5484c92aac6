// Where the four windows' controls lie on a 96-dpi screen, with the German texts: what the
// descriptions say, and what other screens scale from.
#pragma once

#include <vector>

namespace zelvora::testing {

struct ControlPlace {
    const char* Name;
    const char* WindowClass;
    int Left, Top, Width, Height;  // -1: whatever the control needs
    const char* Text;              // nullptr: not checked
};

struct WindowLayout {
    const char* Name;
    int ClientWidth, ClientHeight;
    std::vector<ControlPlace> Controls;
};

inline const WindowLayout kMainWindowLayout{
    "frmZelvora",
    417,
    241,
    {
        {"Panel1", "TPanel", 0, 0, 417, 48, ""},
        {"ImageHeader", "TImage", 0, 0, 417, 48, nullptr},
        {"pnlDraw", "TAdvPanel", 5, 48, 205, 85, nullptr},
        {"lblPaint", "Static", 5, 25, 195, 55, nullptr},  // inside the band and the border
        {"pnlMode", "TAdvPanel", 5, 140, 205, 97, nullptr},
        {"rbtnFreeHand", "Button", 12, 25, 185, 17, "Freihand"},
        {"rbtnControl", "Button", 12, 44, 185, 17, "Steuerelemente"},
        {"lblMode", "Static", 6, 65, 191, 24, nullptr},
        {"pnlPen", "TAdvPanel", 217, 48, 196, 189, nullptr},
        {"TrackBar", "msctls_trackbar32", 8, 28, 121, 33, nullptr},
        {"Panel2", "TPanel", 133, 28, 41, 41, ""},
        {"Shape2", "TShape", 15, 15, 10, 10, nullptr},  // the pen preview at size 10
        {"Shape3", "TShape", 0, 0, 41, 41, nullptr},
        {"lblSize", "Static", 16, 60, 109, 13, "10 px"},
        {"Line1", "TLine", 4, 72, 183, 9, nullptr},
        {"Label3", "Static", 4, 88, 187, 13, "Klicken um Farbe zu w\xE4hlen"},
        {"Shape", "TShape", 78, 106, 40, 20, nullptr},
        {"Shape1", "TShape", 80, 108, 37, 17, nullptr},
        {"Line2", "TLine", 6, 135, 183, 6, nullptr},
        {"cbTransparent", "Button", 8, 144, 137, 17, "Transparenz"},
        {"cbFloodFill", "Button", 8, 160, 137, 17,
         "Fl\xE4"
         "che f\xFCllend"},
    }};

inline const WindowLayout kHotkeyWindowLayout{
    "frmEditHotkey",
    262,
    341,
    {
        {"Panel1", "TPanel", 0, 0, 262, 42, ""},
        {"ImageHeader", "TImage", 0, 0, 262, 42, nullptr},
        {"Label2", "Static", 8, 65, -1, -1, "Zeichnen:"},
        {"Label3", "Static", 8, 95, -1, -1, "L\xF6schen:"},
        {"Label4", "Static", 8, 125, -1, -1, "Modus:"},
        {"Label5", "Static", 8, 155, -1, -1,
         "R\xFC"
         "ckg\xE4"
         "ngig:"},
        {"Label6", "Static", 8, 185, -1, -1, "Bildschirm:"},
        {"Label7", "Static", 8, 215, -1, -1, "Laser:"},
        {"Label8", "Static", 8, 245, -1, -1, "Spotlight:"},
        {"Label9", "Static", 8, 275, -1, -1, "Pause:"},
        {"edtDraw", "msctls_hotkey32", 78, 62, 176, 19, nullptr},
        {"edtDelete", "msctls_hotkey32", 78, 92, 176, 19, nullptr},
        {"edtMode", "msctls_hotkey32", 78, 122, 176, 19, nullptr},
        {"edtUndo", "msctls_hotkey32", 78, 152, 176, 19, nullptr},
        {"edtSnapshot", "msctls_hotkey32", 78, 182, 176, 19, nullptr},
        {"edtLaser", "msctls_hotkey32", 78, 212, 176, 19, nullptr},
        {"edtSpotlight", "msctls_hotkey32", 78, 242, 176, 19, nullptr},
        {"edtPause", "msctls_hotkey32", 78, 272, 176, 19, nullptr},
        {"btnOk", "Button", 48, 310, 81, 25, "OK"},
        {"btnCancel", "Button", 133, 310, 81, 25, "Cancel"},
    }};

inline const WindowLayout kAboutWindowLayout{"frmAbout",
                                             291,
                                             214,
                                             {
                                                 {"Panel2", "TPanel", 0, 0, 291, 42, ""},
                                                 {"ImageHeader", "TImage", 0, 0, 291, 42, nullptr},
                                                 {"Panel1", "TPanel", 3, 48, 286, 138, ""},
                                                 {"lblVersion", "Static", 6, 10, 270, 13, "Version:"},
                                                 {"lblMaker", "Static", 4, 30, 277, 15, nullptr},
                                                 {"OKButton", "Button", 106, 192, 75, 19, "Ok"},
                                             }};

inline const WindowLayout kTermsWindowLayout{"frmLicense",
                                             407,
                                             308,
                                             {
                                                 {"Panel1", "TPanel", 0, 0, 407, 41, ""},
                                                 {"ImageHeader", "TImage", 0, 0, 407, 41, nullptr},
                                                 {"Panel3", "TPanel", 0, 41, 407, 226, ""},
                                                 {"Memo", "Edit", 0, 0, 407, 226, nullptr},
                                                 {"Panel2", "TPanel", 0, 267, 407, 41, ""},
                                                 {"btnClose", "Button", 164, 8, 75, 25, "Schliessen"},
                                             }};

}  // namespace zelvora::testing
