// Components with the properties a language switch writes: caption, hint, font, lines.
#pragma once

#include "toolkit/Component.h"

namespace zelvora::testing {

class TTestFont : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TTestFont", nullptr,
            {StringProperty<TTestFont>("Name", &TTestFont::Name, &TTestFont::SetName),
             IntegerProperty<TTestFont>("Charset", &TTestFont::Charset, &TTestFont::SetCharset)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    std::string Name() const { return name; }
    void SetName(const std::string& n) { name = n; }
    int Charset() const { return charset; }
    void SetCharset(int c) { charset = c; }
    std::string name = "Tahoma";
    int charset = 0;
};

class TTestControl : public TComponent {
public:
    explicit TTestControl(TComponent* owner) : TComponent(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TTestControl", &TComponent::StaticClassInfo(),
            {StringProperty<TTestControl>("Caption", &TTestControl::Caption, &TTestControl::SetCaption),
             StringProperty<TTestControl>("Hint", &TTestControl::Hint, &TTestControl::SetHint),
             ObjectProperty<TTestControl, TTestFont>("Font", &TTestControl::Font),
             BooleanProperty<TTestControl>("ParentFont", &TTestControl::ParentFont,
                                           &TTestControl::SetParentFont),
             StringsProperty<TTestControl>("Lines", &TTestControl::Lines, &TTestControl::SetLines),
             IntegerProperty<TTestControl>("Count", &TTestControl::Count)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    std::string Caption() const { return caption; }
    void SetCaption(const std::string& c) { caption = c, ++writes; }
    std::string Hint() const { return hint; }
    void SetHint(const std::string& h) { hint = h; }
    TTestFont& Font() { return font; }
    bool ParentFont() const { return parentFont; }
    void SetParentFont(bool p) { parentFont = p; }
    const TStringList& Lines() const { return lines; }
    void SetLines(const TStringList& l) { lines = l; }
    int Count() const { return 0; }
    std::string caption, hint;
    TTestFont font;
    bool parentFont = false;
    TStringList lines;
    int writes = 0;
};

const TClassInfo& FormClassInfo()
{
    static const TClassInfo info("TForm", &TTestControl::StaticClassInfo(), {});
    return info;
}

class TTestWindow : public TTestControl {
public:
    explicit TTestWindow(const char* className)
        : TTestControl(nullptr), info_(className, &FormClassInfo(), {})
    {
    }
    const TClassInfo& ClassInfo() const override { return info_; }

private:
    TClassInfo info_;
};

}  // namespace zelvora::testing
