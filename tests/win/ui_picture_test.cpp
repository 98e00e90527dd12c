// TPicture: files recognised by content, change notification, copies, and
// the "Data" form-data property of every graphic kind.
#include "ui/Bitmap.h"
#include "ui/Icon.h"
#include "ui/Jpeg.h"
#include "ui/Picture.h"
#include "ui/Properties.h"
#include "ui/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string DataFile(const char* name)
{
    const char* root = std::getenv("ZEL_SOURCE_DIR");
    std::string path = std::string(root ? root : ".") + "/tests/data/ui/" + name;
    if (path.starts_with('/'))
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

Bytes SmallBitmapFile()
{
    TBitmap bitmap(3, 2);
    bitmap.Canvas().SetPixel(2, 1, clRed);
    return bitmap.SaveToBytes();
}

Bytes SmallIconFile()
{
    const BYTE andMask[128]{};
    BYTE xorMask[128];
    std::fill(std::begin(xorMask), std::end(xorMask), BYTE{0xFF});
    TIcon icon;
    icon.SetHandle(ui::UniqueIcon(CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask)));
    return icon.SaveToBytes();
}

TEST(Picture, FilesAreRecognisedByContent)
{
    TPicture picture;
    picture.LoadFromFile(DataFile("quadrants.jpg"));
    EXPECT_TRUE(ui::As<TJPEGImage>(picture.Graphic()));
    EXPECT_EQ(picture.Width(), 16);

    picture.LoadFromBytes(SmallBitmapFile());
    EXPECT_TRUE(ui::As<TBitmap>(picture.Graphic()));
    EXPECT_EQ(picture.Height(), 2);

    picture.LoadFromBytes(SmallIconFile());
    EXPECT_TRUE(ui::As<TIcon>(picture.Graphic()));
    EXPECT_EQ(picture.Width(), 32);

    // Unknown content raises and keeps the icon.
    EXPECT_THROW(picture.LoadFromBytes(Bytes{'G', 'I', 'F', '8'}), EInvalidGraphic);
    EXPECT_TRUE(ui::As<TIcon>(picture.Graphic()));
    picture.LoadFromBytes({});
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
}

TEST(Picture, ChangesReachTheOwner)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, &picture);
        ++changes;
    });
    picture.LoadFromBytes(SmallBitmapFile());
    EXPECT_EQ(changes, 1);
    // Drawing on the held bitmap is a change of the picture too.
    picture.Bitmap().Canvas().FillRect({0, 0, 1, 1});
    EXPECT_EQ(changes, 2);
    picture.Bitmap().SetSize(5, 5);
    EXPECT_EQ(changes, 3);
}

TEST(Picture, AskingForAnotherKindReplacesTheGraphic)
{
    TPicture picture;
    picture.LoadFromFile(DataFile("quadrants.jpg"));
    TBitmap& bitmap = picture.Bitmap();
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(picture.Graphic(), &bitmap);
    EXPECT_EQ(&picture.Bitmap(), &bitmap);  // already one: kept
    EXPECT_TRUE(picture.Icon().Empty());
}

TEST(Picture, AssignCopiesTheGraphicOfItsKind)
{
    TPicture source;
    source.LoadFromFile(DataFile("quadrants.jpg"));
    TPicture copy;
    copy.Assign(source);
    ASSERT_TRUE(ui::As<TJPEGImage>(copy.Graphic()));
    EXPECT_NE(copy.Graphic(), source.Graphic());
    EXPECT_EQ(copy.Graphic()->SaveToBytes(), source.Graphic()->SaveToBytes());

    TBitmap bitmap(4, 4);
    copy.Assign(bitmap);
    EXPECT_TRUE(ui::As<TBitmap>(copy.Graphic()));
    EXPECT_EQ(copy.Width(), 4);

    TPicture empty;
    copy.Assign(empty);
    EXPECT_EQ(copy.Graphic(), nullptr);
    TFont font;
    EXPECT_THROW(copy.Assign(font), EConvertError);
}

TEST(Picture, DataPropertyRoundTripsEveryKind)
{
    const ui::TPropInfo* data = ui::FindPropInfo(TPicture::ClassInfo, "data");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Kind, ui::TPropKind::Binary);

    for (const Bytes& file : {SmallBitmapFile(), SmallIconFile(), Bytes{}}) {
        TPicture source;
        source.LoadFromBytes(file);
        TMemoryStream stream;
        data->WriteData(source, stream);
        stream.SetPosition(0);
        TPicture target;
        target.LoadFromBytes(SmallBitmapFile());
        data->ReadData(target, stream);
        EXPECT_EQ(stream.Remaining(), 0);
        if (file.empty()) {
            EXPECT_EQ(target.Graphic(), nullptr);
            EXPECT_FALSE(data->IsStored(source));
        } else {
            ASSERT_NE(target.Graphic(), nullptr);
            EXPECT_EQ(target.Graphic()->ClassName(), source.Graphic()->ClassName());
            EXPECT_EQ(target.Graphic()->SaveToBytes(), file);
            EXPECT_TRUE(data->IsStored(source));
        }
    }
}

TEST(Picture, DamagedDataRaises)
{
    auto read = [](const Bytes& bytes) {
        TCustomMemoryStream stream(std::as_bytes(std::span(bytes)));
        TPicture picture;
        picture.ReadData(stream);
    };
    EXPECT_THROW(read(Bytes{3, 'T', 'X', 'Y', 0, 0, 0, 0}), EInvalidGraphic);          // unknown class
    EXPECT_THROW(read(Bytes{7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 50, 0, 0, 0, 1}), EReadError);  // size beyond the end
    EXPECT_THROW(read(Bytes{7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 0xFF, 0xFF, 0xFF, 0xFF}), EReadError);
    EXPECT_THROW(read(Bytes{9, 'T', 'B'}), EReadError);                                 // name cut short
    EXPECT_THROW(read(Bytes{7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 2, 0, 0, 0, 'B', 'M'}), EInvalidGraphic);
}

} // namespace
