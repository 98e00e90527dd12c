#include "skin/load/LzhEncoder.h"

#include "skin/load/LzhModel.h"
#include "skin/load/WinConvert.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using namespace lzh;

namespace {

struct Match {
    int length;
    int distance;  // 1..N; the coded position is distance - 1
};

// Binary-tree match finder over the whole input, prefixed by the decoder's
// initial space fill so that matches into it are found too. Each string
// position is a node; its subtrees hold the earlier strings that sort below
// and above it, so one walk from the root finds the longest matches.
class MatchFinder {
public:
    explicit MatchFinder(std::span<const std::uint8_t> text) : text_(text), head_(1 << 16, NIL), son_(2 * CYCLIC, NIL)
    {
    }

    // Inserts the string at `pos` and lists its matches, each longer than
    // the one before. Returns how many it wrote to `matches` (at most F).
    int Find(int pos, Match* matches)
    {
        const int lenLimit = std::min<int>(F, static_cast<int>(text_.size()) - pos);
        if (lenLimit < MIN_MATCH) {
            return 0;  // too close to the end to start a match; later strings never reach back to it
        }
        const std::uint8_t* const cur = text_.data() + pos;
        const unsigned key = cur[0] | static_cast<unsigned>(cur[1]) << 8;
        int candidate = head_[key];
        head_[key] = pos;
        std::int32_t* below = &son_[Slot(pos)];
        std::int32_t* above = below + 1;
        int lenBelow = 0;
        int lenAbove = 0;
        int longest = MIN_MATCH - 1;
        int found = 0;
        for (int budget = WALK_LIMIT;; --budget) {
            const int distance = pos - candidate;
            if (candidate == NIL || distance > N || budget == 0) {
                *below = *above = NIL;
                return found;
            }
            std::int32_t* const pair = &son_[Slot(candidate)];
            const std::uint8_t* const earlier = text_.data() + candidate;
            // Both bounds of the walk share this prefix with the current string.
            int len = std::min(lenBelow, lenAbove);
            if (earlier[len] == cur[len]) {
                while (++len != lenLimit && earlier[len] == cur[len]) {
                }
                if (len > longest) {
                    longest = len;
                    matches[found++] = {len, distance};
                    if (len == lenLimit) {
                        // The candidate equals the current string as far as
                        // it can be compared: the new node takes its place.
                        *below = pair[0];
                        *above = pair[1];
                        return found;
                    }
                }
            }
            if (earlier[len] < cur[len]) {
                *below = candidate;
                below = pair + 1;
                candidate = *below;
                lenBelow = len;
            } else {
                *above = candidate;
                above = pair;
                candidate = *above;
                lenAbove = len;
            }
        }
    }

private:
    static constexpr std::int32_t NIL = -1;
    // Larger than N, so a node is never overwritten while within reach.
    static constexpr int CYCLIC = 2 * N;
    // Bounds the work on pathological inputs; real trees are far shallower.
    static constexpr int WALK_LIMIT = 1024;

    static std::size_t Slot(int pos) { return static_cast<std::size_t>(pos & (CYCLIC - 1)) * 2; }

    std::span<const std::uint8_t> text_;
    std::vector<std::int32_t> head_;
    std::vector<std::int32_t> son_;
};

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Put(std::uint64_t bits, int length)
    {
        pending_ = pending_ << length | bits;
        count_ += length;
        while (count_ >= 8) {
            count_ -= 8;
            out_.push_back(static_cast<std::uint8_t>(pending_ >> count_));
        }
    }

    // Pads the last byte with zeros, which is also what the decoder reads
    // past the end.
    void Flush()
    {
        if (count_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(pending_ << (8 - count_)));
            count_ = 0;
        }
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t pending_ = 0;
    int count_ = 0;
};

// One step of a parse: a literal (length 1) or a match.
struct Step {
    int length = 1;
    int distance = 0;
};

// Bits each symbol would cost under one state of the adaptive tree.
struct SymbolCosts {
    explicit SymbolCosts(const LzhTree& tree)
    {
        for (int c = 0; c < 256; ++c) {
            literal[c] = tree.CodeLength(c);
        }
        for (int len = MIN_MATCH; len <= F; ++len) {
            length[len] = tree.CodeLength(MatchSymbol(len));
        }
    }
    std::array<int, 256> literal{};
    std::array<int, F + 1> length{};
};

class Encoder {
public:
    Encoder(std::span<const std::uint8_t> text, std::vector<std::uint8_t>& out)
        : text_(text), finder_(text), bits_(out)
    {
        tree_.Reset();
    }

    void Run()
    {
        // The decoder's window already holds spaces before the first byte.
        std::array<Match, F> scratch;
        for (int pos = FIRST_WRITE - F; pos < FIRST_WRITE; ++pos) {
            finder_.Find(pos, scratch.data());
        }
        const int end = static_cast<int>(text_.size());
        for (int start = FIRST_WRITE; start < end;) {
            const int blockEnd = std::min(end, start + BLOCK);
            CollectMatches(start, blockEnd);
            Parse(start, blockEnd, SymbolCosts(tree_));
            Emit(start, blockEnd);
            start = blockEnd;
        }
        bits_.Flush();
    }

private:
    // Adaptive codes change with every symbol; a block is parsed with the
    // code lengths of its start. Parsing it again with the lengths it leads
    // to gains nothing measurable, while shorter blocks lose more at their
    // forced boundaries than fresher lengths win.
    static constexpr int BLOCK = 4096;
    static constexpr int UNREACHED = std::numeric_limits<int>::max();

    // Runs the match finder over the block once; parses reuse the result.
    void CollectMatches(int start, int blockEnd)
    {
        matches_.clear();
        firstMatch_.assign(static_cast<std::size_t>(blockEnd - start) + 1, 0);
        std::array<Match, F> found;
        for (int pos = start; pos < blockEnd; ++pos) {
            const int count = finder_.Find(pos, found.data());
            matches_.insert(matches_.end(), found.begin(), found.begin() + count);
            firstMatch_[static_cast<std::size_t>(pos - start) + 1] = matches_.size();
        }
    }

    // Cheapest parse of [start, blockEnd) by the given code lengths: after
    // it, path_[k] is the step that ends at start + k.
    void Parse(int start, int blockEnd, const SymbolCosts& costs)
    {
        const int size = blockEnd - start;
        price_.assign(static_cast<std::size_t>(size) + 1, UNREACHED);
        path_.assign(static_cast<std::size_t>(size) + 1, Step{});
        price_[0] = 0;
        for (int k = 0; k < size; ++k) {
            const int here = price_[static_cast<std::size_t>(k)];
            Relax(k + 1, here + costs.literal[text_[static_cast<std::size_t>(start + k)]], Step{});
            const std::span<const Match> matches(matches_.data() + firstMatch_[static_cast<std::size_t>(k)],
                                                 matches_.data() + firstMatch_[static_cast<std::size_t>(k) + 1]);
            // A match also serves every shorter length; walk from the
            // longest down, keeping the cheapest distance seen so far.
            int bestDistance = 0;
            int bestPositionBits = UNREACHED;
            for (std::size_t m = matches.size(); m-- > 0;) {
                const int positionBits = PositionBits(static_cast<unsigned>(matches[m].distance - 1));
                if (positionBits < bestPositionBits) {
                    bestPositionBits = positionBits;
                    bestDistance = matches[m].distance;
                }
                const int shortest = (m > 0 ? matches[m - 1].length : MIN_MATCH - 1) + 1;
                const int longest = std::min(matches[m].length, size - k);
                for (int len = longest; len >= shortest; --len) {
                    Relax(k + len, here + costs.length[static_cast<std::size_t>(len)] + bestPositionBits,
                          Step{len, bestDistance});
                }
            }
        }
    }

    void Relax(int target, int price, Step step)
    {
        if (price < price_[static_cast<std::size_t>(target)]) {
            price_[static_cast<std::size_t>(target)] = price;
            path_[static_cast<std::size_t>(target)] = step;
        }
    }

    // The steps of the parse, first to last.
    const std::vector<Step>& Path(int start, int blockEnd)
    {
        steps_.clear();
        for (int k = blockEnd - start; k > 0; k -= path_[static_cast<std::size_t>(k)].length) {
            steps_.push_back(path_[static_cast<std::size_t>(k)]);
        }
        std::reverse(steps_.begin(), steps_.end());
        return steps_;
    }

    void Emit(int start, int blockEnd)
    {
        int pos = start;
        for (const Step& step : Path(start, blockEnd)) {
            if (step.length == 1) {
                PutSymbol(text_[static_cast<std::size_t>(pos)]);
            } else {
                PutSymbol(MatchSymbol(step.length));
                const auto position = static_cast<unsigned>(step.distance - 1);
                bits_.Put(POSITION_CODE.code[position >> 6], POSITION_CODE.length[position >> 6]);
                bits_.Put(position & 0x3F, 6);
            }
            pos += step.length;
        }
    }

    void PutSymbol(int symbol)
    {
        const LzhTree::Code code = tree_.CodeOf(symbol);
        bits_.Put(code.bits, code.length);
        tree_.Update(symbol);
    }

    std::span<const std::uint8_t> text_;
    MatchFinder finder_;
    BitWriter bits_;
    LzhTree tree_;
    std::vector<Match> matches_;
    std::vector<std::size_t> firstMatch_;
    std::vector<int> price_;
    std::vector<Step> path_;
    std::vector<Step> steps_;
};

}  // namespace

std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data)
{
    if (data.size() > LZH_ENCODE_MAX_LENGTH) {
        throw std::length_error("LZH : input too long to encode");
    }
    std::vector<std::uint8_t> out;
    if (data.empty()) {
        return out;
    }
    std::vector<std::uint8_t> text(FIRST_WRITE + data.size(), FILL_BYTE);
    std::copy(data.begin(), data.end(), text.begin() + FIRST_WRITE);
    out.reserve(data.size() / 4 + 16);
    Encoder(text, out).Run();
    return out;
}

std::vector<std::uint8_t> CompressSkinStream(std::span<const std::uint8_t> data)
{
    if (data.size() > LZH_ENCODE_MAX_LENGTH) {
        throw ESkinStreamError("Data too large for a skin stream: " + std::to_string(data.size()) + " bytes");
    }
    const auto length = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> stream = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                        static_cast<std::uint8_t>(length >> 16),
                                        static_cast<std::uint8_t>(length >> 24)};
    const std::vector<std::uint8_t> coded = LzhEncode(data);
    stream.insert(stream.end(), coded.begin(), coded.end());
    return stream;
}
