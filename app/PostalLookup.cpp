#include "app/PostalLookup.h"

#include "app/LeadByte.h"

#include <algorithm>

namespace app {

namespace {

constexpr char fieldDelimiter = ',';

bool isBlank(char c) noexcept
{
    return static_cast<unsigned char>(c) <= 32;
}

PostalRecord resultLine(const userarray& fields)
{
    return PostalRecord{std::string(trimBlanks(fields[0])), std::string(trimBlanks(fields[1])),
                        std::string(trimBlanks(fields[2])), std::string(trimBlanks(fields[3]))};
}

} // namespace

std::string_view trimBlanks(std::string_view text) noexcept
{
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string_view(first, last) : std::string_view();
}

bool containsKeyword(std::string_view field, std::string_view keyword) noexcept
{
    if (field.empty() || keyword.empty()) {
        return false;
    }
    // Walking the field character by character visits exactly the positions
    // where an occurrence may begin.
    for (std::size_t pos = 0; pos < field.size();
         pos += isAnsiLeadByte(static_cast<unsigned char>(field[pos])) ? 2 : 1) {
        if (field.substr(pos).starts_with(keyword)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> groupList(const PostalTable& table)
{
    std::vector<std::string> groups;
    std::string remembered;
    for (std::size_t index = 0; index < table.rowCount(); ++index) {
        const userarray fields = split(table.row(index), fieldDelimiter);
        if (fields[0] != remembered && !fields[0].empty()) {
            groups.push_back(fields[0]);
            remembered = fields[0];
        }
    }
    return groups;
}

std::vector<PostalRecord> browseGroup(const PostalTable& table, std::string_view selectedGroup)
{
    const std::string_view group = trimBlanks(selectedGroup);
    std::vector<PostalRecord> lines;
    for (std::size_t index = 0; index < table.rowCount(); ++index) {
        const userarray fields = split(table.row(index), fieldDelimiter);
        if (fields[0] == group) {
            lines.push_back(resultLine(fields));
        }
    }
    return lines;
}

std::vector<PostalRecord> searchKeyword(const PostalTable& table, std::string_view keywordText)
{
    const std::string_view keyword = trimBlanks(keywordText);
    std::vector<PostalRecord> lines;
    for (std::size_t index = 0; index < table.rowCount(); ++index) {
        const userarray fields = split(table.row(index), fieldDelimiter);
        const bool hit = std::any_of(fields.begin(), fields.begin() + 4, [keyword](const std::string& field) {
            return containsKeyword(field, keyword);
        });
        if (hit) {
            lines.push_back(resultLine(fields));
        }
    }
    if (lines.empty()) {
        const std::string none(noResultText);
        lines.push_back(PostalRecord{none, none, none, none});
    }
    return lines;
}

} // namespace app
