#include "app/PostalTable.h"

#include <stdexcept>

namespace app {

userarray split(std::string_view text, char delimiter)
{
    text = text.substr(0, text.find('\0'));
    userarray fields(userarraySlots);
    std::size_t from = 0;
    std::size_t slot = 0;
    for (std::size_t pos = text.find(delimiter); pos != std::string_view::npos && slot + 1 < fields.size();
         pos = text.find(delimiter, from)) {
        fields[slot++] = text.substr(from, pos - from);
        from = pos + 1;
    }
    fields[slot] = text.substr(from);
    return fields;
}

std::string_view PostalTable::row(std::size_t index) const
{
    if (index >= rows_.size()) {
        throw std::out_of_range("postal table row " + std::to_string(index) + " of " +
                                std::to_string(rows_.size()));
    }
    return rows_[index];
}

} // namespace app
