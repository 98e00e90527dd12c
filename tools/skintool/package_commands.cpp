// The package half of skintool (pack, unpack, list, check) registers here.
#include "tools/skintool/SkinTool.h"

std::span<const SkinToolCommand> PackageCommands() { return {}; }
