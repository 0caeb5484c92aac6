// Drawing pieces the flat menus and flat controls share.
#pragma once

#include <windows.h>

#include <string>

#include "base/Geometry.h"
#include "look/MenuLayout.h"
#include "toolkit/Colors.h"

namespace zelvora {

class TCanvas;
class TImageList;
class TMenuItem;

void DrawStroke(TCanvas& canvas, const TStroke& stroke);
void FillArea(TCanvas& canvas, const TRect& r, TColor colour);
// A one-pixel outline with nothing filled inside.
void OutlineArea(TCanvas& canvas, const TRect& r, TColor colour);
TRect Shrunk(const TRect& r, int by);
RECT ToRect(const TRect& r);
// Text drawn transparently in the DrawText format; a halo (default items and buttons) first draws
// it four times around its place in darker shades of what lies under it.
void DrawMenuText(TCanvas& canvas, const std::string& text, RECT bounds, UINT format, TColor colour,
                  bool halo);

// A top-level item of a main menu: an item of the menu bar.
bool IsBarItem(const TMenuItem& item);
// The image list holding the item's picture; null when it has none.
TImageList* PictureListOf(const TMenuItem& item);

}  // namespace zelvora
