// TSkinReader through LoadSkin: compressed streams in, entries out, the
// version message, and the refusal of streams and packages that lie.
#include "skin/load/SkinRead.h"

#include "skin/load/LzhEncoder.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/WinConvert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

// Records what would have been shown, for the life of the test.
class CapturedMessages {
public:
    CapturedMessages()
        : FPrevious(SetMessageDialogHook([this](std::string_view text) { FShown.emplace_back(text); }))
    {
    }
    ~CapturedMessages() { SetMessageDialogHook(std::move(FPrevious)); }
    CapturedMessages(const CapturedMessages&) = delete;
    CapturedMessages& operator=(const CapturedMessages&) = delete;

    const std::vector<std::string>& Shown() const { return FShown; }

private:
    std::vector<std::string> FShown;
    TMessageDialogHook FPrevious;
};

const Bytes buttonsBmp = BytesOf("BM\x36\x00\x00\x00 pretend bitmap");
const Bytes checkboxBmp = BytesOf("BM check");
const Bytes description = BytesOf("[Buttons]\r\nBitmap=Buttons.bmp\r\n");

Bytes SamplePackage()
{
    const std::vector<TSkinPackageFile> files{
        {"Buttons.bmp", buttonsBmp}, {"CHECKBOX.bmp", checkboxBmp}, {"Skin.INI", description}};
    return BuildSkinPackage(files);
}

Bytes WithVersion(Bytes package, std::uint32_t version)
{
    for (int i = 0; i < 4; ++i)
        package[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(version >> (8 * i));
    return package;
}

TEST(SkinReader, NamesAreLowerCasedAndFoundInAnyCase)
{
    CapturedMessages messages;
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(CompressSkinStream(SamplePackage())));
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(reader.Count(), 3);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"buttons.bmp", "checkbox.bmp", "skin.ini"}));
    EXPECT_EQ(reader.Sizes(), (std::vector<std::uint32_t>{static_cast<std::uint32_t>(buttonsBmp.size()),
                                                           static_cast<std::uint32_t>(checkboxBmp.size()),
                                                           static_cast<std::uint32_t>(description.size())}));

    Bytes target{1, 2, 3};
    EXPECT_TRUE(reader.GetEntry("Buttons.bmp", target));
    EXPECT_EQ(target, buttonsBmp);
    EXPECT_TRUE(reader.GetEntry("checkbox.BMP", target));
    EXPECT_EQ(target, checkboxBmp);
    EXPECT_FALSE(reader.GetEntry("missing.bmp", target));
    EXPECT_TRUE(target.empty());
    // Exact names only: a fragment is not a name.
    EXPECT_FALSE(reader.GetEntry("buttons", target));
}

TEST(SkinReader, FindEntryMatchesAFragmentByteForByte)
{
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(CompressSkinStream(SamplePackage())));
    Bytes target;
    std::string found = "unchanged";
    EXPECT_TRUE(reader.FindEntry(".ini", target, found));
    EXPECT_EQ(found, "skin.ini");
    EXPECT_EQ(target, description);

    EXPECT_TRUE(reader.FindEntry(".bmp", target, found));
    EXPECT_EQ(found, "buttons.bmp");

    found = "unchanged";
    EXPECT_FALSE(reader.FindEntry(".INI", target, found));
    EXPECT_TRUE(target.empty());
    EXPECT_EQ(found, "unchanged");
}

TEST(SkinReader, FirstOfTwoEqualNamesWins)
{
    const Bytes first = BytesOf("1");
    const Bytes second = BytesOf("22");
    const std::vector<TSkinPackageFile> files{{"a.BMP", first}, {"A.bmp", second}};
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(BuildSkinPackage(files)));
    Bytes target;
    reader.GetEntry("a.bmp", target);
    EXPECT_EQ(target, first);
}

TEST(SkinReader, OnlyVersion20000IsAccepted)
{
    for (std::uint32_t version : {19999u, 20001u, 0u, 0x4E200000u}) {
        CapturedMessages messages;
        TSkinReader reader;
        EXPECT_FALSE(reader.LoadSkin(CompressSkinStream(WithVersion(SamplePackage(), version)))) << version;
        EXPECT_EQ(messages.Shown(), std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"});
        EXPECT_EQ(reader.Count(), 0);
        Bytes target;
        EXPECT_FALSE(reader.GetEntry("buttons.bmp", target));
    }
}

TEST(SkinReader, WrongVersionIsToldEvenWhenTheRestIsGarbage)
{
    Bytes package = WithVersion(SamplePackage(), 19999);
    package[4] = 0xFF; // the name list length would be refused, but the version comes first
    CapturedMessages messages;
    TSkinReader reader;
    EXPECT_FALSE(reader.LoadPackage(package));
    EXPECT_EQ(messages.Shown().size(), 1u);
}

TEST(SkinReader, TrailingBytesAreIgnored)
{
    Bytes package = SamplePackage();
    package.insert(package.end(), 100, 0xEE);
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(CompressSkinStream(package)));
    Bytes target;
    reader.GetEntry("skin.ini", target);
    EXPECT_EQ(target, description);
}

TEST(SkinReaderMalformed, StreamShorterThanItsLengthWord)
{
    for (std::size_t size = 0; size < 4; ++size) {
        const Bytes stream(size, 0);
        TSkinReader reader;
        EXPECT_THROW(reader.LoadSkin(stream), ESkinStreamError) << size;
    }
}

TEST(SkinReaderMalformed, AbsurdUnpackedLengthRefusedBeforeDecoding)
{
    for (std::uint32_t length : {SKIN_PACKAGE_MAX_SIZE + 1, 0x80000000u, 0xFFFFFFFFu}) {
        Bytes stream{static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                     static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24), 0x12};
        TSkinReader reader;
        try {
            reader.LoadSkin(stream);
            ADD_FAILURE() << length;
        } catch (const ESkinStreamError& e) {
            EXPECT_NE(std::string(e.what()).find(std::to_string(length)), std::string::npos) << e.what();
        }
    }
}

TEST(SkinReaderMalformed, PackageShorterThanItsHeader)
{
    TSkinReader reader;
    EXPECT_THROW(reader.LoadSkin(CompressSkinStream(BytesOf("0123456789"))), ESkinPackageError);
    EXPECT_THROW(reader.LoadSkin(CompressSkinStream({})), ESkinPackageError);
}

TEST(SkinReaderMalformed, LayoutErrorsLeaveTheReaderEmpty)
{
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(CompressSkinStream(SamplePackage())));
    Bytes broken = SamplePackage();
    const std::size_t sizesOffset = 16 + std::string_view("Buttons.bmp\r\nCHECKBOX.bmp\r\nSkin.INI\r\n").size();
    broken[sizesOffset + 3] = 0x7F; // the first size, now far larger than the data
    EXPECT_THROW(reader.LoadSkin(CompressSkinStream(broken)), ESkinPackageError);
    EXPECT_EQ(reader.Count(), 0);
    Bytes target;
    EXPECT_FALSE(reader.GetEntry("buttons.bmp", target));
}

TEST(SkinReaderMalformed, CorruptCodedDataGivesGarbageNotAFault)
{
    // The codec reads a damaged stream as some other data; whatever comes
    // out, the reader either accepts a consistent package or refuses it.
    Bytes stream = CompressSkinStream(SamplePackage());
    for (std::size_t i = 4; i < stream.size(); i += 3) {
        Bytes damaged = stream;
        damaged[i] ^= 0x5A;
        TSkinReader reader;
        CapturedMessages messages;
        try {
            if (reader.LoadSkin(damaged)) {
                for (int e = 0; e < reader.Count(); ++e)
                    EXPECT_EQ(reader.Entry(e).size(), reader.Sizes()[static_cast<std::size_t>(e)]);
            }
        } catch (const ESkinPackageError&) {
        }
    }
}

TEST(SkinReader, DefaultDialogWithoutAHookDoesNotThrow)
{
    const TMessageDialogHook previous = SetMessageDialogHook({});
    TSkinReader reader;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(reader.LoadPackage(WithVersion(SamplePackage(), 1)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "This is Older Skin File\nPlease update to new version !\n");
    SetMessageDialogHook(previous);
}

} // namespace
