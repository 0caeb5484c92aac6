// Panels, images and shapes: window classes of our own that paint themselves.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A 3-D frame of `width` lines; the rectangle shrinks by it.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width);

class TPanel : public TControl {
public:
    explicit TPanel(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    RECT ClientRect() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;

private:
    void Changed();
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
};

// Shows a bitmap from the program's resources, unscaled from the top-left corner.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Picture() const { return picture_; }
    void SetPicture(const std::string& resourceName);
    // Takes a copy of another image's bitmap.
    void AssignPicture(const TImage& source);
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.get()); }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;

private:
    std::string picture_;
    UniqueGdiObject bitmap_;
};

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TControl {
public:
    explicit TShape(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TEventRef OnMouseUp;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;
    void HandleCreated() override { UpdateRegion(); }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Outline {
        int X, Y, W, H;
    };
    Outline Geometry() const;
    // A hollow shape is only its outline: the window's region leaves the inside to the
    // windows below, as a frame drawn over them would.
    void UpdateRegion();
    void Changed();
    TShapeType shape_ = TShapeType::stRectangle;
    TPen pen_;
    TBrush brush_;
};

}  // namespace zelvora
