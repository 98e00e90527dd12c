#include "skin/load/WinConvert.h"

#include <algorithm>
#include <limits>
#include <string>

std::vector<std::uint8_t> LzhDecode(std::span<const std::uint8_t> coded, std::int32_t length)
{
    // Unpack produces exactly `length` bytes, so the output is sized once
    // and each byte stored without growing a vector.
    std::vector<std::uint8_t> out(static_cast<std::size_t>(std::max<std::int32_t>(length, 0)));
    std::size_t next = 0;
    std::size_t written = 0;
    TLZH codec;
    codec.Unpack(
        length,
        [&](std::span<std::uint8_t> buffer) {
            const std::size_t n = std::min(buffer.size(), coded.size() - next);
            std::copy_n(coded.begin() + static_cast<std::ptrdiff_t>(next), n, buffer.begin());
            next += n;
            return n;
        },
        [&](std::span<const std::uint8_t> bytes) {
            if (bytes.size() > out.size() - written) {
                throw ElzhException("LZH : output beyond the requested length");
            }
            std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(written));
            written += bytes.size();
        });
    return out;
}

std::vector<std::uint8_t> DecompressSkinStream(std::span<const std::uint8_t> stream, std::uint32_t maxLength)
{
    if (stream.size() < 4) {
        throw ESkinStreamError("Skin stream too short: no length header");
    }
    const std::uint32_t length = static_cast<std::uint32_t>(stream[0]) | static_cast<std::uint32_t>(stream[1]) << 8 |
                                 static_cast<std::uint32_t>(stream[2]) << 16 |
                                 static_cast<std::uint32_t>(stream[3]) << 24;
    const std::uint32_t limit =
        std::min(maxLength, static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()));
    if (length > limit) {
        throw ESkinStreamError("Skin stream declares " + std::to_string(length) + " unpacked bytes, more than " +
                               std::to_string(limit));
    }
    return LzhDecode(stream.subspan(4), static_cast<std::int32_t>(length));
}
