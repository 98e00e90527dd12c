// Push buttons, check boxes and radio buttons skinned from a test skin whose
// frames and cells each have their own colour: which frame shows for which
// state (painted offscreen and on the screen), caption colours and lines,
// transparency, skins that cannot paint, behaviour against the bare
// controls, and handles over many paints and hover cycles.
#include "tests/win/skin_button_support.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/model/SkinMessages.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"
#include "ui/Properties.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using skincontroltest::kSkinFace;
using skincontroltest::TestHost;
using namespace skinbuttontest;

constexpr TColor kFormColour = static_cast<TColor>(0x00204080);

void Flush(int milliseconds = 30)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        // The application's loop: keys reach the form as dialog keys.
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

// A control with a "Checked" property and nothing else to say its state.
class TCheckedOnly : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCheckedOnly>& p)
    {
        p.Text("Caption", &TCheckedOnly::Caption, &TCheckedOnly::SetCaption);
        p.Boolean("Checked", &TCheckedOnly::checked);
    }
    explicit TCheckedOnly(TComponent* owner) : TWinControl(owner) {}
    bool checked = false;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TWinControl::CreateParams(params);
        params.WinClassName = "BUTTON";
        params.OwnClass = false;
        params.Style |= BS_CHECKBOX;
    }
};
constinit const TClassInfo TCheckedOnly::ClassInfo =
    ui::ClassOf<TCheckedOnly>("TCheckedOnly", TWinControl::ClassInfo);

class SkinButtonTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        SetCursorPos(0, 0);
        MakeButtonSkin(host->Skin);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(200, 150, 360, 260);
        form->SetColor(kFormColour);
        form->Show();
        Flush();
    }
    void TearDown() override
    {
        form.reset();
        host.reset();
        Flush();
    }

    template <class T>
    T* Place(int left, int top, int width, int height, const char* caption = "")
    {
        auto* control = new T(form.get());
        control->SetBounds(left, top, width, height);
        control->SetCaption(caption);
        control->SetParent(form.get());
        return control;
    }

    template <class Skinner>
    Skinner* Skin(TControl& control)
    {
        auto* skinner = new Skinner(&control);
        skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
        return skinner;
    }

    // The colour at (x, y) of the control as the skinner paints it offscreen.
    static COLORREF Offscreen(TSkinControl& skinner, TWinControl& control, int x, int y)
    {
        Surface surface(control.Width(), control.Height());
        skinner.PaintControl(surface.dc.get(), RECT{0, 0, control.Width(), control.Height()});
        return GetPixel(surface.dc.get(), x, y);
    }

    // The colour at (x, y) of the control's window on the screen.
    static COLORREF OnScreen(TWinControl& control, int x, int y)
    {
        RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Flush(100);
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(control.Handle());
        return GetPixel(dc.get(), x, y);
    }

    void Hover(TWinControl& control)
    {
        RECT screen{};
        GetWindowRect(control.Handle(), &screen);
        SetCursorPos((screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2);
        Flush();
        SendMessageA(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    }

    std::unique_ptr<TestHost> host = std::make_unique<TestHost>();
    std::unique_ptr<TForm> form;
};

// ---- push buttons

TEST_F(SkinButtonTest, PushButtonShowsTheFrameOfEachState)
{
    auto* button = Place<TButton>(20, 20, 90, 30, "查询");
    auto* other = Place<TButton>(20, 70, 90, 30, "关闭");
    auto* skinner = Skin<TSkinButton>(*button);
    Skin<TSkinButton>(*other);

    other->SetFocus();
    Flush();
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(1)) << "at rest";
    EXPECT_EQ(OnScreen(*button, 2, 2), FrameColour(1));

    button->SetFocus();
    Flush();
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(5)) << "focused";
    EXPECT_EQ(OnScreen(*button, 2, 2), FrameColour(5));
    EXPECT_EQ(OnScreen(*other, 2, 2), FrameColour(1));

    Hover(*button);
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(4)) << "hovered";
    EXPECT_EQ(OnScreen(*button, 2, 2), FrameColour(4));

    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(2)) << "pressed";
    EXPECT_EQ(OnScreen(*button, 2, 2), FrameColour(2));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(4)) << "released, still hovered";

    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(5));

    button->SetEnabled(false);
    Flush();
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(3)) << "disabled";
    EXPECT_EQ(OnScreen(*button, 2, 2), FrameColour(3));
    Surface surface(90, 30);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 90, 30});
    EXPECT_GT(CountNear(surface.dc.get(), RECT{20, 5, 70, 25}, GetSysColor(COLOR_BTNSHADOW), 24), 10);
    // Held down while disabled: still frame 3.
    SendMessageA(button->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(3));
}

TEST_F(SkinButtonTest, SpaceKeyPressesAndTheDefaultButtonLooksFocused)
{
    auto* button = Place<TButton>(20, 20, 90, 30, "查询");
    auto* fallback = Place<TButton>(20, 70, 90, 30, "确定");
    auto* edit = Place<TEdit>(150, 20, 90, 22);
    auto* skinner = Skin<TSkinButton>(*button);
    auto* defaultSkinner = Skin<TSkinButton>(*fallback);
    fallback->SetDefault(true);

    button->SetFocus();
    Flush();
    SendMessageA(button->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(2));
    EXPECT_EQ(Offscreen(*defaultSkinner, *fallback, 2, 2), FrameColour(1)) << "a focused button takes Enter";
    SendMessageA(button->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(5));

    edit->SetFocus();
    Flush();
    EXPECT_EQ(Offscreen(*skinner, *button, 2, 2), FrameColour(1));
    EXPECT_EQ(Offscreen(*defaultSkinner, *fallback, 2, 2), FrameColour(5));
    EXPECT_EQ(OnScreen(*fallback, 2, 2), FrameColour(5));
}

TEST_F(SkinButtonTest, SecondCaptionColoursApplyOnlyToTheirFrames)
{
    constexpr COLORREF kNormal2 = RGB(250, 250, 0);
    constexpr COLORREF kHot2 = RGB(0, 250, 250);
    constexpr COLORREF kPressed2 = RGB(255, 255, 255);
    auto* button = Place<TButton>(20, 20, 120, 34, "WWWW");
    auto* edit = Place<TEdit>(150, 20, 90, 22);
    auto* skinner = Skin<TSkinButton>(*button);
    TDataSkinButton& element = *host->Skin.ButtonsElement;
    // The focus rectangle's inverted dots would count as caption.
    host->Skin.Options.Include(xoNoFocusRect);
    // Caption pixels closer to colour than to the frame's own.
    const auto count = [&](COLORREF colour, int frame) {
        Surface surface(120, 34);
        skinner->PaintControl(surface.dc.get(), RECT{0, 0, 120, 34});
        return CountLeaning(surface.dc.get(), RECT{6, 6, 114, 28}, colour, FrameColour(frame));
    };

    element.HasMouseOverColour2 = 1;
    element.MouseOverColour2 = static_cast<TColor>(kHot2);
    EXPECT_EQ(count(kHot2, 1), 0) << "frame 1 keeps the font's colour";
    Hover(*button);
    EXPECT_GT(count(kHot2, 4), 8) << "frame 4";
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(count(kHot2, 2), 0) << "frame 2";
    element.HasPressedColour2 = 1;
    element.PressedColour2 = static_cast<TColor>(kPressed2);
    EXPECT_GT(count(kPressed2, 2), 8);
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    edit->SetFocus();
    Flush();

    element.HasNormalColour2 = 1;
    element.NormalColour2 = static_cast<TColor>(kNormal2);
    EXPECT_GT(count(kNormal2, 1), 8) << "frame 1";
    button->SetFocus();
    Flush();
    EXPECT_EQ(count(kNormal2, 5), 0) << "frame 5 has no second colour";
}

// The rows of caption pixels (those off the background), grouped into bands:
// (first row, widest extent).
std::vector<std::pair<int, int>> TextBands(HDC dc, const RECT& area, COLORREF background)
{
    std::vector<std::pair<int, int>> bands;
    bool inBand = false;
    for (int y = area.top; y < area.bottom; ++y) {
        int left = area.right;
        int right = area.left;
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (!Near(pixel, background, 30)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (right < left) {
            inBand = false;
            continue;
        }
        if (!inBand)
            bands.emplace_back(y, 0);
        inBand = true;
        bands.back().second = std::max(bands.back().second, right - left);
    }
    return bands;
}

TEST_F(SkinButtonTest, DoubleBarBreaksTheCaptionOnce)
{
    constexpr COLORREF kLight = RGB(230, 230, 200);
    PaintCells(host->Skin.ButtonsElement->Bitmap, 5, 20, 20, [](int) { return kLight; });
    auto* button = Place<TButton>(20, 20, 160, 60, "AB||CD||EF");
    auto* skinner = Skin<TSkinButton>(*button);
    Surface surface(160, 60);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 160, 60});
    const auto bands = TextBands(surface.dc.get(), RECT{4, 4, 156, 56}, kLight);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_GT(bands[1].second, bands[0].second * 2) << "the second line keeps its ||";

    button->SetCaption("AB||CD");
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 160, 60});
    const auto even = TextBands(surface.dc.get(), RECT{4, 4, 156, 56}, kLight);
    ASSERT_EQ(even.size(), 2u);
    EXPECT_LE(std::abs(even[1].second - even[0].second), 3);

    button->SetCaption("AB CD");
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 160, 60});
    EXPECT_EQ(TextBands(surface.dc.get(), RECT{4, 4, 156, 56}, kLight).size(), 1u);
}

TEST_F(SkinButtonTest, FocusRectangleFollowsTheOption)
{
    PaintCells(host->Skin.ButtonsElement->Bitmap, 5, 20, 20, [](int) { return RGB(230, 230, 200); });
    auto* button = Place<TButton>(20, 20, 120, 40, "");
    auto* skinner = Skin<TSkinButton>(*button);
    button->SetFocus();
    Flush();
    const auto marks = [&] {
        Surface surface(120, 40);
        skinner->PaintControl(surface.dc.get(), RECT{0, 0, 120, 40});
        return 120 * 40 - CountNear(surface.dc.get(), RECT{0, 0, 120, 40}, RGB(230, 230, 200), 0);
    };
    EXPECT_GT(marks(), 0);
    host->Skin.Options.Include(xoNoFocusRect);
    EXPECT_EQ(marks(), 0);
}

TEST_F(SkinButtonTest, TransparentButtonsShowTheParentInKeyedCorners)
{
    TDataSkinButton& element = *host->Skin.ButtonsElement;
    PaintCells(element.Bitmap, 5, 20, 20, FrameColour, true);
    element.Trans = 1;
    auto* plain = Place<TButton>(20, 20, 90, 30, "");
    auto* tagged = Place<TButton>(20, 70, 90, 30, "");
    tagged->SetTag(5555);
    auto* plainSkinner = Skin<TSkinButton>(*plain);
    auto* taggedSkinner = Skin<TSkinButton>(*tagged);
    EXPECT_FALSE(plainSkinner->Transparent());
    EXPECT_TRUE(taggedSkinner->Transparent());

    EXPECT_EQ(Offscreen(*plainSkinner, *plain, 0, 0), static_cast<COLORREF>(kSkinFace));
    EXPECT_EQ(Offscreen(*taggedSkinner, *tagged, 0, 0), static_cast<COLORREF>(kFormColour));
    EXPECT_EQ(Offscreen(*taggedSkinner, *tagged, 89, 29), static_cast<COLORREF>(kFormColour));
    EXPECT_EQ(Offscreen(*taggedSkinner, *tagged, 5, 5), FrameColour(1));
    EXPECT_EQ(OnScreen(*tagged, 1, 1), static_cast<COLORREF>(kFormColour));

    host->Skin.Options.Include(xoTransparent);
    auto* byOption = Place<TButton>(150, 20, 90, 30, "");
    EXPECT_TRUE(Skin<TSkinButton>(*byOption)->Transparent());
}

TEST_F(SkinButtonTest, SkinsThatCannotPaintLeaveTheSystemLook)
{
    auto* button = Place<TButton>(20, 20, 90, 30, "查询");
    auto* box = Place<TCheckBox>(20, 70, 120, 20, "港澳");
    const COLORREF bare = OnScreen(*button, 5, 5);
    const COLORREF bareBox = OnScreen(*box, 6, 10);

    TDataSkinButton& element = *host->Skin.ButtonsElement;
    element.Bitmap.SetSize(0, 0);
    element.CheckBitmap.SetSize(8, 13);
    element.CheckFrameCount = 12;
    auto* skinner = Skin<TSkinButton>(*button);
    auto* boxSkinner = Skin<TSkinCheckBox>(*box);
    EXPECT_EQ(SendMessageA(button->Handle(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(OnScreen(*button, 5, 5), bare);
    EXPECT_EQ(OnScreen(*box, 6, 10), bareBox);
    EXPECT_EQ(boxSkinner->PaintMode(), 0);
    Hover(*button);
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));

    // Five frames in a picture three pixels wide.
    element.Bitmap.SetSize(3, 20);
    skinner->SkinChanged();
    EXPECT_EQ(OnScreen(*button, 5, 5), bare);
    Surface surface(90, 30);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 90, 30});
    EXPECT_EQ(GetPixel(surface.dc.get(), 5, 5), RGB(255, 255, 255)) << "nothing drawn";
}

TEST_F(SkinButtonTest, BareButtonWindowUsesTheSkinsTextColourAndFollowsSkinChanges)
{
    constexpr COLORREF kText = RGB(255, 255, 255);
    host->Skin.ButtonTextColour = static_cast<TColor>(kText);
    const ui::UniqueWindow bare(CreateWindowExA(0, "BUTTON", "WWWW", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20,
                                                120, 34, form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    auto* skinner = new TSkinButton(form.get());
    skinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    RedrawWindow(bare.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Flush(100);
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(bare.get());
        EXPECT_EQ(GetPixel(dc.get(), 2, 2), FrameColour(1));
        EXPECT_GT(CountLeaning(dc.get(), RECT{6, 6, 114, 28}, kText, FrameColour(1)), 8);
    }
    // A new picture in the skin shows after SkinChanged.
    PaintCells(host->Skin.ButtonsElement->Bitmap, 5, 20, 20, CellColour);
    skinner->SkinChanged();
    Flush(100);
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(bare.get());
    EXPECT_EQ(GetPixel(dc.get(), 2, 2), CellColour(1));
    delete skinner;
}

// ---- check boxes and radio buttons

TEST_F(SkinButtonTest, TransparentCheckBoxShowsTheParentAroundTheBox)
{
    auto* plain = Place<TCheckBox>(20, 20, 140, 20, "");
    auto* tagged = Place<TCheckBox>(20, 60, 140, 20, "");
    tagged->SetTag(5555);
    auto* plainSkinner = Skin<TSkinCheckBox>(*plain);
    auto* taggedSkinner = Skin<TSkinCheckBox>(*tagged);
    EXPECT_TRUE(taggedSkinner->Transparent());
    EXPECT_EQ(OnScreen(*plain, 100, 10), static_cast<COLORREF>(kSkinFace));
    EXPECT_EQ(OnScreen(*tagged, 100, 10), static_cast<COLORREF>(kFormColour));
    EXPECT_EQ(OnScreen(*tagged, 6, 10), CellColour(1));
    (void)plainSkinner;
}

TEST_F(SkinButtonTest, CheckBoxCellsOfFourFramePictures)
{
    auto* box = Place<TCheckBox>(20, 20, 140, 20, "包含港澳");
    auto* skinner = Skin<TSkinCheckBox>(*box);
    EXPECT_EQ(skinner->PaintMode(), 1);
    const auto cell = [&] { return Offscreen(*skinner, *box, 6, 10); };
    EXPECT_EQ(cell(), CellColour(1));
    EXPECT_EQ(OnScreen(*box, 6, 10), CellColour(1));
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(cell(), CellColour(2));
    EXPECT_EQ(OnScreen(*box, 6, 10), CellColour(2));
    EXPECT_EQ(skinner->CheckState(), 2) << "BM_SETCHECK seen";
    box->SetEnabled(false);
    EXPECT_EQ(cell(), CellColour(4));
    box->SetChecked(false);
    EXPECT_EQ(cell(), CellColour(3));
    box->SetEnabled(true);
    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);
    EXPECT_EQ(cell(), CellColour(4)) << "indeterminate";
    EXPECT_EQ(OnScreen(*box, 6, 10), CellColour(4));
}

TEST_F(SkinButtonTest, CheckBoxCellsOfTwelveFramePictures)
{
    MakeButtonSkin(host->Skin, 12, 8);
    auto* box = Place<TCheckBox>(20, 20, 140, 20, "包含港澳");
    auto* skinner = Skin<TSkinCheckBox>(*box);
    const auto cell = [&] { return Offscreen(*skinner, *box, 6, 10); };
    EXPECT_EQ(cell(), CellColour(1));
    box->SetChecked(true);
    EXPECT_EQ(cell(), CellColour(5));
    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);
    EXPECT_EQ(cell(), CellColour(9));
    box->SetEnabled(false);
    EXPECT_EQ(cell(), CellColour(12));
    EXPECT_EQ(OnScreen(*box, 6, 10), CellColour(12));
    box->SetState(cbChecked);
    EXPECT_EQ(cell(), CellColour(8));
    box->SetState(cbUnchecked);
    EXPECT_EQ(cell(), CellColour(4));

    auto* radio = Place<TRadioButton>(20, 60, 140, 20, "北京");
    auto* radioSkinner = Skin<TSkinRadioButton>(*radio);
    radio->SetChecked(true);
    EXPECT_EQ(Offscreen(*radioSkinner, *radio, 6, 10), CellColour(5)) << "eight-frame radio picture";
    radio->SetEnabled(false);
    EXPECT_EQ(Offscreen(*radioSkinner, *radio, 6, 10), CellColour(8));
}

TEST_F(SkinButtonTest, TextOnTheLeftPutsTheBoxAtTheRightEdge)
{
    auto* box = Place<TCheckBox>(20, 20, 140, 20, "港澳");
    auto* radio = Place<TRadioButton>(20, 60, 140, 20, "北京");
    box->SetAlignment(taLeftJustify);
    radio->SetAlignment(taLeftJustify);
    auto* boxSkinner = Skin<TSkinCheckBox>(*box);
    auto* radioSkinner = Skin<TSkinRadioButton>(*radio);
    EXPECT_EQ(Offscreen(*boxSkinner, *box, 139, 10), CellColour(1));
    EXPECT_EQ(Offscreen(*boxSkinner, *box, 127, 10), CellColour(1));
    EXPECT_NE(Offscreen(*boxSkinner, *box, 126, 10), CellColour(1));
    EXPECT_NE(Offscreen(*boxSkinner, *box, 6, 10), CellColour(1));
    EXPECT_EQ(OnScreen(*box, 133, 10), CellColour(1));

    EXPECT_NE(Offscreen(*radioSkinner, *radio, 139, 10), CellColour(1)) << "one pixel free";
    EXPECT_EQ(Offscreen(*radioSkinner, *radio, 138, 10), CellColour(1));
    EXPECT_EQ(Offscreen(*radioSkinner, *radio, 126, 10), CellColour(1));
    EXPECT_NE(Offscreen(*radioSkinner, *radio, 125, 10), CellColour(1));
}

TEST_F(SkinButtonTest, ControlWithOnlyCheckedShowsItsProperty)
{
    auto* control = Place<TCheckedOnly>(20, 20, 140, 20, "邮编");
    auto* skinner = Skin<TSkinCheckBox>(*control);
    EXPECT_EQ(Offscreen(*skinner, *control, 6, 10), CellColour(1));
    control->checked = true;
    EXPECT_EQ(Offscreen(*skinner, *control, 6, 10), CellColour(2));
    EXPECT_EQ(SendMessageA(control->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the window never knew";
}

TEST_F(SkinButtonTest, BareWindowsGetOnlyTheBoxOverTheSystemsDrawing)
{
    const ui::UniqueWindow bare(CreateWindowExA(0, "BUTTON", "bare", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 20, 20,
                                                140, 20, form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    auto* skinner = new TSkinCheckBox(form.get());
    skinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    EXPECT_EQ(skinner->PaintMode(), 0);
    RedrawWindow(bare.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Flush(100);
    const auto pixel = [&](int x, int y) {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(bare.get());
        return GetPixel(dc.get(), x, y);
    };
    EXPECT_EQ(pixel(6, 10), CellColour(1));
    SendMessageA(bare.get(), BM_CLICK, 0, 0);
    Flush(100);
    EXPECT_EQ(pixel(6, 10), CellColour(2));
    delete skinner;
}

// ---- behaviour

struct ClickLog {
    std::vector<std::string> entries;
    ui::HookToken layer;
};

// What the form and the application hear from a scripted use of its buttons.
std::vector<std::string> RunScript(TForm& form, TestHost* host)
{
    ClickLog log;
    auto* search = new TButton(&form);
    search->SetBounds(20, 20, 90, 30);
    search->SetCaption("查询");
    search->SetParent(&form);
    auto* ok = new TButton(&form);
    ok->SetBounds(20, 60, 90, 30);
    ok->SetCaption("确定");
    ok->SetParent(&form);
    ok->SetDefault(true);
    auto* cancel = new TButton(&form);
    cancel->SetBounds(20, 100, 90, 30);
    cancel->SetCaption("取消");
    cancel->SetParent(&form);
    cancel->SetCancel(true);
    auto* box = new TCheckBox(&form);
    box->SetBounds(150, 20, 120, 20);
    box->SetParent(&form);
    auto* first = new TRadioButton(&form);
    first->SetBounds(150, 50, 120, 20);
    first->SetParent(&form);
    auto* second = new TRadioButton(&form);
    second->SetBounds(150, 80, 120, 20);
    second->SetParent(&form);
    auto* edit = new TEdit(&form);
    edit->SetBounds(150, 110, 100, 22);
    edit->SetParent(&form);
    for (auto [control, name] : std::vector<std::pair<TControl*, const char*>>{
             {search, "search"}, {ok, "ok"}, {cancel, "cancel"}, {box, "box"}, {first, "first"}, {second, "second"}})
        control->OnClick = TNotifyEvent([&log, name](TObject*) { log.entries.push_back(std::string("click ") + name); });
    log.layer = form.AddWindowProc([&log](TMessage& message, const TWndNext& next) {
        if (message.Msg == WM_COMMAND)
            log.entries.push_back("command " + std::to_string(LOWORD(message.WParam) != 0) + " " +
                                  std::to_string(HIWORD(message.WParam)));
        next(message);
    });
    if (host) {
        for (TControl* button : {static_cast<TControl*>(search), static_cast<TControl*>(ok),
                                 static_cast<TControl*>(cancel)})
            (new TSkinButton(button))->InitControl(host, &host->Skin, false, &host->Canvas);
        (new TSkinCheckBox(box))->InitControl(host, &host->Skin, false, &host->Canvas);
        (new TSkinRadioButton(first))->InitControl(host, &host->Skin, false, &host->Canvas);
        (new TSkinRadioButton(second))->InitControl(host, &host->Skin, false, &host->Canvas);
    }
    Flush();

    const auto click = [&](TWinControl& control) {
        PostMessageA(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
        PostMessageA(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
        Flush();
    };
    const auto key = [&](UINT vk) {
        const HWND focused = GetFocus();
        PostMessageA(focused, WM_KEYDOWN, vk, 1);
        PostMessageA(focused, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
        Flush();
    };
    click(*search);
    key(VK_SPACE);
    click(*box);
    key(VK_SPACE);
    click(*first);
    click(*second);
    log.entries.push_back("radios " + std::to_string(first->Checked()) + std::to_string(second->Checked()));
    edit->SetFocus();
    Flush();
    key(VK_RETURN);
    key(VK_ESCAPE);
    log.entries.push_back("box " + std::to_string(box->State()));
    log.layer.Reset();
    return log.entries;
}

TEST_F(SkinButtonTest, ClicksKeysAndNotificationsArriveAsWithoutSkinning)
{
    const std::vector<std::string> bare = RunScript(*form, nullptr);
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(200, 150, 360, 260);
    form->Show();
    Flush();
    const std::vector<std::string> skinned = RunScript(*form, host.get());
    EXPECT_EQ(skinned, bare);
    const auto has = [&](const std::string& entry) { return std::count(bare.begin(), bare.end(), entry); };
    EXPECT_EQ(has("click search"), 2);
    EXPECT_EQ(has("click ok"), 1) << "Enter";
    EXPECT_EQ(has("click cancel"), 1) << "Esc";
    EXPECT_EQ(has("click box"), 2);
    EXPECT_EQ(has("radios 01"), 1);
    EXPECT_EQ(has("box 0"), 1);
}

// ---- handles

TEST_F(SkinButtonTest, ManyPaintsAndHoverCyclesLeaveNoHandles)
{
    auto* button = Place<TButton>(20, 20, 90, 30, "查询");
    auto* box = Place<TCheckBox>(20, 70, 120, 20, "港澳");
    auto* skinner = Skin<TSkinButton>(*button);
    auto* boxSkinner = Skin<TSkinCheckBox>(*box);
    Surface surface(120, 30);
    const RECT rect{0, 0, 90, 30};
    skinner->PaintControl(surface.dc.get(), rect);
    boxSkinner->PaintControl(surface.dc.get(), RECT{0, 0, 120, 20});
    Hover(*button);
    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    for (int i = 0; i < 70000; ++i)
        skinner->PaintControl(surface.dc.get(), rect);
    for (int i = 0; i < 2000; ++i)
        boxSkinner->PaintControl(surface.dc.get(), RECT{0, 0, 120, 20});
    for (int i = 0; i < 10000; ++i) {
        SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
}

} // namespace
