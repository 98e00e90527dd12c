// The lookups the main window offers over the postal table: the group list,
// browsing one group, and the keyword search. Every call scans and splits the
// whole table again; there is no index, and none is needed at this size.
// A result line is a PostalRecord: its group is the line's caption, region,
// postal code and area code its sub-items, each trimmed.
#pragma once

#include "app/PostalTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace app {

// What the keyword box shows until the user enters it; searching for it
// finds nothing, since no row contains it.
inline constexpr std::string_view keywordPlaceholder = "输入关键字";

// Caption and sub-items of the one line a search without hits shows.
inline constexpr std::string_view noResultText = "(无结果)";

// Removes leading and trailing bytes whose code is 32 or less.
std::string_view trimBlanks(std::string_view text) noexcept;

// True when keyword's bytes occur in field starting on a character boundary
// of the ANSI code page (isAnsiLeadByte), never on a second byte. Byte-exact:
// letters keep their case, full- and half-width forms differ. An empty field
// or keyword never matches.
bool containsKeyword(std::string_view field, std::string_view keyword) noexcept;

// The distinct non-empty groups in table order, untrimmed, each taken where a
// run of equal groups begins.
std::vector<std::string> groupList(const PostalTable& table);

// Every row whose stored group equals the trimmed selection, as trimmed lines.
std::vector<PostalRecord> browseGroup(const PostalTable& table, std::string_view selectedGroup);

// Every row any of whose four fields contains the trimmed keyword, in table
// order, each row once. Without a hit the result is the single line whose
// four texts are noResultText.
std::vector<PostalRecord> searchKeyword(const PostalTable& table, std::string_view keywordText);

} // namespace app
