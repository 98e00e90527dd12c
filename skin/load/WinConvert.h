// LZHUF decompression of stored skins, and the compressed skin stream
// format around it: a 32-bit little-endian unpacked length, then the coded
// data.
#pragma once

#include "skin/load/LzhModel.h"

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <stdexcept>
#include <vector>

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* LZH_NO_MEMORY = "LZH : Cannot get memory for dictionary tables";
// Never raised here: releasing the tables cannot fail in C++. Kept so that
// code matching the codec's messages knows both.
inline constexpr const char* LZH_FREE_FAILED = "LZH : Error freeing memory for dictionary tables";

// A compressed skin stream that cannot be taken apart: too short for its
// length header, or declaring more than the caller accepts.
class ESkinStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fills the buffer with up to buffer.size() input bytes; returns how many it
// delivered (0 once the input is exhausted).
template <typename Read>
concept LzhReader = requires(Read read, std::span<std::uint8_t> buffer) {
    { read(buffer) } -> std::convertible_to<std::size_t>;
};

// Stores all the given bytes or throws the output's own error.
template <typename Write>
concept LzhWriter = requires(Write write, std::span<const std::uint8_t> bytes) { write(bytes); };

class TLZH {
public:
    // Produces exactly `length` bytes (none for length <= 0). Input that
    // ends early reads as zero bytes. The procedures are called with one
    // byte at a time; being templates, they inline into the loop.
    template <LzhReader Read, LzhWriter Write>
    void Unpack(std::int32_t length, Read&& read, Write&& write);

private:
    // Allocated per call: a codec object holds no state between streams.
    struct Tables {
        lzh::LzhTree tree;
        // Only indices 0..N-1 are addressed; the rest keeps the classic size.
        std::uint8_t window[lzh::N + lzh::F - 1];
    };
};

// Decodes `length` bytes from LZHUF-coded data.
std::vector<std::uint8_t> LzhDecode(std::span<const std::uint8_t> coded, std::int32_t length);

// Refuses streams declaring more than this by default: no skin comes near
// it, and a corrupt header must not make us reserve gigabytes.
inline constexpr std::uint32_t SKIN_STREAM_MAX_LENGTH = 64u << 20;

// Decodes a compressed skin stream into its unpacked bytes. Throws
// ESkinStreamError when the stream is shorter than its 4-byte header or
// declares more than maxLength bytes (checked before anything is reserved).
std::vector<std::uint8_t> DecompressSkinStream(std::span<const std::uint8_t> stream,
                                               std::uint32_t maxLength = SKIN_STREAM_MAX_LENGTH);

template <LzhReader Read, LzhWriter Write>
void TLZH::Unpack(std::int32_t length, Read&& read, Write&& write)
{
    using namespace lzh;
    const std::unique_ptr<Tables> tables(new (std::nothrow) Tables);
    if (!tables) {
        throw ElzhException(LZH_NO_MEMORY);
    }
    LzhTree& tree = tables->tree;
    std::uint8_t* const window = tables->window;
    tree.Reset();
    std::fill_n(window, FIRST_WRITE, FILL_BYTE);
    // A malformed stream may copy from here before anything was written.
    std::fill(window + FIRST_WRITE, window + sizeof(tables->window), std::uint8_t{0});

    std::uint16_t bitBuffer = 0;
    std::uint8_t bitCount = 0;
    const auto refill = [&] {
        while (bitCount <= 8) {
            std::uint8_t byte = 0;
            if (read(std::span<std::uint8_t>(&byte, 1)) == 0) {
                byte = 0;
            }
            bitBuffer = static_cast<std::uint16_t>(bitBuffer | (byte << (8 - bitCount)));
            bitCount = static_cast<std::uint8_t>(bitCount + 8);
        }
    };
    const auto nextBit = [&]() -> unsigned {
        refill();
        const unsigned bit = bitBuffer >> 15;
        bitBuffer = static_cast<std::uint16_t>(bitBuffer << 1);
        --bitCount;
        return bit;
    };
    const auto nextByte = [&]() -> unsigned {
        refill();
        const unsigned byte = bitBuffer >> 8;
        bitBuffer = static_cast<std::uint16_t>(bitBuffer << 8);
        bitCount = static_cast<std::uint8_t>(bitCount - 8);
        return byte;
    };
    const auto put = [&](std::uint8_t byte) { write(std::span<const std::uint8_t>(&byte, 1)); };

    unsigned r = FIRST_WRITE;
    std::int32_t count = 0;
    while (count < length) {
        const int c = tree.Decode(nextBit);
        if (c < 256) {
            const auto byte = static_cast<std::uint8_t>(c);
            put(byte);
            window[r] = byte;
            r = (r + 1) & WINDOW_MASK;
            ++count;
            continue;
        }
        unsigned b = nextByte();
        const unsigned high = static_cast<unsigned>(POSITION_CODE.upperOfByte[b]) << 6;
        for (int extra = POSITION_CODE.lengthOfByte[b] - 2; extra > 0; --extra) {
            b = (b << 1) + nextBit();
        }
        const unsigned position = high | (b & 0x3F);
        const unsigned start = (r - position - 1) & WINDOW_MASK;
        // A well-formed stream ends exactly at `length`; a corrupt one may
        // end in a longer match, which is cut so the caller gets what it
        // asked for and no more.
        const int matchLength = std::min(MatchLength(c), length - count);
        for (int k = 0; k < matchLength; ++k) {
            const std::uint8_t byte = window[(start + static_cast<unsigned>(k)) & WINDOW_MASK];
            put(byte);
            window[r] = byte;
            r = (r + 1) & WINDOW_MASK;
        }
        count += matchLength;
    }
}
