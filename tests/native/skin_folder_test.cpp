// Unpacked skin folders: what a packed folder holds and in which order,
// the faults that stop a pack with the file named, and listings that tell
// every kind of change apart from none.
#include "skin/load/SkinFolder.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/WinConvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Entry {
    std::string name;
    std::string content;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& entry)
{
    return out << entry.name << "(" << entry.content.size() << " bytes)";
}

class SkinFolder : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("skin_folder_" + std::to_string(std::random_device()()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << content;
    }

    // The entries of the packed folder, read back through the package format.
    std::vector<Entry> Packed(std::vector<std::string>* unlisted = nullptr) const
    {
        const TPackedSkinFolder packed = PackSkinFolder(dir_, [unlisted](const std::string& name) {
            if (unlisted != nullptr)
                unlisted->push_back(name);
        });
        const Bytes package = DecompressSkinStream(packed.stream, SKIN_PACKAGE_MAX_SIZE);
        EXPECT_EQ(packed.packageSize, package.size());
        const TSkinPackageLayout layout = ParseSkinPackage(package);
        EXPECT_EQ(packed.entryCount, layout.names.size());
        std::vector<Entry> entries;
        std::size_t offset = layout.contentsOffset;
        for (std::size_t i = 0; i < layout.names.size(); ++i) {
            const auto* start = reinterpret_cast<const char*>(package.data() + offset);
            entries.push_back({layout.names[i], std::string(start, layout.sizes[i])});
            offset += layout.sizes[i];
        }
        return entries;
    }

    // The message of the pack's failure; empty when it packed.
    std::string Refusal() const
    {
        try {
            PackSkinFolder(dir_);
        } catch (const ESkinFolderError& error) {
            return error.what();
        }
        return {};
    }

    fs::path dir_;
};

TEST_F(SkinFolder, WithoutAnOrderFileBitmapsGoByNameAndTheDescriptionLast)
{
    Write("skin.ini", "[TitlebarSkin]\r\nSkinName=T\r\n");
    Write("top.bmp", "BMtop");
    Write("Buttons.bmp", "BMbuttons");
    Write("a.bmp", "");
    fs::create_directory(dir_ / "drafts");
    const std::vector<Entry> expected = {
        {"Buttons.bmp", "BMbuttons"}, {"a.bmp", ""}, {"top.bmp", "BMtop"}, {"skin.ini", "[TitlebarSkin]\r\nSkinName=T\r\n"}};
    EXPECT_EQ(Packed(), expected) << "byte order puts capitals first; folders are not entries";

    EXPECT_EQ(DefaultSkinFolderOrder({"b.ini", "z.BMP", "a.bmp"}), (std::vector<std::string>{"a.bmp", "z.BMP", "b.ini"}));
    EXPECT_TRUE(DefaultSkinFolderOrder({"a.bmp", "notes.txt"}).empty()) << "no place for a text file";
}

TEST_F(SkinFolder, AnOrderFileDecidesWhatIsPackedAndInWhichOrder)
{
    Write("skin.ini", "[x]\r\n");
    Write("b.bmp", "BMb");
    Write("a.bmp", "BMa");
    Write("notes.txt", "mine");
    Write("order.txt", "# package order\r\n\r\n  skin.ini  \r\nb.bmp\r\n#a.bmp\r\n");
    std::vector<std::string> unlisted;
    EXPECT_EQ(Packed(&unlisted), (std::vector<Entry>{{"skin.ini", "[x]\r\n"}, {"b.bmp", "BMb"}}));
    std::sort(unlisted.begin(), unlisted.end());
    EXPECT_EQ(unlisted, (std::vector<std::string>{"a.bmp", "notes.txt"})) << "the order file itself is not reported";

    Write("order.txt", "a.bmp\nnotes.txt\n");
    EXPECT_EQ(Packed(), (std::vector<Entry>{{"a.bmp", "BMa"}, {"notes.txt", "mine"}})) << "any file may be listed";
}

TEST_F(SkinFolder, AFolderThatCannotBePackedSaysWhy)
{
    Write("skin.ini", "[x]\r\n");
    Write("a.bmp", "BMa");
    Write("order.txt", "skin.ini\r\nmissing.bmp\r\na.bmp\r\n");
    std::string reason = Refusal();
    EXPECT_NE(reason.find("missing.bmp"), std::string::npos) << reason;

    fs::remove(dir_ / "order.txt");
    Write("skin.ini~", "[x]\r\n");
    reason = Refusal();
    EXPECT_NE(reason.find("order.txt"), std::string::npos) << "an editor's backup needs an order file: " << reason;

    fs::remove(dir_ / "skin.ini~");
    Write("A.BMP", "BMA");
    reason = Refusal();
    EXPECT_NE(reason.find("twice"), std::string::npos) << "names differing in case shadow each other: " << reason;

    fs::remove(dir_ / "A.BMP");
    EXPECT_EQ(Refusal(), "");
    fs::remove_all(dir_);
    reason = Refusal();
    EXPECT_NE(reason.find(dir_.string()), std::string::npos) << reason;
}

TEST_F(SkinFolder, AListingChangesWithEveryAddedRemovedOrRewrittenFile)
{
    Write("skin.ini", "Colour=1");
    Write("a.bmp", "BMa");
    fs::create_directory(dir_ / "sub");
    const auto before = ListSkinFolder(dir_);
    ASSERT_EQ(before.size(), 2u) << "folders are not listed";
    EXPECT_EQ(before[0].name, "a.bmp");
    EXPECT_EQ(before[1].name, "skin.ini");
    EXPECT_EQ(before[1].size, 8u);
    EXPECT_EQ(ListSkinFolder(dir_), before) << "nothing changed";

    const fs::file_time_type written = fs::last_write_time(dir_ / "skin.ini");
    fs::last_write_time(dir_ / "skin.ini", written + std::chrono::seconds(2));
    EXPECT_NE(ListSkinFolder(dir_), before) << "the same again, written later";

    Write("skin.ini", "Colour=2");
    fs::last_write_time(dir_ / "skin.ini", written);
    EXPECT_NE(ListSkinFolder(dir_), before) << "same size and time, other contents";

    Write("skin.ini", "Colour=22");
    fs::last_write_time(dir_ / "skin.ini", written);
    EXPECT_NE(ListSkinFolder(dir_), before) << "same time, another size";

    Write("skin.ini", "Colour=1");
    fs::last_write_time(dir_ / "skin.ini", written);
    EXPECT_EQ(ListSkinFolder(dir_), before) << "back as it was";

    Write("b.bmp", "BMb");
    EXPECT_EQ(ListSkinFolder(dir_).size(), 3u);
    fs::remove(dir_ / "b.bmp");
    fs::remove(dir_ / "a.bmp");
    const auto removed = ListSkinFolder(dir_);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].name, "skin.ini");

    fs::remove_all(dir_);
    EXPECT_TRUE(ListSkinFolder(dir_).empty()) << "a folder gone lists nothing";
}

} // namespace
