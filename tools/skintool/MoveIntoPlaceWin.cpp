#include "tools/skintool/SkinTool.h"

#include <windows.h>

std::string MoveIntoPlace(const std::string& from, const std::string& to)
{
    // The C library's rename refuses an existing target on Windows.
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    return "system error " + std::to_string(GetLastError());
}
