// The built-in table over the rows generated from app/data/postal.txt.
#include "app/PostalTable.h"

namespace app {

std::span<const std::string_view> postalRowsGbk();

const PostalTable& postalTable() noexcept
{
    static const PostalTable table(postalRowsGbk());
    return table;
}

} // namespace app
