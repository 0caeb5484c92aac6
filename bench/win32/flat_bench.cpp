// The flat look's costs, each beside the system's own drawing measured in the same run: one menu
// item (the painter's drawing against a fill, the system's check glyph and the two texts drawn
// the way user32 draws an item), one check box repaint (styled against a plain one), and a whole
// drop-down's worth of items against the 16 ms of one frame.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "look/win32/MenuPainter.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/CheckBox.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Menus.h"

using namespace zelvora;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWidth = 200, kHeight = 23;

double MicrosecondsPerCall(int calls, const std::function<void()>& work)
{
    work();  // warm up
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) work();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

void DrawByPainter(TMenuItem& item, HDC dc, bool selected)
{
    TEventArgs args;
    args.Sender = &item;
    args.Dc = dc;
    args.Right = kWidth, args.Bottom = kHeight - 1;
    args.State = selected ? ODS_SELECTED : 0;
    item.OnDrawItem.Handler(args);
}

// What user32 does for an item of its own: background, check glyph, caption, shortcut.
void DrawLikeTheSystem(HDC dc, HFONT font, bool selected)
{
    RECT item{0, 0, kWidth, kHeight};
    FillRect(dc, &item, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    RECT check{4, 5, 17, 18};
    DrawFrameControl(dc, &check, DFC_MENU, DFCS_MENUCHECK);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    RECT text{24, 0, kWidth - 10, kHeight};
    DrawTextW(dc, L"Mit Windows starten", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    DrawTextW(dc, L"Strg+X", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    SelectObject(dc, old);
}

}  // namespace

int main()
{
    TComponent owner(nullptr);
    TForm& form = TComponent::Create<TForm>(owner);
    form.SetBounds(100, 100, 320, 200);
    TMainMenu& menu = TComponent::Create<TMainMenu>(form);
    TMenuItem& action = TComponent::Create<TMenuItem>(form);
    action.SetCaption("&Aktion");
    menu.Items().Add(&action);
    TMenuItem& item = TComponent::Create<TMenuItem>(form);
    item.SetCaption("Mit Windows starten");
    item.SetShortCut(0x4058);
    item.SetChecked(true);
    action.Add(&item);
    for (const char* caption : {"Zeichnung l\xF6schen", "-", "Minimieren beim Start", "-",
                                "Tastenkombinationen \xE4ndern...", "-", "Sprache"}) {
        TMenuItem& more = TComponent::Create<TMenuItem>(form);
        more.SetCaption(caption);
        action.Add(&more);
    }
    TCheckBox& styled = TComponent::Create<TCheckBox>(form);
    styled.SetParent(&form);
    styled.SetBounds(10, 10, 150, 17);
    styled.SetCaption("Transparenz");
    styled.SetChecked(true);
    TCheckBox& plain = TComponent::Create<TCheckBox>(form);
    plain.SetParent(&form);
    plain.SetBounds(10, 40, 150, 17);
    plain.SetCaption("Transparenz");
    plain.SetChecked(true);
    plain.SetTag(kPainterKeepOut);
    TXPMenu& painter = TComponent::Create<TXPMenu>(form);
    painter.Font().SetName("Tahoma");
    painter.SetFlatMenu(true);
    form.SetMenu(&menu);
    form.CreateHandle();
    painter.SetActive(true);
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    UpdateWindow(form.Handle());

    TBitmap target(kWidth, kHeight + 1);
    HDC dc = target.Canvas().Handle();
    UniqueFont font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));

    std::printf("One checked menu item with a shortcut, %d x %d:\n", kWidth, kHeight);
    for (bool selected : {false, true}) {
        const double system = MicrosecondsPerCall(2000, [&] { DrawLikeTheSystem(dc, font.get(), selected); });
        const double flat = MicrosecondsPerCall(2000, [&] { DrawByPainter(item, dc, selected); });
        std::printf("  %-10s system %7.1f us   flat %7.1f us   %.2fx\n", selected ? "selected" : "plain",
                    system, flat, flat / system);
    }

    const double dropDown = MicrosecondsPerCall(200, [&] {
        for (TMenuItem* each : action.Items()) {
            TEventArgs args;
            args.Sender = each;
            each->OnMeasureItem.Handler(args);
            DrawByPainter(*each, dc, each == &item);
        }
    });
    std::printf(
        "The whole Aktion drop-down (%zu items measured and drawn): %.0f us, %.1f%% of a 16 ms frame\n",
        action.Items().size(), dropDown, dropDown / 160.0);

    const auto repaint = [](TControl& control) {
        RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    };
    const double plainRepaint = MicrosecondsPerCall(500, [&] { repaint(plain); });
    const double styledRepaint = MicrosecondsPerCall(500, [&] { repaint(styled); });
    std::printf("Repainting one check box: system %.1f us   styled %.1f us   %.2fx\n", plainRepaint,
                styledRepaint, styledRepaint / plainRepaint);
    return 0;
}
