// The gallery's screenshot mode: one PNG per page and per window state, so a
// skin author sees a whole skin at once and skins can be compared by machine.
#pragma once

#include <string>
#include <vector>

class TGalleryForm;

namespace gallery {

// Shows each page and state of form in turn and writes it to directory
// (which must exist); returns the files written, in order.
std::vector<std::string> ShootGallery(TGalleryForm& form, const std::string& directory);

} // namespace gallery
