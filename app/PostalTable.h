// The postal table: every place the program knows, one GBK text row each,
// "group,region,postal code,area code", in the stored order that decides the
// order of the group list and of every result list.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The field array split returns: always userarraySlots strings, a row
// filling the first four.
using userarray = std::vector<std::string>;
inline constexpr std::size_t userarraySlots = 255;

// Cuts text into the fields between delimiters, byte by byte (safe for GBK:
// no trail byte is below 0x40, so none is a comma). Two adjacent delimiters
// give an empty field, a trailing one an empty last field. The text ends at
// its first NUL. A text with more fields than slots keeps the rest, delimiters
// and all, in the last slot rather than writing past the array.
userarray split(std::string_view text, char delimiter);

// The four fields of one row, as text: codes keep their leading zeros.
struct PostalRecord {
    std::string group;
    std::string region;
    std::string postalCode;
    std::string areaCode;

    friend bool operator==(const PostalRecord&, const PostalRecord&) = default;
};

// An immutable view of table rows; it owns nothing, the rows outlive it.
class PostalTable {
public:
    constexpr explicit PostalTable(std::span<const std::string_view> rows) noexcept : rows_(rows) {}

    constexpr std::size_t rowCount() const noexcept { return rows_.size(); }

    // Throws std::out_of_range for an index at or past rowCount().
    std::string_view row(std::size_t index) const;

private:
    std::span<const std::string_view> rows_;
};

// The table compiled into the program: 2520 rows (library zel_postal_data).
inline constexpr std::size_t postalRowCount = 2520;
const PostalTable& postalTable() noexcept;

} // namespace app
