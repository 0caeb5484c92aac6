// Font, pen and brush as published sub-objects: setting any of their properties tells the owner.
#pragma once

#include <functional>
#include <string>

#include "toolkit/Colors.h"
#include "toolkit/Properties.h"

namespace zelvora {

// Notifies the owning control after every change, so it can repaint or re-send its font.
class TGraphicsObject : public TPersistent {
public:
    std::function<void()> OnChange;

protected:
    void Changed()
    {
        if (OnChange) OnChange();
    }
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum class TBrushStyle { bsSolid, bsClear };

inline constexpr unsigned fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;
inline constexpr int ANSI_CHARSET_VALUE = 0, DEFAULT_CHARSET_VALUE = 1, EASTEUROPE_CHARSET_VALUE = 238;

class TFont : public TGraphicsObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;  // points at 96 dpi
    void SetSize(int size);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    unsigned Style() const { return style_; }
    void SetStyle(unsigned style);

    void Assign(const TFont& other);
    bool operator==(const TFont& other) const;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    int charset_ = DEFAULT_CHARSET_VALUE;
    TColor color_ = clWindowText;
    unsigned style_ = 0;
};

class TPen : public TGraphicsObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
};

class TBrush : public TGraphicsObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
};

}  // namespace zelvora
