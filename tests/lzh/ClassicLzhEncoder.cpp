#include "tests/lzh/ClassicLzhEncoder.h"

#include "skin/load/LzhModel.h"

#include <algorithm>
#include <array>
#include <memory>

using namespace lzh;

namespace {

// The strings starting at each ring position, kept in one binary search
// tree per first byte. Node N is "none"; nodes N + 1 + byte are the roots.
class RingTree {
public:
    static constexpr int NONE = N;

    RingTree()
    {
        left_.fill(NONE);
        right_.fill(NONE);
        parent_.fill(NONE);
        ring_.fill(0);
    }

    std::uint8_t* Ring() { return ring_.data(); }

    // Sets a ring byte; the first F - 1 are mirrored past the end so that
    // comparisons never wrap.
    void Put(int pos, std::uint8_t byte)
    {
        ring_[static_cast<std::size_t>(pos)] = byte;
        if (pos < F - 1) {
            ring_[static_cast<std::size_t>(pos + N)] = byte;
        }
    }

    // Adds the string at `pos`, finding on the way the longest earlier one
    // that starts like it (length, and coded position = distance - 1).
    // An earlier string equal for all F bytes is replaced by the new one.
    void Insert(int pos, int& matchLength, int& matchPosition)
    {
        const std::uint8_t* const key = &ring_[static_cast<std::size_t>(pos)];
        int node = N + 1 + key[0];
        int order = 1;
        left_[Idx(pos)] = right_[Idx(pos)] = NONE;
        matchLength = 0;
        for (;;) {
            int& next = order >= 0 ? right_[Idx(node)] : left_[Idx(node)];
            if (next == NONE) {
                next = pos;
                parent_[Idx(pos)] = node;
                return;
            }
            node = next;
            int i = 1;
            for (; i < F; ++i) {
                order = key[i] - ring_[static_cast<std::size_t>(node + i)];
                if (order != 0) {
                    break;
                }
            }
            if (i > THRESHOLD) {
                const int coded = ((pos - node) & (N - 1)) - 1;
                if (i > matchLength) {
                    matchPosition = coded;
                    matchLength = i;
                    if (matchLength >= F) {
                        break;
                    }
                } else if (i == matchLength && coded < matchPosition) {
                    matchPosition = coded;
                }
            }
        }
        // The new string takes the old node's place in the tree.
        parent_[Idx(pos)] = parent_[Idx(node)];
        left_[Idx(pos)] = left_[Idx(node)];
        right_[Idx(pos)] = right_[Idx(node)];
        parent_[Idx(left_[Idx(node)])] = pos;
        parent_[Idx(right_[Idx(node)])] = pos;
        ReplaceChild(node, pos);
        parent_[Idx(node)] = NONE;
    }

    void Remove(int pos)
    {
        if (parent_[Idx(pos)] == NONE) {
            return;
        }
        int replacement;
        if (right_[Idx(pos)] == NONE) {
            replacement = left_[Idx(pos)];
        } else if (left_[Idx(pos)] == NONE) {
            replacement = right_[Idx(pos)];
        } else {
            // The greatest string below pos takes its place.
            replacement = left_[Idx(pos)];
            if (right_[Idx(replacement)] != NONE) {
                while (right_[Idx(replacement)] != NONE) {
                    replacement = right_[Idx(replacement)];
                }
                right_[Idx(parent_[Idx(replacement)])] = left_[Idx(replacement)];
                parent_[Idx(left_[Idx(replacement)])] = parent_[Idx(replacement)];
                left_[Idx(replacement)] = left_[Idx(pos)];
                parent_[Idx(left_[Idx(pos)])] = replacement;
            }
            right_[Idx(replacement)] = right_[Idx(pos)];
            parent_[Idx(right_[Idx(pos)])] = replacement;
        }
        parent_[Idx(replacement)] = parent_[Idx(pos)];
        ReplaceChild(pos, replacement);
        parent_[Idx(pos)] = NONE;
    }

private:
    static std::size_t Idx(int node) { return static_cast<std::size_t>(node); }

    void ReplaceChild(int old, int now)
    {
        const int up = parent_[Idx(old)];
        if (right_[Idx(up)] == old) {
            right_[Idx(up)] = now;
        } else {
            left_[Idx(up)] = now;
        }
    }

    std::array<int, N + 257> right_;
    std::array<int, N + 257> left_;
    std::array<int, N + 1> parent_;
    std::array<std::uint8_t, N + F - 1> ring_;
};

class ClassicBits {
public:
    explicit ClassicBits(std::vector<std::uint8_t>& out) : out_(out) {}

    void Put(std::uint64_t bits, int length)
    {
        for (int i = length - 1; i >= 0; --i) {
            byte_ = static_cast<std::uint8_t>(byte_ << 1 | (bits >> i & 1));
            if (++used_ == 8) {
                out_.push_back(byte_);
                used_ = 0;
            }
        }
    }

    void Flush()
    {
        if (used_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(byte_ << (8 - used_)));
            used_ = 0;
        }
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint8_t byte_ = 0;
    int used_ = 0;
};

}  // namespace

std::vector<std::uint8_t> ClassicLzhEncode(std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> out;
    if (data.empty()) {
        return out;
    }
    const auto tree = std::make_unique<RingTree>();
    const auto symbols = std::make_unique<LzhTree>();
    symbols->Reset();
    ClassicBits bits(out);
    const auto putSymbol = [&](int symbol) {
        const LzhTree::Code code = symbols->CodeOf(symbol);
        bits.Put(code.bits, code.length);
        symbols->Update(symbol);
    };

    for (int i = 0; i < FIRST_WRITE; ++i) {
        tree->Put(i, FILL_BYTE);
    }
    std::size_t next = 0;
    int r = FIRST_WRITE;
    int s = 0;
    int ahead = 0;
    while (ahead < F && next < data.size()) {
        tree->Put(r + ahead++, data[next++]);
    }
    int matchLength = 0;
    int matchPosition = 0;
    // The strings of spaces just before the first byte are there to match.
    for (int i = 1; i <= F; ++i) {
        tree->Insert(r - i, matchLength, matchPosition);
    }
    tree->Insert(r, matchLength, matchPosition);
    while (ahead > 0) {
        matchLength = std::min(matchLength, ahead);
        if (matchLength <= THRESHOLD) {
            matchLength = 1;
            putSymbol(tree->Ring()[r]);
        } else {
            putSymbol(MatchSymbol(matchLength));
            const auto position = static_cast<unsigned>(matchPosition);
            bits.Put(POSITION_CODE.code[position >> 6], POSITION_CODE.length[position >> 6]);
            bits.Put(position & 0x3F, 6);
        }
        // Slide past the coded bytes: the oldest string leaves, the next
        // input byte enters, the new current string is inserted.
        const int consumed = matchLength;
        for (int i = 0; i < consumed; ++i) {
            tree->Remove(s);
            if (next < data.size()) {
                tree->Put(s, data[next++]);
            } else {
                --ahead;
            }
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (ahead > 0) {
                tree->Insert(r, matchLength, matchPosition);
            }
        }
    }
    bits.Flush();
    return out;
}
