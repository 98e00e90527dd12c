// The skin data component in form data and at run time: the stored skin is
// loaded while the form is read, a stream that is not a skin leaves the
// program running with skinning off, the component writes itself back,
// fixed properties ignore writes, Loaded sets up the one skin manager, and
// DecideFormSkin chooses which windows are skinned.
#include "tests/win/skin_data_support.h"
#include "tests/win/skin_host_support.h"

#include "skin/load/MessageDialog.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Component.h"
#include "ui/FormTextReader.h"
#include "ui/FormTextWriter.h"
#include "ui/Forms.h"
#include "ui/Properties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace skintest;


std::string Hex(std::span<const std::uint8_t> bytes)
{
    std::string text;
    char digits[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        text += digits;
        if (i % 64 == 63)
            text += "\n      ";
    }
    return text;
}

// The "SkinStream" value: a 32-bit count, then the bytes.
std::string CountedHex(std::span<const std::uint8_t> bytes, std::uint32_t count)
{
    const std::uint8_t prefix[4] = {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                                    static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
    return "{" + Hex(prefix) + Hex(bytes) + "}";
}

std::string HostText(const std::string& properties)
{
    return "object SkinHost: TSkinHost\n"
           "  object SkinData1: TSkinData\n" +
           properties +
           "  end\n"
           "end\n";
}

class SkinDataComponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        ui::RegisterClasses({&TSkinData::ClassInfo, &TSkinHost::ClassInfo});
        previousDialog = SetMessageDialogHook([this](std::string_view text) { messages.emplace_back(text); });
    }
    void TearDown() override
    {
        hosts.clear();
        FreeSkinManager();
        SetMessageDialogHook(previousDialog);
    }

    TSkinData& Read(const std::string& properties)
    {
        hosts.push_back(std::make_unique<TSkinHost>(nullptr));
        ui::ReadFormText(*hosts.back(), HostText(properties));
        TSkinData* skinData = hosts.back()->SkinData1;
        if (!skinData)
            throw std::runtime_error("the form text made no skin data component");
        return *skinData;
    }
    TSkinData& ReadWithStream(std::span<const std::uint8_t> skin)
    {
        return Read("    Active = True\n    SkinStream = " + CountedHex(skin, static_cast<std::uint32_t>(skin.size())) +
                    "\n");
    }

    std::vector<std::unique_ptr<TSkinHost>> hosts;
    std::vector<std::string> messages;
    TMessageDialogHook previousDialog;
};

TEST_F(SkinDataComponentTest, AStoredSkinLoadsWhileTheFormIsReadAndLoadedRegistersWithTheManager)
{
    ASSERT_EQ(SkinManager(), nullptr);
    TSkinData& skin = ReadWithStream(EdgeSkin());
    EXPECT_FALSE(skin.SkinNotLoaded());
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(skin.SkinStream().Size(), static_cast<std::int64_t>(EdgeSkin().size()));
    EXPECT_EQ(skin.SkinName, "Edge probe");
    EXPECT_TRUE(messages.empty());

    TSkinManage* manager = SkinManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->SkinDatas(), std::vector<TSkinData*>{&skin});
    EXPECT_EQ(manager->MainSkinData(), &skin);
    EXPECT_NE(manager->HookHandle(), nullptr);
    // Before any window was activated, activation only switches the manager on.
    EXPECT_TRUE(manager->Enabled());

    // A second main component joins the list; the first stays the main one.
    TSkinData& second = ReadWithStream(EdgeSkin());
    EXPECT_EQ(SkinManager(), manager);
    EXPECT_EQ(manager->SkinDatas(), (std::vector<TSkinData*>{&skin, &second}));
    EXPECT_EQ(manager->MainSkinData(), &skin);
    // A freed component leaves the list.
    hosts.back().reset();
    EXPECT_EQ(manager->SkinDatas(), std::vector<TSkinData*>{&skin});
}

TEST_F(SkinDataComponentTest, ADialogComponentSwitchesTheManagerOnWithoutAHook)
{
    TSkinData& dialog = Read("    SkinFormtype = sfDialog\n");
    TSkinManage* manager = SkinManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->SkinDatas(), std::vector<TSkinData*>{&dialog});
    EXPECT_EQ(manager->MainSkinData(), nullptr);
    EXPECT_EQ(manager->HookHandle(), nullptr);
    EXPECT_TRUE(manager->Enabled());
    EXPECT_EQ(manager->ActivationState(), TActivationState::Activated);
    // However many such components there are, the manager is activated, never taken for one being destroyed.
    for (int i = 0; i < 4; ++i)
        Read("    SkinFormtype = sfOnlyThisForm\n");
    EXPECT_EQ(manager->ActivationState(), TActivationState::Activated);
    EXPECT_EQ(manager->SkinDatas().size(), 5u);
}

TEST_F(SkinDataComponentTest, AnEmptyOrBrokenStoredSkinLeavesSkinningOffAndTheProgramRunning)
{
    TSkinData& empty = Read("    Active = True\n    SkinStream = {00000000}\n");
    EXPECT_EQ(empty.SkinStream().Size(), 0);
    EXPECT_TRUE(empty.SkinNotLoaded());
    EXPECT_FALSE(empty.Active()) << "Loaded turns Active off without a skin";

    const Bytes cut = CutPackageSkin(EdgeSkin());
    // A length word promising 2 GB.
    Bytes boastful = EdgeSkin();
    boastful[0] = 0xFF;
    boastful[1] = 0xFF;
    boastful[2] = 0xFF;
    boastful[3] = 0x7F;
    // Shorter than its length word.
    const Bytes tiny{1, 2};
    for (const Bytes* broken : std::vector<const Bytes*>{&cut, &boastful, &tiny}) {
        TSkinData* skin = nullptr;
        EXPECT_NO_THROW(skin = &ReadWithStream(*broken));
        if (!skin)
            continue;
        EXPECT_TRUE(skin->SkinNotLoaded());
        EXPECT_FALSE(skin->Active());
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(SkinDataComponentTest, APackageOfAnotherVersionTellsTheUserAndStaysUnloaded)
{
    const Bytes older = RepackSkin(EdgeSkin(), [](std::string ini) { return ini; }, SKIN_PACKAGE_VERSION - 1);
    TSkinData& skin = ReadWithStream(older);
    EXPECT_TRUE(skin.SkinNotLoaded());
    EXPECT_FALSE(skin.Active());
    EXPECT_EQ(messages, std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"});
}

TEST_F(SkinDataComponentTest, WrittenAndReadBackTheComponentKeepsItsPropertiesAndStream)
{
    TSkinData& original = Read("    Active = True\n"
                               "    DisableTag = 7\n"
                               "    SkinControls = [xcMainMenu, xcPopupMenu, xcCombo, xcTrackBar]\n"
                               "    Options = [xoMenuMerge, xoMenuBG]\n"
                               "    Skin3rd = ('TOne=panel' 'TTwo=Edit')\n"
                               "    SkinFormtype = sfMainform\n"
                               "    MenuUpdate = False\n"
                               "    MenuMerge = True\n"
                               "    SkinStream = " +
                               CountedHex(EdgeSkin(), static_cast<std::uint32_t>(EdgeSkin().size())) + "\n");
    const std::string text = ui::WriteFormText(*hosts.back());
    hosts.push_back(std::make_unique<TSkinHost>(nullptr));
    ui::ReadFormText(*hosts.back(), text);
    ASSERT_NE(hosts.back()->SkinData1, nullptr);
    TSkinData& copy = *hosts.back()->SkinData1;
    for (const char* name : {"Active", "DisableTag", "SkinControls", "Options", "SkinFile", "SkinStore", "SkinFormtype",
                             "Version", "MenuUpdate", "MenuMerge"}) {
        EXPECT_EQ(ui::GetPropValueText(copy, name), ui::GetPropValueText(original, name)) << name;
    }
    EXPECT_EQ(ui::GetPropValueText(copy, "DisableTag"), "7");
    EXPECT_EQ(copy.Skin3rd().Text(), original.Skin3rd().Text());
    EXPECT_EQ(copy.Skin3rd().Count(), 2);
    const auto originalBytes = original.SkinStream().Bytes();
    const auto copyBytes = copy.SkinStream().Bytes();
    EXPECT_TRUE(std::equal(copyBytes.begin(), copyBytes.end(), originalBytes.begin(), originalBytes.end()));
    EXPECT_FALSE(copy.SkinNotLoaded());
}

TEST_F(SkinDataComponentTest, AnEmptyStreamIsWrittenAsACountOfZero)
{
    Read("    SkinStream = {00000000}\n");
    const std::string text = ui::WriteFormText(*hosts.back());
    const std::size_t start = text.find("SkinStream = {");
    ASSERT_NE(start, std::string::npos) << text;
    std::string value = text.substr(start + 14, text.find('}', start) - start - 14);
    std::erase_if(value, [](char c) { return c == ' ' || c == '\n' || c == '\r'; });
    EXPECT_EQ(value, "00000000");
    hosts.push_back(std::make_unique<TSkinHost>(nullptr));
    ui::ReadFormText(*hosts.back(), text);
    EXPECT_EQ(hosts.back()->SkinData1->SkinStream().Size(), 0);
}

TEST_F(SkinDataComponentTest, ASkinFileReplacesTheSkinAndAMissingOneLeavesItInForce)
{
    const char* binary = std::getenv("ZEL_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    TSkinData skin(nullptr);
    skin.SetSkinFile(std::string(binary) + "/test-skins/edge.skin");
    EXPECT_FALSE(skin.SkinNotLoaded());
    EXPECT_EQ(skin.SkinName, "Edge probe");
    EXPECT_EQ(skin.SkinStream().Size(), static_cast<std::int64_t>(EdgeSkin().size()));

    skin.SetSkinFile(std::string(binary) + "/test-skins/no-such.skin");
    EXPECT_EQ(skin.SkinFile(), std::string(binary) + "/test-skins/no-such.skin");
    EXPECT_FALSE(skin.SkinNotLoaded());
    EXPECT_EQ(skin.SkinName, "Edge probe") << "the earlier skin stays";
    EXPECT_TRUE(skin.Scrollbar);
}

TEST_F(SkinDataComponentTest, VersionAndSkinStoreIgnoreWrites)
{
    TSkinData skin(nullptr);
    EXPECT_EQ(ui::GetStrProp(skin, "Version"), "3.97.02.16");
    EXPECT_EQ(ui::GetStrProp(skin, "SkinStore"), "(none)");
    EXPECT_NO_THROW(ui::SetPropText(&skin, "Version", "9.9"));
    EXPECT_NO_THROW(ui::SetPropText(&skin, "SkinStore", "Blue"));
    EXPECT_EQ(ui::GetStrProp(skin, "Version"), "3.97.02.16");
    EXPECT_EQ(ui::GetStrProp(skin, "SkinStore"), "(none)");
    // The same through form data.
    TSkinData& read = Read("    SkinStore = 'Blue'\n    Version = '1.0'\n");
    EXPECT_EQ(ui::GetStrProp(read, "Version"), "3.97.02.16");
    EXPECT_EQ(ui::GetStrProp(read, "SkinStore"), "(none)");
}

TEST_F(SkinDataComponentTest, LoadedKeepsMenuItemsOnlyWithoutAMainMenuAndTheSystemMenuOnlyWithOne)
{
    const TSkinData& withMainMenu = Read("    SkinControls = [xcMainMenu, xcMenuItem, xcScrollbar, xcSystemMenu]\n");
    EXPECT_EQ(withMainMenu.SkinControls, (TSkinControlTypes{xcMainMenu, xcScrollbar, xcSystemMenu}))
        << "the scroll-bar entry point exists here, so xcScrollbar stays";
    const TSkinData& withoutMainMenu = Read("    SkinControls = [xcPopupMenu, xcMenuItem, xcSystemMenu]\n");
    EXPECT_EQ(withoutMainMenu.SkinControls, (TSkinControlTypes{xcPopupMenu, xcMenuItem}));
}

TEST_F(SkinDataComponentTest, DecideFormSkinLeavesOutMonthCalendarsAndReportWindowsUnlessTheEventDecides)
{
    TSkinData skin(nullptr);
    const HWND window = GetDesktopWindow();
    const auto decide = [&](std::string_view className, bool given = true) {
        bool doSkin = given;
        skin.DecideFormSkin(window, className, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(decide("SysMonthCal32"));
    EXPECT_TRUE(decide("SysMonthCal32Ex"));
    EXPECT_FALSE(skin.SkinControls.Contains(xcFastReport));
    EXPECT_TRUE(decide("TfrPreview"));
    EXPECT_FALSE(decide("TForm2", false)) << "an answer already given stays";
    EXPECT_EQ(skin.CurrentWindow, window);

    skin.SkinControls.Include(xcFastReport);
    EXPECT_FALSE(decide("TfrPreview"));
    EXPECT_TRUE(decide("TFRPreview")) << "the prefix is compared case by case";
    EXPECT_TRUE(decide("TForm1"));

    std::vector<std::string> asked;
    skin.OnFormSkin = [&](TObject* sender, std::string className, bool& doSkin) {
        EXPECT_EQ(sender, &skin);
        asked.push_back(className);
        doSkin = className != "TForm1";
    };
    EXPECT_TRUE(decide("SysMonthCal32"));
    EXPECT_TRUE(decide("TfrPreview"));
    EXPECT_FALSE(decide("TForm1"));
    EXPECT_EQ(asked, (std::vector<std::string>{"SysMonthCal32", "TfrPreview", "TForm1"}));
}

} // namespace

TEST_F(SkinDataComponentTest, SwitchingBeforeTheFirstActivationIsImmediateAndAfterItWaitsForTheTimer)
{
    TSkinData& skin = ReadWithStream(EdgeSkin());
    int changes = 0;
    skin.OnSkinChanged = [&](TObject*) { ++changes; };
    TSkinManage& manager = *SkinManager();
    ASSERT_EQ(manager.ActivationState(), TActivationState::Never);

    // Nothing is activated yet: the switch takes effect at once and nothing stays pending.
    manager.Schedule(saDeactivate, &skin);
    EXPECT_FALSE(manager.Enabled());
    EXPECT_EQ(manager.PendingSkinData(), nullptr);

    manager.MarkActivated();
    manager.Schedule(saActivate, &skin);
    EXPECT_FALSE(manager.Enabled()) << "deferred by the timer";
    EXPECT_EQ(manager.PendingSkinData(), &skin);
    EXPECT_EQ(manager.PendingAction(), saActivate);
    const ULONGLONG end = GetTickCount64() + 2000;
    while (manager.PendingSkinData() != nullptr && GetTickCount64() < end) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    EXPECT_TRUE(manager.Enabled());
    EXPECT_FALSE(manager.Activating()) << "the pass is over";
    EXPECT_EQ(manager.PendingAction(), saNone) << "an action that ran is no longer pending";
    EXPECT_EQ(changes, 1) << "the component hears that its skin was applied";
}
