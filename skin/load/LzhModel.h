// The parts of the LZHUF method that the decoder and the encoder must share
// bit for bit: the constants, the fixed code for the upper 6 bits of a match
// position, and the adaptive Huffman tree for literals and match lengths.
#pragma once

#include <array>
#include <cstdint>

namespace lzh {

inline constexpr int N = 4096;          // window size; positions are 12 bits
inline constexpr int F = 60;            // longest match
inline constexpr int THRESHOLD = 2;     // a match is at least THRESHOLD + 1 bytes
inline constexpr int N_CHAR = 256 - THRESHOLD + F;  // literals and match lengths: 314
inline constexpr int T = N_CHAR * 2 - 1;            // nodes of the tree: 627
inline constexpr int R = T - 1;                     // root: 626
inline constexpr unsigned MAX_FREQ = 0x8000;
inline constexpr unsigned WINDOW_MASK = N - 1;
inline constexpr int FIRST_WRITE = N - F;           // the initial space fill ends here
inline constexpr std::uint8_t FILL_BYTE = 0x20;
inline constexpr int MIN_MATCH = THRESHOLD + 1;

// Symbols 256..313 stand for match lengths 3..60.
constexpr int MatchSymbol(int length) { return length - MIN_MATCH + 256; }
constexpr int MatchLength(int symbol) { return symbol - 256 + MIN_MATCH; }

// The fixed code for the upper 6 bits of a position, seen from both sides:
// indexed by the next 8 input bits for decoding, by the upper 6 bits for
// encoding. The code lengths grow with the distance: 3 bits for the
// nearest 64 positions up to 8 bits for the farthest 1024.
struct PositionCode {
    std::array<std::uint8_t, 256> upperOfByte{};   // upper 6 bits decoded from a byte
    std::array<std::uint8_t, 256> lengthOfByte{};  // code length, in bits, of that byte
    std::array<std::uint8_t, 64> code{};           // code of the upper 6 bits, right-aligned
    std::array<std::uint8_t, 64> length{};         // its length in bits
};

constexpr PositionCode MakePositionCode()
{
    struct Band {
        int firstByte;
        int length;
        int firstUpper;
    };
    // Each band's codes take all byte values whose top `length` bits name them.
    constexpr Band bands[] = {{0x00, 3, 0},  {0x20, 4, 1},  {0x50, 5, 4},
                              {0x90, 6, 12}, {0xC0, 7, 24}, {0xF0, 8, 48}};
    PositionCode table;
    for (int b = 0; b < 256; ++b) {
        const Band* band = &bands[0];
        for (const Band& candidate : bands) {
            if (b >= candidate.firstByte) {
                band = &candidate;
            }
        }
        const int valuesPerCode = 1 << (8 - band->length);
        const int upper = band->firstUpper + (b - band->firstByte) / valuesPerCode;
        table.upperOfByte[b] = static_cast<std::uint8_t>(upper);
        table.lengthOfByte[b] = static_cast<std::uint8_t>(band->length);
        if ((b - band->firstByte) % valuesPerCode == 0) {
            table.code[upper] = static_cast<std::uint8_t>(b >> (8 - band->length));
            table.length[upper] = static_cast<std::uint8_t>(band->length);
        }
    }
    return table;
}

inline constexpr PositionCode POSITION_CODE = MakePositionCode();

// Bits a position costs in all: its upper code plus 6 plain bits.
constexpr int PositionBits(unsigned position) { return POSITION_CODE.length[position >> 6] + 6; }

// The adaptive Huffman tree. Nodes are kept in order of frequency; a node's
// children sit side by side (son and son + 1); leaves store symbol + T.
// Decoder and encoder run the same updates, so the trees never drift apart.
class LzhTree {
public:
    void Reset();

    // Walks from the root, taking one bit per level, then counts the symbol.
    template <typename NextBit>
    int Decode(NextBit&& nextBit)
    {
        unsigned c = son_[R];
        while (c < T) {
            c = son_[c + nextBit()];
        }
        const int symbol = static_cast<int>(c) - T;
        Update(symbol);
        return symbol;
    }

    // The code of a symbol, root bit first, right-aligned in the result.
    struct Code {
        std::uint64_t bits;
        int length;
    };
    Code CodeOf(int symbol) const
    {
        // Frequencies stay below MAX_FREQ and the tree keeps the sibling
        // property, so depths are bounded by a Fibonacci argument (< 25).
        std::uint64_t bits = 0;
        int length = 0;
        for (unsigned k = prnt_[symbol + T]; k != R; k = prnt_[k]) {
            bits |= static_cast<std::uint64_t>(k & 1) << length;
            ++length;
        }
        return {bits, length};
    }

    // Code length alone, for the encoder's cost estimates.
    int CodeLength(int symbol) const
    {
        int length = 0;
        for (unsigned k = prnt_[symbol + T]; k != R; k = prnt_[k]) {
            ++length;
        }
        return length;
    }

    void Update(int symbol)
    {
        if (freq_[R] == MAX_FREQ) {
            Rebuild();
        }
        unsigned c = prnt_[symbol + T];
        do {
            const unsigned k = ++freq_[c];
            if (k > freq_[c + 1]) {
                // Move the node past every node it now outweighs; the
                // sentinel freq_[T] stops the walk.
                unsigned l = c + 1;
                while (k > freq_[l + 1]) {
                    ++l;
                }
                freq_[c] = freq_[l];
                freq_[l] = static_cast<std::uint16_t>(k);
                const unsigned i = son_[c];
                prnt_[i] = static_cast<std::uint16_t>(l);
                if (i < T) {
                    prnt_[i + 1] = static_cast<std::uint16_t>(l);
                }
                const unsigned j = son_[l];
                son_[l] = static_cast<std::uint16_t>(i);
                prnt_[j] = static_cast<std::uint16_t>(c);
                if (j < T) {
                    prnt_[j + 1] = static_cast<std::uint16_t>(c);
                }
                son_[c] = static_cast<std::uint16_t>(j);
                c = l;
            }
            c = prnt_[c];
        } while (c != 0);
    }

private:
    // Halves every leaf's frequency and rebuilds the tree from them.
    void Rebuild();

    std::uint16_t freq_[T + 1];
    std::uint16_t prnt_[T + N_CHAR];
    std::uint16_t son_[T];
};

}  // namespace lzh
