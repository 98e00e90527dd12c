// Published properties by name: every kind, inheritance, letter case,
// missing properties, text conversion and the bridge functions.
#include "ui_test_classes.h"

#include "ui/AnsiText.h"
#include "ui/Exceptions.h"
#include "ui/Properties.h"
#include "ui/Streams.h"

#include <gtest/gtest.h>

namespace {

using ui::TPropKind;

class PropertiesTest : public testing::Test {
protected:
    TTestForm form{nullptr};
    TTestControl* control = new TTestControl(&form);
};

TEST_F(PropertiesTest, RegistryListsInheritedPropertiesFirstInPublishingOrder)
{
    const auto& props = ui::PropertiesOf(TTestControl::ClassInfo).Properties();
    ASSERT_GE(props.size(), 3u);
    EXPECT_EQ(props[0].Name, "Name");
    EXPECT_EQ(props[1].Name, "Tag");
    EXPECT_EQ(props[2].Name, "Left");
    EXPECT_EQ(ui::FindPropInfo(TTestControl::ClassInfo, "tag")->Kind, TPropKind::Integer);
    EXPECT_EQ(ui::FindPropInfo(TTestForm::ClassInfo, "Left"), nullptr); // a sibling class's property
    EXPECT_EQ(ui::FindPropInfo(static_cast<const TObject*>(nullptr), "Left"), nullptr);
}

TEST_F(PropertiesTest, KindsAreRecordedWithTheirTypeInformation)
{
    const auto kind = [](std::string_view name) { return ui::FindPropInfo(TTestControl::ClassInfo, name)->Kind; };
    EXPECT_EQ(kind("Left"), TPropKind::Integer);
    EXPECT_EQ(kind("Visible"), TPropKind::Boolean);
    EXPECT_EQ(kind("Align"), TPropKind::Enumeration);
    EXPECT_EQ(kind("Options"), TPropKind::Set);
    EXPECT_EQ(kind("Caption"), TPropKind::Text);
    EXPECT_EQ(kind("Hint"), TPropKind::WideText);
    EXPECT_EQ(kind("Color"), TPropKind::Colour);
    EXPECT_EQ(kind("Font"), TPropKind::Object);
    EXPECT_EQ(kind("OnClick"), TPropKind::Event);
    EXPECT_EQ(kind("Blob"), TPropKind::Binary);
    EXPECT_EQ(ui::FindPropInfo(TTestControl::ClassInfo, "Font")->ObjectClass, &TTestFont::ClassInfo);
    EXPECT_EQ(ui::FindPropInfo(TTestControl::ClassInfo, "Align")->Enum, &TestAlignInfo);
    EXPECT_EQ(*ui::FindPropInfo(TTestControl::ClassInfo, "OnKey")->EventType, typeid(TEvent<TObject*, int&>));
}

TEST_F(PropertiesTest, OrdinalKindsReadAndWriteByNameInAnyCase)
{
    EXPECT_TRUE(ui::SetOrdProp(*control, "LEFT", 12));
    EXPECT_EQ(control->Left(), 12);
    EXPECT_TRUE(ui::SetOrdProp(*control, "visible", 0));
    EXPECT_FALSE(control->Visible);
    EXPECT_TRUE(ui::SetOrdProp(*control, "Align", alClient));
    EXPECT_EQ(control->Align, alClient);
    EXPECT_TRUE(ui::SetOrdProp(*control, "Options", 0b101));
    EXPECT_EQ(control->Options, (TTestOptions{toFirst, toThird}));
    EXPECT_TRUE(ui::SetOrdProp(*control, "Mask", 0b10));
    EXPECT_EQ(control->Mask, 2u);
    EXPECT_TRUE(ui::SetOrdProp(*control, "color", clRed));
    EXPECT_EQ(control->Color, clRed);
    EXPECT_TRUE(ui::SetOrdProp(*control, "Big", std::int64_t{1} << 40));
    EXPECT_EQ(*ui::GetOrdProp(*control, "BIG"), std::int64_t{1} << 40);
    EXPECT_EQ(*ui::GetOrdProp(*control, "Options"), 0b101);
    EXPECT_FALSE(ui::GetOrdProp(*control, "Caption").has_value());
}

TEST_F(PropertiesTest, OrdinalValuesOutsideTheMembersRangeAreRefused)
{
    EXPECT_THROW(ui::SetOrdProp(*control, "Left", std::int64_t{1} << 40), EPropertyError);
    EXPECT_THROW(ui::SetOrdProp(*control, "Align", -1), EPropertyError);
    EXPECT_EQ(control->Left(), 0);
}

TEST_F(PropertiesTest, TextObjectAndEventKindsByName)
{
    EXPECT_TRUE(ui::SetStrProp(*control, "caption", "北京"));
    EXPECT_EQ(control->Caption(), "北京");
    EXPECT_TRUE(ui::SetWideStrProp(*control, "Hint", L"wide"));
    EXPECT_EQ(control->Hint, L"wide");
    EXPECT_EQ(*ui::GetStrProp(*control, "Hint"), "wide");
    EXPECT_EQ(ui::GetObjectProp(*control, "font"), control->Font());

    auto* other = new TTestControl(&form);
    EXPECT_TRUE(ui::SetObjectProp(*control, "Buddy", other));
    EXPECT_EQ(control->Buddy(), other);
    EXPECT_THROW(ui::SetObjectProp(*control, "Buddy", &form), EPropertyError);
    EXPECT_FALSE(ui::SetObjectProp(*control, "Font", nullptr)); // edited in place, not replaced
    delete other;
    EXPECT_EQ(control->Buddy(), nullptr); // free notification cleared it

    const ui::TPropInfo* onClick = ui::FindPropInfo(control, "onclick");
    int clicks = 0;
    static_cast<TNotifyEvent&>(*onClick->EventSlot(*control)) = TNotifyEvent([&](TObject*) { ++clicks; });
    control->OnClick(control);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PropertiesTest, BinaryPropertiesStreamThroughTheObjectsOwnCode)
{
    control->Blob = {std::byte{1}, std::byte{2}, std::byte{3}};
    const ui::TPropInfo* blob = ui::FindPropInfo(control, "BLOB");
    TMemoryStream stream;
    blob->WriteData(*control, stream);
    EXPECT_EQ(stream.Size(), 7);
    auto* copy = new TTestControl(&form);
    stream.SetPosition(0);
    blob->ReadData(*copy, stream);
    EXPECT_EQ(copy->Blob, control->Blob);
}

TEST_F(PropertiesTest, MissingPropertiesAreHarmless)
{
    EXPECT_EQ(ui::GetIntProp(control, "NoSuchThing"), -1);
    EXPECT_EQ(ui::GetEnumPropText(control, "NoSuchThing"), "");
    EXPECT_EQ(ui::GetWideTextProp(control, "NoSuchThing"), L"");
    EXPECT_EQ(ui::GetObjectPropOf(control, "NoSuchThing", TObject::ClassInfo), nullptr);
    ui::SetPropText(control, "NoSuchThing", "1");
    EXPECT_FALSE(ui::SetOrdProp(*control, "NoSuchThing", 1));
    EXPECT_FALSE(ui::SetStrProp(*control, "NoSuchThing", "x"));
    EXPECT_FALSE(ui::GetPropValueText(*control, "NoSuchThing").has_value());
    EXPECT_FALSE(ui::SetPropValueText(*control, "NoSuchThing", "x"));
    // A null object too.
    EXPECT_EQ(ui::GetIntProp(nullptr, "Left"), -1);
    EXPECT_EQ(ui::GetEnumPropText(nullptr, "Align"), "");
    ui::SetPropText(nullptr, "Left", "3");
}

TEST_F(PropertiesTest, BridgeReadsEachKindItServes)
{
    control->SetLeft(-7);
    control->Align = alTop;
    control->Visible = true;
    control->Color = clBtnFace;
    control->SetCaption("abc");
    EXPECT_EQ(ui::GetIntProp(control, "left"), -7);
    EXPECT_EQ(ui::GetIntProp(control, "Color"), static_cast<int>(clBtnFace)); // colours are integers there
    EXPECT_EQ(ui::GetIntProp(control, "Align"), -1);                          // not an integer kind
    EXPECT_EQ(ui::GetEnumPropText(control, "align"), "alTop");
    EXPECT_EQ(ui::GetEnumPropText(control, "Visible"), "True");
    EXPECT_EQ(ui::GetEnumPropText(control, "Left"), "");
    EXPECT_EQ(ui::GetWideTextProp(control, "caption"), L"abc");
    control->Hint = L"\x4E2D";
    EXPECT_EQ(ui::GetWideTextProp(control, "Hint"), L"\x4E2D");
    EXPECT_EQ(ui::GetObjectPropOf<TTestFont>(control, "Font"), control->Font());
    EXPECT_EQ(ui::GetObjectPropOf(control, "Font", TPersistent::ClassInfo), control->Font());
    EXPECT_EQ(ui::GetObjectPropOf(control, "Font", TComponent::ClassInfo), nullptr);
    EXPECT_EQ(ui::GetObjectPropOf(control, "Buddy", TObject::ClassInfo), nullptr); // unassigned
}

TEST_F(PropertiesTest, BridgeWritesIntegersIdentifiersAndTextOnly)
{
    ui::SetPropText(control, "Left", "42");
    EXPECT_EQ(control->Left(), 42);
    ui::SetPropText(control, "visible", "false");
    EXPECT_FALSE(control->Visible);
    ui::SetPropText(control, "Align", "ALBOTTOM");
    EXPECT_EQ(control->Align, alBottom);
    ui::SetPropText(control, "Caption", " as is ");
    EXPECT_EQ(control->Caption(), " as is ");
    ui::SetPropText(control, "Hint", "hint");
    EXPECT_EQ(control->Hint, L"hint");
    ui::SetPropText(control, "Options", "[toSecond]"); // sets are not served: nothing happens
    EXPECT_EQ(control->Options, TTestOptions{toFirst});
    ui::SetPropText(control, "Version", "9"); // read-only elsewhere: also nothing
    EXPECT_THROW(ui::SetPropText(control, "Left", "4x"), EPropertyError);
    EXPECT_THROW(ui::SetPropText(control, "Align", "alSideways"), EPropertyError);
    EXPECT_EQ(control->Left(), 42);
}

TEST_F(PropertiesTest, TextFormOfEveryKindRoundTrips)
{
    const std::pair<std::string_view, std::string_view> values[] = {
        {"Left", "-15"},
        {"Visible", "False"},
        {"Align", "alClient"},
        {"Options", "[toSecond, toThird]"},
        {"Mask", "[]"},
        {"Caption", "北京 'quoted'"},
        {"Hint", "hint"},
        {"Color", "clBtnFace"},
        {"Big", "1099511627776"},
    };
    for (const auto& [name, text] : values) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ui::SetPropValueText(*control, name, text));
        EXPECT_EQ(*ui::GetPropValueText(*control, name), text);
    }
    EXPECT_TRUE(ui::SetPropValueText(*control, "Color", "$00123456"));
    EXPECT_EQ(control->Color, 0x123456u);
    EXPECT_EQ(*ui::GetPropValueText(*control, "Color"), "$00123456");
    EXPECT_TRUE(ui::SetPropValueText(*control, "Left", "$FFFFFFFF"));
    EXPECT_EQ(control->Left(), -1);
    EXPECT_TRUE(ui::SetPropValueText(*control, "Options", " [ TOFIRST ,toSecond ] "));
    EXPECT_EQ(control->Options, (TTestOptions{toFirst, toSecond}));
}

TEST_F(PropertiesTest, MalformedTextIsRefusedAndLeavesTheValue)
{
    control->SetLeft(5);
    for (const std::string_view bad : {"", "5 5", "five", "$", "$123456789", "--1"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ui::SetPropValueText(*control, "Left", bad), EPropertyError);
    }
    EXPECT_EQ(control->Left(), 5);
    for (const std::string_view bad : {"toFirst", "[toFirst", "[toFirst,]", "[toFourth]", "[toFirst toSecond]"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ui::SetPropValueText(*control, "Options", bad), EPropertyError);
    }
    EXPECT_THROW(ui::SetPropValueText(*control, "Visible", "yes"), EPropertyError);
    EXPECT_THROW(ui::SetPropValueText(*control, "Color", "clNoSuchColour"), EPropertyError);
}

TEST_F(PropertiesTest, KindsWithoutATextFormAreLeftAlone)
{
    EXPECT_FALSE(ui::SetPropValueText(*control, "Font", "x"));
    EXPECT_FALSE(ui::SetPropValueText(*control, "Blob", "x"));
    EXPECT_FALSE(ui::SetPropValueText(*control, "OnClick", "Button1Click"));
    EXPECT_FALSE(ui::GetPropValueText(*control, "Font").has_value());
    EXPECT_FALSE(ui::GetPropValueText(*control, "Blob").has_value());
    EXPECT_EQ(*ui::GetPropValueText(*control, "Buddy"), ""); // an unassigned reference
    auto* other = new TTestControl(&form);
    other->SetName("Other");
    control->SetBuddy(other);
    EXPECT_EQ(*ui::GetPropValueText(*control, "Buddy"), "Other");
}

TEST_F(PropertiesTest, ReadOnlyPropertiesReadButDoNotWrite)
{
    TTestData data(nullptr);
    EXPECT_EQ(*ui::GetOrdProp(data, "version"), 3);
    EXPECT_FALSE(ui::SetOrdProp(data, "Version", 4));
    EXPECT_FALSE(ui::SetPropValueText(data, "Version", "4"));
    EXPECT_FALSE(ui::FindPropInfo(&data, "Version")->IsWritable());
}

// A subclass publishing a name again replaces the inherited entry in place.
class TRepublished : public TTestControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TRepublished>& p)
    {
        p.Text("Left", [](const TRepublished&) { return std::string("fixed"); });
    }
    using TTestControl::TTestControl;
};
constinit const TClassInfo TRepublished::ClassInfo = ui::ClassOf<TRepublished>("TRepublished", TTestControl::ClassInfo);

TEST(PropertyInheritance, RepublishedNameReplacesTheInheritedEntryInPlace)
{
    const auto& base = ui::PropertiesOf(TTestControl::ClassInfo).Properties();
    const auto& derived = ui::PropertiesOf(TRepublished::ClassInfo).Properties();
    ASSERT_EQ(base.size(), derived.size());
    EXPECT_EQ(derived[2].Name, "Left");
    EXPECT_EQ(derived[2].Kind, TPropKind::Text);
    TRepublished object(nullptr);
    EXPECT_EQ(*ui::GetPropValueText(object, "left"), "fixed");
    EXPECT_EQ(ui::GetIntProp(&object, "Left"), -1);
    EXPECT_EQ(ui::FindPropInfo(TTestControl::ClassInfo, "Left")->Kind, TPropKind::Integer);
}

TEST(AnsiText, CaseFoldingTouchesAsciiLettersOnly)
{
    EXPECT_TRUE(ui::SameText("Button1", "BUTTON1"));
    EXPECT_FALSE(ui::SameText("北京", "北京x"));
    EXPECT_EQ(ui::LowerCase("AbC北京"), "abc北京");
    EXPECT_LT(ui::CompareText("abc", "ABD"), 0);
    EXPECT_EQ(ui::TextCaseHash{}("Tag"), ui::TextCaseHash{}("TAG"));
}

TEST(AnsiText, ConvertsGbkAndTheCodecCanBeReplaced)
{
    EXPECT_EQ(ui::AnsiToWide("北京"), L"\x5317\x4EAC");
    EXPECT_EQ(ui::WideToAnsi(L"\x5317\x4EAC"), "北京");
    ui::SetAnsiCodec({[](std::string_view) { return std::wstring(L"W"); }, {}});
    EXPECT_EQ(ui::AnsiToWide("x"), L"W");
    EXPECT_EQ(ui::WideToAnsi(L"ab"), "ab"); // the built-in one stays for the other direction
    ui::SetAnsiCodec({});
    EXPECT_EQ(ui::AnsiToWide("ab"), L"ab");
}

} // namespace
