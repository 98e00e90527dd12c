// A painted skin's files: the pictures by entry name, the description, and
// the package order of all of them.
#pragma once

#include "tools/skingen/Raster.h"
#include "tools/skingen/Theme.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace skingen {

using PictureSet = std::map<std::string, Image24, std::less<>>;

// Each adds the pictures of one part of the look.
// Window frame, caption and MDI buttons; with every element also the menu
// bar, the caption text plate and the custom caption button.
void AddChromePictures(PictureSet& pictures, const Theme& theme);
// Buttons, boxes, tabs, progress, spin, track; with every element also group
// boxes, the sunk edge, the other track bar thumbs and the vertical channel.
void AddControlPictures(PictureSet& pictures, const Theme& theme);
void AddMenuPictures(PictureSet& pictures, const Theme& theme);    // menu background and items
void AddScrollPictures(PictureSet& pictures, const Theme& theme);  // scroll bar arrows, tracks, thumbs

// The skin description (INI text, CR LF line ends).
std::string DescribeSkin(const Theme& theme);

inline constexpr std::string_view DESCRIPTION_NAME = "skin.ini";

// The bitmap entries of every skin in package order; the description follows
// them, or the pictures of a skin that paints every element do.
inline constexpr std::array<std::string_view, 34> BITMAP_ORDER = {
    "buttons.bmp",         "checkbox.bmp",        "radiobutton.bmp",    "progress.bmp",
    "progresschunk.bmp",   "tab.bmp",             "tabsheet.bmp",       "comboboxbtn.bmp",
    "statusbar.bmp",       "header.bmp",          "scrollbararrow.bmp", "scrollbarhthumb.bmp",
    "scrollbarvthumb.bmp", "scrollbarhbar.bmp",   "scrollbarvbar.bmp",  "menubackground.bmp",
    "menuitem.bmp",        "extraimages.bmp",     "trackthumbh.bmp",    "trackbot.bmp",
    "mdibutton.bmp",       "spin.bmp",            "spinarrow.bmp",      "spinh.bmp",
    "spinharrow.bmp",      "closebutton.bmp",     "maxbutton.bmp",      "minbutton.bmp",
    "restrorebutton.bmp",  "frameleft.bmp",       "frameright.bmp",     "frametop.bmp",
    "framebottom.bmp",     "mincaption.bmp",
};

// The pictures a skin that paints every element adds, in package order.
inline constexpr std::array<std::string_view, 12> EVERY_ELEMENT_ORDER = {
    "menubar.bmp",     "textback.bmp",    "sealbutton.bmp",  "groupboxedge.bmp",
    "groupbox.bmp",    "sunkedge.bmp",    "trackthumbv.bmp", "trackthumbl.bmp",
    "trackthumbr.bmp", "trackthumbu.bmp", "trackthumbd.bmp", "trackvert.bmp",
};

struct SkinFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// All files of the theme's skin in package order. Throws when a picture is
// missing or extra.
std::vector<SkinFile> BuildSkin(const Theme& theme);
// The 35 files of the default skin.
std::vector<SkinFile> BuildDefaultSkin();

}  // namespace skingen
