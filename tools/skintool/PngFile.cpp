#include "tools/skintool/PngFile.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace {

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(std::span(out).subspan(typeAt)));
}

// Deflate bits go out least significant first; Huffman codes most
// significant first.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i) {
            Bit((value >> i) & 1);
        }
    }
    void Code(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i) {
            Bit((code >> i) & 1);
        }
    }
    void Flush()
    {
        if (used_ > 0) {
            out_.push_back(pending_);
            pending_ = 0;
            used_ = 0;
        }
    }

private:
    void Bit(std::uint32_t bit)
    {
        pending_ |= static_cast<std::uint8_t>(bit << used_);
        if (++used_ == 8) {
            Flush();
        }
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t pending_ = 0;
    int used_ = 0;
};

// A literal/length symbol in the fixed Huffman code.
void FixedSymbol(BitWriter& bits, int symbol)
{
    if (symbol < 144) {
        bits.Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        bits.Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        bits.Code(symbol - 256, 7);
    } else {
        bits.Code(0xC0 + symbol - 280, 8);
    }
}

constexpr std::array<int, 29> LENGTH_BASE{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> LENGTH_EXTRA{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> DISTANCE_BASE{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                            33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> DISTANCE_EXTRA{0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr int MIN_MATCH = 3;
constexpr int MAX_MATCH = 258;
constexpr std::size_t MAX_DISTANCE = 32768;

void Match(BitWriter& bits, int length, std::size_t distance)
{
    int code = 28;
    while (LENGTH_BASE[code] > length) {
        --code;
    }
    FixedSymbol(bits, 257 + code);
    bits.Bits(length - LENGTH_BASE[code], LENGTH_EXTRA[code]);
    int distanceCode = 29;
    while (DISTANCE_BASE[distanceCode] > int(distance)) {
        --distanceCode;
    }
    bits.Code(distanceCode, 5);
    bits.Bits(int(distance) - DISTANCE_BASE[distanceCode], DISTANCE_EXTRA[distanceCode]);
}

// A zlib stream of one fixed-Huffman deflate block. Pictures repeat the
// previous pixel and the row above, so looking back exactly that far
// finds the long matches without any search structure.
std::vector<std::uint8_t> Zlib(std::span<const std::uint8_t> data, std::size_t pixelBytes, std::size_t rowBytes)
{
    std::vector<std::uint8_t> out{0x78, 0x01};
    BitWriter bits(out);
    bits.Bits(1, 1);  // the last block
    bits.Bits(1, 2);  // fixed Huffman codes
    const std::array<std::size_t, 3> distances{1, pixelBytes, rowBytes};
    std::size_t at = 0;
    while (at < data.size()) {
        int best = 0;
        std::size_t bestDistance = 0;
        for (const std::size_t distance : distances) {
            if (distance > at || distance > MAX_DISTANCE) {
                continue;
            }
            const std::size_t limit = std::min<std::size_t>(MAX_MATCH, data.size() - at);
            std::size_t length = 0;
            while (length < limit && data[at + length] == data[at + length - distance]) {
                ++length;
            }
            if (int(length) > best) {
                best = int(length);
                bestDistance = distance;
            }
        }
        if (best >= MIN_MATCH) {
            Match(bits, best, bestDistance);
            at += best;
        } else {
            FixedSymbol(bits, data[at]);
            ++at;
        }
    }
    FixedSymbol(bits, 256);
    bits.Flush();
    PutBig32(out, Adler32(data));
    return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes)
{
    constexpr std::uint32_t modulus = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % modulus;
        b = (b + a) % modulus;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != std::size_t(width) * height * 3) {
        throw std::invalid_argument("picture size and pixel count disagree");
    }
    // Every row starts with filter type 0 (none).
    std::vector<std::uint8_t> raw;
    raw.reserve((std::size_t(width) * 3 + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const auto row = rgb.subspan(std::size_t(y) * width * 3, std::size_t(width) * 3);
        raw.insert(raw.end(), row.begin(), row.end());
    }

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filters, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", Zlib(raw, 3, std::size_t(width) * 3 + 1));
    PutChunk(out, "IEND", {});
    return out;
}
