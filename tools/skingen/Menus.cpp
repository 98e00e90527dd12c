// Popup menu background and item cells.
#include "tools/skingen/Painting.h"
#include "tools/skingen/SkinPictures.h"
#include "tools/skingen/Theme.h"

#include <vector>

namespace skingen {

namespace {

struct MenuPainter : Theme {
    // One frame: a thin silver edge around a white-jade field.
    Image24 MenuBackgroundPicture() const
    {
        const int w = MenuBackgroundCell.width;
        const int h = MenuBackgroundCell.height;
        Raster raster(w, h);
        raster.Fill(Box(0, 0, w, h), Menu);
        raster.Fill(Outline(0, 0, w, h), Silver);
        return raster.FlattenOpaque(Solid(Menu));
    }

    // Cells: 1 normal item (transparent, the background shows), 2 separator,
    // 3 spare (a quiet selection for disabled items), 4 selected item, 5 spare
    // (selection with a focus edge).
    Image24 MenuItems() const
    {
        const int w = MenuItemCell.width;
        const int h = MenuItemCell.height;
        std::vector<Image24> frames;
        for (int cell = 1; cell <= 5; ++cell) {
            Raster raster(w, h);
            const Shape outer = RoundRect(2, 1, w - 2, h - 1, 3);
            const Shape inner = RoundRect(3, 2, w - 3, h - 2, 2);
            switch (cell) {
            case 2: raster.Fill(Box(2, SeparatorRow, w - 2, SeparatorRow + 1), SilverLight); break;
            case 3: raster.Fill(outer, MenuQuiet); break;
            case 4:
            case 5:
                raster.Fill(outer, cell == 4 ? AccentSoft : Accent);
                raster.Fill(inner, VerticalGradient(2, AccentTint, h - 2, AccentPale));
                break;
            default: break;
            }
            frames.push_back(raster.Flatten(Solid(Menu), 0.04));
        }
        return JoinFrames(frames);
    }

    void Add(PictureSet& pictures) const
    {
        pictures["menubackground.bmp"] = MenuBackgroundPicture();
        pictures["menuitem.bmp"] = MenuItems();
    }
};

}  // namespace

void AddMenuPictures(PictureSet& pictures, const Theme& theme) { MenuPainter{theme}.Add(pictures); }

}  // namespace skingen
