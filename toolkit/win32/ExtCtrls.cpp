#include "toolkit/win32/ExtCtrls.h"

#include <algorithm>

#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

// --- TPanel

TPanel::TPanel(TComponent* owner) : TControl(owner) {}

const TClassInfo& TPanel::StaticClassInfo()
{
    static const std::vector<std::string> cuts{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    static const TClassInfo info(
        "TPanel", &TControl::StaticClassInfo(),
        {EnumProperty<TPanel, TBevelCut>("BevelInner", cuts, &TPanel::BevelInner, &TPanel::SetBevelInner),
         EnumProperty<TPanel, TBevelCut>("BevelOuter", cuts, &TPanel::BevelOuter, &TPanel::SetBevelOuter),
         IntegerProperty<TPanel>("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth),
         IntegerProperty<TPanel>("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)});
    return info;
}

void TPanel::SetBevelInner(TBevelCut cut)
{
    bevelInner_ = cut;
    Changed();
}

void TPanel::SetBevelOuter(TBevelCut cut)
{
    bevelOuter_ = cut;
    Changed();
}

void TPanel::SetBevelWidth(int width)
{
    bevelWidth_ = width;
    Changed();
}

void TPanel::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Changed();
}

void TPanel::Changed()
{
    Invalidate();
    if (!Loading()) AlignControls();
}

RECT TPanel::ClientRect() const
{
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
    return RECT{inset, inset, std::max(inset, Width() - inset), std::max(inset, Height() - inset)};
}

void TPanel::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.WindowClass = "TPanel";
}

void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width)
{
    if (cut == TBevelCut::bvNone) return;
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF topLeft = cut == TBevelCut::bvLowered ? dark : cut == TBevelCut::bvRaised ? light : GetSysColor(COLOR_BTNFACE);
    const COLORREF bottomRight = cut == TBevelCut::bvLowered ? light : cut == TBevelCut::bvRaised ? dark : GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < width; ++i) {
        UniqueGdiObject tl(CreatePen(PS_SOLID, 1, topLeft)), br(CreatePen(PS_SOLID, 1, bottomRight));
        {
            SelectedObject pen(dc, tl.get());
            MoveToEx(dc, r.left, r.bottom - 1, nullptr);
            LineTo(dc, r.left, r.top);
            LineTo(dc, r.right - 1, r.top);
        }
        {
            SelectedObject pen(dc, br.get());
            MoveToEx(dc, r.right - 1, r.top, nullptr);
            LineTo(dc, r.right - 1, r.bottom - 1);
            LineTo(dc, r.left - 1, r.bottom - 1);
        }
        InflateRect(&r, -1, -1);
    }
}

void TPanel::Paint(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    DrawBevel(dc, r, bevelOuter_, bevelWidth_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    DrawBevel(dc, r, bevelInner_, bevelWidth_);
    if (!Caption().empty()) {
        SelectedObject font(dc, FontHandle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        std::wstring text = WideFromAnsi(Caption(), Font().Charset());
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// --- TImage

TImage::TImage(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TImage::StaticClassInfo()
{
    static const TClassInfo info("TImage", &TControl::StaticClassInfo(),
                                 {StringProperty<TImage>("Picture", &TImage::Picture, &TImage::SetPicture)});
    return info;
}

void TImage::SetPicture(const std::string& resourceName)
{
    picture_ = resourceName;
    bitmap_.reset(resourceName.empty() ? nullptr
                                       : LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_BITMAP, 0,
                                                    0, LR_CREATEDIBSECTION));
    if (!resourceName.empty() && !bitmap_) throw std::runtime_error("No picture " + resourceName);
    Invalidate();
}

void TImage::AssignPicture(const TImage& source)
{
    picture_ = source.picture_;
    bitmap_.reset(source.bitmap_ ? CopyImage(source.bitmap_.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION) : nullptr);
    Invalidate();
}

void TImage::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.WindowClass = "TImage";
}

void TImage::Paint(HDC dc)
{
    if (!bitmap_) return;
    BITMAP info{};
    GetObjectA(bitmap_.get(), sizeof info, &info);
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject picture(memory.get(), bitmap_.get());
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

// --- TShape

TShape::TShape(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
    pen_.OnChange = [this] { Changed(); };
    brush_.OnChange = [this] { Changed(); };
}

void TShape::Changed()
{
    UpdateRegion();
    Invalidate();
}

void TShape::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
    UpdateRegion();
}

TShape::Outline TShape::Geometry() const
{
    // The outline lies inside the control: inset by half the pen.
    const bool noPen = pen_.Style() == TPenStyle::psClear;
    const int half = noPen ? 0 : pen_.Width() / 2;
    Outline o{half, half, Width() - half * 2, Height() - half * 2};
    if (pen_.Width() == 0 || noPen) ++o.W, ++o.H;  // a null pen draws one pixel short
    const bool square =
        shape_ == TShapeType::stSquare || shape_ == TShapeType::stRoundSquare || shape_ == TShapeType::stCircle;
    if (square) {
        const int side = std::min(o.W, o.H);
        o.X += (o.W - side) / 2, o.Y += (o.H - side) / 2;
        o.W = o.H = side;
    }
    return o;
}

namespace {

HRGN ShapeRegion(TShapeType shape, int x, int y, int w, int h)
{
    switch (shape) {
    case TShapeType::stEllipse:
    case TShapeType::stCircle: return CreateEllipticRgn(x, y, x + w + 1, y + h + 1);
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare:
        return CreateRoundRectRgn(x, y, x + w + 1, y + h + 1, std::min(w, h) / 4, std::min(w, h) / 4);
    default: return CreateRectRgn(x, y, x + w, y + h);
    }
}

}  // namespace

void TShape::UpdateRegion()
{
    if (!HandleAllocated()) return;
    if (brush_.Style() != TBrushStyle::bsClear) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        return;
    }
    const Outline o = Geometry();
    const int pen = pen_.Style() == TPenStyle::psClear ? 0 : std::max(1, pen_.Width());
    HRGN outer = ShapeRegion(shape_, o.X - pen / 2, o.Y - pen / 2, o.W + pen - 1, o.H + pen - 1);
    UniqueGdiObject inner(ShapeRegion(shape_, o.X - pen / 2 + pen, o.Y - pen / 2 + pen, o.W - pen - 1, o.H - pen - 1));
    CombineRgn(outer, outer, static_cast<HRGN>(inner.get()), RGN_DIFF);
    SetWindowRgn(Handle(), outer, TRUE);  // the window owns the region from here on
}

const TClassInfo& TShape::StaticClassInfo()
{
    static const TClassInfo info(
        "TShape", &TControl::StaticClassInfo(),
        {EnumProperty<TShape, TShapeType>(
             "Shape", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"},
             &TShape::Shape, &TShape::SetShape),
         ObjectProperty<TShape, TPen>("Pen", &TShape::Pen), ObjectProperty<TShape, TBrush>("Brush", &TShape::Brush),
         EventProperty<TShape>("OnMouseUp", &TShape::OnMouseUp)});
    return info;
}

void TShape::SetShape(TShapeType shape)
{
    shape_ = shape;
    Invalidate();
}

void TShape::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.WindowClass = "TShape";
}

void TShape::Paint(HDC dc)
{
    UniqueGdiObject pen(pen_.Style() == TPenStyle::psClear
                            ? CreatePen(PS_NULL, 0, 0)
                            : CreatePen(PS_SOLID, pen_.Width(), ColorToRGB(pen_.Color())));
    LOGBRUSH hollow{BS_HOLLOW, 0, 0};
    UniqueGdiObject brush(brush_.Style() == TBrushStyle::bsClear ? CreateBrushIndirect(&hollow)
                                                                : CreateSolidBrush(ColorToRGB(brush_.Color())));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, brush.get());
    const auto [x, y, w, h] = Geometry();
    switch (shape_) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare: Rectangle(dc, x, y, x + w, y + h); break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare: RoundRect(dc, x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle: Ellipse(dc, x, y, x + w, y + h); break;
    }
}

LRESULT TShape::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) && OnMouseUp.Handler) {
        TEventArgs args;
        args.Sender = this;
        args.X = static_cast<short>(LOWORD(lParam));
        args.Y = static_cast<short>(HIWORD(lParam));
        args.Button = msg == WM_LBUTTONUP ? 0 : msg == WM_RBUTTONUP ? 1 : 2;
        OnMouseUp.Handler(args);
        return 0;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace zelvora
