// Glyph, speed and menu buttons skinned from a test skin: where glyph and
// caption go, which glyph cell shows, flat and down speed buttons painted
// through their parent, and the menu button's arrow.
#include "tests/win/skin_button_support.h"

#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/model/ImgUtil.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/Picture.h"
#include "ui/Properties.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using skincontroltest::kSkinFace;
using skincontroltest::TestHost;
using namespace skinbuttontest;

constexpr COLORREF kLight = RGB(230, 230, 200);

// Glyph cell i: a 14 x 14 square of its colour inside a magenta ring.
COLORREF GlyphColour(int cell) { return RGB(250, 30 * cell, 10); }

void MakeGlyph(TBitmap& glyph, int cells)
{
    PaintCells(glyph, cells, 16, 16, [](int) { return kMagenta; });
    TCanvas& canvas = glyph.Canvas();
    for (int i = 0; i < cells; ++i) {
        canvas.Brush().SetColor(static_cast<TColor>(GlyphColour(i + 1)));
        canvas.FillRect(RECT{16 * i + 1, 1, 16 * i + 15, 15});
    }
}

void Flush(int milliseconds = 30)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

// The bounding box of the pixels of colour in dc's area; empty when none.
RECT Extent(HDC dc, const RECT& area, const std::function<bool(COLORREF)>& matches)
{
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (matches(GetPixel(dc, x, y))) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

// A button of another kind: its glyph comes from an image list, or from a picture property.
class TImagedButton : public TButton {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TImagedButton>& p)
    {
        p.Object("Images", &TImagedButton::images, &TImagedButton::SetImages);
        p.Integer("ImageIndex", &TImagedButton::imageIndex);
        p.Integer("DisabledIndex", &TImagedButton::disabledIndex);
        p.Object("PngImage", &TImagedButton::PictureObject);
    }
    explicit TImagedButton(TComponent* owner) : TButton(owner) {}
    void SetImages(TImageList* list) { images = list; }
    TPicture* PictureObject() const { return picture.get(); }

    TImageList* images = nullptr;
    int imageIndex = -1;
    int disabledIndex = -1;
    std::unique_ptr<TPicture> picture = std::make_unique<TPicture>();
};
constinit const TClassInfo TImagedButton::ClassInfo =
    ui::ClassOf<TImagedButton>("TImagedButton", TButton::ClassInfo);

class SkinGlyphButtonTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }
    void SetUp() override
    {
        SetCursorPos(0, 0);
        MakeButtonSkin(host->Skin);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(200, 150, 360, 260);
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

    std::unique_ptr<TestHost> host = std::make_unique<TestHost>();
    std::unique_ptr<TForm> form;
};

TEST_F(SkinGlyphButtonTest, GlyphOnTopIsCentredWithTheCaptionBelow)
{
    PaintCells(host->Skin.ButtonsElement->Bitmap, 5, 20, 20, [](int) { return kLight; });
    auto* button = Place<TBitBtn>(20, 20, 101, 60, "WW");
    MakeGlyph(button->Glyph(), 1);
    button->SetLayout(blGlyphTop);
    auto* skinner = new TSkinBitButton(button);
    skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
    Surface surface(101, 60);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 101, 60});
    const RECT all{0, 0, 101, 60};
    const RECT glyph = Extent(surface.dc.get(), all, [](COLORREF c) { return c == GlyphColour(1); });
    ASSERT_EQ(glyph.right - glyph.left, 14);
    EXPECT_LE(std::abs(glyph.left - (101 - glyph.right)), 1) << "centred across";
    EXPECT_EQ(Extent(surface.dc.get(), all, [](COLORREF c) { return c == kMagenta; }).right, 0) << "keyed";
    const RECT text = Extent(surface.dc.get(), RECT{0, glyph.bottom, 101, 60},
                             [](COLORREF c) { return !Near(c, kLight, 30); });
    ASSERT_GT(text.right, text.left);
    EXPECT_GT(text.top, glyph.bottom);
    EXPECT_LE(std::abs(text.left - (101 - text.right)), 2) << "caption centred";

    // Left: the glyph at the margin, the caption after it.
    button->SetLayout(blGlyphLeft);
    button->SetMargin(5);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 101, 60});
    const RECT left = Extent(surface.dc.get(), all, [](COLORREF c) { return c == GlyphColour(1); });
    EXPECT_EQ(left.left, 5 + 1);
    EXPECT_EQ((left.top + left.bottom) / 2, 30);
}

TEST_F(SkinGlyphButtonTest, GlyphCellFollowsPressAndDisabledState)
{
    auto* button = Place<TBitBtn>(20, 20, 90, 40, "");
    MakeGlyph(button->Glyph(), 3);
    button->SetNumGlyphs(3);
    auto* skinner = new TSkinBitButton(button);
    skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
    const auto glyphAt = [&] {
        Surface surface(90, 40);
        skinner->PaintControl(surface.dc.get(), RECT{0, 0, 90, 40});
        return GetPixel(surface.dc.get(), 45, 20);
    };
    EXPECT_EQ(glyphAt(), GlyphColour(1));
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(glyphAt(), GlyphColour(3)) << "down";
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    button->SetEnabled(false);
    const COLORREF disabled = GlyphColour(2);
    const int grey = (GetRValue(disabled) + GetGValue(disabled) + GetBValue(disabled)) / 3;
    EXPECT_EQ(glyphAt(), RGB(grey, grey, grey)) << "disabled cell, greyed";
    // A frame shows on screen too, drawn instead of the framework's own look.
    Flush(100);
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Flush(100);
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(button->Handle());
    EXPECT_EQ(GetPixel(dc.get(), 2, 2), FrameColour(3));
}

TEST_F(SkinGlyphButtonTest, GlyphsFromAnImageListOrANamedPicture)
{
    TImageList list(form.get());
    TBitmap strip;
    MakeGlyph(strip, 2);
    list.AddMasked(strip, static_cast<TColor>(kMagenta));
    ASSERT_EQ(list.Count(), 2);
    auto* button = Place<TImagedButton>(20, 20, 90, 40, "");
    button->images = &list;
    button->imageIndex = 0;
    auto* skinner = new TSkinBitButton(button);
    skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
    const auto at = [&](int x, int y) {
        Surface surface(90, 40);
        skinner->PaintControl(surface.dc.get(), RECT{0, 0, 90, 40});
        return GetPixel(surface.dc.get(), x, y);
    };
    EXPECT_EQ(at(45, 20), GlyphColour(1));
    EXPECT_EQ(at(37, 12), FrameColour(1)) << "the list's mask keeps the face";
    EXPECT_EQ(at(38, 13), GlyphColour(1));
    button->disabledIndex = 1;
    button->SetEnabled(false);
    EXPECT_EQ(at(45, 20), GlyphColour(2)) << "the disabled image";
    button->SetEnabled(true);
    button->imageIndex = -1;
    EXPECT_EQ(at(45, 20), FrameColour(1)) << "no image";

    // A picture property named for the skinner: drawn at the face's corner.
    auto* pictured = Place<TImagedButton>(20, 80, 90, 40, "");
    auto picture = std::make_unique<TBitmap>(10, 10);
    picture->Canvas().Brush().SetColor(static_cast<TColor>(GlyphColour(3)));
    picture->Canvas().FillRect(RECT{0, 0, 10, 10});
    pictured->picture->SetGraphic(std::move(picture));
    auto* named = new TSkinBitButton(pictured);
    named->SetPictureProperty("PngImage");
    named->InitControl(host.get(), &host->Skin, false, &host->Canvas);
    Surface surface(90, 40);
    named->PaintControl(surface.dc.get(), RECT{0, 0, 90, 40});
    EXPECT_EQ(GetPixel(surface.dc.get(), 5, 5), GlyphColour(3));
    EXPECT_EQ(GetPixel(surface.dc.get(), 45, 20), FrameColour(1));
}

TEST_F(SkinGlyphButtonTest, SpeedButtonsFlatDownAndTheirGlyphCells)
{
    auto* flat = Place<TSpeedButton>(20, 20, 40, 30);
    flat->SetFlat(true);
    auto* grouped = Place<TSpeedButton>(80, 20, 40, 30);
    MakeGlyph(grouped->Glyph(), 4);
    grouped->SetNumGlyphs(4);
    grouped->SetGroupIndex(1);
    auto* twoCells = Place<TSpeedButton>(140, 20, 40, 30);
    MakeGlyph(twoCells->Glyph(), 2);
    twoCells->SetNumGlyphs(2);
    twoCells->SetGroupIndex(2);
    for (TControl* control : {static_cast<TControl*>(flat), static_cast<TControl*>(grouped),
                              static_cast<TControl*>(twoCells)})
        (new TSkinSpeedButton(control))->AttachSpeed(host.get(), &host->Skin, &host->Canvas);

    // Painted as the parent paints it: WM_PAINT with the DC.
    const auto paint = [](TControl& control, int x, int y) {
        Surface surface(control.Width(), control.Height());
        control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
        return GetPixel(surface.dc.get(), x, y);
    };
    EXPECT_EQ(paint(*flat, 2, 2), static_cast<COLORREF>(kSkinFace)) << "no face at rest";
    flat->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(paint(*flat, 2, 2), FrameColour(4));
    flat->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(paint(*flat, 2, 2), FrameColour(2));
    flat->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    flat->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(paint(*flat, 2, 2), static_cast<COLORREF>(kSkinFace));

    EXPECT_EQ(paint(*grouped, 2, 2), FrameColour(1));
    EXPECT_EQ(paint(*grouped, 20, 15), GlyphColour(1));
    grouped->SetDown(true);
    EXPECT_EQ(paint(*grouped, 2, 2), FrameColour(2));
    EXPECT_EQ(paint(*grouped, 20, 15), GlyphColour(4)) << "held down: the fourth cell";
    twoCells->SetDown(true);
    EXPECT_EQ(paint(*twoCells, 20, 15), GlyphColour(1)) << "no fourth cell: the first";

    grouped->SetEnabled(false);
    grouped->SetDown(false);
    EXPECT_EQ(paint(*grouped, 2, 2), FrameColour(3));

    // On the screen, through the form's own painting.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Flush(100);
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Client(form->Handle());
    EXPECT_EQ(GetPixel(dc.get(), 80 + 2, 20 + 2), FrameColour(3));
    EXPECT_EQ(GetPixel(dc.get(), 140 + 2, 20 + 2), FrameColour(2));
}

TEST_F(SkinGlyphButtonTest, MenuButtonDrawsItsArrowAndLooksHotWhenFocused)
{
    auto* button = Place<TButton>(20, 20, 100, 30, "更多");
    auto* skinner = new TSkinMenuButton(button);
    skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
    const auto paint = [&](int x, int y) {
        Surface surface(100, 30);
        skinner->PaintControl(surface.dc.get(), RECT{0, 0, 100, 30});
        return GetPixel(surface.dc.get(), x, y);
    };
    EXPECT_EQ(paint(2, 2), FrameColour(1));
    EXPECT_EQ(paint(100 - 12, 15), GetSysColor(COLOR_WINDOWTEXT)) << "the arrow";
    EXPECT_EQ(paint(100 - 12, 20), FrameColour(1)) << "below the arrow's tip";
    button->SetFocus();
    Flush();
    EXPECT_EQ(paint(2, 2), FrameColour(4));
    button->SetEnabled(false);
    EXPECT_EQ(paint(100 - 12, 15), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(SkinGlyphButtonTest, ManyGlyphAndSpeedPaintsLeaveNoHandles)
{
    auto* button = Place<TBitBtn>(20, 20, 90, 40, "确定");
    MakeGlyph(button->Glyph(), 2);
    button->SetNumGlyphs(2);
    auto* speed = Place<TSpeedButton>(150, 20, 40, 30, "查");
    MakeGlyph(speed->Glyph(), 1);
    auto* skinner = new TSkinBitButton(button);
    skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
    (new TSkinSpeedButton(speed))->AttachSpeed(host.get(), &host->Skin, &host->Canvas);
    Surface surface(90, 40);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 90, 40});
    speed->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    for (int i = 0; i < 5000; ++i) {
        skinner->PaintControl(surface.dc.get(), RECT{0, 0, 90, 40});
        speed->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
        speed->Perform(i % 2 ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
}

} // namespace
