#include "tools/skintool/SkinTool.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string MoveIntoPlace(const std::string& from, const std::string& to)
{
    // POSIX rename replaces an existing target atomically.
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::string() : std::strerror(errno);
}
