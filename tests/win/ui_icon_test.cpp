// TIcon: multi-image icon files load, the image that suits the drawn size
// is used, transparent pixels leave the background, handles are not leaked.
#include "ui/Bitmap.h"
#include "ui/Icon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct ImagePlan {
    int size;
    TColor colour;
    std::function<bool(int x, int y)> transparent;  // counted from the top
};

// One 32-bit icon image: header with doubled height, BGRA rows bottom-up, AND mask.
Bytes IconImage(const ImagePlan& plan)
{
    const int n = plan.size;
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(n));
    Put32(b, static_cast<std::uint32_t>(2 * n));
    Put16(b, 1);
    Put16(b, 32);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const bool clear = plan.transparent(x, y);
            b.push_back(clear ? 0 : BlueOf(plan.colour));
            b.push_back(clear ? 0 : GreenOf(plan.colour));
            b.push_back(clear ? 0 : RedOf(plan.colour));
            b.push_back(clear ? 0 : 255);
        }
    const int stride = (n + 31) / 32 * 4;
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < n; ++x)
            if (plan.transparent(x, y))
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

Bytes IconFile(const std::vector<ImagePlan>& plans)
{
    Bytes file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, static_cast<std::uint32_t>(plans.size()));
    std::vector<Bytes> images;
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * plans.size());
    for (const auto& plan : plans) {
        images.push_back(IconImage(plan));
        file.push_back(static_cast<std::uint8_t>(plan.size));
        file.push_back(static_cast<std::uint8_t>(plan.size));
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, static_cast<std::uint32_t>(images.back().size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(images.back().size());
    }
    for (const auto& image : images)
        file.insert(file.end(), image.begin(), image.end());
    return file;
}

// Red at 16, blue at 32, green at 48; the left column of each is transparent.
Bytes ThreeSizes()
{
    auto leftColumn = [](int x, int) { return x == 0; };
    return IconFile({{16, clRed, leftColumn}, {32, clBlue, leftColumn}, {48, clLime, leftColumn}});
}

TColor At(TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* line = bitmap.ScanLine(y);
    return RGBColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
}

TEST(Icon, OwnSizeIsTheLargeIconSize)
{
    TIcon icon;
    icon.LoadFromBytes(ThreeSizes());
    EXPECT_EQ(icon.ImageCount(), 3);
    EXPECT_EQ(icon.ImageSize(2).cx, 48);
    EXPECT_EQ(icon.ImageSize(5).cx, 0);
    const int large = GetSystemMetrics(SM_CXICON);
    EXPECT_EQ(icon.Width(), large == 16 || large == 48 ? large : 32);
    EXPECT_NE(icon.Handle(), nullptr);
}

TEST(Icon, DrawingPicksTheImageForTheSize)
{
    TIcon icon;
    icon.LoadFromBytes(ThreeSizes());
    struct Case {
        int size;
        TColor colour;
    };
    // 40 shrinks the 48-pixel image; 64 enlarges the largest.
    for (const Case c : {Case{16, clRed}, Case{32, clBlue}, Case{40, clLime}, Case{64, clLime}}) {
        SCOPED_TRACE(c.size);
        TBitmap target(c.size + 4, c.size + 4);
        target.Canvas().StretchDraw({2, 2, 2 + c.size, 2 + c.size}, icon);
        EXPECT_EQ(At(target, 2 + c.size / 2, 2 + c.size / 2), c.colour);
        EXPECT_EQ(At(target, 2 + c.size - 1, 2), c.colour);
        // The transparent column shows the white background; outside is untouched.
        EXPECT_EQ(At(target, 2, 2 + c.size / 2), clWhite);
        EXPECT_EQ(At(target, 1, 1), clWhite);
        EXPECT_EQ(At(target, c.size + 2, c.size + 2), clWhite);
    }
}

TEST(Icon, SavesItsFileAndRebuildsOneFromAHandle)
{
    const Bytes file = ThreeSizes();
    TIcon icon;
    icon.LoadFromBytes(file);
    EXPECT_EQ(icon.SaveToBytes(), file);

    TIcon fromHandle;
    fromHandle.SetHandle(ui::UniqueIcon(CopyIcon(icon.Handle())));
    EXPECT_EQ(fromHandle.Width(), icon.Width());
    EXPECT_EQ(fromHandle.ImageCount(), 0);

    TIcon reloaded;
    reloaded.LoadFromBytes(fromHandle.SaveToBytes());
    EXPECT_EQ(reloaded.ImageCount(), 1);
    const int n = reloaded.Width();
    TBitmap target(n, n);
    target.Canvas().Draw(0, 0, reloaded);
    EXPECT_EQ(At(target, n / 2, n / 2), n == 16 ? clRed : n == 32 ? clBlue : clLime);
    EXPECT_EQ(At(target, 0, n / 2), clWhite);

    TIcon copy;
    copy.Assign(icon);
    EXPECT_EQ(copy.ImageCount(), 3);
}

TEST(Icon, BrokenFilesRaise)
{
    TIcon icon;
    EXPECT_THROW(icon.LoadFromBytes(Bytes{0, 0, 2, 0, 1, 0}), EInvalidGraphic);  // a cursor directory
    EXPECT_THROW(icon.LoadFromBytes(Bytes{0, 0, 1, 0, 0, 0}), EInvalidGraphic);  // no images
    Bytes file = ThreeSizes();
    // Every image's offset beyond the end of the file.
    for (int i = 0; i < 3; ++i)
        file[6 + 16 * i + 14] = 0x7F;
    EXPECT_THROW(icon.LoadFromBytes(file), EInvalidGraphic);
    Bytes truncated = ThreeSizes();
    truncated.resize(30);
    EXPECT_THROW(icon.LoadFromBytes(truncated), EInvalidGraphic);
    EXPECT_TRUE(icon.Empty());
    icon.LoadFromBytes({});
    EXPECT_TRUE(icon.SaveToBytes().empty());
}

TEST(Icon, NoHandlesLeftBehind)
{
    const auto before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 50; ++i) {
        TIcon icon;
        icon.LoadFromBytes(ThreeSizes());
        TBitmap target(24, 24);
        target.Canvas().StretchDraw({0, 0, 24, 24}, icon);
        target.Canvas().StretchDraw({0, 0, 20, 20}, icon);
        TIcon other;
        other.SetHandle(ui::UniqueIcon(CopyIcon(icon.Handle())));
        other.SaveToBytes();
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

} // namespace
