// Portable builds have no system code page to ask; the program's text is GBK.
#include "app/LeadByte.h"

namespace app {

bool isAnsiLeadByte(unsigned char byte) noexcept
{
    return isGbkLeadByte(byte);
}

} // namespace app
