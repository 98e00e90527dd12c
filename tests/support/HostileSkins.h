// Damaged skins made from a good one, for tests that feed them to the engine
// and expect every one to be either used or refused without harm. Portable:
// the native tests run the loading stages over them under the sanitizers,
// the Windows tests load them into running windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hostile {

// What was done to a skin. The first group changes the package inside the
// stream, the second the stream itself.
enum class Kind {
    BadNumbers,       // numeric keys set to zero, negative, huge or malformed values
    SectionRemoved,   // a whole section of the description taken out
    BitmapRemoved,    // a bitmap dropped from the package, still named by the description
    BitmapTiny,       // a bitmap replaced by a 1 x 1 one
    BitmapOddSize,    // a bitmap replaced by one whose width fits no frame count
    BitmapHugeHeader, // a bitmap header declaring a huge picture, with a few bytes of pixels
    BitmapNotBitmap,  // a bitmap entry replaced by bytes that are no bitmap
    GarbageLines,     // lines that are no key, no section, binary, very long
    TruncatedBody,    // the stream cut after its length word
    TruncatedHeader,  // the stream cut inside its length word
    WrongLength,      // the length word not matching the coded data
    Empty,            // no bytes at all
};
inline constexpr int kKindCount = static_cast<int>(Kind::Empty) + 1;

std::string_view KindName(Kind kind);

struct HostileSkin {
    std::vector<std::uint8_t> stream; // a compressed skin stream, or what is left of one
    std::vector<Kind> kinds;          // every kind applied, in order, no repeats
    std::string note;                 // what exactly was changed, for failure messages
    bool Has(Kind kind) const;
};

// `count` damaged variants of a compressed skin stream, the same bytes for
// the same stream and seed on every platform. Every kind occurs once the
// count reaches kKindCount. Throws what the stream's decoding throws when
// the given stream itself is no skin.
std::vector<HostileSkin> MakeHostileSkins(std::span<const std::uint8_t> stream, std::uint64_t seed,
                                          int count = 200);

} // namespace hostile
