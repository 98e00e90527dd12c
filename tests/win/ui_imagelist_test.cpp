// TImageList: masked images drawn normally and disabled, checked pixel by
// pixel; editing, streaming through the "Bitmap" property, resources.
#include "ui/Bitmap.h"
#include "ui/ImageList.h"
#include "ui/Properties.h"
#include "ui/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TColor At(TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* line = bitmap.ScanLine(y);
    return RGBColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
}

// Two 16 x 16 images on magenta: a red square, then a blue one, each at 4..11.
void TwoSquares(TBitmap& strip)
{
    strip.SetSize(32, 16);
    strip.Canvas().Brush().SetColor(clFuchsia);
    strip.Canvas().FillRect({0, 0, 32, 16});
    strip.Canvas().Brush().SetColor(clRed);
    strip.Canvas().FillRect({4, 4, 12, 12});
    strip.Canvas().Brush().SetColor(clBlue);
    strip.Canvas().FillRect({20, 4, 28, 12});
}

void GreenField(TBitmap& field, int size)
{
    field.SetSize(size, size);
    field.Canvas().Brush().SetColor(clGreen);
    field.Canvas().FillRect({0, 0, size, size});
}

TEST(ImageList, MaskedImagesShowTheBackgroundThroughTheMaskColour)
{
    TImageList images(nullptr);
    TBitmap strip;
    TwoSquares(strip);
    EXPECT_EQ(images.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(images.Count(), 2);
    // The caller's bitmap is unchanged.
    EXPECT_EQ(At(strip, 0, 0), clFuchsia);

    TBitmap field;
    GreenField(field, 20);
    images.Draw(field.Canvas(), 2, 2, 1);
    EXPECT_EQ(At(field, 10, 10), clBlue);
    EXPECT_EQ(At(field, 6, 6), clBlue);
    EXPECT_EQ(At(field, 5, 5), clGreen);   // image pixel (3, 3): magenta, transparent
    EXPECT_EQ(At(field, 14, 14), clGreen);
    images.Draw(field.Canvas(), 2, 2, 0);
    EXPECT_EQ(At(field, 10, 10), clRed);
    // Indexes out of range draw nothing.
    images.Draw(field.Canvas(), 0, 0, 2);
    images.Draw(field.Canvas(), 0, 0, -1);
    EXPECT_EQ(At(field, 0, 0), clGreen);
}

TEST(ImageList, DisabledImagesAreEmbossedSilhouettes)
{
    // A dark square at 4..7 and a light one at 10..13 on a transparent background.
    TBitmap image(16, 16);
    image.Canvas().Brush().SetColor(clFuchsia);
    image.Canvas().FillRect({0, 0, 16, 16});
    image.Canvas().Brush().SetColor(clNavy);
    image.Canvas().FillRect({4, 4, 8, 8});
    image.Canvas().Brush().SetColor(clSilver);
    image.Canvas().FillRect({10, 10, 14, 14});
    TImageList images(nullptr);
    images.AddMasked(image, clFuchsia);

    TBitmap field;
    GreenField(field, 16);
    images.Draw(field.Canvas(), 0, 0, 0, false);
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW);
    const TColor highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(At(field, 4, 4), shadow);
    EXPECT_EQ(At(field, 7, 7), shadow);
    // One pixel down and right of the dark square: the highlight shows.
    EXPECT_EQ(At(field, 8, 8), highlight);
    EXPECT_EQ(At(field, 8, 5), highlight);
    EXPECT_EQ(At(field, 5, 8), highlight);
    // Light parts and transparent parts leave the background.
    EXPECT_EQ(At(field, 11, 11), clGreen);
    EXPECT_EQ(At(field, 2, 2), clGreen);
    EXPECT_EQ(At(field, 9, 9), clGreen);
}

TEST(ImageList, ExplicitMasksReplaceDeleteAndClear)
{
    TImageList images(nullptr);
    images.SetMasked(true);
    int changes = 0;
    images.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    TBitmap image(16, 16);
    image.Canvas().Brush().SetColor(clYellow);
    image.Canvas().FillRect({0, 0, 16, 16});
    // White is transparent, black shows: only the left half shows.
    TBitmap mask(16, 16);
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect({0, 0, 8, 16});
    EXPECT_EQ(images.Add(image, &mask), 0);
    EXPECT_EQ(images.Add(image, nullptr), 1);
    EXPECT_EQ(changes, 2);

    TBitmap field;
    GreenField(field, 16);
    images.Draw(field.Canvas(), 0, 0, 0);
    EXPECT_EQ(At(field, 3, 3), clYellow);
    EXPECT_EQ(At(field, 12, 3), clGreen);

    TBitmap other;
    TwoSquares(other);
    other.SetWidth(16);
    images.Replace(1, other, nullptr);
    TBitmap got;
    images.GetBitmap(1, got);
    EXPECT_EQ(got.Width(), 16);
    EXPECT_EQ(At(got, 6, 6), clRed);

    images.Delete(0);
    EXPECT_EQ(images.Count(), 1);
    images.Delete(5);
    EXPECT_EQ(images.Count(), 1);
    images.Clear();
    EXPECT_EQ(images.Count(), 0);
    EXPECT_EQ(changes, 5);
}

TEST(ImageList, ChangingTheSizeEmptiesTheList)
{
    TImageList images(nullptr);
    TBitmap strip;
    TwoSquares(strip);
    images.AddMasked(strip, clFuchsia);
    images.SetWidth(32);
    EXPECT_EQ(images.Count(), 0);
    EXPECT_EQ(images.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(images.Count(), 1);
}

TEST(ImageList, BitmapPropertyRoundTripsImagesAndMasks)
{
    TImageList source(nullptr);
    TBitmap strip;
    TwoSquares(strip);
    source.AddMasked(strip, clDefault);  // the bottom-left pixel: magenta

    const ui::TPropInfo* prop = ui::FindPropInfo(TImageList::ClassInfo, "Bitmap");
    ASSERT_NE(prop, nullptr);
    EXPECT_TRUE(prop->IsStored(source));
    TMemoryStream stream;
    prop->WriteData(source, stream);
    stream.SetPosition(0);
    TImageList target(nullptr);
    prop->ReadData(target, stream);
    EXPECT_EQ(stream.Remaining(), 0);
    ASSERT_EQ(target.Count(), 2);

    TBitmap field;
    GreenField(field, 16);
    target.Draw(field.Canvas(), 0, 0, 1);
    EXPECT_EQ(At(field, 8, 8), clBlue);
    EXPECT_EQ(At(field, 1, 1), clGreen);

    TImageList empty(nullptr);
    EXPECT_FALSE(prop->IsStored(empty));
    EXPECT_EQ(ui::GetIntProp(&target, "width"), 16);
}

TEST(ImageList, BitmapResourcesOfAModule)
{
    // comctl32 carries the standard toolbar glyphs as bitmap resource 120.
    const HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    ASSERT_NE(FindResourceA(comctl, MAKEINTRESOURCEA(120), RT_BITMAP), nullptr) << "no toolbar bitmap in this comctl32";

    TBitmap bitmap;
    bitmap.LoadFromResourceID(comctl, 120);
    EXPECT_GT(bitmap.Width(), 16);
    EXPECT_EQ(bitmap.Height(), 16);

    TImageList images(nullptr);
    EXPECT_TRUE(images.GetInstRes(comctl, MAKEINTRESOURCEA(120), 16, false, clFuchsia));
    EXPECT_EQ(images.Count(), bitmap.Width() / 16);
    EXPECT_EQ(images.Height(), 16);
    EXPECT_FALSE(images.GetInstRes(comctl, "NO_SUCH_BITMAP", 16, false, clNone));
    EXPECT_THROW(bitmap.LoadFromResourceName(comctl, "NO_SUCH_BITMAP"), EInvalidGraphic);
}

TEST(ImageList, NoHandlesLeftBehind)
{
    const auto before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 50; ++i) {
        TImageList images(nullptr);
        TBitmap strip;
    TwoSquares(strip);
        images.AddMasked(strip, clFuchsia);
        TBitmap field;
        GreenField(field, 16);
        images.Draw(field.Canvas(), 0, 0, 0);
        images.Draw(field.Canvas(), 0, 0, 1, false);
        images.SetDrawingStyle(dsSelected);
        images.Draw(field.Canvas(), 0, 0, 1);
        TMemoryStream stream;
        images.WriteData(stream);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

} // namespace
