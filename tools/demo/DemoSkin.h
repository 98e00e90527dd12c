// Shared by the demo programs: the engine switched on for this thread's
// windows with the default skin the program carries, as a main window's skin
// data component does once its form data is read.
#pragma once

#include <memory>

class TSkinData;

namespace demo {

// The skin data that the engine now draws with; null when the skin cannot be read.
std::unique_ptr<TSkinData> StartSkinning();

} // namespace demo
