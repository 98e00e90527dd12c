// Group boxes, panels and bare container windows skinned from a test skin:
// where the rounded frame and the caption band fall, what a bare group box
// keeps of the system's drawing, panels recoloured and given their colours
// back, and a dialog window whose static texts and background take the face.
#include "tests/win/skin_box_support.h"
#include "tests/win/skin_data_support.h"

#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/model/SkinMessages.h"
#include "ui/DcGuards.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

namespace {

using namespace skinboxtest;
using skinbuttontest::CountLeaning;
using skinbuttontest::CountNear;

constexpr COLORREF kCaptionColour = RGB(250, 250, 250);
constexpr COLORREF kFace = static_cast<COLORREF>(kSkinFace);

// The height of "0" in font (the DC's own font when null).
int ZeroHeight(HWND window, HFONT font)
{
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Client(window);
    const ui::ScopedSaveDC saved(dc.get());
    if (font)
        SelectObject(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), "0", 1, &size);
    return size.cy;
}

int TextWidth(HWND window, HFONT font, const char* text)
{
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Client(window);
    const ui::ScopedSaveDC saved(dc.get());
    SelectObject(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text, static_cast<int>(std::string_view(text).size()), &size);
    return size.cx;
}

class SkinGroupBoxTest : public BoxFixture {};

TEST_F(SkinGroupBoxTest, FrameIsRoundedAndCutByTheCaptionBand)
{
    auto* box = Place<TGroupBox>(20, 20, 160, 100);
    box->SetCaption("浏览");
    box->Font().SetColor(static_cast<TColor>(kCaptionColour));
    auto* skinner = Skin<TSkinGroupBox>(*box, true);
    EXPECT_EQ(skinner->PaintMode(), 1);
    EXPECT_EQ(box->Color(), kSkinFace);
    const HWND window = box->Handle();
    Redraw(window);

    const int textHeight = ZeroHeight(window, box->Font().Handle());
    const int top = textHeight / 2 - 1;
    const int captionEnd = 8 + TextWidth(window, box->Font().Handle(), "浏览");
    ASSERT_LT(captionEnd, 100);
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
    const auto at = [&](int x, int y) { return GetPixel(dc.get(), x, y); };

    EXPECT_EQ(CountNear(dc.get(), RECT{captionEnd + 2, top, 150, top + 1}, kShadow, 0), 150 - captionEnd - 2)
        << "the top edge right of the caption";
    EXPECT_EQ(CountNear(dc.get(), RECT{4, top, 8, top + 1}, kShadow, 0), 4) << "the top edge left of it";
    EXPECT_EQ(CountNear(dc.get(), RECT{8, top, captionEnd, top + 1}, kShadow, 0), 0) << "cut by the band";
    EXPECT_EQ(at(100, top - 1), kFace);
    EXPECT_EQ(at(100, top + 1), kFace);
    EXPECT_EQ(at(1, 50), kShadow);
    EXPECT_EQ(at(0, 50), kFace);
    EXPECT_EQ(at(158, 50), kShadow);
    EXPECT_EQ(at(80, 98), kShadow);
    EXPECT_EQ(at(80, 99), kFace);
    EXPECT_NE(at(1, top), kShadow) << "rounded corner";
    EXPECT_NE(at(158, 98), kShadow) << "rounded corner";

    EXPECT_GT(CountLeaning(dc.get(), RECT{8, 0, captionEnd, textHeight + 2}, kCaptionColour, kFace), 10);
    EXPECT_EQ(CountLeaning(dc.get(), RECT{0, 0, 8, textHeight + 2}, kCaptionColour, kFace), 0);
    EXPECT_EQ(CountLeaning(dc.get(), RECT{captionEnd + 1, 0, 160, top}, kCaptionColour, kFace), 0);
}

TEST_F(SkinGroupBoxTest, LabelsInsideAreStillDrawn)
{
    auto* box = Place<TGroupBox>(20, 20, 200, 120);
    box->SetCaption("查询");
    auto* label = new TLabel(form.get());
    label->SetBounds(20, 40, 100, 20);
    label->SetCaption("邮政编码");
    label->Font().SetColor(static_cast<TColor>(kCaptionColour));
    label->SetParent(box);
    Skin<TSkinGroupBox>(*box, true);
    Redraw(box->Handle());
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(box->Handle());
    EXPECT_GT(CountLeaning(dc.get(), RECT{20, 40, 120, 60}, kCaptionColour, kFace), 10);
}

TEST_F(SkinGroupBoxTest, BareGroupBoxWindowIsOverdrawn)
{
    const ui::UniqueWindow bare(CreateWindowExA(0, "BUTTON", "浏览", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 20, 20, 160,
                                                100, form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    const auto font = reinterpret_cast<HFONT>(SendMessageA(bare.get(), WM_GETFONT, 0, 0));
    const int top = ZeroHeight(bare.get(), font) / 2 - 1;
    auto* skinner = new TSkinGroupBox(form.get());
    skinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    EXPECT_EQ(skinner->PaintMode(), 0);
    Redraw(bare.get());
    EXPECT_EQ(ScreenPixel(bare.get(), 100, top), kShadow);
    EXPECT_EQ(ScreenPixel(bare.get(), 100, top + 1), kFace) << "the system's second line painted over";
    EXPECT_EQ(ScreenPixel(bare.get(), 0, 50), kFace);
    EXPECT_EQ(ScreenPixel(bare.get(), 1, 50), kShadow);
    delete skinner;
}

TEST_F(SkinGroupBoxTest, SkinWithoutColoursPaintsWithTheSystems)
{
    auto* box = Place<TGroupBox>(20, 20, 160, 100);
    box->SetCaption("浏览");
    auto* skinner = new TSkinGroupBox(box);
    skinner->InitControl(nullptr, nullptr, true, nullptr);
    Redraw(box->Handle());
    const int top = ZeroHeight(box->Handle(), box->Font().Handle()) / 2 - 1;
    EXPECT_EQ(ScreenPixel(box->Handle(), 100, top), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(box->Handle(), 100, top + 4), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SkinGroupBoxTest, ManyPaintsLeaveNoHandles)
{
    auto* box = Place<TGroupBox>(20, 20, 160, 100);
    box->SetCaption("浏览");
    auto* skinner = Skin<TSkinGroupBox>(*box, true);
    const ui::UniqueWindow bare(CreateWindowExA(0, "BUTTON", "查询", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 200, 20, 160,
                                                100, form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    auto* bareSkinner = new TSkinGroupBox(form.get());
    bareSkinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    skinbuttontest::Surface surface(160, 100);
    const RECT rect{0, 0, 160, 100};
    skinner->PaintControl(surface.dc.get(), rect);
    bareSkinner->PaintControl(surface.dc.get(), rect);
    Redraw(box->Handle());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    for (int i = 0; i < 70000; ++i) {
        skinner->PaintControl(surface.dc.get(), rect);
        bareSkinner->PaintControl(surface.dc.get(), rect);
    }
    for (int i = 0; i < 500; ++i)
        RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    delete bareSkinner;
}

// ---- panels

class SkinPanelTest : public BoxFixture {};

TEST_F(SkinPanelTest, PanelTakesTheFaceColourWithoutAHookAndGivesItBack)
{
    constexpr TColor kOwn = static_cast<TColor>(RGB(10, 200, 10));
    auto* panel = Place<TPanel>(20, 20, 160, 100);
    panel->SetColor(kOwn);
    panel->SetParentBackground(true);
    auto* skinner = Skin<TSkinBox>(*panel, true);
    EXPECT_EQ(panel->Color(), kSkinFace);
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_FALSE(skinner->Initialized());
    EXPECT_EQ(skinner->Status(), TSkinStatus::Attached);
    EXPECT_TRUE(host->List.Contains(*skinner));
    EXPECT_EQ(SendMessageA(panel->Handle(), SKM_ISSKINNED, 0, 0), 0) << "nothing in front of the panel";
    Redraw(panel->Handle());
    EXPECT_EQ(ScreenPixel(panel->Handle(), 80, 50), kFace);

    host->Skin.ButtonFaceColour = static_cast<TColor>(RGB(1, 2, 3));
    skinner->SkinChanged();
    EXPECT_EQ(panel->Color(), static_cast<TColor>(RGB(1, 2, 3)));

    skinner->Unskin();
    EXPECT_EQ(skinner->Status(), TSkinStatus::Unskinned);
    EXPECT_EQ(panel->Color(), kOwn);
    EXPECT_TRUE(panel->ParentBackground());
    Redraw(panel->Handle());
    EXPECT_EQ(ScreenPixel(panel->Handle(), 80, 50), static_cast<COLORREF>(kFormColour)) << "the parent's again";
    skinner->Unskin();
    EXPECT_EQ(panel->Color(), kOwn);
    EXPECT_TRUE(panel->ParentBackground());
}

TEST_F(SkinPanelTest, ParentColourAndParentBackgroundOptionComeBack)
{
    auto* panel = Place<TPanel>(20, 20, 160, 100);
    panel->SetParentColor(true);
    panel->SetParentBackground(true);
    host->Skin.Options.Include(xoParentBackGround);
    auto* skinner = Skin<TSkinBox>(*panel, true);
    EXPECT_EQ(panel->Color(), kSkinFace);
    EXPECT_TRUE(panel->ParentBackground()) << "the skin wants parent backgrounds";
    skinner->Unskin();
    EXPECT_TRUE(panel->ParentColor());
    EXPECT_EQ(panel->Color(), kFormColour);
}

TEST_F(SkinPanelTest, ACaptionLeftInTheSystemsTextColourTakesTheSkinsAndGetsItBack)
{
    host->Skin.ButtonTextColour = static_cast<TColor>(RGB(230, 230, 220));
    auto* plain = Place<TPanel>(20, 20, 160, 40);
    auto* chosen = Place<TPanel>(20, 70, 160, 40);
    chosen->Font().SetColor(clRed);
    const bool plainParentFont = plain->ParentFont();
    auto* plainSkinner = Skin<TSkinBox>(*plain, true);
    auto* chosenSkinner = Skin<TSkinBox>(*chosen, true);
    EXPECT_EQ(plain->Font().Color(), static_cast<TColor>(RGB(230, 230, 220))) << "readable on a dark face";
    EXPECT_EQ(chosen->Font().Color(), clRed) << "a colour the program chose stays";
    plainSkinner->Unskin();
    chosenSkinner->Unskin();
    EXPECT_EQ(ui::ColorToRGB(plain->Font().Color()), ui::ColorToRGB(clWindowText));
    EXPECT_EQ(plain->ParentFont(), plainParentFont);
    EXPECT_EQ(chosen->Font().Color(), clRed);
}

TEST_F(SkinPanelTest, PanelSkinnerWithoutSkinColourChangesNothing)
{
    auto* panel = Place<TPanel>(20, 20, 160, 100);
    const TColor own = panel->Color();
    auto* skinner = Skin<TSkinBox>(*panel, false);
    EXPECT_EQ(panel->Color(), own);
    skinner->Unskin();
    EXPECT_EQ(panel->Color(), own);
    delete panel;
    EXPECT_TRUE(host->List.Controls().empty()) << "freed with its panel";
}

TEST_F(SkinPanelTest, ManyPaintsAndSkinChangesLeaveNoHandles)
{
    auto* panel = Place<TPanel>(20, 20, 160, 100);
    auto* skinner = Skin<TSkinBox>(*panel, true);
    skinbuttontest::Surface surface(160, 100);
    const auto paint = [&] {
        panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
        panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
    };
    paint();
    ASSERT_EQ(GetPixel(surface.dc.get(), 80, 50), kFace) << "the panel paints in the skin's face";
    Redraw(panel->Handle());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i)
        paint();
    for (int i = 0; i < 1000; ++i) {
        host->Skin.ButtonFaceColour = static_cast<TColor>(i % 2 ? kFace : RGB(1, 2, 3));
        skinner->SkinChanged();
    }
    Redraw(panel->Handle());
    EXPECT_EQ(ScreenPixel(panel->Handle(), 80, 50), kFace);
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

// ---- bare container windows

class SkinContainerWindowTest : public BoxFixture {
protected:
    void SetUp() override
    {
        BoxFixture::SetUp();
        dialog.reset(CreateWindowExA(0, "#32770", "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 200, form->Handle(),
                                     nullptr, GetModuleHandleA(nullptr), nullptr));
        text.reset(CreateWindowExA(0, "STATIC", "邮政编码", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200, 20,
                                   dialog.get(), nullptr, GetModuleHandleA(nullptr), nullptr));
        Redraw(dialog.get());
    }
    void TearDown() override
    {
        delete skinner;
        text.reset();
        dialog.reset();
        BoxFixture::TearDown();
    }
    LRESULT AskStaticColour()
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Client(text.get());
        return SendMessageA(dialog.get(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                            reinterpret_cast<LPARAM>(text.get()));
    }
    void Attach()
    {
        skinner = new TSkinBoxH(nullptr);
        skinner->InitHandle(dialog.get(), &host->Skin, host.get(), &host->Canvas);
    }

    ui::UniqueWindow dialog;
    ui::UniqueWindow text;
    TSkinBoxH* skinner = nullptr;
};

TEST_F(SkinContainerWindowTest, StaticTextsAndBackgroundTakeTheFace)
{
    ASSERT_TRUE(skintest::LoadSkinBytes(host->Skin, skintest::EdgeSkin()));
    ASSERT_NE(host->Skin.FaceBrush(), nullptr);
    const COLORREF face = ui::ColorToRGB(host->Skin.ButtonFaceColour);
    ASSERT_NE(ScreenPixel(text.get(), 195, 10), face) << "the test needs a face of its own";
    Attach();
    EXPECT_EQ(AskStaticColour(), reinterpret_cast<LRESULT>(host->Skin.FaceBrush()));
    Redraw(dialog.get());
    EXPECT_EQ(ScreenPixel(text.get(), 195, 10), face);
    EXPECT_EQ(ScreenPixel(dialog.get(), 250, 150), face);
    EXPECT_EQ(SendMessageA(dialog.get(), SKM_ISSKINNED, 0, 0), 1);
}

TEST_F(SkinContainerWindowTest, ManyPaintsLeaveNoHandles)
{
    ASSERT_TRUE(skintest::LoadSkinBytes(host->Skin, skintest::EdgeSkin()));
    Attach();
    skinbuttontest::Surface surface(300, 200);
    SendMessageA(dialog.get(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    for (int i = 0; i < 70000; ++i) {
        SendMessageA(dialog.get(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
        SendMessageA(dialog.get(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(surface.dc.get()),
                     reinterpret_cast<LPARAM>(text.get()));
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
}

TEST_F(SkinContainerWindowTest, SkinWithoutABrushLeavesTheDialogsAnswer)
{
    const LRESULT own = AskStaticColour();
    Attach();
    EXPECT_EQ(AskStaticColour(), own);
    Redraw(dialog.get());
    EXPECT_EQ(ScreenPixel(dialog.get(), 250, 150), kFace) << "erased in the skin's face colour";
}

} // namespace
