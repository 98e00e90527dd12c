#include "tests/lzh/LzhCorpus.h"

#include <array>
#include <string_view>

namespace {

// A small generator of our own so that every platform draws the same values.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Below(int range) { return static_cast<int>(Next() % static_cast<std::uint32_t>(range)); }

private:
    std::uint32_t state_;
};

constexpr std::array<std::string_view, 40> WORDS = {
    "the",    "skin",   "button", "frame",  "caption", "border", "image",  "bitmap", "colour", "font",
    "left",   "right",  "top",    "bottom", "normal",  "hot",    "down",   "disabled", "glyph", "menu",
    "scroll", "thumb",  "track",  "arrow",  "window",  "title",  "close",  "maximize", "minimize", "restore",
    "and",    "of",     "to",     "is",     "with",    "a",      "when",   "every", "state", "transparent"};

void Append(std::vector<std::uint8_t>& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

}  // namespace

std::vector<std::uint8_t> CorpusText(std::size_t size, std::uint32_t seed)
{
    Draw draw(seed);
    std::vector<std::uint8_t> out;
    while (out.size() < size) {
        if (draw.Below(3) == 0) {
            // A section of keys with numbers, as in a skin description.
            Append(out, "[");
            Append(out, WORDS[static_cast<std::size_t>(draw.Below(30))]);
            Append(out, std::to_string(draw.Below(100)));
            Append(out, "]\r\n");
            for (int keys = 2 + draw.Below(6); keys > 0; --keys) {
                Append(out, WORDS[static_cast<std::size_t>(draw.Below(30))]);
                Append(out, "=");
                Append(out, std::to_string(draw.Below(draw.Below(2) == 0 ? 10 : 2000)));
                if (draw.Below(4) == 0) {
                    Append(out, ",");
                    Append(out, std::to_string(draw.Below(256)));
                }
                Append(out, "\r\n");
            }
        } else {
            // A sentence of words, Zipf-like: the first words come most often.
            for (int words = 4 + draw.Below(14); words > 0; --words) {
                const int rank = draw.Below(draw.Below(WORDS.size()) + 1);
                Append(out, WORDS[static_cast<std::size_t>(rank)]);
                Append(out, words > 1 ? " " : ".\r\n");
            }
        }
    }
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> CorpusRuns(std::size_t size, std::uint32_t seed)
{
    Draw draw(seed);
    std::vector<std::uint8_t> out;
    while (out.size() < size) {
        const int scale = std::array{4, 64, 4000}[static_cast<std::size_t>(draw.Below(3))];
        const auto byte = static_cast<std::uint8_t>(draw.Below(4) == 0 ? draw.Below(256) : draw.Below(4) * 85);
        out.insert(out.end(), static_cast<std::size_t>(1 + draw.Below(scale)), byte);
    }
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> CorpusRandom(std::size_t size, std::uint32_t seed, int alphabet)
{
    Draw draw(seed);
    std::vector<std::uint8_t> out(size);
    for (auto& byte : out) {
        byte = static_cast<std::uint8_t>(draw.Below(alphabet));
    }
    return out;
}

std::vector<LzhSample> GeneratedCorpus()
{
    std::vector<LzhSample> corpus;
    for (const std::size_t size : {1000u, 20000u, 200000u}) {
        const auto named = [&](std::string_view kind) { return std::string(kind).append(" ").append(std::to_string(size)); };
        corpus.push_back({named("text"), CorpusText(size, 1)});
        corpus.push_back({named("runs"), CorpusRuns(size, 2)});
        corpus.push_back({named("random"), CorpusRandom(size, 3)});
        corpus.push_back({named("random16"), CorpusRandom(size, 4, 16)});
    }
    return corpus;
}
