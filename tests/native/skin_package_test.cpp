// Package layout: building, splitting the name list, and refusing packages
// whose layout does not fit their data.
#include "skin/load/SkinPackage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

void PutLe32(Bytes& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A package laid out by hand: header, name list text, sizes, contents.
Bytes RawPackage(std::string_view nameList, const std::vector<std::uint32_t>& sizes, std::size_t contentBytes,
                 std::uint32_t version = SKIN_PACKAGE_VERSION)
{
    Bytes bytes(16 + nameList.size() + 4 * sizes.size() + contentBytes, 0xAB);
    PutLe32(bytes, 0, version);
    PutLe32(bytes, 4, static_cast<std::uint32_t>(nameList.size()));
    PutLe32(bytes, 8, 0);
    PutLe32(bytes, 12, 0);
    std::copy(nameList.begin(), nameList.end(), bytes.begin() + 16);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        PutLe32(bytes, 16 + nameList.size() + 4 * i, sizes[i]);
    return bytes;
}

TEST(SkinPackageBuild, LayoutReadsBackWhatWasPacked)
{
    const Bytes a = BytesOf("BMfirst");
    const Bytes b;
    const Bytes c = BytesOf("[Skin]\r\n");
    const std::vector<TSkinPackageFile> files{{"Buttons.bmp", a}, {"empty.bmp", b}, {"skin.ini", c}};
    const Bytes package = BuildSkinPackage(files);

    const std::string nameList = "Buttons.bmp\r\nempty.bmp\r\nskin.ini\r\n";
    ASSERT_EQ(package.size(), 16 + nameList.size() + 12 + a.size() + c.size());
    const TSkinPackageHeader header = ReadSkinPackageHeader(package);
    EXPECT_EQ(header, (TSkinPackageHeader{20000, static_cast<std::uint32_t>(nameList.size()), 0, 0}));
    EXPECT_EQ(std::string(package.begin() + 16, package.begin() + 16 + static_cast<long>(nameList.size())), nameList);

    const TSkinPackageLayout layout = ParseSkinPackage(package);
    EXPECT_EQ(layout.names, (std::vector<std::string>{"Buttons.bmp", "empty.bmp", "skin.ini"}));
    EXPECT_EQ(layout.sizes, (std::vector<std::uint32_t>{7, 0, 8}));
    EXPECT_EQ(layout.contentsOffset, 16 + nameList.size() + 12);
    EXPECT_EQ(layout.contentsSize, 15u);
    EXPECT_EQ(layout.trailingSize, 0u);
    EXPECT_EQ(Bytes(package.begin() + static_cast<long>(layout.contentsOffset), package.end()),
              BytesOf("BMfirst[Skin]\r\n"));
}

TEST(SkinPackageBuild, EmptyPackage)
{
    const Bytes package = BuildSkinPackage({});
    EXPECT_EQ(package.size(), 16u);
    const TSkinPackageLayout layout = ParseSkinPackage(package);
    EXPECT_TRUE(layout.names.empty());
    EXPECT_EQ(layout.contentsOffset, 16u);
}

TEST(SkinPackageBuild, RefusesWhatCannotBeRead)
{
    const Bytes data = BytesOf("x");
    for (const std::string& bad : {std::string(), std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3)}) {
        const std::vector<TSkinPackageFile> files{{bad, data}};
        EXPECT_THROW(BuildSkinPackage(files), ESkinPackageError);
    }
    std::vector<TSkinPackageFile> many(SKIN_PACKAGE_MAX_ENTRIES, TSkinPackageFile{"f", data});
    EXPECT_NO_THROW(BuildSkinPackage(many));
    many.push_back({"g", data});
    EXPECT_THROW(BuildSkinPackage(many), ESkinPackageError);

    const Bytes big(SKIN_PACKAGE_MAX_SIZE - 16 - 4 - 3);
    const std::vector<TSkinPackageFile> fits{{"b\r", big}};
    EXPECT_THROW(BuildSkinPackage(fits), ESkinPackageError);
    const std::vector<TSkinPackageFile> exact{{"b", big}};
    EXPECT_EQ(BuildSkinPackage(exact).size(), SKIN_PACKAGE_MAX_SIZE);
    const std::vector<TSkinPackageFile> over{{"bb", big}};
    EXPECT_THROW(BuildSkinPackage(over), ESkinPackageError);
}

TEST(SkinPackageNames, LineEnds)
{
    EXPECT_TRUE(SplitSkinNameList("").empty());
    EXPECT_EQ(SplitSkinNameList("a"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitSkinNameList("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitSkinNameList("a\rb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    // LF CR is two line ends, CR CR too; blank lines are names.
    EXPECT_EQ(SplitSkinNameList("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitSkinNameList("\r\r"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(SplitSkinNameList("\r\n"), (std::vector<std::string>{""}));
    // No trimming, no NUL handling: names are taken as they stand.
    EXPECT_EQ(SplitSkinNameList(std::string_view(" a \r\nb\0c", 8)), (std::vector<std::string>{" a ", std::string("b\0c", 3)}));
}

TEST(SkinPackageMalformed, ShorterThanTheHeader)
{
    const Bytes header = RawPackage("", {}, 0);
    EXPECT_NO_THROW(ParseSkinPackage(header));
    for (std::size_t size = 0; size < 16; ++size)
        EXPECT_THROW(ParseSkinPackage(std::span(header).first(size)), ESkinPackageError) << size;
}

TEST(SkinPackageMalformed, NameListLengthNegativeOrPastTheData)
{
    Bytes bytes = RawPackage("a\r\n", {1}, 1);
    EXPECT_NO_THROW(ParseSkinPackage(bytes));
    for (std::uint32_t bad : {0xFFFFFFFFu, 0x80000000u, static_cast<std::uint32_t>(bytes.size() - 15)}) {
        PutLe32(bytes, 4, bad);
        EXPECT_THROW(ParseSkinPackage(bytes), ESkinPackageError) << bad;
    }
    // A name list that exactly fills the data leaves no room for its size.
    PutLe32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 16));
    EXPECT_THROW(ParseSkinPackage(bytes), ESkinPackageError);
}

TEST(SkinPackageMalformed, MoreThan1001Entries)
{
    std::string names;
    for (int i = 0; i < 1001; ++i)
        names += "n\r\n";
    EXPECT_EQ(ParseSkinPackage(RawPackage(names, std::vector<std::uint32_t>(1001, 0), 0)).names.size(), 1001u);
    names += "n\r\n";
    EXPECT_THROW(ParseSkinPackage(RawPackage(names, std::vector<std::uint32_t>(1002, 0), 0)), ESkinPackageError);
    // Millions of line ends are refused without storing them.
    const std::string flood(8u << 20, '\n');
    EXPECT_THROW(ParseSkinPackage(RawPackage(flood, {}, 0)), ESkinPackageError);
}

TEST(SkinPackageMalformed, SizeTablePastTheData)
{
    Bytes bytes = RawPackage("a\r\nb\r\n", {0, 0}, 0);
    EXPECT_NO_THROW(ParseSkinPackage(bytes));
    bytes.pop_back();
    EXPECT_THROW(ParseSkinPackage(bytes), ESkinPackageError);
}

TEST(SkinPackageMalformed, SizesAddingUpToMoreThanTheData)
{
    EXPECT_EQ(ParseSkinPackage(RawPackage("a\nb\n", {3, 4}, 7)).contentsSize, 7u);
    EXPECT_THROW(ParseSkinPackage(RawPackage("a\nb\n", {3, 5}, 7)), ESkinPackageError);
    // Sizes that would wrap a 32-bit sum back into range.
    EXPECT_THROW(ParseSkinPackage(RawPackage("a\nb\n", {0xFFFFFFFFu, 2}, 1)), ESkinPackageError);
    EXPECT_THROW(ParseSkinPackage(RawPackage("a\n", {0xFFFFFFFFu}, 1)), ESkinPackageError);
}

TEST(SkinPackageMalformed, BytesAfterTheLastEntryAreCountedNotRefused)
{
    const TSkinPackageLayout layout = ParseSkinPackage(RawPackage("a\n", {2}, 5));
    EXPECT_EQ(layout.contentsSize, 2u);
    EXPECT_EQ(layout.trailingSize, 3u);
}

TEST(SkinPackageMalformed, VersionIsNotTheLayoutsBusiness)
{
    const Bytes bytes = RawPackage("a\n", {1}, 1, 19999);
    EXPECT_EQ(ReadSkinPackageHeader(bytes)[0], 19999u);
    EXPECT_NO_THROW(ParseSkinPackage(bytes));
}

} // namespace
