// Shared by the demo programs: the engine switched on for this thread's
// windows with a skin the program carries (the default one unless told
// otherwise), as a main window's skin data component does once its form data
// is read.
#pragma once

#include <memory>
#include <string_view>

class TSkinData;

namespace demo {

inline constexpr std::string_view DEFAULT_SKIN_RESOURCE = "FILE_SKINS_DEFAULT_SKIN";
inline constexpr std::string_view INK_SKIN_RESOURCE = "FILE_SKINS_INK_SKIN";

// The skin data that the engine now draws with, from the program's resource
// of that name; null when the skin cannot be read.
std::unique_ptr<TSkinData> StartSkinning(std::string_view resource = DEFAULT_SKIN_RESOURCE);

} // namespace demo
