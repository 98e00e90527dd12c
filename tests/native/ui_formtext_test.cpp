// Form files: parsing, reading into components (creation by class name,
// nesting, events, references, binary data, Loaded order), writing, and
// read -> write -> read giving the same form.
#include "ui_test_classes.h"

#include "ui/FormText.h"
#include "ui/FormTextReader.h"
#include "ui/FormTextWriter.h"
#include "ui/Streams.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using ui::EFormError;
using ui::TFormValueKind;

constexpr std::string_view kForm = R"(// The main test form.
object Form1: TTestForm
  Caption = '邮编 ''查询'''
  OnCreate = FormCreate
  Tag = 7
  object Panel1: TTestControl
    Left = 8
    Align = alClient
    Options = [toSecond, toThird]
    Color = clWindow
    Font.Name = '宋体'
    Font.Size = 12
    Lines = (
      'one'
      'two'#9'tabbed'
      '')
    Items = <
      item
        Name = 'first'
        Width = 60
        Data = {02000000 ABCD}
      end
      item
        Name = 'second'
      end>
    object Button1: TTestControl
      Caption = 'Line one'#13#10'line two'
      Hint = 'wide '#$4E2D'文'
      Visible = False
      OnClick = Button1Click
      OnKey = EditKey
      Buddy = Panel1
      Big = -1099511627776
      Mask = [toFirst]
    end
  end
  object Data1: TTestData
    SkinStream = {
      03000000 414243
    }
  end
end
)";

class FormTextTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }
    void SetUp() override { TestLog().clear(); }

    static std::unique_ptr<TTestForm> Read(std::string_view text, const ui::TFormReadOptions& options = {})
    {
        auto form = std::make_unique<TTestForm>(nullptr);
        ui::ReadFormText(*form, text, options);
        return form;
    }

    static std::string ErrorOf(std::string_view text, const ui::TFormReadOptions& options = {})
    {
        try {
            Read(text, options);
        } catch (const EFormError& e) {
            return e.what();
        }
        return "no error";
    }
};

TEST_F(FormTextTest, ParserBuildsTheTreeWithLineNumbers)
{
    const ui::TFormObject root = ui::ParseFormText(kForm);
    EXPECT_EQ(root.Name, "Form1");
    EXPECT_EQ(root.ClassName, "TTestForm");
    EXPECT_EQ(root.Line, 2);
    ASSERT_EQ(root.Properties.size(), 3u);
    EXPECT_EQ(root.Properties[0].Value.Kind, TFormValueKind::String);
    EXPECT_EQ(root.Properties[1].Value.Kind, TFormValueKind::Identifier);
    EXPECT_EQ(root.Properties[2].Value.Text, "7");
    ASSERT_EQ(root.Children.size(), 2u);
    const ui::TFormObject& panel = root.Children[0];
    EXPECT_EQ(panel.Line, 6);
    EXPECT_EQ(panel.Properties[4].Path, "Font.Name");
    EXPECT_EQ(panel.Properties[2].Value.Members, (std::vector<std::string>{"toSecond", "toThird"}));
    const ui::TFormValue& lines = panel.Properties[6].Value;
    ASSERT_EQ(lines.Kind, TFormValueKind::List);
    EXPECT_EQ(*lines.Strings[1].ToBytes(), "two\ttabbed");
    const ui::TFormValue& items = panel.Properties[7].Value;
    ASSERT_EQ(items.Items.size(), 2u);
    EXPECT_EQ(items.Items[0].Properties[2].Value.Bytes.size(), 6u);
    EXPECT_EQ(items.Items[1].Line, 23);
    EXPECT_EQ(panel.Children[0].Properties[1].Line, 28);
}

TEST_F(FormTextTest, StringsJoinQuotedRunsCodesAndPlusSigns)
{
    const ui::TFormObject root = ui::ParseFormText("OBJECT X: TTestForm\n"
                                                   "  Caption = 'a'#65#$42'c' +\n"
                                                   "    'd'''\n"
                                                   "  Hint = #$4E2D#20013 + #$1F600\n"
                                                   "END");
    EXPECT_EQ(*root.Properties[0].Value.String.ToBytes(), "aABcd'");
    const ui::TFormString& wide = root.Properties[1].Value.String;
    EXPECT_FALSE(wide.ToBytes().has_value()); // codes beyond a byte
    const std::wstring text = wide.ToWide();
    EXPECT_EQ(text.substr(0, 2), L"\x4E2D\x4E2D");
    EXPECT_EQ(text.size(), sizeof(wchar_t) == 2 ? 4u : 3u); // a surrogate pair where wchar_t is 16 bits
}

TEST_F(FormTextTest, MalformedTextFailsWithItsLine)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"object X: T\n  A = 'open\nend", "Line 2: Unterminated string"},
        {"object X: T\n  A = 1\n", "Line 3: \"end\" expected"},
        {"object X: T\n  A = {0A B}\nend", "Line 2: Binary data with an odd number of hexadecimal digits"},
        {"object X: T\n  A = {0G}\nend", "Line 2: Invalid character in binary data"},
        {"object X: T\n  A = {00\n 11", "Line 2: Binary data without a closing }"},
        {"object X: T\nend\nend", "Line 3: Text after the end of the form"},
        {"object X: T\n  A 1\nend", "Line 2: \"=\" expected after A"},
        {"object X: T\n  A = [a b]\nend", "Line 2: \",\" or \"]\" expected"},
        {"object X: T\n  A = @disk 'x'\nend", "Line 2: \"file\" or \"sizedfile\" expected after \"@\""},
        {"object X: T\n  A = #1114112\nend", "Line 2: Invalid character code"},
        {"object X: T\n  A = $\nend", "Line 2: Hexadecimal number without digits"},
        {"object X: T\n  A = <item B = 1>\nend", "Line 2: Property or \"end\" expected"},
        {"objects X: T\nend", "Line 1: \"object\" expected"},
        {"", "Line 1: \"object\" expected"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        try {
            ui::ParseFormText(text);
            ADD_FAILURE() << "no error";
        } catch (const EFormError& e) {
            EXPECT_EQ(std::string_view(e.what()), message);
        }
    }
    std::string deep;
    for (int i = 0; i < 100; ++i) {
        deep += "object A: T\n";
    }
    EXPECT_THROW(ui::ParseFormText(deep), EFormError);
}

TEST_F(FormTextTest, ReaderCreatesComponentsAndSetsEveryKind)
{
    const auto form = Read(kForm);
    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(form->Caption, "邮编 '查询'");
    EXPECT_EQ(form->Tag(), 7);
    ASSERT_NE(form->Panel1, nullptr);
    ASSERT_NE(form->Button1, nullptr);
    ASSERT_NE(form->Data1, nullptr);
    TTestControl& panel = *form->Panel1;
    EXPECT_EQ(panel.Owner(), form.get());
    EXPECT_EQ(panel.Parent, form.get());
    EXPECT_EQ(panel.Left(), 8);
    EXPECT_EQ(panel.Align, alClient);
    EXPECT_EQ(panel.Options, (TTestOptions{toSecond, toThird}));
    EXPECT_EQ(panel.Color, clWindow);
    EXPECT_EQ(panel.Font()->Name, "宋体");
    EXPECT_EQ(panel.Font()->Size, 12);
    EXPECT_EQ(panel.Lines().ToVector(), (std::vector<std::string>{"one", "two\ttabbed", ""}));
    ASSERT_EQ(panel.Items()->Count(), 2);
    const auto* first = panel.Items()->ItemAs<TTestItem>(0);
    EXPECT_EQ(first->Name, "first");
    EXPECT_EQ(first->Width, 60);
    EXPECT_EQ(first->Data, (std::vector<std::byte>{std::byte{0xAB}, std::byte{0xCD}}));
    EXPECT_EQ(panel.Items()->ItemAs<TTestItem>(1)->Width, 50);

    TTestControl& button = *form->Button1;
    EXPECT_EQ(button.Owner(), form.get()); // the form owns it; the panel is its parent
    EXPECT_EQ(button.Parent, &panel);
    EXPECT_EQ(button.Caption(), "Line one\r\nline two");
    EXPECT_EQ(button.Hint, L"wide \x4E2D\x6587");
    EXPECT_FALSE(button.Visible);
    EXPECT_EQ(button.Buddy(), &panel);
    EXPECT_EQ(button.Big, -(std::int64_t{1} << 40));
    EXPECT_EQ(button.Mask, 1u);
    const std::vector<std::byte> abc = {std::byte{'A'}, std::byte{'B'}, std::byte{'C'}};
    EXPECT_EQ(form->Data1->Stream, abc);
}

TEST_F(FormTextTest, EventsAreBoundByNameToTheRootsMethodsAndFire)
{
    const auto form = Read(kForm);
    form->OnCreate(form.get());
    form->Button1->OnClick(form->Button1);
    int key = 13;
    form->Button1->OnKey(form->Button1, key);
    EXPECT_EQ(key, 0); // the handler's change reaches the caller
    const std::vector<std::string> calls = {"FormCreate TTestForm", "Button1Click Button1", "EditKey 13"};
    EXPECT_EQ(form->Calls, calls);
    EXPECT_EQ(form->Button1->OnClick.HandlerName(), "Button1Click");
    EXPECT_EQ(form->Button1->OnClick.Data(), form.get());
    EXPECT_FALSE(form->Panel1->OnClick);
    form->Panel1->OnClick(form->Panel1); // unassigned: nothing happens
    int codeCalls = 0;
    form->Panel1->OnClick = [&](TObject*) { ++codeCalls; };
    form->Panel1->OnClick(nullptr);
    EXPECT_EQ(codeCalls, 1);
    EXPECT_EQ(form->Panel1->OnClick.HandlerName(), ""); // bound in code: the writer leaves it out
}

TEST_F(FormTextTest, LoadedRunsAfterEverythingIsReadRootFirst)
{
    const auto form = Read(kForm);
    const std::vector<std::string> expected = {"Loaded Form1", "Loaded Panel1", "Loaded Button1", "Loaded Data1"};
    EXPECT_EQ(TestLog(), expected);
    EXPECT_TRUE(form->Button1->SawLoadingWhenLoaded);
    EXPECT_TRUE(form->Data1->StreamReadWhileLoading);
    for (const TComponent* component : {static_cast<TComponent*>(form.get()), static_cast<TComponent*>(form->Button1),
             static_cast<TComponent*>(form->Data1)}) {
        EXPECT_FALSE(component->ComponentState().Contains(csLoading));
        EXPECT_FALSE(component->ComponentState().Contains(csReading));
    }
}

TEST_F(FormTextTest, ReadWriteReadGivesTheSameForm)
{
    const auto first = Read(kForm);
    const std::string written = ui::WriteFormText(*first);
    TestLog().clear();
    const auto second = Read(written);
    EXPECT_EQ(ui::WriteFormText(*second), written);

    EXPECT_EQ(second->Caption, first->Caption);
    EXPECT_EQ(second->Button1->Caption(), first->Button1->Caption());
    EXPECT_EQ(second->Button1->Hint, first->Button1->Hint);
    EXPECT_EQ(second->Button1->Buddy(), second->Panel1);
    EXPECT_EQ(second->Button1->Parent, second->Panel1);
    EXPECT_EQ(second->Panel1->Lines().ToVector(), first->Panel1->Lines().ToVector());
    EXPECT_EQ(second->Panel1->Items()->ItemAs<TTestItem>(0)->Data, first->Panel1->Items()->ItemAs<TTestItem>(0)->Data);
    EXPECT_EQ(second->Data1->Stream, first->Data1->Stream);
    EXPECT_EQ(second->Panel1->Font()->Name, "宋体");
    second->Button1->OnClick(second->Button1);
    EXPECT_EQ(second->Calls, std::vector<std::string>{"Button1Click Button1"});
    EXPECT_EQ(TestLog().size(), 4u);
}

TEST_F(FormTextTest, WriterOutputIsReadable)
{
    TTestForm form(nullptr);
    form.SetName("Form2");
    form.Caption = "关于";
    auto* panel = new TTestControl(&form);
    panel->SetName("Panel1");
    panel->SetParentComponent(&form);
    panel->Lines().Add("x");
    panel->Color = 0x123456;
    auto* data = new TTestData(&form);
    data->SetName("Data1");
    const std::string expected = "object Form2: TTestForm\n"
                                 "  Caption = '关于'\n"
                                 "  object Panel1: TTestControl\n"
                                 "    Options = [toFirst]\n"
                                 "    Caption = ''\n"
                                 "    Hint = ''\n"
                                 "    Color = $00123456\n"
                                 "    Font.Name = 'Arial'\n"
                                 "    Font.Size = 9\n"
                                 "    Font.Color = clWindowText\n"
                                 "    Lines = (\n"
                                 "      'x'\n"
                                 "    )\n"
                                 "    Items = <>\n"
                                 "  end\n"
                                 "  object Data1: TTestData\n"
                                 "    SkinStream = {\n"
                                 "      00000000\n"
                                 "    }\n"
                                 "  end\n"
                                 "end\n";
    EXPECT_EQ(ui::WriteFormText(form), expected);
}

TEST_F(FormTextTest, WriterEscapesTextThatQuotesCannotHold)
{
    EXPECT_EQ(ui::QuoteFormString(""), "''");
    EXPECT_EQ(ui::QuoteFormString("it's"), "'it''s'");
    EXPECT_EQ(ui::QuoteFormString("\r\nA\x7F"), "#13#10'A'#127");
    EXPECT_EQ(ui::QuoteFormString("北京"), "'北京'");
    EXPECT_EQ(ui::QuoteFormWideString(L"a\x5317\x4EAC"), "'a北京'");
    // Not in the code page: written by number.
    EXPECT_EQ(ui::QuoteFormWideString(L"\x0E01t\x0E01"), "#3585't'#3585");
}

TEST_F(FormTextTest, BinaryPropertyCountAndBytesRoundTrip)
{
    TTestForm form(nullptr);
    form.SetName("Form1");
    auto* data = new TTestData(&form);
    data->SetName("Data1");
    for (int i = 0; i < 1000; ++i) {
        data->Stream.push_back(static_cast<std::byte>(i * 7));
    }
    const auto copy = Read(ui::WriteFormText(form));
    EXPECT_EQ(copy->Data1->Stream, data->Stream);
}

TEST_F(FormTextTest, TruncatedBinaryDataFailsClearly)
{
    const std::string message = ErrorOf("object Form1: TTestForm\n"
                                        "  object Data1: TTestData\n"
                                        "    SkinStream = {0A000000 414243}\n"
                                        "  end\n"
                                        "end\n");
    EXPECT_EQ(message, "Line 3: Binary data of SkinStream (7 bytes) is truncated or malformed: Stream read error");
    EXPECT_EQ(ErrorOf("object Form1: TTestForm\n"
                      "  object Data1: TTestData\n"
                      "    SkinStream = {0100}\n"
                      "  end\n"
                      "end\n"),
        "Line 3: Binary data of SkinStream (2 bytes) is truncated or malformed: Stream read error");
    EXPECT_EQ(ErrorOf("object Form1: TTestForm\n"
                      "  object Data1: TTestData\n"
                      "    SkinStream = {01000000 4142}\n"
                      "  end\n"
                      "end\n"),
        "Line 3: Binary data of SkinStream has 1 bytes more than its reader takes");
}

TEST_F(FormTextTest, BinaryDataFromFilesTheBuildProduced)
{
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "ui_formtext_files";
    std::filesystem::create_directories(dir / "skins");
    std::ofstream(dir / "skins" / "a.bin", std::ios::binary) << "XYZ";
    std::ofstream(dir / "counted.bin", std::ios::binary) << std::string("\x02\x00\x00\x00QR", 6);
    ui::TFormReadOptions options;
    options.ResolveFile = ui::FilesUnder(dir.string());

    const auto sized = Read("object Form1: TTestForm\n"
                            "  object Data1: TTestData\n"
                            "    SkinStream = @sizedfile 'skins/a.bin'\n"
                            "  end\n"
                            "end\n",
        options);
    EXPECT_EQ(sized->Data1->Stream, (std::vector<std::byte>{std::byte{'X'}, std::byte{'Y'}, std::byte{'Z'}}));
    const auto plain = Read("object Form1: TTestForm\n"
                            "  object Data1: TTestData\n"
                            "    SkinStream = @FILE 'counted.bin'\n"
                            "  end\n"
                            "end\n",
        options);
    EXPECT_EQ(plain->Data1->Stream, (std::vector<std::byte>{std::byte{'Q'}, std::byte{'R'}}));

    const std::string_view escaping = "object Form1: TTestForm\n"
                                      "  object Data1: TTestData\n"
                                      "    SkinStream = @file '../secret'\n"
                                      "  end\n"
                                      "end\n";
    EXPECT_EQ(ErrorOf(escaping, options),
        "Line 3: Data1.SkinStream: Refusing file reference outside the form's folder: '../secret'");
    EXPECT_EQ(ErrorOf(escaping), "Line 3: No way to load the file '../secret'");
    EXPECT_EQ(ErrorOf("object Form1: TTestForm\n"
                      "  object Data1: TTestData\n"
                      "    SkinStream = @file 'missing.bin'\n"
                      "  end\n"
                      "end\n",
                  options)
                  .substr(0, 46),
        "Line 3: Data1.SkinStream: Cannot open file \"" + dir.string().substr(0, 2));
    std::filesystem::remove_all(dir);
}

TEST_F(FormTextTest, TextThatDoesNotFitTheComponentsFailsWithItsLine)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"object F: TTestControl\nend", "Line 1: The form describes a TTestControl, not a TTestForm"},
        {"object F: TTestForm\n  object A: TNoSuchClass\n  end\nend", "Line 2: Class TNoSuchClass not found"},
        {"object F: TTestForm\n  Width = 3\nend", "Line 2: Property F.Width does not exist"},
        {"object F: TTestForm\n  object P: TTestControl\n    Font.Nam = 'x'\n  end\nend",
            "Line 3: Property P.Font.Nam does not exist"},
        {"object F: TTestForm\n  object P: TTestControl\n    Left.X = 1\n  end\nend",
            "Line 3: P.Left is not an object property"},
        {"object F: TTestForm\n  object P: TTestControl\n    Align = alSideways\n  end\nend",
            "Line 3: Invalid value for property P.Align"},
        {"object F: TTestForm\n  object P: TTestControl\n    Left = 'x'\n  end\nend",
            "Line 3: Invalid value for property P.Left"},
        {"object F: TTestForm\n  object P: TTestControl\n    Caption = #300\n  end\nend",
            "Line 3: Invalid value for property P.Caption"},
        {"object F: TTestForm\n  object P: TTestControl\n    Left = 99999999999\n  end\nend",
            "Line 3: P.Left: Value 99999999999 is out of range for property Left"},
        {"object F: TTestForm\n  object D: TTestData\n    Version = 4\n  end\nend",
            "Line 3: Property D.Version is read-only"},
        {"object F: TTestForm\n  object P: TTestControl\n    OnClick = NoSuchHandler\n  end\nend",
            "Line 3: Method NoSuchHandler not found in TTestForm"},
        {"object F: TTestForm\n  object P: TTestControl\n    OnClick = EditKey\n  end\nend",
            "Line 3: Method EditKey does not match event OnClick"},
        {"object F: TTestForm\n  object P: TTestControl\n    Buddy = Nobody\n  end\nend",
            "Line 3: Component Nobody not found"},
        {"object F: TTestForm\n  object P: TTestControl\n    Buddy = D\n  end\n  object D: TTestData\n  end\nend",
            "Line 3: Buddy: Property Buddy needs a TTestControl, not a TTestData"},
        {"object F: TTestForm\n  object P: TTestControl\n  end\n  object P: TTestData\n  end\nend",
            "Line 4: A component named P already exists"},
        {"object F: TTestForm\n  object P: TTestControl\n    Items = <item Nope = 1 end>\n  end\nend",
            "Line 3: Property P.Items[0].Nope does not exist"},
        {"object F: TTestForm\n  object P: TTestControl\n    Lines = 'x'\n  end\nend",
            "Line 3: Invalid value for property P.Lines"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorOf(text), message);
    }
}

TEST_F(FormTextTest, AFailedReadLeavesNothingLoading)
{
    TTestForm form(nullptr);
    EXPECT_THROW(ui::ReadFormText(form, "object F: TTestForm\n  object P: TTestControl\n    Bad = 1\n  end\nend"),
        EFormError);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    ASSERT_EQ(form.ComponentCount(), 1);
    EXPECT_FALSE(form.Components(0)->ComponentState().Contains(csReading));
    EXPECT_TRUE(TestLog().empty()); // no Loaded after a failure
}

TEST_F(FormTextTest, ReferencesPreferTheRootsComponentsAndNilClears)
{
    const auto form = Read("object Form1: TTestForm\n"
                           "  object P: TTestControl\n"
                           "    Buddy = Form1\n"
                           "  end\n"
                           "  object Q: TTestControl\n"
                           "    Buddy = nil\n"
                           "  end\n"
                           "  object Form1: TTestControl\n"
                           "  end\n"
                           "end\n");
    const auto* p = static_cast<TTestControl*>(form->FindComponent("P"));
    EXPECT_EQ(p->Buddy(), form->FindComponent("Form1")); // the component, which the writer would name
    EXPECT_EQ(static_cast<TTestControl*>(form->FindComponent("Q"))->Buddy(), nullptr);
}

TEST_F(FormTextTest, ExistingComponentsOfTheRootAreReused)
{
    TTestForm form(nullptr);
    auto* panel = new TTestControl(&form);
    panel->SetName("Panel1");
    ui::ReadFormText(form, "object Form1: TTestForm\n  object Panel1: TTestControl\n    Left = 3\n  end\nend");
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Panel1, panel);
    EXPECT_EQ(panel->Left(), 3);
}

TEST_F(FormTextTest, CreatingTheRootByClassAndKeepingNamesUnique)
{
    TTestForm application(nullptr);
    constexpr std::string_view text = "object Form1: TTestForm\n  Caption = 'x'\nend";
    TComponent* first = ui::CreateFormFromText(text, &application);
    TComponent* second = ui::CreateFormFromText(text, &application);
    EXPECT_EQ(first->ClassName(), "TTestForm");
    EXPECT_EQ(first->Name(), "Form1");
    EXPECT_EQ(second->Name(), "Form1_1");
    EXPECT_EQ(application.ComponentCount(), 2);
    // A failure frees the half-read root.
    EXPECT_THROW(ui::CreateFormFromText("object Form1: TTestForm\n  Bad = 1\nend", &application), EFormError);
    EXPECT_EQ(application.ComponentCount(), 2);
    EXPECT_THROW(ui::CreateFormFromText("object Form1: TNoSuchForm\nend", nullptr), EFormError);
}

TEST_F(FormTextTest, ReadsFromAStream)
{
    TMemoryStream stream;
    stream.WriteBuffer(kForm.data(), kForm.size());
    stream.SetPosition(0);
    TTestForm form(nullptr);
    ui::ReadForm(form, stream);
    EXPECT_EQ(form.Caption, "邮编 '查询'");
    TMemoryStream out;
    ui::WriteForm(form, out);
    EXPECT_EQ(out.Size(), static_cast<std::int64_t>(ui::WriteFormText(form).size()));
}

} // namespace
