// The lookup program's two windows driven as a user drives them: clicks on
// the group list and the buttons, text typed into the keyword box, Enter,
// the result list's context menu, the main menu item and the About window.
// What the user sees is read back from the windows themselves (list view
// rows, window texts) and from the clipboard.
#include "tests/win/ui_window_support.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/Picture.h"

#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using uitest::Pump;
using uitest::PumpUntil;

using Row = std::array<std::string, 4>;

std::vector<Row> ResultRows()
{
    HWND list = Form1->ListView1->Handle();
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<Row> rows;
    for (int item = 0; item < count; ++item) {
        Row row;
        for (int column = 0; column < 4; ++column) {
            char text[128]{};
            LVITEMA request{};
            request.iSubItem = column;
            request.pszText = text;
            request.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
            row[static_cast<std::size_t>(column)] = text;
        }
        rows.push_back(row);
    }
    return rows;
}

// A left click at a point of a window's client area.
void ClickAt(HWND window, int x, int y)
{
    const LPARAM at = MAKELPARAM(x, y);
    // Posted first, so that a control tracking the button (drag detection) sees it come up.
    PostMessageA(window, WM_LBUTTONUP, 0, at);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump(30);
}

void ClickCentre(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    ClickAt(window, client.right / 2, client.bottom / 2);
}

void ChooseGroup(std::string_view group)
{
    HWND list = Form1->ListBox1->Handle();
    const std::string text(group);
    const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_NE(index, LB_ERR) << text;
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ClickAt(list, item.left + 10, (item.top + item.bottom) / 2);
}

// Clicks into the keyword box and types text over what it holds (an input
// method hands over Chinese text the same way, as one replacement).
void TypeKeyword(std::string_view keyword)
{
    HWND edit = Form1->Edit2->Handle();
    ClickCentre(edit);
    ASSERT_EQ(GetFocus(), edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    const std::string text(keyword);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Search(std::string_view keyword)
{
    TypeKeyword(keyword);
    uitest::PressKey(VK_RETURN);
}

void SelectResult(int index)
{
    HWND list = Form1->ListView1->Handle();
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    RECT item{};
    item.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ClickAt(list, item.left + 5, (item.top + item.bottom) / 2);
}

void SelectNoResult()
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    SendMessageA(Form1->ListView1->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

HWND OpenMenuWindow()
{
    return FindWindowA("#32768", nullptr);
}

// Opens the result list's context menu and chooses its item at index (0 is
// "复制全部") with the arrow keys and Enter.
void ChooseContextCommand(int index)
{
    uitest::CallAfter(100, [index] {
        HWND menu = OpenMenuWindow();
        if (!menu) {
            ADD_FAILURE() << "no context menu opened";
            EndMenu();
            return;
        }
        for (int step = 0; step <= index; ++step)
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    });
    HWND list = Form1->ListView1->Handle();
    RECT client{};
    GetClientRect(list, &client);
    POINT at{client.right / 2, client.bottom / 2};
    ClientToScreen(list, &at);
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(at.x, at.y));
    Pump(50);
}

void PutOnClipboard(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

std::string ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return "<clipboard busy>";
    std::string text = "<no text>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Each case starts the program's two windows afresh, as the program starts
// them, and frees them afterwards: no case sees what another typed, chose
// or copied, whatever the order they run in.
class LookupAppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
        Application->Initialize();
        Application->SetTitle("Zelvorin");
    }

    void SetUp() override
    {
        ASSERT_EQ(Form1, nullptr);
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        ASSERT_EQ(Application->MainForm(), Form1);
        Form1->Show();
        ASSERT_TRUE(PumpUntil([] { return GetFocus() == Form1->ListBox1->Handle(); }));
    }

    void TearDown() override
    {
        delete Form2;
        Form2 = nullptr;
        delete Form1;
        Form1 = nullptr;
        Pump(10);
    }
};

// The state right after start-up, before the keyword box ever had the focus.
// The colours a skinned button's top edge may show at its middle: those of the
// top row's stretched middle in the rest frames (1 normal, 5 focused or default).
std::vector<COLORREF> ButtonTopEdgeColours()
{
    TSkinData& skin = *Form1->SkinData1;
    TDataSkinButton& buttons = *skin.ButtonsElement;
    std::vector<COLORREF> colours;
    const int frameWidth = buttons.Bitmap.Width() / std::max(1, static_cast<int>(buttons.FrameCount));
    const HDC source = buttons.Bitmap.Canvas().Handle();
    for (const int frame : {1, 5}) {
        for (int x = buttons.LeftWidth; x < frameWidth - buttons.RightWidth; ++x)
            colours.push_back(GetPixel(source, (frame - 1) * frameWidth + x, 1));
    }
    return colours;
}

TEST_F(LookupAppTest, TheSearchAndOkButtonsWearTheSkinsButtonFrames)
{
    const auto wearsButtonFrame = [](TButton& button) {
        const HWND window = button.Handle();
        if (!PumpUntil([window] { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }))
            return false;
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(100);
        RECT bounds{};
        GetWindowRect(window, &bounds);
        const HDC screen = GetDC(nullptr);
        const COLORREF shown = GetPixel(screen, (bounds.left + bounds.right) / 2, bounds.top + 1);
        ReleaseDC(nullptr, screen);
        const std::vector<COLORREF> colours = ButtonTopEdgeColours();
        return std::find(colours.begin(), colours.end(), shown) != colours.end();
    };
    EXPECT_TRUE(wearsButtonFrame(*Form1->Button2)) << "the search button";

    bool checked = false;
    uitest::CallAfter(300, [&] {
        checked = true;
        EXPECT_TRUE(wearsButtonFrame(*Form2->OKButton)) << "the About window's OK button";
        PostMessageA(Form2->WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    SendMessageA(Form1->WindowHandle(), WM_COMMAND, MAKEWPARAM(Form1->N1->Command(), 0), 0);
    EXPECT_TRUE(checked);
}

// Over the centre of a window's visible vertical bar lies a window of the skin's own.
bool BarIsCovered(HWND window)
{
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!GetScrollBarInfo(window, OBJID_VSCROLL, &bar) || (bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0)
        return false;
    const POINT centre{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2};
    const HWND found = WindowFromPoint(centre);
    return found != nullptr && found != window && SendMessageA(found, SKM_ISSKINNED, 0, 0) != 1;
}

TEST_F(LookupAppTest, TheListsScrollBarsAndTheResultHeaderAreTheSkins)
{
    HWND groups = Form1->ListBox1->Handle();
    HWND results = Form1->ListView1->Handle();
    ASSERT_TRUE(PumpUntil([&] { return SendMessageA(groups, SKM_ISSKINNED, 0, 0) == 1; }));
    EXPECT_EQ(SendMessageA(results, SKM_ISSKINNED, 0, 0), 1);
    const HWND header = reinterpret_cast<HWND>(SendMessageA(results, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageA(header, SKM_ISSKINNED, 0, 0), 1);
    Pump(100);
    EXPECT_TRUE(BarIsCovered(groups)) << "the group list";
    Search("023");
    Pump(100);
    EXPECT_TRUE(BarIsCovered(results)) << "the result list, once it needs a bar";
}

TEST_F(LookupAppTest, StartsWithTheGroupsAndThePlaceholder)
{
    Pump(200);
    // The main window wears the skin's frame around the client area its form data gives.
    EXPECT_EQ(SendMessageA(Form1->Handle(), SKM_ISSKINNED, 0, 0), 1);
    RECT client{};
    GetClientRect(Form1->Handle(), &client);
    EXPECT_EQ(client.right, 521);
    EXPECT_EQ(client.bottom, 331);
    HWND groups = Form1->ListBox1->Handle();
    EXPECT_EQ(GetFocus(), groups);
    EXPECT_EQ(SendMessageA(Form1->ListView1->Handle(), LVM_GETITEMCOUNT, 0, 0), 0) << "no rows before a choice";
    ASSERT_EQ(SendMessageA(groups, LB_GETCOUNT, 0, 0), 39);
    char text[32]{};
    SendMessageA(groups, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "大洋洲");
    SendMessageA(groups, LB_GETTEXT, 38, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "重庆");
    EXPECT_EQ(uitest::WindowText(Form1->Edit2->Handle()), "输入关键字");
    EXPECT_EQ(uitest::WindowText(Form1->WindowHandle()), "Zelvorin");
    EXPECT_FALSE(Form1->Button2->Default());

    // Enter does not search while the keyword box has never had the focus.
    ChooseGroup("澳门");
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(ResultRows(), (std::vector<Row>{{"澳门", "澳门", "", "00853"}}));

    // The button searches for the placeholder itself, which no row contains.
    ClickCentre(Form1->Button2->Handle());
    EXPECT_EQ(ResultRows(), (std::vector<Row>{{"(无结果)", "(无结果)", "(无结果)", "(无结果)"}}));
}

TEST_F(LookupAppTest, PlaceholderLeavesOnEntryAndReturnsWhenEmpty)
{
    HWND edit = Form1->Edit2->Handle();
    ClickCentre(edit);
    EXPECT_EQ(uitest::WindowText(edit), "");
    EXPECT_TRUE(Form1->Button2->Default());
    ChooseGroup("北京");
    EXPECT_EQ(uitest::WindowText(edit), "输入关键字");

    TypeKeyword("通县");
    ChooseGroup("北京");
    EXPECT_EQ(uitest::WindowText(edit), "通县") << "typed text stays";
    ClickCentre(edit);
    EXPECT_EQ(uitest::WindowText(edit), "通县");
}

TEST_F(LookupAppTest, ChoosingAGroupListsItsRowsInOrder)
{
    ChooseGroup("北京");
    const std::vector<Row> rows = ResultRows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], (Row{"北京", "北京", "100000", "010"}));
    for (const Row& row : rows)
        EXPECT_EQ(row[0], "北京");

    ChooseGroup("澳门");
    EXPECT_EQ(ResultRows(), (std::vector<Row>{{"澳门", "澳门", "", "00853"}}));
}

TEST_F(LookupAppTest, EnterSearchesEveryFieldOnceTheKeywordBoxHadTheFocus)
{
    Search("023");
    std::vector<Row> rows = ResultRows();
    ASSERT_EQ(rows.size(), 42u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(rows[i][0], "非洲");
        EXPECT_EQ(rows[i][3].substr(0, 4), "0023");
    }
    for (std::size_t i = 10; i < 42; ++i)
        EXPECT_EQ(rows[i][0], "重庆");
    EXPECT_EQ(rows[10 + 5], (Row{"重庆", "重庆", "400000", "023"}));
    EXPECT_EQ(rows.back(), (Row{"重庆", "巫山", "404700", "023"}));

    Search("州");
    EXPECT_EQ(ResultRows().size(), 154u);
    Search("830000");
    rows = ResultRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "乌鲁木齐");
    EXPECT_EQ(rows[0][2], "830000");

    // Blanks around the keyword do not matter; the group field matches too.
    Search("  北京 ");
    rows = ResultRows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], (Row{"北京", "北京", "100000", "010"}));

    // Enter keeps searching from other controls: the button stays the default.
    ChooseGroup("澳门");
    ASSERT_EQ(GetFocus(), Form1->ListBox1->Handle());
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(ResultRows().size(), 9u);
}

TEST_F(LookupAppTest, KeywordsThatFindNothingShowTheNoResultLine)
{
    const std::vector<Row> none{{"(无结果)", "(无结果)", "(无结果)", "(无结果)"}};
    Search("   ");
    EXPECT_EQ(ResultRows(), none);
    ClickCentre(Form1->Button2->Handle());
    EXPECT_EQ(ResultRows(), none) << "blanks typed stay when the focus leaves";
    // Its bytes occur in "新西兰" only across the boundary between two characters.
    Search("挛");
    EXPECT_EQ(ResultRows(), none);
}

TEST_F(LookupAppTest, CopyCommandsPutTheSelectedLineOnTheClipboard)
{
    ChooseGroup("北京");
    const std::vector<Row> rows = ResultRows();
    int tongxian = -1;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i][1] == "通县")
            tongxian = static_cast<int>(i);
    ASSERT_GE(tongxian, 0);
    SelectResult(tongxian);
    ASSERT_EQ(Form1->ListView1->SelCount(), 1);

    ChooseContextCommand(0);
    EXPECT_EQ(ClipboardText(), "省份：北京\r\n地区：通县\r\n邮编：101100\r\n区号：010");
    EXPECT_EQ(ClipboardText(),
              "\xCA\xA1\xB7\xDD\xA3\xBA\xB1\xB1\xBE\xA9\r\n\xB5\xD8\xC7\xF8\xA3\xBA\xCD\xA8\xCF\xD8\r\n"
              "\xD3\xCA\xB1\xE0\xA3\xBA" "101100\r\n\xC7\xF8\xBA\xC5\xA3\xBA" "010");
    ChooseContextCommand(1);
    EXPECT_EQ(ClipboardText(), "北京");
    ChooseContextCommand(2);
    EXPECT_EQ(ClipboardText(), "通县");
    ChooseContextCommand(3);
    EXPECT_EQ(ClipboardText(), "101100");
    ChooseContextCommand(4);
    EXPECT_EQ(ClipboardText(), "010");

    // A foreign row: the empty postal code empties the clipboard's text.
    ChooseGroup("大洋洲");
    SelectResult(0);
    ChooseContextCommand(3);
    EXPECT_EQ(ClipboardText(), "");
    ChooseContextCommand(0);
    EXPECT_EQ(ClipboardText(), "省份：大洋洲\r\n地区：澳大利亚\r\n邮编：\r\n区号：0061");

    // The no-result line copies like any other.
    Search("挛");
    SelectResult(0);
    ChooseContextCommand(0);
    EXPECT_EQ(ClipboardText(), "省份：(无结果)\r\n地区：(无结果)\r\n邮编：(无结果)\r\n区号：(无结果)");
}

TEST_F(LookupAppTest, CopyCommandsDoNothingWithoutASelection)
{
    ChooseGroup("北京");
    SelectNoResult();
    ASSERT_EQ(Form1->ListView1->SelCount(), 0);
    PutOnClipboard("before");
    for (int command = 0; command < 5; ++command) {
        ChooseContextCommand(command);
        EXPECT_EQ(ClipboardText(), "before") << command;
    }
}

// Opens the About window from the main menu and, from inside its modal
// loop, checks it and closes it with close().
void ShowAboutAndClose(const std::function<void()>& close, bool& checked)
{
    checked = false;
    uitest::CallAfter(200, [&checked, close] {
        HWND about = Form2->WindowHandle();
        EXPECT_TRUE(IsWindowVisible(about));
        EXPECT_EQ(uitest::WindowText(about), "关于“Zelvorin”");
        EXPECT_FALSE(IsWindowEnabled(Form1->WindowHandle())) << "the main window takes no input meanwhile";
        checked = true;
        close();
    });
    SendMessageA(Form1->WindowHandle(), WM_COMMAND, MAKEWPARAM(Form1->N1->Command(), 0), 0);
}

TEST_F(LookupAppTest, AboutWindowOpensFromTheMenuAndClosesByEnterOrItsCloseBox)
{
    EXPECT_TRUE(Form1->N1->Default());
    bool checked = false;
    ShowAboutAndClose(
        [] {
            // Enter from the contact line: the OK button is the default.
            ClickCentre(Form2->Edit1->Handle());
            EXPECT_EQ(GetFocus(), Form2->Edit1->Handle());
            uitest::PressKey(VK_RETURN);
        },
        checked);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(IsWindowVisible(Form2->WindowHandle()));
    EXPECT_TRUE(IsWindowEnabled(Form1->WindowHandle()));

    ShowAboutAndClose([] { PostMessageA(Form2->WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, checked);
    EXPECT_TRUE(checked) << "the same window shows again";
    EXPECT_FALSE(IsWindowVisible(Form2->WindowHandle()));
    EXPECT_TRUE(IsWindowEnabled(Form1->WindowHandle()));
}

// The About window, opened from inside a modal loop, is checked and closed by its close box.
void CheckAboutThenClose(bool& checked)
{
    checked = false;
    uitest::CallAfter(300, [&checked] {
        EXPECT_TRUE(IsWindowVisible(Form2->WindowHandle()));
        checked = true;
        PostMessageA(Form2->WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
}

TEST_F(LookupAppTest, TheSkinnedMenuBarOpensTheAboutWindowByMouseAndByF10ThenEnter)
{
    HWND main = Form1->WindowHandle();
    Pump(200);
    EXPECT_EQ(GetMenu(main), nullptr) << "the skin draws the menu bar";

    // A click on the item, in the band between the title and the client area.
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    const POINT onItem{origin.x + 12, origin.y - GetSystemMetrics(SM_CYMENU) / 2};
    ASSERT_EQ(SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(onItem.x, onItem.y)), HTMENU);
    bool checked = false;
    CheckAboutThenClose(checked);
    SendMessageA(main, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(onItem.x, onItem.y));
    ASSERT_TRUE(PumpUntil([&] { return checked && !IsWindowVisible(Form2->WindowHandle()); }));

    // F10 selects the item and Enter runs it.
    uitest::CallAfter(100, [main] { PostMessageA(main, WM_KEYDOWN, VK_RETURN, 0); });
    CheckAboutThenClose(checked);
    SendMessageA(main, WM_SYSKEYDOWN, VK_F10, 1);
    SendMessageA(main, WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0000001));
    ASSERT_TRUE(PumpUntil([&] { return checked && !IsWindowVisible(Form2->WindowHandle()); }));
    EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(LookupAppTest, TheContextMenuKeysMessageOpensTheResultListsSkinnedMenu)
{
    ChooseGroup("北京");
    HWND list = Form1->ListView1->Handle();
    SetFocus(list);
    ASSERT_EQ(GetFocus(), list);
    bool opened = false;
    bool skinned = false;
    uitest::CallAfter(150, [&] {
        HWND menu = OpenMenuWindow();
        opened = menu != nullptr;
        skinned = opened && SendMessageA(menu, SKM_ISSKINNED, 0, 0) == 1;
        EndMenu();
    });
    // What the context-menu key sends: no position, the menu goes by the control.
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), static_cast<LPARAM>(-1));
    Pump(300);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(skinned);
}

TEST_F(LookupAppTest, AltSpaceOpensTheSkinnedSystemMenuOfBothWindows)
{
    const auto systemMenuOf = [](HWND window) {
        HWND menu = nullptr;
        bool skinned = false;
        uitest::CallAfter(200, [&] {
            menu = uitest::FindThreadMenu();
            skinned = menu != nullptr && SendMessageA(menu, SKM_ISSKINNED, 0, 0) == 1;
            EndMenu();
        });
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return menu != nullptr && skinned;
    };
    Pump(200);
    EXPECT_TRUE(systemMenuOf(Form1->WindowHandle()));

    bool checked = false;
    uitest::CallAfter(300, [&] {
        EXPECT_TRUE(systemMenuOf(Form2->WindowHandle()));
        checked = true;
        PostMessageA(Form2->WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    SendMessageA(Form1->WindowHandle(), WM_COMMAND, MAKEWPARAM(Form1->N1->Command(), 0), 0);
    EXPECT_TRUE(checked);
}

TEST_F(LookupAppTest, AboutWindowShowsItsPicturesAndTexts)
{
    EXPECT_EQ(Form2->Image1->Picture().Width(), 300);
    EXPECT_EQ(Form2->Image1->Picture().Height(), 66);
    EXPECT_GT(Form2->Image2->Picture().Width(), 0);
    EXPECT_EQ(Form2->ProductName->Caption(), "Zelvorin V1.0");
    EXPECT_TRUE(Form2->Edit1->ReadOnly());
    EXPECT_TRUE(Form2->OKButton->Default());
    EXPECT_NE(Form2->Comments->Caption().find("Zelvorin"), std::string::npos);
}

} // namespace

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The main window carries the default skin: reading its form data loads it,
// and every element the skin's pictures provide is filled.
TEST_F(LookupAppTest, MainWindowLoadsTheDefaultSkinFromItsFormData)
{
    ASSERT_NE(Form1->SkinData1, nullptr);
    TSkinData& skin = *Form1->SkinData1;
    EXPECT_FALSE(skin.SkinNotLoaded());
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(skin.SkinFormtype, sfMainform);
    EXPECT_EQ(skin.DisableTag, 99);
    EXPECT_EQ(skin.Skin3rd().Count(), 116);
    // Loaded keeps menu items out while the main menu is skinned.
    EXPECT_TRUE(skin.SkinControls.Contains(xcMainMenu));
    EXPECT_FALSE(skin.SkinControls.Contains(xcMenuItem));
    EXPECT_EQ(skin.SkinName, "青瓷 Celadon");
    EXPECT_EQ(skin.ButtonFaceColour, 0xEEF4F2u);

    const auto filled = [](const auto& slot) { return slot != nullptr && slot->HasBitmap(); };
    for (const auto* border : {&skin.BorderLeft, &skin.BorderRight, &skin.BorderTop, &skin.BorderBottom})
        EXPECT_TRUE(filled(*border)) << (*border)->Name;
    EXPECT_TRUE(filled(skin.ButtonsElement));
    EXPECT_FALSE(skin.ButtonsElement->CheckBitmap.Empty());
    EXPECT_FALSE(skin.ButtonsElement->RadioBitmap.Empty());
    EXPECT_TRUE(filled(skin.Progress));
    EXPECT_TRUE(filled(skin.ProgressChunk));
    EXPECT_TRUE(filled(skin.Tabs));
    EXPECT_TRUE(filled(skin.StatusBarEdges));
    EXPECT_TRUE(filled(skin.TabPane));
    EXPECT_TRUE(filled(skin.ComboButton));
    EXPECT_TRUE(filled(skin.ExtraImages));
    EXPECT_TRUE(filled(skin.Headerbar));
    EXPECT_TRUE(filled(skin.MenuItem));
    EXPECT_TRUE(filled(skin.MenuBackground));
    EXPECT_TRUE(filled(skin.Scrollbar));
    EXPECT_TRUE(filled(skin.HorzScroll));
    EXPECT_TRUE(filled(skin.VertScroll));
    EXPECT_TRUE(filled(skin.HorzScrollThumb));
    EXPECT_TRUE(filled(skin.VertScrollThumb));
    EXPECT_TRUE(filled(skin.TrackbarThumbHorz));
    EXPECT_TRUE(filled(skin.UpDownHorz));
    EXPECT_TRUE(filled(skin.UpDownVert));
    EXPECT_TRUE(filled(skin.Track));
    EXPECT_TRUE(filled(skin.ComboxArrow));
    EXPECT_TRUE(filled(skin.Toolbar));
    // The vertical track comes from the program's own resources.
    ASSERT_TRUE(filled(skin.TrackVert));
    EXPECT_EQ(skin.TrackVert->Name, "TRACKVERT");
    // Caption buttons: close, maximise, minimise, restore, the window icon, and the three child-window buttons.
    ASSERT_EQ(skin.CaptionButtons.size(), 8u);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(filled(skin.CaptionButtons[i])) << i;
    EXPECT_EQ(skin.CaptionButtons[4]->Action, 3);
    // The skin has no picture for the window icon: the skinned main window's small icon took its place.
    EXPECT_EQ(skin.CaptionButtons[4]->Bitmap.Width(), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(skin.CaptionButtons[4]->Bitmap.Height(), GetSystemMetrics(SM_CYSMICON));
    EXPECT_EQ(skin.CaptionButtons[4]->FrameCount, 1);
    for (int i = 5; i < 8; ++i)
        EXPECT_TRUE(filled(skin.CaptionButtons[i])) << i;

    // The 35-entry package has no pictures for these: painters draw them plainly.
    EXPECT_EQ(skin.GroupBox, nullptr);
    EXPECT_EQ(skin.GroupBoxEdge, nullptr);
    EXPECT_EQ(skin.SunkEdge, nullptr);
    EXPECT_EQ(skin.MenuBar, nullptr);
    EXPECT_EQ(skin.ToolBars, nullptr);
    for (const auto* thumb : {&skin.TrackbarThumbVert, &skin.TrackbarThumbLeft, &skin.TrackbarThumbRight,
                              &skin.TrackbarThumbUp, &skin.TrackbarThumbDown})
        EXPECT_EQ(*thumb, nullptr);
    EXPECT_FALSE(skin.TitleElement->HasBitmap());
}

// The shipped program's own resources: icon sizes, manifest and version.
TEST(ProgramResourcesTest, IconManifestAndVersionAreInTheProgram)
{
    // The build tree: given by CTest, or two levels above this test (tests/win).
    std::string path;
    if (const char* binary = std::getenv("ZEL_BINARY_DIR")) {
        path = std::string("Z:") + binary + "/zelvorin.exe";
    } else {
        char self[MAX_PATH]{};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        path = self;
        for (int level = 0; level < 3; ++level)
            path.erase(path.find_last_of("\\/"));
        path += "\\zelvorin.exe";
    }
    HMODULE program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << path;

    HRSRC group = FindResourceA(program, "MAINICON", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    const auto* header = static_cast<const WORD*>(LockResource(LoadResource(program, group)));
    ASSERT_EQ(header[2], 4);
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 3);
    std::vector<int> sizes;
    for (int i = 0; i < 4; ++i) {
        sizes.push_back(entries[i].width);
        EXPECT_EQ(entries[i].bitCount, 32);
    }
    EXPECT_EQ(sizes, (std::vector<int>{48, 32, 24, 16}));

    HRSRC manifest = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                           SizeofResource(program, manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);

    EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */), nullptr);
    EXPECT_NE(FindResourceA(program, "TFORM1", MAKEINTRESOURCEA(10) /* RT_RCDATA */), nullptr);
    // The skin engine's pictures, the media player's 27 glyphs among them.
    for (const char* look : {"EN", "DI", "CL"})
        for (const char* button :
             {"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"}) {
            const std::string name = std::string(look) + "_" + button;
            EXPECT_NE(FindResourceA(program, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */), nullptr) << name;
        }
    FreeLibrary(program);
}

} // namespace
