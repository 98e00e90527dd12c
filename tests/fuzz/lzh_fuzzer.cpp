// Feeds arbitrary bytes to the LZH decoder (as coded data, and as a whole
// compressed skin stream) and checks the encoder's round trip on them.
// Input: two bytes of requested length (little-endian), then coded data.
// Run from the fuzz tree, new inputs going to a scratch folder:
//   mkdir -p build/fuzz/corpus/lzh
//   build/fuzz/tests/fuzz/lzh_fuzzer build/fuzz/corpus/lzh tests/fuzz/corpus/lzh -max_total_time=600
#include "skin/load/LzhEncoder.h"
#include "skin/load/WinConvert.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void DecodeThroughProcedures(std::int32_t length, std::span<const std::uint8_t> coded)
{
    std::size_t next = 0;
    std::int32_t written = 0;
    TLZH codec;
    codec.Unpack(
        length,
        [&](std::span<std::uint8_t> buffer) -> std::size_t {
            Check(buffer.size() == 1);
            if (next == coded.size()) {
                return 0;
            }
            buffer[0] = coded[next++];
            return 1;
        },
        [&](std::span<const std::uint8_t> bytes) {
            Check(bytes.size() == 1);
            ++written;
        });
    Check(written == length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    if (size >= 2) {
        const std::int32_t length = input[0] | input[1] << 8;
        const std::span<const std::uint8_t> coded = input.subspan(2);
        DecodeThroughProcedures(length, coded);
    }
    try {
        const std::vector<std::uint8_t> unpacked = DecompressSkinStream(input, 1u << 16);
        Check(size >= 4 && unpacked.size() == (input[0] | input[1] << 8 | input[2] << 16 | std::size_t{input[3]} << 24));
    } catch (const ESkinStreamError&) {
        // Short headers and oversized lengths are refused by design.
    }
    const std::vector<std::uint8_t> coded = LzhEncode(input);
    Check(LzhDecode(coded, static_cast<std::int32_t>(size)) == std::vector<std::uint8_t>(input.begin(), input.end()));
    return 0;
}
