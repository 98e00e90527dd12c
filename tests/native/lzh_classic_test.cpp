// Our LZH encoder against the classic greedy one over text, runs, noise
// and skin data: both decode with our decoder, and ours is never larger.
#include "skin/load/LzhEncoder.h"
#include "skin/load/WinConvert.h"
#include "tests/bench/SkinLikePayload.h"
#include "tests/lzh/ClassicLzhEncoder.h"
#include "tests/lzh/LzhCorpus.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Decode(const Bytes& coded, std::size_t size) { return LzhDecode(coded, static_cast<std::int32_t>(size)); }

// The default skin's package as the build packs it, or nothing when the
// test runs without the build tree.
Bytes DefaultSkinPackage()
{
    const char* dir = std::getenv("ZEL_BINARY_DIR");
    if (dir == nullptr) {
        return {};
    }
    std::ifstream file(fs::path(dir) / "skins" / "default.skin", std::ios::binary);
    const Bytes stream{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return stream.empty() ? Bytes{} : DecompressSkinStream(stream);
}

std::vector<LzhSample> Corpus()
{
    std::vector<LzhSample> corpus = GeneratedCorpus();
    corpus.push_back({"skin-like payload", SkinLikePayload()});
    if (Bytes package = DefaultSkinPackage(); !package.empty()) {
        corpus.push_back({"default skin package", std::move(package)});
    }
    return corpus;
}

TEST(ClassicLzh, CodesKnownStreamsBitForBit)
{
    // Streams worked out by hand from a fresh tree; the second is three
    // literals and a match of 6 at distance 3, as greedy parsing takes it.
    EXPECT_EQ(ClassicLzhEncode(ToBytes("abc")), (Bytes{0xF6, 0xFB, 0xBD, 0xE0}));
    EXPECT_EQ(ClassicLzhEncode(ToBytes("abcabcabc")), (Bytes{0xF6, 0xFB, 0xBD, 0xF1, 0xE0, 0x20}));
    EXPECT_TRUE(ClassicLzhEncode({}).empty());
}

TEST(ClassicLzh, OutputDecodesWithOurDecoder)
{
    for (const LzhSample& sample : Corpus()) {
        EXPECT_EQ(Decode(ClassicLzhEncode(sample.bytes), sample.bytes.size()), sample.bytes) << sample.name;
    }
    // Strings of the initial spaces, repeats at the window's reach, and
    // tails shorter than a match.
    EXPECT_EQ(Decode(ClassicLzhEncode(Bytes(5000, 0x20)), 5000), Bytes(5000, 0x20));
    Bytes far = CorpusRandom(9000, 9);
    std::copy_n(far.begin(), 400, far.begin() + 4000);
    EXPECT_EQ(Decode(ClassicLzhEncode(far), far.size()), far);
    for (std::size_t size = 1; size < 8; ++size) {
        const Bytes tail = CorpusRuns(size, static_cast<std::uint32_t>(size));
        EXPECT_EQ(Decode(ClassicLzhEncode(tail), size), tail);
    }
}

TEST(LzhEncoder, NeverLargerThanClassicAndDecodes)
{
    for (const LzhSample& sample : Corpus()) {
        const Bytes ours = LzhEncode(sample.bytes);
        const Bytes classic = ClassicLzhEncode(sample.bytes);
        EXPECT_LE(ours.size(), classic.size()) << sample.name;
        EXPECT_EQ(Decode(ours, sample.bytes.size()), sample.bytes) << sample.name;
    }
}

TEST(LzhEncoder, ParsingBeatsGreedyClearlyOnText)
{
    // Choosing between literals and matches by their cost is what the
    // encoder is for; on text it wins by well over a few per cent.
    const Bytes text = CorpusText(200000, 5);
    EXPECT_LT(static_cast<double>(LzhEncode(text).size()), 0.95 * static_cast<double>(ClassicLzhEncode(text).size()));
}

}  // namespace
