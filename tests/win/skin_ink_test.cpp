// The Ink skin as the build packs it, in the engine: it loads with the
// elements the default skin leaves empty, a live form under it shows Ink's
// caption, caption text plate, menu bar, face and controls, and its custom
// caption button tells the window it was pressed.
#include "tests/win/skin_data_support.h"
#include "tests/win/skin_window_support.h"
#include "tests/win/ui_window_support.h"

#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/ComboBox.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/HookToken.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/TrackBar.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using skintest::PixelOf;
using uitest::Pump;

// Ink's numbers, read off its description by a person: the caption is 30
// pixels high, the seal button is the fourth 28-pixel cell from the
// window's right edge and sends action 40.
constexpr int kTitleHeight = 30;
constexpr int kSealFromRight = 4 + 4 + 4 * 28;
constexpr int kSealTop = 5;
constexpr int kSealAction = 40;

const skintest::Bytes& InkSkin()
{
    static const skintest::Bytes skin = skintest::BuiltFile("skins/ink.skin");
    return skin;
}

int Distance(TColor a, TColor b)
{
    return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) + std::abs(BlueOf(a) - BlueOf(b));
}

bool IsDark(TColor c) { return RedOf(c) < 80 && GreenOf(c) < 80 && BlueOf(c) < 80; }

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const char* caption)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

class InkSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = std::make_unique<TSkinData>(nullptr);
        ASSERT_TRUE(skintest::LoadSkinBytes(*skin, InkSkin()));
        SetCursorPos(1250, 1000);
    }
    void TearDown() override
    {
        forms.clear();
        Pump(10);
        skin.reset();
        FreeSkinManager();
    }

    // A form with a menu bar, a group box, both kinds of track bar, an edit
    // and a combo box, shown and given time to be skinned.
    TForm& ShowForm()
    {
        skinwin::SwitchedOnManager(*skin);
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 480, 360);
        form->SetCaption("Ink");
        auto* menu = new TMainMenu(form.get());
        AddItem(AddItem(menu->Items(), form.get(), "&File"), form.get(), "&Open");
        AddItem(AddItem(menu->Items(), form.get(), "&View"), form.get(), "&Zoom");
        form->SetMenu(menu);
        group = Place<TGroupBox>(*form, 10, 10, 200, 100);
        group->SetCaption("Group");
        across = Place<TTrackBar>(*form, 220, 10, 200, 45);
        across->SetPosition(3);
        upright = Place<TTrackBar>(*form, 220, 60, 45, 180);
        upright->SetOrientation(trVertical);
        upright->SetBounds(220, 60, 45, 180);
        upright->SetPosition(3);
        edit = Place<TEdit>(*form, 10, 130, 150, 22);
        combo = Place<TComboBox>(*form, 10, 170, 150, 24);
        TForm& shown = *form;
        forms.push_back(std::move(form));
        shown.Show();
        Pump(150);
        return shown;
    }

    template <class T>
    static T* Place(TForm& form, int left, int top, int width, int height)
    {
        auto* control = new T(&form);
        control->SetBounds(left, top, width, height);
        control->SetParent(&form);
        return control;
    }

    const TDataSkinSysButton* SealElement() const
    {
        for (const auto& button : skin->CaptionButtons)
            if (button->Action == kSealAction)
                return button.get();
        return nullptr;
    }

    std::unique_ptr<TSkinData> skin;
    std::vector<std::unique_ptr<TForm>> forms;
    TGroupBox* group = nullptr;
    TTrackBar* across = nullptr;
    TTrackBar* upright = nullptr;
    TEdit* edit = nullptr;
    TComboBox* combo = nullptr;
};

TEST_F(InkSkinTest, LoadsWithTheElementsTheDefaultSkinLeavesEmpty)
{
    for (const auto* element :
         {skin->MenuBar.get(), skin->GroupBoxEdge.get(), static_cast<TDataSkinObject*>(skin->GroupBox.get()),
          skin->SunkEdge.get(), skin->TrackbarThumbVert.get(), skin->TrackbarThumbLeft.get(),
          skin->TrackbarThumbRight.get(), skin->TrackbarThumbUp.get(), skin->TrackbarThumbDown.get(),
          skin->TrackVert.get(), static_cast<TDataSkinObject*>(skin->TitleElement.get())}) {
        ASSERT_NE(element, nullptr);
        EXPECT_TRUE(element->HasBitmap()) << element->Name;
    }
    ASSERT_NE(SealElement(), nullptr);
    EXPECT_EQ(SealElement()->FrameCount, 4);
    EXPECT_EQ(skin->TitleElement->TextBackground, 1);
    // The sunk edge and the combo button were joined into one picture.
    EXPECT_EQ(skin->ComboButton->Style, 2);
    EXPECT_FALSE(skin->ComboxArrow->Bitmap.Empty());
    // Text is not left to the system's colours, which are dark on dark.
    EXPECT_EQ(skin->WindowTextColour, RGBColor(222, 224, 228));
    EXPECT_EQ(skin->ButtonFaceColour, RGBColor(32, 34, 38));
    EXPECT_EQ(skin->MenuBarTextColour, RGBColor(222, 224, 228));
}

TEST_F(InkSkinTest, AFormShowsInksCaptionPlateMenuBarAndFace)
{
    const HWND window = ShowForm().Handle();
    ASSERT_TRUE(skinwin::IsSkinned(window));
    const std::unique_ptr<TBitmap> screen = skinwin::ScreenOf(window);
    const SIZE size = skinwin::WindowSize(window);
    const POINT client = skinwin::ClientOffset(window);
    EXPECT_GT(client.y, kTitleHeight) << "the menu bar lies between caption and client";

    // The caption between the text and the buttons: the top border's own pixel, a dark one.
    const int row = kTitleHeight / 2;
    const TColor caption = PixelOf(*screen, size.cx / 2 + 40, row);
    EXPECT_TRUE(IsDark(caption)) << std::hex << caption;
    EXPECT_EQ(caption, PixelOf(skin->BorderTop->Bitmap, skin->BorderTop->Bitmap.Width() / 2, row));

    // The plate under the caption text starts where the text would: its fill shows before the first letter.
    const TDataSkinTitle& title = *skin->TitleElement;
    const int plateLeft = skin->BorderLeft->Bitmap.Width() / 2 + title.LeftWidth;
    EXPECT_EQ(PixelOf(*screen, plateLeft + 4, row), PixelOf(title.Bitmap, 4, row));

    // The menu bar: its picture's vermilion rule runs along the bar's foot, past the items.
    const TColor rule = RGBColor(156, 48, 32);
    bool ruled = false;
    for (int y = kTitleHeight; y < client.y; ++y)
        ruled = ruled || PixelOf(*screen, size.cx - 40, y) == rule;
    EXPECT_TRUE(ruled);

    // The face between the controls.
    EXPECT_EQ(PixelOf(*screen, client.x + 300, client.y + 300), skin->ButtonFaceColour);
}

TEST_F(InkSkinTest, ControlsOfTheFormAreDrawnFromInk)
{
    ShowForm();
    // Track bars: frame 2 of the horizontal thumb, and of the vertical one on the upright bar.
    for (const auto& [bar, thumb] : {std::pair{across, skin->TrackbarThumbHorz.get()},
                                     std::pair{upright, skin->TrackbarThumbVert.get()}}) {
        RECT rect{};
        SendMessageA(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        const std::unique_ptr<TBitmap> shot = skinwin::ScreenOf(bar->Handle());
        const int cell = thumb->Bitmap.Width() / 5;
        const TColor accent = PixelOf(thumb->Bitmap, cell + cell / 2, thumb->Bitmap.Height() / 2);
        const TColor shown = PixelOf(*shot, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        EXPECT_LE(Distance(shown, accent), 24) << thumb->Name << std::hex << " shows " << shown << " for " << accent;
        EXPECT_GT(RedOf(shown), 150) << "vermilion";
    }

    // The group box's frame in Ink's shadow colour, on the face.
    const std::unique_ptr<TBitmap> box = skinwin::ScreenOf(group->Handle());
    bool framed = false;
    for (int y = 10; y < 90; ++y)
        framed = framed || PixelOf(*box, 1, y) == skin->ButtonShadowColour;
    EXPECT_TRUE(framed);
    EXPECT_EQ(PixelOf(*box, 100, 60), skin->ButtonFaceColour);

    // The edit's border: a line of the shadow colour round its field.
    const std::unique_ptr<TBitmap> field = skinwin::ScreenOf(edit->Handle());
    EXPECT_EQ(PixelOf(*field, 0, 10), skin->ButtonShadowColour);

    // The combo box: its outer edge is the sunk edge's, grey-blue round a black field.
    const std::unique_ptr<TBitmap> drop = skinwin::ScreenOf(combo->Handle());
    EXPECT_EQ(PixelOf(*drop, 0, 12), RGBColor(78, 81, 90));
}

TEST_F(InkSkinTest, TheSealButtonRestsInItsFirstCellAndPressingItPostsItsAction)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    std::vector<int> clicks;
    const ui::HookToken layer = form.AddWindowProc([&clicks](TMessage& message, const TWndNext& next) {
        if (message.Msg == SKM_CUSTOMBUTTON)
            clicks.push_back(static_cast<int>(message.WParam));
        next(message);
    });
    ASSERT_EQ(GetActiveWindow(), window);

    const TDataSkinSysButton* seal = SealElement();
    ASSERT_NE(seal, nullptr);
    const int cell = seal->Bitmap.Width() / seal->FrameCount;
    const SIZE size = skinwin::WindowSize(window);
    const int left = size.cx - kSealFromRight;
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
        EXPECT_EQ(GetPixel(dc.get(), left + cell / 2, kSealTop + 10), PixelOf(seal->Bitmap, cell / 2, 10));
    }

    RECT bounds{};
    GetWindowRect(window, &bounds);
    const LPARAM on = MAKELPARAM(bounds.left + left + cell / 2, bounds.top + kSealTop + 10);
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, on);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, on);
    EXPECT_TRUE(clicks.empty()) << "pressing is not yet clicking";
    SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, on);
    EXPECT_TRUE(clicks.empty()) << "posted, not sent";
    Pump(30);
    EXPECT_EQ(clicks, std::vector<int>{kSealAction});
    EXPECT_TRUE(IsWindowVisible(window)) << "nothing built in ran: the window stays";
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(IsZoomed(window));
}

} // namespace
