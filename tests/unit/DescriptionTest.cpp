#include "toolkit/Description.h"
#include "toolkit/DescriptionReader.h"

#include <gtest/gtest.h>

#include "TestComponents.h"

namespace zelvora {
namespace {

using testing::TSample;
using testing::TSampleWindow;

constexpr char kWindow[] = R"(// a sample window
object frmSample: TSampleWindow
  Caption = 'Info '#252'ber Zelvora'
  Left = -12
  Color = clWindow
  Font.Name = 'Tahoma'
  Font.Height = $0B
  Anchors = [akLeft, akTop]
  object Panel1: TSample
    Caption = 'Zeichnung löschen'
    Buddy = Label3
    Align = alTop
    object Label3: TSample
      Caption = 'It''s'
      Lines = (
        'first'
        'second')
      Visible = False
      OnClick = Label3Click
    end
  end
  object Other: TSample
    Buddy = frmSample
    Color = 33023
  end
end
)";

TEST(DescriptionParser, ReadsTheTreeWithPropertiesInOrder)
{
    const TObjectDesc root = ParseDescription(kWindow);
    EXPECT_EQ(root.Name, "frmSample");
    EXPECT_EQ(root.ClassName, "TSampleWindow");
    ASSERT_EQ(root.Properties.size(), 6u);
    EXPECT_EQ(root.Properties[0].Path, "Caption");
    EXPECT_EQ(std::get<std::string>(root.Properties[0].Value),
              "Info \xC3\xBC"
              "ber Zelvora");
    EXPECT_EQ(std::get<long long>(root.Properties[1].Value), -12);
    EXPECT_EQ(std::get<TDescIdentifier>(root.Properties[2].Value).Name, "clWindow");
    EXPECT_EQ(root.Properties[3].Path, "Font.Name");
    EXPECT_EQ(std::get<long long>(root.Properties[4].Value), 11);
    EXPECT_EQ(std::get<TDescSet>(root.Properties[5].Value).Members,
              (std::vector<std::string>{"akLeft", "akTop"}));
    EXPECT_EQ(root.Properties[5].Line, 8);
    ASSERT_EQ(root.Children.size(), 2u);
    const TObjectDesc& label = root.Children[0].Children.at(0);
    EXPECT_EQ(std::get<std::string>(label.Properties[0].Value), "It's");
    EXPECT_EQ(std::get<TDescStrings>(label.Properties[1].Value).Items,
              (std::vector<std::string>{"first", "second"}));
}

TEST(DescriptionParser, ErrorsNameTheLine)
{
    const auto errorOf = [](const char* text) {
        try {
            ParseDescription(text);
        } catch (const EDescriptionError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(errorOf("object a: TA\n  Left = ,\nend"), "line 2: value expected");
    EXPECT_EQ(errorOf("object a: TA\n  Caption = 'open\nend"), "line 2: unterminated string");
    EXPECT_EQ(errorOf("object a: TA\n  Left = 1\n"), "line 3: 'end' expected for a");
    EXPECT_EQ(errorOf("object a TA\nend"), "line 1: ':' expected");
    EXPECT_EQ(errorOf("thing a: TA end"), "line 1: 'object' expected");
    EXPECT_EQ(errorOf("object a: TA end end"), "line 1: text after the end of the root object");
    EXPECT_EQ(errorOf("object a: TA\n Left = 99999999999999999999\nend"), "line 2: number too large");
    EXPECT_EQ(errorOf("object a: TA\n S = [a b]\nend"), "line 2: ',' or ']' expected");
    EXPECT_EQ(errorOf("object a: TA\n C = #1114112\nend"), "line 2: character code out of range");
    std::string deep;
    for (int i = 0; i < kMaxDescriptionDepth + 1; ++i) deep += "object o" + std::to_string(i) + ": T\n";
    EXPECT_EQ(errorOf(deep.c_str()),
              "line " + std::to_string(kMaxDescriptionDepth + 1) + ": objects nested too deeply");
}

class DescriptionReader : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterComponentClass<TSample>(); }
    void SetUp() override
    {
        window.Publish("Label3Click", [this](TEventArgs&) { ++clicks; });
    }
    std::string ErrorOf(const std::string& text)
    {
        try {
            TSampleWindow fresh;
            ReadDescription(fresh, text);
        } catch (const EDescriptionError& error) {
            return error.what();
        }
        return "no error";
    }
    TSampleWindow window;
    int clicks = 0;
};

TEST_F(DescriptionReader, BuildsTheWindowSetsPropertiesAndResolvesReferences)
{
    ReadDescription(window, kWindow);
    EXPECT_EQ(window.Name(), "frmSample");
    EXPECT_EQ(window.Caption(),
              "Info \xFC"
              "ber Zelvora");  // converted to Windows-1252
    EXPECT_EQ(window.Left(), -12);
    EXPECT_EQ(window.Color(), 0xFF000005u);
    EXPECT_EQ(window.Font().Name(), "Tahoma");
    EXPECT_EQ(window.Anchors(), 0b0011u);

    auto* panel = dynamic_cast<TSample*>(window.FindComponent("Panel1"));
    auto* label = dynamic_cast<TSample*>(window.FindComponent("Label3"));
    auto* other = dynamic_cast<TSample*>(window.FindComponent("Other"));
    ASSERT_TRUE(panel && label && other);
    EXPECT_EQ(window.Components().size(), 3u);  // the window owns every component
    EXPECT_EQ(panel->ParentComponent(), &window);
    EXPECT_EQ(label->ParentComponent(), panel);
    EXPECT_EQ(panel->Caption(), "Zeichnung l\xF6schen");
    EXPECT_EQ(panel->Buddy(), label);  // a reference to an object read later
    EXPECT_EQ(other->Buddy(), &window);
    EXPECT_EQ(other->Color(), 33023u);
    EXPECT_EQ(label->Lines(), (TStringList{"first", "second"}));
    EXPECT_FALSE(label->Visible());
    TEventArgs args;
    label->OnClick.Handler(args);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(label->OnClick.Method, "Label3Click");
    for (TSample* s : {panel, label, other, static_cast<TSample*>(&window)}) {
        EXPECT_EQ(s->loadedCalls, 1);
        EXPECT_FALSE(s->Loading());
    }
}

TEST_F(DescriptionReader, LaterValuesOfTheSamePropertyWin)
{
    ReadDescription(window, "object w: TSampleWindow\n Left = 1\n Left = 7\nend");
    EXPECT_EQ(window.Left(), 7);
}

TEST_F(DescriptionReader, ReferencesReachOtherWindowsByName)
{
    TSampleWindow main;
    ReadDescription(main, "object frmMain: TSampleWindow\n object Dispatcher: TSample\n end\nend");
    const TWindowLookup windows = [&](std::string_view name) -> TComponent* {
        return SameText(name, "frmMain") ? &main : nullptr;
    };
    ReadDescription(window, "object w: TSampleWindow\n Buddy = frmMain.Dispatcher\nend", windows);
    EXPECT_EQ(window.Buddy(), main.FindComponent("Dispatcher"));
}

TEST_F(DescriptionReader, ErrorsNameWindowObjectAndProperty)
{
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n object P: TNoSuchClass\n end\nend"),
              "Error reading w.P (line 2): unknown class TNoSuchClass");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n object P: TSample\n  Hint = 'x'\n end\nend"),
              "Error reading w.P.Hint (line 3): unknown property");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n object P: TSample\n  Left = 'x'\n end\nend"),
              "Error reading w.P.Left (line 3): invalid property value");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n Align = alLeft\nend"),
              "Error reading w.Align (line 2): Invalid property value for Align");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n ComponentCount = 2\nend"),
              "Error reading w.ComponentCount (line 2): Property ComponentCount is read-only");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n Buddy = Nobody\nend"),
              "Error reading w.Buddy (line 2): unknown component Nobody");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n OnClick = Missing\nend"),
              "Error reading w.OnClick (line 2): no handler Missing");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n Caption = '\xE2\x82\xAC \xC4\x83'\nend"),
              "Error reading w.Caption (line 2): text not representable in Windows-1252");
    EXPECT_EQ(ErrorOf("object w: TSample\nend"),
              "Error reading w (line 1): the window is a TSampleWindow, not a TSample");
    EXPECT_EQ(ErrorOf("object w: TSampleWindow\n object P: TSample\n end\n object p: TSample\n end\nend"),
              "Error reading w.p (line 4): a component of this name exists");
}

}  // namespace
}  // namespace zelvora
