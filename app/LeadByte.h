// Which bytes open a double-byte character in the system's ANSI code page.
// The program's text is GBK (code page 936), so a keyword match must not
// begin on the second byte of a character.
#pragma once

#include <array>
#include <cstddef>

namespace app {

// GBK lead bytes are 0x81 to 0xFE; 0x80 and 0xFF stand alone.
inline constexpr std::array<bool, 256> gbkLeadBytes = [] {
    std::array<bool, 256> table{};
    for (std::size_t byte = 0x81; byte <= 0xFE; ++byte) {
        table[byte] = true;
    }
    return table;
}();

constexpr bool isGbkLeadByte(unsigned char byte) noexcept
{
    return gbkLeadBytes[byte];
}

// The rule of the running system: Windows builds ask the system about its
// active ANSI code page, the portable build applies the GBK table.
bool isAnsiLeadByte(unsigned char byte) noexcept;

} // namespace app
