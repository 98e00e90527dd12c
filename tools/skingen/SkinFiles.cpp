#include "tools/skingen/BmpWriter.h"
#include "tools/skingen/SkinPictures.h"

#include <stdexcept>

namespace skingen {

std::vector<SkinFile> BuildSkin(const Theme& theme)
{
    PictureSet pictures;
    AddChromePictures(pictures, theme);
    AddControlPictures(pictures, theme);
    AddMenuPictures(pictures, theme);
    AddScrollPictures(pictures, theme);
    std::vector<std::string_view> order(BITMAP_ORDER.begin(), BITMAP_ORDER.end());
    if (theme.PaintsEveryElement) {
        order.insert(order.end(), EVERY_ELEMENT_ORDER.begin(), EVERY_ELEMENT_ORDER.end());
    }
    if (pictures.size() != order.size()) {
        throw std::logic_error("the painters made " + std::to_string(pictures.size()) +
                               " pictures, the package holds " + std::to_string(order.size()));
    }

    std::vector<SkinFile> files;
    for (const std::string_view name : order) {
        const auto picture = pictures.find(name);
        if (picture == pictures.end()) {
            throw std::logic_error("no picture painted for " + std::string(name));
        }
        files.push_back({std::string(name), EncodeBmp24(picture->second)});
    }
    const std::string description = DescribeSkin(theme);
    files.push_back({std::string(DESCRIPTION_NAME),
                     std::vector<std::uint8_t>(description.begin(), description.end())});
    return files;
}

std::vector<SkinFile> BuildDefaultSkin() { return BuildSkin(CeladonTheme()); }

}  // namespace skingen
