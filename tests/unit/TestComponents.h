// Small component classes that exercise every property kind.
#pragma once

#include "toolkit/Component.h"

namespace zelvora::testing {

class TSampleFont : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TSampleFont", nullptr,
            {StringProperty<TSampleFont>("Name", &TSampleFont::Name, &TSampleFont::SetName),
             IntegerProperty<TSampleFont>("Height", &TSampleFont::Height, &TSampleFont::SetHeight)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    std::string Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name, ++changes; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height, ++changes; }
    int changes = 0;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
};

enum class TSampleAlign { alNone, alTop, alBottom, alClient };

class TSample : public TComponent {
public:
    explicit TSample(TComponent* owner) : TComponent(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TSample", &TComponent::StaticClassInfo(),
            {StringProperty<TSample>("Caption", &TSample::Caption, &TSample::SetCaption),
             IntegerProperty<TSample>("Left", &TSample::Left, &TSample::SetLeft),
             IntegerProperty<TSample>("ComponentCount", &TSample::Count),
             BooleanProperty<TSample>("Visible", &TSample::Visible, &TSample::SetVisible),
             ColorProperty<TSample>("Color", &TSample::Color, &TSample::SetColor),
             ObjectProperty<TSample, TSampleFont>("Font", &TSample::Font),
             StringsProperty<TSample>("Lines", &TSample::Lines, &TSample::SetLines),
             EnumProperty<TSample, TSampleAlign>("Align", {"alNone", "alTop", "alBottom", "alClient"},
                                                 &TSample::Align, &TSample::SetAlign),
             SetProperty<TSample>("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TSample::Anchors,
                                  &TSample::SetAnchors),
             ComponentProperty<TSample, TSample>("Buddy", &TSample::Buddy, &TSample::SetBuddy),
             EventProperty<TSample>("OnClick", &TSample::OnClick)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void SetParentComponent(TComponent* parent) override { parent_ = parent; }
    void Loaded() override
    {
        TComponent::Loaded();
        ++loadedCalls;
    }

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    int Left() const { return left_; }
    void SetLeft(int left) { left_ = left; }
    int Count() const { return static_cast<int>(Components().size()); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t color) { color_ = color; }
    TSampleFont& Font() { return font_; }
    const TStringList& Lines() const { return lines_; }
    void SetLines(const TStringList& lines) { lines_ = lines; }
    TSampleAlign Align() const { return align_; }
    void SetAlign(TSampleAlign align) { align_ = align; }
    unsigned Anchors() const { return anchors_; }
    void SetAnchors(unsigned anchors) { anchors_ = anchors; }
    TSample* Buddy() const { return buddy_; }
    void SetBuddy(TSample* buddy)
    {
        buddy_ = buddy;
        if (buddy) buddy->FreeNotification(this);
    }
    TComponent* ParentComponent() const { return parent_; }
    void Publish(const std::string& name, TMethod method) { PublishMethod(name, std::move(method)); }

    TEventRef OnClick;
    int loadedCalls = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == buddy_) buddy_ = nullptr;
    }

private:
    std::string caption_;
    int left_ = 0;
    bool visible_ = true;
    std::uint32_t color_ = 0;
    TSampleFont font_;
    TStringList lines_;
    TSampleAlign align_ = TSampleAlign::alNone;
    unsigned anchors_ = 0;
    TSample* buddy_ = nullptr;
    TComponent* parent_ = nullptr;
};

// A window class for the reader: a sample that is its own root.
class TSampleWindow : public TSample {
public:
    explicit TSampleWindow(TComponent* owner = nullptr) : TSample(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TSampleWindow", &TSample::StaticClassInfo(), {});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace zelvora::testing
