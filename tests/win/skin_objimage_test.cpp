// Check boxes and radio buttons of other libraries given custom glyphs from
// a test skin: the strip each kind of control reads, cell by cell, for check
// and radio pictures of each layout (4, 5, 8 and 12 cells); how the strip is
// handed over (transparent colour, the switch off and on again, or the glyph
// of the Properties object); Unskin giving the control its own glyphs back;
// a skin without the pictures changing nothing.
#include "tests/win/skin_bars_support.h"
#include "tests/win/skin_glyph_controls.h"

#include "skin/controls/SkinObjImage.h"
#include "skin/model/SkinMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace skinbarstest;

// The picture cell each strip cell must show, for the cell count of the
// picture it comes from.
struct StripCase {
    int checkCells;
    int radioCells;
    std::vector<int> expected;
};

class SkinObjImageTest : public BarsTest {
protected:
    template <class Control>
    Control* Glyphs(int kind, int checkCells = 4, int radioCells = 4)
    {
        MakeButtonSkin(host->Skin, checkCells, radioCells);
        auto* control = Place<Control>(40, 40, 120, 20);
        control->Handle();
        skinner = new TSkinObjImage(control);
        skinner->SetGlyphKind(kind);
        skinner->InitControl(host.get(), &host->Skin, true, &host->Canvas);
        return control;
    }
    // The cells of a strip (13 x 13 each) by the picture cell whose colour they have; 0 for none.
    static std::vector<int> Cells(TBitmap& strip)
    {
        std::vector<int> cells;
        if (strip.Empty())
            return cells;
        const HDC dc = strip.Canvas().Handle();
        for (int x = 6; x < strip.Width(); x += 13) {
            const COLORREF pixel = GetPixel(dc, x, 6);
            int found = 0;
            for (int cell = 1; cell <= 12 && found == 0; ++cell)
                found = pixel == CellColour(cell) ? cell : 0;
            cells.push_back(found);
        }
        return cells;
    }

    TSkinObjImage* skinner = nullptr;
};

TEST_F(SkinObjImageTest, CheckBoxStripsHoldNineCellsForEveryPictureLayout)
{
    // Unchecked, checked, grayed, each normal, down and disabled.
    const std::vector<StripCase> cases{
        {4, 4, {1, 1, 3, 2, 2, 4, 2, 2, 4}},
        {5, 4, {1, 1, 3, 2, 2, 4, 5, 5, 4}},
        {12, 4, {1, 3, 4, 5, 7, 8, 9, 11, 12}},
    };
    for (const StripCase& c : cases) {
        auto* box = Glyphs<TRzCheckBox>(objimageface::gkCheckBox, c.checkCells, c.radioCells);
        EXPECT_EQ(box->Loaded.Height(), 13);
        EXPECT_EQ(Cells(box->Loaded), c.expected) << c.checkCells << " cells";
        EXPECT_EQ(Cells(*box->CustomGlyphs()), c.expected) << c.checkCells << " cells";
        EXPECT_EQ(box->Changes, (std::vector<std::string>{"TransparentColor=16711935", "UseCustomGlyphs=False",
                                                          "UseCustomGlyphs=True"}));
        EXPECT_TRUE(box->UseCustomGlyphs());
        delete box;
    }
}

TEST_F(SkinObjImageTest, RadioStripsHoldSixCellsFromTheRadioPicture)
{
    // Unchecked, checked, each normal, down and disabled.
    const std::vector<StripCase> cases{
        {4, 4, {1, 1, 3, 2, 2, 4}},
        {12, 8, {1, 3, 4, 5, 7, 8}},
    };
    for (const StripCase& c : cases) {
        // The check picture has other colours: the radio one must be read.
        auto* radio = Glyphs<TRzDBRadioButton>(objimageface::gkRadioButton, c.checkCells, c.radioCells);
        PaintCells(host->Skin.ButtonsElement->CheckBitmap, c.checkCells, 13, 13, FrameColour);
        skinner->SkinChanged();
        EXPECT_EQ(Cells(radio->Loaded), c.expected) << c.radioCells << " cells";
        EXPECT_TRUE(radio->UseCustomGlyphs());
        delete radio;
    }
}

TEST_F(SkinObjImageTest, ThePropertiesGlyphGetsSixCellsMagentaKeyedAndOpaque)
{
    // Unchecked, checked, grayed; then the same pressed.
    const std::vector<StripCase> cases{
        {4, 4, {1, 2, 2, 1, 2, 2}},
        {5, 4, {1, 2, 5, 1, 2, 5}},
    };
    for (const StripCase& c : cases) {
        auto* box = Glyphs<TcxCheckBox>(objimageface::gkPropertyGlyph, c.checkCells, c.radioCells);
        TBitmap& glyph = *box->Properties()->Glyph();
        EXPECT_EQ(Cells(glyph), c.expected) << c.checkCells << " cells";
        EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
        EXPECT_FALSE(glyph.Transparent());
        skinner->Unskin();
        EXPECT_TRUE(glyph.Empty()) << "its own glyph again";
        delete box;
    }
}

TEST_F(SkinObjImageTest, UnskinSwitchesTheCustomGlyphsOffAndGivesTheColourBack)
{
    auto* box = Glyphs<TRzCheckBox>(objimageface::gkCheckBox);
    EXPECT_EQ(box->Color(), kSkinFace) << "panel-style: the skin's face colour";
    EXPECT_EQ(SendMessageA(box->Handle(), SKM_ISSKINNED, 0, 0), 0) << "the control's messages are its own";
    // A changed skin gives a new strip.
    PaintCells(host->Skin.ButtonsElement->CheckBitmap, 4, 13, 13, [](int cell) { return CellColour(5 - cell); });
    skinner->SkinChanged();
    EXPECT_EQ(Cells(box->Loaded), (std::vector<int>{4, 4, 2, 3, 3, 1, 3, 3, 1}));
    skinner->Unskin();
    EXPECT_FALSE(box->UseCustomGlyphs());
    EXPECT_EQ(box->Changes.back(), "UseCustomGlyphs=False");
    EXPECT_NE(box->Color(), kSkinFace);
}

TEST_F(SkinObjImageTest, WithoutThePicturesNothingIsHandedOver)
{
    for (const int step : {0, 1, 2}) {
        auto* box = Place<TRzCheckBox>(40, 40, 120, 20);
        auto* cx = Place<TcxCheckBox>(40, 80, 120, 20);
        MakeButtonSkin(host->Skin);
        if (step == 0)
            host->Skin.ButtonsElement->CheckBitmap.SetSize(0, 0);
        else if (step == 1)
            host->Skin.ButtonsElement->CheckFrameCount = 0;
        else
            host->Skin.ButtonsElement.reset();
        for (auto* control : std::vector<TWinControl*>{box, cx}) {
            auto* objImage = new TSkinObjImage(control);
            objImage->SetGlyphKind(control == box ? objimageface::gkCheckBox : objimageface::gkPropertyGlyph);
            objImage->InitControl(host.get(), &host->Skin, true, &host->Canvas);
            objImage->SkinChanged();
            EXPECT_TRUE(objImage->Strip().Empty()) << step;
        }
        EXPECT_TRUE(box->Changes.empty()) << step;
        EXPECT_TRUE(cx->Properties()->Glyph()->Empty()) << step;
        delete box;
        delete cx;
        host->Skin.ButtonsElement = std::make_unique<TDataSkinButton>("Buttons");
    }
}

} // namespace
