#include "toolkit/Properties.h"

#include <gtest/gtest.h>

#include "TestComponents.h"

namespace zelvora {
namespace {

using testing::TSample;
using testing::TSampleWindow;

TEST(Properties, ReadAndWriteEveryKindByName)
{
    TSampleWindow window;
    TSample& sample = TComponent::Create<TSample>(window);
    TSample& other = TComponent::Create<TSample>(window);

    SetPropValue(sample, "caption", std::string("Freihand"));  // names ignore case
    SetPropValue(sample, "Left", 12LL);
    SetPropValue(sample, "Visible", false);
    SetPropValue(sample, "Color", 33023LL);
    SetPropValue(sample, "Font.Name", std::string("Tahoma"));
    SetPropValue(sample, "Font.Height", -13LL);
    SetPropValue(sample, "Lines", TStringList{"one", "two"});
    SetPropValue(sample, "Align", std::string("alClient"));
    SetPropValue(sample, "Anchors", TStringList{"akLeft", "akBottom"});
    SetPropValue(sample, "Buddy", static_cast<TComponent*>(&other));
    bool clicked = false;
    SetPropValue(sample, "OnClick", TEventRef{"Clicked", [&](TEventArgs&) { clicked = true; }});

    EXPECT_EQ(std::get<std::string>(GetPropValue(sample, "Caption")), "Freihand");
    EXPECT_EQ(std::get<long long>(GetPropValue(sample, "Left")), 12);
    EXPECT_EQ(std::get<bool>(GetPropValue(sample, "Visible")), false);
    EXPECT_EQ(std::get<long long>(GetPropValue(sample, "Color")), 33023);
    EXPECT_EQ(std::get<std::string>(GetPropValue(sample, "Font.Name")), "Tahoma");
    EXPECT_EQ(std::get<long long>(GetPropValue(sample, "FONT.height")), -13);
    EXPECT_EQ(std::get<TStringList>(GetPropValue(sample, "Lines")), (TStringList{"one", "two"}));
    EXPECT_EQ(std::get<std::string>(GetPropValue(sample, "Align")), "alClient");
    EXPECT_EQ(std::get<TStringList>(GetPropValue(sample, "Anchors")), (TStringList{"akLeft", "akBottom"}));
    EXPECT_EQ(std::get<TComponent*>(GetPropValue(sample, "Buddy")), &other);
    TEventArgs args;
    std::get<TEventRef>(GetPropValue(sample, "OnClick")).Handler(args);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(std::get<std::string>(GetPropValue(sample, "Name")), "");
    EXPECT_EQ(std::get<long long>(GetPropValue(window, "ComponentCount")), 2);
}

TEST(Properties, ReadOnlyUnknownAndMistypedWritesAreRefused)
{
    TSample sample(nullptr);
    EXPECT_FALSE(IsPublishedWritable(sample, "ComponentCount"));
    EXPECT_THROW(SetPropValue(sample, "ComponentCount", 3LL), EPropertyError);
    EXPECT_TRUE(IsPublishedWritable(sample, "Caption"));
    EXPECT_TRUE(IsPublishedWritable(sample, "Font.Name"));
    EXPECT_FALSE(IsPublishedWritable(sample, "Hint"));
    EXPECT_FALSE(IsPublishedWritable(sample, "Font"));          // an object, not a value
    EXPECT_FALSE(IsPublishedWritable(sample, "Caption.Name"));  // not an object
    EXPECT_THROW(SetPropValue(sample, "Hint", std::string("x")), EPropertyError);
    EXPECT_THROW(GetPropValue(sample, "Font.Style"), EPropertyError);
    EXPECT_THROW(SetPropValue(sample, "Left", std::string("12")), EPropertyError);
    EXPECT_THROW(SetPropValue(sample, "Caption", 12LL), EPropertyError);
    EXPECT_THROW(SetPropValue(sample, "Align", std::string("alLeft")), EPropertyError);
    EXPECT_THROW(SetPropValue(sample, "Anchors", TStringList{"akLeft", "akMiddle"}), EPropertyError);
    EXPECT_THROW(SetPropValue(sample, "Font", std::string("Tahoma")), EPropertyError);
    EXPECT_EQ(sample.Caption(), "");
    EXPECT_EQ(sample.Align(), testing::TSampleAlign::alNone);
}

TEST(Properties, ComponentReferencesAreTypeChecked)
{
    TSampleWindow window;
    TSample& sample = TComponent::Create<TSample>(window);
    TComponent& plain = TComponent::Create<TComponent>(window);
    EXPECT_THROW(SetPropValue(sample, "Buddy", &plain), EPropertyError);
    SetPropValue(sample, "Buddy", static_cast<TComponent*>(nullptr));
    EXPECT_EQ(sample.Buddy(), nullptr);
}

TEST(Properties, SubclassesInheritTheirAncestorsProperties)
{
    TSampleWindow window;
    EXPECT_TRUE(window.ClassInfo().InheritsFrom(TSample::StaticClassInfo()));
    EXPECT_FALSE(TSample::StaticClassInfo().InheritsFrom(TSampleWindow::StaticClassInfo()));
    SetPropValue(window, "Tag", 999LL);
    EXPECT_EQ(window.Tag(), 999);
    EXPECT_EQ(window.ClassName(), "TSampleWindow");
}

}  // namespace
}  // namespace zelvora
