// The damaged-skin generator, and the loading stages that run without
// Windows (stream, package, description, bitmap files) over all it makes:
// each skin is read or refused with the loader's own errors, never more.
#include "tests/support/HostileSkins.h"

#include "skin/load/MessageDialog.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/SkinRead.h"
#include "skin/load/WinConvert.h"
#include "skin/load/WinSkinIni.h"
#include "ui/BmpFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using hostile::HostileSkin;
using hostile::Kind;

constexpr std::uint64_t kSeed = 20261209;

fs::path BinaryDir()
{
    if (const char* dir = std::getenv("ZEL_BINARY_DIR"))
        return dir;
    return fs::canonical("/proc/self/exe").parent_path().parent_path().parent_path();
}

const Bytes& DefaultSkin()
{
    static const Bytes bytes = [] {
        std::ifstream in(BinaryDir() / "skins" / "default.skin", std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

const std::vector<HostileSkin>& Skins()
{
    static const std::vector<HostileSkin> skins = hostile::MakeHostileSkins(DefaultSkin(), kSeed);
    return skins;
}

bool Only(const HostileSkin& skin, Kind kind) { return skin.kinds == std::vector<Kind>{kind}; }

std::uint32_t Le32(const Bytes& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

// The package's entries by name, read with the package's own layout rules.
std::map<std::string, Bytes> Entries(const Bytes& stream)
{
    const Bytes package = DecompressSkinStream(stream);
    const TSkinPackageLayout layout = ParseSkinPackage(package);
    std::map<std::string, Bytes> entries;
    std::size_t offset = layout.contentsOffset;
    for (std::size_t i = 0; i < layout.names.size(); ++i) {
        entries[layout.names[i]] = Bytes(package.begin() + static_cast<std::ptrdiff_t>(offset),
                                         package.begin() + static_cast<std::ptrdiff_t>(offset + layout.sizes[i]));
        offset += layout.sizes[i];
    }
    return entries;
}

class HostileSkinsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GT(DefaultSkin().size(), 1000u) << "the default skin is built"; }
};

void EveryKindOccursAndSomeSkinsCombineSeveral()
{
    std::map<Kind, int> counts;
    int combined = 0;
    for (const HostileSkin& skin : Skins()) {
        ASSERT_FALSE(skin.kinds.empty());
        EXPECT_FALSE(skin.note.empty());
        for (const Kind kind : skin.kinds)
            ++counts[kind];
        combined += skin.kinds.size() > 1 ? 1 : 0;
        EXPECT_NE(skin.stream, DefaultSkin()) << skin.note;
    }
    for (int k = 0; k < hostile::kKindCount; ++k) {
        EXPECT_GT(counts[static_cast<Kind>(k)], 0) << hostile::KindName(static_cast<Kind>(k));
        EXPECT_NE(hostile::KindName(static_cast<Kind>(k)), "?");
    }
    EXPECT_GE(combined, 20);
    EXPECT_GE(counts[Kind::BadNumbers], 30) << "numbers are the most varied damage";
}

void DamagedStreamsAreCutOrMislabelledCopiesOfTheGoodOne()
{
    const Bytes& good = DefaultSkin();
    int checked = 0;
    for (const HostileSkin& skin : Skins()) {
        const Bytes& s = skin.stream;
        if (skin.Has(Kind::Empty)) {
            EXPECT_TRUE(s.empty());
        }
        if (skin.Has(Kind::TruncatedHeader)) {
            EXPECT_GE(s.size(), 1u);
            EXPECT_LE(s.size(), 3u);
        }
        if (Only(skin, Kind::TruncatedBody)) {
            ASSERT_GE(s.size(), 4u);
            EXPECT_LT(s.size(), good.size());
            EXPECT_TRUE(std::equal(s.begin(), s.end(), good.begin())) << "a prefix of the good stream";
            ++checked;
        }
        if (Only(skin, Kind::WrongLength)) {
            ASSERT_EQ(s.size(), good.size());
            EXPECT_NE(Le32(s, 0), Le32(good, 0));
            EXPECT_TRUE(std::equal(s.begin() + 4, s.end(), good.begin() + 4));
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

void DamagedContentsStayInAWellFormedStream()
{
    const std::map<std::string, Bytes> good = Entries(DefaultSkin());
    const Bytes& goodIni = good.at("skin.ini");
    std::map<Kind, int> seen;
    for (const HostileSkin& skin : Skins()) {
        if (skin.kinds.size() != 1)
            continue;
        const Kind kind = skin.kinds.front();
        if (static_cast<int>(kind) > static_cast<int>(Kind::GarbageLines))
            continue;
        std::map<std::string, Bytes> entries;
        ASSERT_NO_THROW(entries = Entries(skin.stream)) << skin.note;
        ASSERT_EQ(entries.count("skin.ini"), 1u) << skin.note;
        ++seen[kind];
        int changedBitmaps = 0;
        for (const auto& [name, data] : entries) {
            if (name != "skin.ini" && good.at(name) != data)
                ++changedBitmaps;
        }
        switch (kind) {
        case Kind::BitmapRemoved:
            EXPECT_EQ(entries.size() + 1, good.size()) << skin.note;
            break;
        case Kind::BitmapTiny: {
            ASSERT_EQ(changedBitmaps, 1) << skin.note;
            bool found = false;
            for (const auto& [name, data] : entries) {
                if (data.size() >= 26 && data != good.at(name) && name != "skin.ini")
                    found = Le32(data, 18) == 1 && Le32(data, 22) == 1;
            }
            EXPECT_TRUE(found) << skin.note;
            break;
        }
        case Kind::BitmapOddSize:
        case Kind::BitmapHugeHeader:
        case Kind::BitmapNotBitmap:
            EXPECT_EQ(changedBitmaps, 1) << skin.note;
            EXPECT_EQ(entries.at("skin.ini"), goodIni) << skin.note;
            break;
        default:
            EXPECT_EQ(changedBitmaps, 0) << skin.note;
            EXPECT_NE(entries.at("skin.ini"), goodIni) << skin.note;
            break;
        }
    }
    EXPECT_GE(seen.size(), 6u) << "most content kinds occur alone too";
}

// One case, since making the skins is what takes the time.
TEST_F(HostileSkinsTest, EveryKindOfDamageIsMadeTheSameWayForASeed)
{
    // Packing is the slow part, so the repeat covers a prefix: a shorter run
    // draws the same numbers first.
    const std::vector<HostileSkin> again = hostile::MakeHostileSkins(DefaultSkin(), kSeed, 40);
    ASSERT_EQ(again.size(), 40u);
    ASSERT_EQ(Skins().size(), 200u);
    for (std::size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].stream, Skins()[i].stream) << i;
        EXPECT_EQ(again[i].kinds, Skins()[i].kinds) << i;
        EXPECT_EQ(again[i].note, Skins()[i].note) << i;
    }
    int differing = 0;
    const std::vector<HostileSkin> other = hostile::MakeHostileSkins(DefaultSkin(), kSeed + 1, 40);
    for (std::size_t i = hostile::kKindCount; i < other.size(); ++i)
        differing += other[i].stream != Skins()[i].stream ? 1 : 0;
    EXPECT_GT(differing, 20);
    EveryKindOccursAndSomeSkinsCombineSeveral();
    DamagedStreamsAreCutOrMislabelledCopiesOfTheGoodOne();
    DamagedContentsStayInAWellFormedStream();
}

// Every key of every section read as text and as a number, and every
// bitmap entry decoded: what the model builder asks of the portable parts.
void ReadEverything(const TSkinReader& reader)
{
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[static_cast<std::size_t>(i)];
        const std::span<const std::uint8_t> entry = reader.Entry(i);
        if (name.ends_with(".ini")) {
            TQuickIni ini;
            ini.LoadFromStream(entry);
            std::vector<std::string> sections;
            ini.ReadSections(sections);
            for (const std::string& line : ini.Lines()) {
                const std::string key = line.substr(0, line.find('='));
                for (const std::string& section : sections) {
                    (void)ini.ReadString(section, key);
                    (void)ini.ReadInteger(section, key, -1);
                }
            }
        } else if (name.ends_with(".bmp")) {
            try {
                const ui::bmp::Image image = ui::bmp::Decode(entry);
                EXPECT_GT(image.width, 0) << name;
                EXPECT_GE(image.pixels.size(), ui::bmp::Stride(image.width, image.layout)) << name;
            } catch (const ui::bmp::FormatError&) {
            }
        }
    }
}

TEST_F(HostileSkinsTest, EverySkinIsReadOrRefusedByTheLoaderWithItsOwnErrors)
{
    int dialogs = 0;
    const TMessageDialogHook previous = SetMessageDialogHook([&dialogs](std::string_view) { ++dialogs; });
    std::map<Kind, int> read;
    std::map<Kind, int> refused;
    for (const HostileSkin& skin : Skins()) {
        TSkinReader reader;
        bool loaded = false;
        try {
            loaded = reader.LoadSkin(skin.stream);
        } catch (const ESkinStreamError&) {
        } catch (const ESkinPackageError&) {
        } catch (const ElzhException&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << skin.note << ": " << e.what();
        }
        for (const Kind kind : skin.kinds)
            ++(loaded ? read : refused)[kind];
        if (!loaded) {
            EXPECT_EQ(reader.Count(), 0) << skin.note;
            continue;
        }
        ReadEverything(reader);
        const bool streamDamaged = skin.Has(Kind::TruncatedBody) || skin.Has(Kind::WrongLength);
        if (!streamDamaged) {
            EXPECT_GT(reader.Count(), 0) << skin.note;
        }
    }
    SetMessageDialogHook(previous);
    EXPECT_EQ(dialogs, 0) << "no damage touches the package version";
    EXPECT_EQ(read[Kind::Empty] + read[Kind::TruncatedHeader], 0);
    for (const Kind kind : {Kind::BadNumbers, Kind::SectionRemoved, Kind::BitmapRemoved, Kind::BitmapTiny,
                            Kind::BitmapOddSize, Kind::BitmapHugeHeader, Kind::BitmapNotBitmap, Kind::GarbageLines}) {
        EXPECT_GT(read[kind], 0) << hostile::KindName(kind) << ": the package itself is sound";
    }
    for (int k = 0; k < hostile::kKindCount; ++k) {
        const auto kind = static_cast<Kind>(k);
        std::printf("%-20s read %3d refused %3d\n", std::string(hostile::KindName(kind)).c_str(), read[kind], refused[kind]);
    }
}

} // namespace
