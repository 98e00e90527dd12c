// Menus under Wine: item handles and commands, shortcuts, owner-drawn
// measure and draw events of a popup menu, the context menu opened by the
// control's own handler, and the main menu bar of a form.
#include "tests/win/ui_window_support.h"

#include "ui/Bitmap.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using uitest::Pump;

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const char* caption)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};

TEST_F(MenuTest, ItemsBuildTheSystemMenuAndFindEachOther)
{
    TForm owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* copyAll = AddItem(menu->Items(), &owner, "复制全部");
    TMenuItem* line = AddItem(menu->Items(), &owner, "-");
    TMenuItem* more = AddItem(menu->Items(), &owner, "&More");
    TMenuItem* inner = AddItem(more, &owner, "Inner");
    inner->SetShortCut(ui::MakeShortCut('C', TShiftState{ssCtrl}));
    copyAll->SetDefault(true);

    const HMENU handle = menu->Handle();
    ASSERT_EQ(GetMenuItemCount(handle), 3);
    EXPECT_EQ(GetMenuItemID(handle, 0), copyAll->Command());
    EXPECT_EQ(GetSubMenu(handle, 2), more->Handle());
    char text[64]{};
    GetMenuStringA(handle, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "复制全部");
    GetMenuStringA(more->Handle(), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "Inner\tCtrl+C");
    EXPECT_EQ(GetMenuDefaultItem(handle, FALSE, 0), copyAll->Command());
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(handle, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    EXPECT_TRUE(line->IsLine());

    EXPECT_EQ(menu->FindItem(inner->Command(), fkCommand), inner);
    EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(more->Handle()), fkHandle), more);
    EXPECT_EQ(menu->FindItem(inner->ShortCut(), fkShortCut), inner);
    EXPECT_EQ(menu->Items()->Find("more"), more);
    EXPECT_EQ(inner->GetParentMenu(), menu);
    EXPECT_NE(copyAll->Command(), inner->Command());

    int clicks = 0;
    inner->OnClick = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, inner);
        ++clicks;
    });
    EXPECT_TRUE(menu->DispatchCommand(inner->Command()));
    EXPECT_TRUE(menu->IsShortCut('C', TShiftState{ssCtrl}));
    EXPECT_FALSE(menu->IsShortCut('C', TShiftState{}));
    EXPECT_EQ(clicks, 2);
    inner->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut('C', TShiftState{ssCtrl})) << "a disabled item takes no shortcut";
    EXPECT_TRUE(menu->DispatchCommand(inner->Command()));
    EXPECT_EQ(clicks, 2) << "nor does its command run it";

    // Changes after the handle exists show in the system menu.
    copyAll->SetCaption("Copy");
    line->SetVisible(false);
    ASSERT_EQ(GetMenuItemCount(handle), 2);
    GetMenuStringA(handle, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "Copy");
    delete inner;
    EXPECT_EQ(more->Count(), 0);
    EXPECT_EQ(GetSubMenu(handle, 1), nullptr) << "an item without children is no submenu";
}

TEST_F(MenuTest, ShortCutText)
{
    EXPECT_EQ(ui::ShortCutToText(ui::MakeShortCut('C', TShiftState{ssCtrl})), "Ctrl+C");
    EXPECT_EQ(ui::ShortCutToText(ui::MakeShortCut(VK_F5, TShiftState{ssShift})), "Shift+F5");
    EXPECT_EQ(ui::ShortCutToText(ui::MakeShortCut(VK_RETURN, TShiftState{ssAlt})), "Alt+Enter");
    EXPECT_EQ(ui::ShortCutToText(scNone), "");
    EXPECT_EQ(ui::TextToShortCut("ctrl+shift+del"), scCtrl | scShift | VK_DELETE);
    EXPECT_EQ(ui::TextToShortCut("Ctrl+F12"), scCtrl | VK_F12);
    EXPECT_EQ(ui::TextToShortCut("Hyper+X"), scNone);
    EXPECT_TRUE(ui::IsAccel('f', "&File"));
    EXPECT_FALSE(ui::IsAccel('f', "&&File"));
    EXPECT_EQ(ui::StripHotkey("A&&B &Copy"), "A&B Copy");
}

TEST_F(MenuTest, OwnerDrawnPopupMeasuresAndDrawsThroughItsEvents)
{
    TForm owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    menu->SetOwnerDraw(true);
    std::vector<TMenuItem*> items;
    for (const char* caption : {"复制全部", "-", "复制邮编"})
        items.push_back(AddItem(menu->Items(), &owner, caption));

    int measured = 0;
    int drawn = 0;
    bool canvasUsable = false;
    for (TMenuItem* item : items) {
        item->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas* canvas, int& width, int& height) {
            ++measured;
            canvasUsable = canvas && canvas->HandleAllocated() && canvas->TextWidth("W") > 0;
            width = 120;
            height = 20;
        });
        item->OnDrawItem = TMenuDrawItemEvent([&](TObject* sender, TCanvas* canvas, RECT rect, bool) {
            ++drawn;
            EXPECT_EQ(rect.bottom - rect.top, 20) << "the measured height is used";
            canvas->Brush().SetColor(clRed);
            canvas->FillRect(rect);
            EXPECT_NE(sender, nullptr);
        });
    }
    int popups = 0;
    menu->OnPopup = TNotifyEvent([&](TObject*) { ++popups; });
    uitest::CallAfter(400, [] { EndMenu(); });
    menu->Popup(100, 100);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(measured, 3);
    EXPECT_TRUE(canvasUsable);
    EXPECT_GE(drawn, 3);

    // Without events the items measure and draw themselves.
    for (TMenuItem* item : items) {
        item->OnMeasureItem.Clear();
        item->OnDrawItem.Clear();
    }
    TCanvas canvas;
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    canvas.SetHandle(screen.get());
    int width = 0;
    int height = 0;
    items[0]->MeasureItem(canvas, width, height);
    EXPECT_GT(width, canvas.TextWidth("复制全部"));
    EXPECT_GE(height, 16);
    int lineWidth = 0;
    int lineHeight = 0;
    items[1]->MeasureItem(canvas, lineWidth, lineHeight);
    EXPECT_LT(lineHeight, height);
    canvas.SetHandle(nullptr);
    uitest::CallAfter(300, [] { EndMenu(); });
    menu->Popup(100, 100);
}

TEST_F(MenuTest, ItemsDrawTheirOwnGlyphCaptionAndSelection)
{
    TForm owner(nullptr);
    auto* images = new TImageList(&owner);
    TBitmap green(16, 16);
    green.Canvas().Brush().SetColor(clLime);
    green.Canvas().FillRect(RECT{0, 0, 16, 16});
    images->Add(green, nullptr);
    auto* menu = new TPopupMenu(&owner);
    menu->SetImages(images);
    TMenuItem* item = AddItem(menu->Items(), &owner, "复制全部");
    item->SetImageIndex(0);
    EXPECT_EQ(item->GetImageList(), images);

    TBitmap target(160, 24);
    const RECT rect{0, 0, 160, 24};
    item->DrawItem(target.Canvas(), rect, false);
    EXPECT_EQ(target.Canvas().Pixel(10, 12), clLime) << "the glyph";
    EXPECT_EQ(target.Canvas().Pixel(150, 2), ui::ColorToRGB(clMenu));
    item->DrawItem(target.Canvas(), rect, true);
    EXPECT_EQ(target.Canvas().Pixel(150, 2), ui::ColorToRGB(clHighlight)) << "the selection";

    delete images;
    EXPECT_EQ(menu->Images(), nullptr) << "a freed image list is forgotten";
    item->DrawItem(target.Canvas(), rect, false);
}

TEST_F(MenuTest, AnItemPainterThatThrowsLeavesTheDCAsItWas)
{
    TForm owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* item = AddItem(menu->Items(), &owner, "复制全部");
    item->OnDrawItem = TMenuDrawItemEvent([](TObject*, TCanvas* canvas, RECT, bool) {
        canvas->Font().SetColor(clRed);
        canvas->TextOut(0, 0, "x");  // the canvas's font is in the DC now
        SetBkMode(canvas->Handle(), TRANSPARENT);
        throw std::runtime_error("painter failed");
    });
    TBitmap target(160, 24);
    const HDC dc = target.Canvas().Handle();
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const int mode = GetBkMode(dc);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item->Command();
    draw.itemData = reinterpret_cast<ULONG_PTR>(item);
    draw.hDC = dc;
    draw.rcItem = RECT{0, 0, 160, 24};
    EXPECT_THROW(menu->DrawItem(draw), std::runtime_error);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font) << "the menu canvas's font left the DC before it was freed";
    EXPECT_EQ(GetBkMode(dc), mode);
}

TEST_F(MenuTest, ChosenItemRunsBeforePopupReturns)
{
    TForm owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* first = AddItem(menu->Items(), &owner, "One");
    TMenuItem* second = AddItem(menu->Items(), &owner, "Two");
    std::string chosen;
    first->OnClick = TNotifyEvent([&](TObject*) { chosen = "One"; });
    second->OnClick = TNotifyEvent([&](TObject*) { chosen = "Two"; });
    uitest::CallAfter(300, [] {
        // Down twice selects the second entry, Enter chooses it.
        for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN})
            PostMessageA(ui::PopupListWindow(), WM_KEYDOWN, key, 1);
    });
    uitest::CallAfter(1500, [] { EndMenu(); });
    menu->Popup(50, 50);
    EXPECT_EQ(chosen, "Two");
}

TEST_F(MenuTest, ContextMenuOpensFromTheControlsOwnHandler)
{
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    auto* group = new TGroupBox(&form);
    group->SetBounds(8, 8, 200, 150);
    group->SetParent(&form);
    auto* list = new TListBox(&form);
    list->SetBounds(8, 16, 100, 100);
    list->SetParent(group);
    auto* viewMenu = new TPopupMenu(&form);
    AddItem(viewMenu->Items(), &form, "复制全部");
    auto* groupMenu = new TPopupMenu(&form);
    AddItem(groupMenu->Items(), &form, "Group");
    form.Show();
    Pump();

    std::vector<std::string> opened;
    viewMenu->OnPopup = TNotifyEvent([&](TObject*) { opened.push_back("list"); });
    groupMenu->OnPopup = TNotifyEvent([&](TObject*) { opened.push_back("group"); });
    const auto contextMenu = [](HWND window, LPARAM at) {
        uitest::CallAfter(150, [] { EndMenu(); });
        SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), at);
    };

    // No menu anywhere: the message goes up to the parents unanswered.
    contextMenu(list->Handle(), -1);
    EXPECT_TRUE(opened.empty());

    // The group box's menu opens for a list box without one of its own.
    group->SetPopupMenu(groupMenu);
    contextMenu(list->Handle(), -1);
    EXPECT_EQ(opened, (std::vector<std::string>{"group"}));
    EXPECT_EQ(groupMenu->PopupComponent(), group);

    // The list box's own menu wins, from the keyboard and from the mouse,
    // and the group box sees nothing of it.
    list->SetPopupMenu(viewMenu);
    opened.clear();
    contextMenu(list->Handle(), -1);
    const POINT screen = list->ClientToScreen(POINT{10, 10});
    contextMenu(list->Handle(), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(opened, (std::vector<std::string>{"list", "list"}));
    EXPECT_EQ(viewMenu->PopupComponent(), list);
    // A right-click becomes the same message through the system's default handling.
    uitest::CallAfter(150, [] { EndMenu(); });
    SendMessageA(list->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    SendMessageA(list->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(opened, (std::vector<std::string>{"list", "list", "list"}));

    viewMenu->SetAutoPopup(false);
    opened.clear();
    contextMenu(list->Handle(), -1);
    EXPECT_EQ(opened, (std::vector<std::string>{"group"}));

    delete list;
    EXPECT_EQ(viewMenu->PopupComponent(), nullptr) << "a freed control is forgotten";
}

TEST_F(MenuTest, MainMenuOnAFormDispatchesCommandsAndFollowsChanges)
{
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    TMenuItem* about = AddItem(menu->Items(), &form, "Zelvorin");
    about->SetDefault(true);
    form.SetMenu(menu);
    form.SetClientSize(300, 100);
    form.Show();
    Pump();
    EXPECT_EQ(GetMenu(form.WindowHandle()), menu->Handle());
    RECT client{};
    GetClientRect(form.WindowHandle(), &client);
    EXPECT_EQ(client.bottom, 100) << "the client size counts without the menu bar";

    int clicks = 0;
    about->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    SendMessageA(form.WindowHandle(), WM_COMMAND, MAKEWPARAM(about->Command(), 0), 0);
    EXPECT_EQ(clicks, 1);

    // A change reaches the window itself, where a subclass sees it.
    int menuChanged = 0;
    ui::WindowSubclass watch;
    watch.Install(form.WindowHandle(), [&](TMessage& m) {
        if (m.Msg == CM_MENUCHANGED)
            ++menuChanged;
        watch.CallPrevious(m);
    });
    about->SetCaption("About");
    EXPECT_EQ(menuChanged, 1);
    char text[32]{};
    GetMenuStringA(GetMenu(form.WindowHandle()), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "About");

    // Freeing the menu takes it off the window first.
    const long failures = ui::FailedReleaseCount();
    delete menu;
    EXPECT_EQ(GetMenu(form.WindowHandle()), nullptr);
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(ui::FailedReleaseCount(), failures);
    watch.Remove();
}

} // namespace
