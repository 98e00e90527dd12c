// The case rules of code page 936 without the system: GBK has exactly four
// double-byte letter ranges with a case counterpart inside GBK; every other
// character compares byte for byte.
#include "skin/load/AnsiText.h"

#include <cstddef>
#include <cstdint>

namespace {

struct CaseRange {
    std::uint16_t upperFirst;
    std::uint16_t upperLast;
    std::uint16_t lowerFirst;
};

constexpr CaseRange gbkCaseRanges[] = {
    {0xA2F1, 0xA2FA, 0xA2A1}, // Roman numerals one to ten (eleven and twelve have no small form)
    {0xA3C1, 0xA3DA, 0xA3E1}, // full-width Latin letters
    {0xA6A1, 0xA6B8, 0xA6C1}, // Greek
    {0xA7A1, 0xA7C1, 0xA7D1}, // Cyrillic
};

bool IsLeadByte(std::uint8_t b)
{
    return b >= 0x81 && b <= 0xFE;
}

bool IsTrailByte(std::uint8_t b)
{
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// Reads one character at pos, advancing pos, and returns it case-folded:
// single bytes as themselves, double-byte characters as lead * 256 + trail.
// A lead byte without a valid trail byte stands alone, as the system's
// conversion treats it.
std::uint32_t NextFolded(std::string_view text, std::size_t& pos)
{
    const auto first = static_cast<std::uint8_t>(text[pos++]);
    if (IsLeadByte(first) && pos < text.size() && IsTrailByte(static_cast<std::uint8_t>(text[pos]))) {
        const auto code = static_cast<std::uint16_t>(first << 8 | static_cast<std::uint8_t>(text[pos++]));
        for (const CaseRange& r : gbkCaseRanges) {
            if (code >= r.upperFirst && code <= r.upperLast)
                return static_cast<std::uint32_t>(code - r.upperFirst + r.lowerFirst);
        }
        return code;
    }
    if (first >= 'A' && first <= 'Z')
        return first - 'A' + 'a';
    return first;
}

} // namespace

bool GbkSameText(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (NextFolded(a, i) != NextFolded(b, j))
            return false;
    }
    return i == a.size() && j == b.size();
}
