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
        base_ = collected_ = FIRST_WRITE;
        firstMatch_.assign(1, 0);
        for (int start = FIRST_WRITE; start < end;) {
            // The parse looks a longest match past the block, so that no
            // match is cut short at the block's edge.
            const int limit = std::min(end, start + BLOCK + F);
            CollectMatches(start, limit);
            const int stop = ChooseSteps(start, limit, limit == end ? end : start + BLOCK);
            Emit(start, chosen_);
            start = stop;
        }
        bits_.Flush();
    }

private:
    // Adaptive codes change with every symbol, so a parse priced with the
    // code lengths of the block's start is only a guess. Each block is
    // therefore coded the cheapest of three ways, counted with the codes
    // as they will really be: the parse at the start's lengths, the parse
    // at the lengths the first one leads to, and the longest match at each
    // step, which keeps the codes of frequent lengths short.
    static constexpr int BLOCK = 4096;
    static constexpr int UNREACHED = std::numeric_limits<int>::max();

    // Fills chosen_ with the steps from `start` up to the first that
    // reaches `until`; returns where they end.
    int ChooseSteps(int start, int limit, int until)
    {
        Parse(start, limit, SymbolCosts(tree_));
        chosen_ = Path(start, limit);
        int stop = start;
        std::size_t used = 0;
        while (used < chosen_.size() && stop < until) {
            stop += chosen_[used++].length;
        }
        chosen_.resize(used);
        LzhTree after = tree_;
        int best = Price(start, chosen_, after);

        Parse(start, limit, SymbolCosts(after));
        const std::vector<Step>& second = Path(start, stop);
        LzhTree scratch = tree_;
        if (const int price = Price(start, second, scratch); price < best) {
            best = price;
            chosen_ = second;
        }
        Greedy(start, stop);
        scratch = tree_;
        if (Price(start, steps_, scratch) < best) {
            chosen_ = steps_;
        }
        return stop;
    }

    // Runs the match finder on to `limit` and forgets the matches of the
    // strings before `start`; each string is looked up exactly once.
    void CollectMatches(int start, int limit)
    {
        const auto dropped = static_cast<std::ptrdiff_t>(start - base_);
        const std::size_t droppedMatches = firstMatch_[static_cast<std::size_t>(dropped)];
        matches_.erase(matches_.begin(), matches_.begin() + static_cast<std::ptrdiff_t>(droppedMatches));
        firstMatch_.erase(firstMatch_.begin(), firstMatch_.begin() + dropped);
        for (std::size_t& first : firstMatch_) {
            first -= droppedMatches;
        }
        base_ = start;
        std::array<Match, F> found;
        for (; collected_ < limit; ++collected_) {
            const int count = finder_.Find(collected_, found.data());
            matches_.insert(matches_.end(), found.begin(), found.begin() + count);
            firstMatch_.push_back(matches_.size());
        }
    }

    // Cheapest parse of [start, limit) by the given code lengths: after
    // it, path_[k] is the step that ends at start + k.
    void Parse(int start, int limit, const SymbolCosts& costs)
    {
        const int size = limit - start;
        price_.assign(static_cast<std::size_t>(size) + 1, UNREACHED);
        path_.assign(static_cast<std::size_t>(size) + 1, Step{});
        price_[0] = 0;
        for (int k = 0; k < size; ++k) {
            const int here = price_[static_cast<std::size_t>(k)];
            Relax(k + 1, here + costs.literal[text_[static_cast<std::size_t>(start + k)]], Step{});
            const std::span<const Match> matches = MatchesAt(k);
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

    // The matches of the string `k` bytes after the block's start.
    std::span<const Match> MatchesAt(int k) const
    {
        return {matches_.data() + firstMatch_[static_cast<std::size_t>(k)],
                matches_.data() + firstMatch_[static_cast<std::size_t>(k) + 1]};
    }

    // Of equally cheap ways in, the one found last wins: its final step is
    // the shorter, so a block's parse keeps its long matches in front and
    // leaves the odd remainder past the point where the block is cut.
    void Relax(int target, int price, Step step)
    {
        if (price <= price_[static_cast<std::size_t>(target)]) {
            price_[static_cast<std::size_t>(target)] = price;
            path_[static_cast<std::size_t>(target)] = step;
        }
    }

    // The steps of the last parse's cheapest way to `stop`, first to last.
    const std::vector<Step>& Path(int start, int stop)
    {
        steps_.clear();
        for (int k = stop - start; k > 0; k -= path_[static_cast<std::size_t>(k)].length) {
            steps_.push_back(path_[static_cast<std::size_t>(k)]);
        }
        std::reverse(steps_.begin(), steps_.end());
        return steps_;
    }

    // The longest match at every step from `start` to `stop`, each at
    // the cheapest distance that reaches that far; into steps_.
    void Greedy(int start, int stop)
    {
        steps_.clear();
        for (int pos = start; pos < stop;) {
            const std::span<const Match> matches = MatchesAt(pos - start);
            Step step;
            if (!matches.empty() && std::min(matches.back().length, stop - pos) >= MIN_MATCH) {
                step.length = std::min(matches.back().length, stop - pos);
                int bestBits = UNREACHED;
                for (const Match& match : matches) {
                    const int bits = PositionBits(static_cast<unsigned>(match.distance - 1));
                    if (match.length >= step.length && bits < bestBits) {
                        bestBits = bits;
                        step.distance = match.distance;
                    }
                }
            }
            steps_.push_back(step);
            pos += step.length;
        }
    }

    // Bits the steps cost when coded from the state `tree`, which they
    // leave as coding them would.
    int Price(int start, std::span<const Step> steps, LzhTree& tree) const
    {
        int bits = 0;
        int pos = start;
        for (const Step& step : steps) {
            const int symbol = step.length == 1 ? text_[static_cast<std::size_t>(pos)] : MatchSymbol(step.length);
            bits += tree.CodeLength(symbol);
            if (step.length > 1) {
                bits += PositionBits(static_cast<unsigned>(step.distance - 1));
            }
            tree.Update(symbol);
            pos += step.length;
        }
        return bits;
    }

    void Emit(int start, std::span<const Step> steps)
    {
        int pos = start;
        for (const Step& step : steps) {
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
    // The matches of the strings from base_ on, up to collected_.
    std::vector<Match> matches_;
    std::vector<std::size_t> firstMatch_;
    int base_ = 0;
    int collected_ = 0;
    std::vector<int> price_;
    std::vector<Step> path_;
    std::vector<Step> steps_;
    std::vector<Step> chosen_;
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
