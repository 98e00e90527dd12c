// Our LZH encoder against the classic greedy one: coded sizes and encoding
// speeds on skin-like data, text, runs and noise. Prints a table; the
// default skin's package is included when the build has made it.
#include "skin/load/LzhEncoder.h"
#include "skin/load/WinConvert.h"
#include "tests/bench/SkinLikePayload.h"
#include "tests/lzh/ClassicLzhEncoder.h"
#include "tests/lzh/LzhCorpus.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Megabytes per second of the encoder on `data`, over enough runs to take
// about a fifth of a second of processor time; its output in `coded`.
// (<chrono> does not compile with the GBK execution character set.)
template <typename Encode>
double Speed(const Bytes& data, Encode encode, Bytes& coded)
{
    int runs = 0;
    const std::clock_t start = std::clock();
    double seconds = 0;
    do {
        coded = encode(data);
        ++runs;
        seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    } while (seconds < 0.2);
    return static_cast<double>(data.size()) * runs / seconds / 1e6;
}

Bytes DefaultSkinPackage()
{
    std::ifstream file(ZEL_DEFAULT_SKIN_PATH, std::ios::binary);
    const Bytes stream{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return stream.empty() ? Bytes{} : DecompressSkinStream(stream);
}

}  // namespace

int main()
{
    std::vector<LzhSample> corpus = {{"skin-like payload", SkinLikePayload()}};
    if (Bytes package = DefaultSkinPackage(); !package.empty()) {
        corpus.push_back({"default skin package", std::move(package)});
    }
    for (LzhSample& sample : GeneratedCorpus()) {
        corpus.push_back(std::move(sample));
    }
    std::printf("%-22s %9s %9s %9s %8s %10s %10s\n", "input", "bytes", "classic", "ours", "ours-%", "classicMB/s",
                "oursMB/s");
    int larger = 0;
    for (const LzhSample& sample : corpus) {
        Bytes classic;
        Bytes ours;
        const double classicSpeed = Speed(sample.bytes, ClassicLzhEncode, classic);
        const double ourSpeed = Speed(sample.bytes, LzhEncode, ours);
        const bool decodes = LzhDecode(ours, static_cast<std::int32_t>(sample.bytes.size())) == sample.bytes;
        larger += ours.size() > classic.size();
        std::printf("%-22s %9zu %9zu %9zu %+7.2f%% %10.2f %10.2f%s\n", sample.name.c_str(), sample.bytes.size(),
                    classic.size(), ours.size(),
                    100.0 * (static_cast<double>(ours.size()) - static_cast<double>(classic.size())) /
                        static_cast<double>(classic.size()),
                    classicSpeed, ourSpeed, decodes ? "" : "  DOES NOT DECODE");
    }
    std::printf("ours larger than classic on %d of %zu inputs\n", larger, corpus.size());
    return 0;
}
