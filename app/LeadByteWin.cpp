// The active ANSI code page decides, as it does for every A function the
// program calls. It cannot change while the process runs, so it is asked
// once per byte value and remembered.
#include "app/LeadByte.h"

#include <windows.h>

namespace app {

bool isAnsiLeadByte(unsigned char byte) noexcept
{
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> result{};
        for (std::size_t value = 0; value < result.size(); ++value) {
            result[value] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(value)) != FALSE;
        }
        return result;
    }();
    return table[byte];
}

} // namespace app
