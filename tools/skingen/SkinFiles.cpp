#include "tools/skingen/BmpWriter.h"
#include "tools/skingen/SkinPictures.h"

#include <stdexcept>

namespace skingen {

std::vector<SkinFile> BuildDefaultSkin()
{
    PictureSet pictures;
    AddChromePictures(pictures);
    AddControlPictures(pictures);
    AddMenuPictures(pictures);
    AddScrollPictures(pictures);
    if (pictures.size() != BITMAP_ORDER.size()) {
        throw std::logic_error("the painters made " + std::to_string(pictures.size()) +
                               " pictures, the package holds " + std::to_string(BITMAP_ORDER.size()));
    }

    std::vector<SkinFile> files;
    for (const std::string_view name : BITMAP_ORDER) {
        const auto picture = pictures.find(name);
        if (picture == pictures.end()) {
            throw std::logic_error("no picture painted for " + std::string(name));
        }
        files.push_back({std::string(name), EncodeBmp24(picture->second)});
    }
    const std::string description = DescribeSkin();
    files.push_back({std::string(DESCRIPTION_NAME),
                     std::vector<std::uint8_t>(description.begin(), description.end())});
    return files;
}

}  // namespace skingen
