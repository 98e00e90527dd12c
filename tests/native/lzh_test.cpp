// The LZHUF decoder against known streams, and the encoder against the
// decoder.
#include "skin/load/LzhEncoder.h"
#include "skin/load/LzhModel.h"
#include "skin/load/WinConvert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Decodes through Unpack itself, recording how the codec uses the procedures.
struct Recorded {
    Bytes output;
    std::size_t reads = 0;
    std::size_t bytesDelivered = 0;
    bool everyCallWasOneByte = true;
};

Recorded UnpackRecorded(const Bytes& coded, std::int32_t length)
{
    Recorded result;
    std::size_t next = 0;
    TLZH codec;
    codec.Unpack(
        length,
        [&](std::span<std::uint8_t> buffer) -> std::size_t {
            ++result.reads;
            result.everyCallWasOneByte &= buffer.size() == 1;
            if (next == coded.size()) {
                return 0;
            }
            buffer[0] = coded[next++];
            ++result.bytesDelivered;
            return 1;
        },
        [&](std::span<const std::uint8_t> bytes) {
            result.everyCallWasOneByte &= bytes.size() == 1;
            result.output.insert(result.output.end(), bytes.begin(), bytes.end());
        });
    return result;
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed, int alphabet = 256)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    Bytes data(size);
    for (auto& b : data) {
        b = static_cast<std::uint8_t>(byte(random));
    }
    return data;
}

void ExpectRoundTrip(const Bytes& data)
{
    const Bytes coded = LzhEncode(data);
    const Bytes decoded = LzhDecode(coded, static_cast<std::int32_t>(data.size()));
    ASSERT_EQ(decoded.size(), data.size());
    EXPECT_TRUE(decoded == data) << "round trip differs for " << data.size() << " bytes";
}

TEST(LzhDecode, KnownStreams)
{
    EXPECT_EQ(LzhDecode(Bytes{0xF6, 0xFB, 0xBD, 0xE0}, 3), ToBytes("abc"));
    // Three literals, then a match of 6 that overlaps its own output.
    EXPECT_EQ(LzhDecode(Bytes{0xF6, 0xFB, 0xBD, 0xF1, 0xE0, 0x20}, 9), ToBytes("abcabcabc"));
    // A match that copies from the initial space fill.
    EXPECT_EQ(LzhDecode(Bytes{0x8E, 0x00, 0x00}, 5), ToBytes("     "));
}

TEST(LzhDecode, ProceduresAreCalledOneByteAtATime)
{
    const Recorded run = UnpackRecorded({0xF6, 0xFB, 0xBD, 0xF1, 0xE0, 0x20}, 9);
    EXPECT_EQ(run.output, ToBytes("abcabcabc"));
    EXPECT_TRUE(run.everyCallWasOneByte);
}

TEST(LzhDecode, LengthZeroOrNegativeReadsNothing)
{
    for (const std::int32_t length : {0, -1, -100000}) {
        const Recorded run = UnpackRecorded({0xF6, 0xFB, 0xBD, 0xE0}, length);
        EXPECT_TRUE(run.output.empty());
        EXPECT_EQ(run.reads, 0u);
    }
}

TEST(LzhDecode, MissingInputReadsAsZeros)
{
    // From zero bits the first symbol is the literal 0x74.
    const Recorded empty = UnpackRecorded({}, 1);
    EXPECT_EQ(empty.output, Bytes{0x74});
    EXPECT_EQ(empty.bytesDelivered, 0u);

    // A stream cut short decodes exactly as if zero bytes followed it.
    const Bytes coded = LzhEncode(ToBytes("The quick brown fox jumps over the lazy dog, twice: the quick brown fox."));
    for (std::size_t cut = 0; cut < coded.size(); ++cut) {
        Bytes truncated(coded.begin(), coded.begin() + static_cast<std::ptrdiff_t>(cut));
        Bytes padded = truncated;
        padded.resize(coded.size() + 64, 0);
        EXPECT_EQ(LzhDecode(truncated, 200), LzhDecode(padded, 200)) << "cut at " << cut;
    }
}

TEST(LzhDecode, ReadsNoFurtherThanItNeeds)
{
    // Bits are fetched a byte at a time once 8 or fewer are left, so the
    // codec never runs more than two bytes past the last bit it used.
    const Bytes data = RandomBytes(5000, 7, 16);
    Bytes coded = LzhEncode(data);
    const std::size_t codedSize = coded.size();
    coded.resize(codedSize + 100, 0xAA);
    const Recorded run = UnpackRecorded(coded, static_cast<std::int32_t>(data.size()));
    EXPECT_EQ(run.output, data);
    EXPECT_LE(run.bytesDelivered, codedSize + 2);
}

TEST(LzhDecode, CorruptStreamsGiveExactlyTheRequestedCount)
{
    std::mt19937 random(12345);
    for (int i = 0; i < 300; ++i) {
        const Bytes noise = RandomBytes(random() % 300, random());
        const auto length = static_cast<std::int32_t>(random() % 5000);
        EXPECT_EQ(LzhDecode(noise, length).size(), static_cast<std::size_t>(length));
    }
    // All ones: the longest match code, again and again, crossing the end.
    const Bytes ones(64, 0xFF);
    for (std::int32_t length = 1; length < 200; ++length) {
        EXPECT_EQ(LzhDecode(ones, length).size(), static_cast<std::size_t>(length));
    }
}

// A stream of one match, coded by hand from a fresh tree.
Bytes SingleMatch(int length, unsigned position)
{
    lzh::LzhTree tree;
    tree.Reset();
    const lzh::LzhTree::Code symbol = tree.CodeOf(lzh::MatchSymbol(length));
    std::string bits;
    for (int i = symbol.length - 1; i >= 0; --i) {
        bits += static_cast<char>('0' + (symbol.bits >> i & 1));
    }
    const unsigned upper = position >> 6;
    for (int i = lzh::POSITION_CODE.length[upper] - 1; i >= 0; --i) {
        bits += static_cast<char>('0' + (lzh::POSITION_CODE.code[upper] >> i & 1));
    }
    for (int i = 5; i >= 0; --i) {
        bits += static_cast<char>('0' + (position >> i & 1));
    }
    Bytes coded((bits.size() + 7) / 8);
    for (std::size_t i = 0; i < bits.size(); ++i) {
        coded[i / 8] = static_cast<std::uint8_t>(coded[i / 8] | (bits[i] - '0') << (7 - i % 8));
    }
    return coded;
}

TEST(LzhDecode, MatchBeforeAnyWriteReadsZerosBeyondTheSpaceFill)
{
    // The window tail past the space fill has never been written when the
    // first symbol is a match; it reads as zeros, never as stale memory.
    const Bytes selfCopy = LzhDecode(SingleMatch(60, 4095), 60);
    EXPECT_EQ(selfCopy, Bytes(60, 0x00));
    // 45 bytes of the tail, then the space fill from its start.
    Bytes wrapped(45, 0x00);
    wrapped.resize(60, 0x20);
    EXPECT_EQ(LzhDecode(SingleMatch(60, 4080), 60), wrapped);
    EXPECT_EQ(LzhDecode(SingleMatch(5, 0), 5), Bytes(5, 0x20));
}

TEST(LzhDecode, ArbitraryStreamsDecodeAsAnIndependentDecoderDoes)
{
    // Round trips cannot catch a model that encoder and decoder get wrong
    // alike. Every bit string is a valid stream, so random ones exercise
    // far matches, the window tail and many tree rebuilds; the digests were
    // checked once against an independent decoder of the same method.
    const std::pair<std::uint32_t, std::uint64_t> expected[] = {
        {1, 0xf1a2bffbae74bc9full}, {2, 0x861e0583ab00d692ull}, {3, 0xb6f02c85817cc15eull}};
    for (const auto& [seed, digest] : expected) {
        std::mt19937 random(seed);
        Bytes coded(60000);
        for (auto& b : coded) {
            b = static_cast<std::uint8_t>(random());
        }
        std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
        for (const std::uint8_t b : LzhDecode(coded, 200000)) {
            hash = (hash ^ b) * 0x100000001b3ull;
        }
        EXPECT_EQ(hash, digest) << "seed " << seed;
    }
}

TEST(LzhRoundTrip, SmallAndEdgeInputs)
{
    ExpectRoundTrip({});
    ExpectRoundTrip({0x00});
    ExpectRoundTrip({0x20});
    ExpectRoundTrip(ToBytes("abc"));
    ExpectRoundTrip(ToBytes("abcabcabc"));
    ExpectRoundTrip(Bytes(5, 0x20));
    for (int size = 1; size < 70; ++size) {
        ExpectRoundTrip(RandomBytes(static_cast<std::size_t>(size), static_cast<std::uint32_t>(size), 3));
    }
}

TEST(LzhRoundTrip, RandomData)
{
    for (const int alphabet : {2, 4, 26, 256}) {
        ExpectRoundTrip(RandomBytes(20000, static_cast<std::uint32_t>(alphabet), alphabet));
    }
}

TEST(LzhRoundTrip, LongRuns)
{
    ExpectRoundTrip(Bytes(100000, 0x00));
    ExpectRoundTrip(Bytes(100000, 0x20));
    Bytes runs;
    std::mt19937 random(99);
    while (runs.size() < 200000) {
        runs.insert(runs.end(), random() % 5000, static_cast<std::uint8_t>(random()));
    }
    ExpectRoundTrip(runs);
}

TEST(LzhRoundTrip, ManySymbolsForceTreeRebuilds)
{
    // Far more than 0x8000 symbols: the root's frequency reaches the limit
    // many times over, on both sides.
    ExpectRoundTrip(RandomBytes(300000, 3));
    ExpectRoundTrip(RandomBytes(300000, 4, 7));
}

TEST(LzhRoundTrip, OneMegabyte)
{
    Bytes data = RandomBytes(1 << 20, 5, 64);
    // Repeats near and far, including at the window's edge.
    for (std::size_t i = 0; i + 8192 < data.size(); i += 65536) {
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(i), 4096,
                    data.begin() + static_cast<std::ptrdiff_t>(i + 4096));
    }
    ExpectRoundTrip(data);
}

TEST(LzhRoundTrip, DistancesAtTheWindowEdge)
{
    // A block repeated exactly N, N - 1 and N + 1 bytes later.
    for (const std::size_t gap : {4095u, 4096u, 4097u}) {
        Bytes data = RandomBytes(gap + 300, static_cast<std::uint32_t>(gap));
        std::copy_n(data.begin(), 300, data.begin() + static_cast<std::ptrdiff_t>(gap));
        ExpectRoundTrip(data);
    }
}

TEST(LzhEncode, CompressesRedundantData)
{
    EXPECT_LT(LzhEncode(Bytes(100000, 0x41)).size(), 2500u);
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += "[Button" + std::to_string(i) + "]\r\nImage=buttons.bmp\r\nFrameCount=5\r\n";
    }
    EXPECT_LT(LzhEncode(ToBytes(text)).size(), text.size() / 5);
}

TEST(SkinStream, RoundTripWithLengthHeader)
{
    const Bytes data = RandomBytes(70000, 11, 40);
    const Bytes stream = CompressSkinStream(data);
    ASSERT_GE(stream.size(), 4u);
    EXPECT_EQ(stream[0] | stream[1] << 8 | stream[2] << 16 | stream[3] << 24, 70000);
    EXPECT_EQ(DecompressSkinStream(stream), data);
    EXPECT_EQ(CompressSkinStream({}), (Bytes{0, 0, 0, 0}));
    EXPECT_TRUE(DecompressSkinStream(Bytes{0, 0, 0, 0}).empty());
}

TEST(SkinStream, RefusesBadHeaders)
{
    EXPECT_THROW(DecompressSkinStream({}), ESkinStreamError);
    EXPECT_THROW(DecompressSkinStream(Bytes{3, 0, 0}), ESkinStreamError);
    // Declared lengths beyond the limit are refused before decoding.
    EXPECT_THROW(DecompressSkinStream(Bytes{0xFF, 0xFF, 0xFF, 0xFF}), ESkinStreamError);
    EXPECT_THROW(DecompressSkinStream(Bytes{0x01, 0x00, 0x00, 0x04}), ESkinStreamError);  // 64 MiB + 1
    EXPECT_THROW(DecompressSkinStream(Bytes{0x00, 0x01, 0x00, 0x00}, 255), ESkinStreamError);
    EXPECT_EQ(DecompressSkinStream(Bytes{0xFF, 0x00, 0x00, 0x00}, 255).size(), 255u);
}

}  // namespace
