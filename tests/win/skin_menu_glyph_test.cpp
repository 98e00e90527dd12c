// A checked menu item with an image shows the image over a pressed-looking
// box; without the check the image lies on the item's cell.
#include "tests/win/frame_skin_support.h"

#include "skin/chrome/MenuItemPainter.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace frametest;

// MenuItem: five flat 20 x 20 cells with 4-pixel side margins.
constexpr TColor kCell = RGBColor(200, 200, 200);
constexpr TColor kGlyph = RGBColor(220, 0, 0);

TEST_F(FrameSkinTest, ACheckedMenuItemWithAnImageShowsItOverASunkenBox)
{
    TDataSkinObject& item = *skin->MenuItem;
    PaintPicture(item.Bitmap, 100, 20, [](int, int) { return kCell; });
    SetMargins(item, 4, 0, 4, 0);
    item.Trans = 0;
    // A 16 x 16 glyph whose two outer rings are see-through.
    TImageList images(nullptr);
    TBitmap glyph;
    PaintPicture(glyph, 16, 16, [](int x, int y) {
        return x < 2 || y < 2 || x >= 14 || y >= 14 ? RGBColor(255, 0, 255) : kGlyph;
    });
    ASSERT_EQ(images.AddMasked(glyph, RGBColor(255, 0, 255)), 0);

    TMenuItemPainter painter(skin.get());
    const auto draw = [&](bool checked) {
        TMenuEntry entry;
        entry.Caption = "Bold";
        entry.Checked = checked;
        entry.Images = &images;
        entry.ImageIndex = 0;
        auto bitmap = std::make_unique<TBitmap>(120, 20);
        bitmap->Canvas().Font().Assign(Screen->MenuFont());
        painter.DrawEntry(bitmap->Canvas(), RECT{0, 0, 120, 20}, false, entry, nullptr);
        return bitmap;
    };
    // The glyph box: one pixel in and past the cell's left margin, as large as the images.
    const RECT box{5, 1, 21, 17};
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW);
    const TColor light = GetSysColor(COLOR_BTNHIGHLIGHT);

    const auto checked = draw(true);
    EXPECT_EQ(skintest::PixelOf(*checked, 13, 9), kGlyph);
    EXPECT_EQ(FirstOther(*checked, {box.left, box.top, box.right - 1, box.top + 1}, shadow), "") << "top edge";
    EXPECT_EQ(FirstOther(*checked, {box.left, box.top, box.left + 1, box.bottom - 1}, shadow), "") << "left edge";
    EXPECT_EQ(FirstOther(*checked, {box.left + 1, box.bottom - 1, box.right, box.bottom}, light), "") << "bottom";
    EXPECT_EQ(FirstOther(*checked, {box.right - 1, box.top + 1, box.right, box.bottom}, light), "") << "right";
    // Inside the edge and around the image: the checked pattern, not the cell.
    EXPECT_NE(skintest::PixelOf(*checked, box.left + 1, box.top + 1), kCell);

    const auto unchecked = draw(false);
    EXPECT_EQ(skintest::PixelOf(*unchecked, 13, 9), kGlyph);
    EXPECT_EQ(FirstOther(*unchecked, {box.left, box.top, box.right, box.top + 2}, kCell), "")
        << "no box behind an unchecked image";
}

} // namespace
