// The skin engine's own bitmaps, linked into every program that uses it as
// resources: the track bar channels drawn when a skin has none, and the
// glyphs of the system menu's window commands.
#pragma once

#include "tools/skingen/Raster.h"
#include "tools/skingen/SkinPictures.h"

#include <vector>

namespace skingen {

// A recessed channel with three-pixel ends on every side, so that it
// stretches in both directions; the vertical one is the horizontal turned.
Image24 TrackChannelPicture(bool vertical);

// Restore, maximise, minimise and close, 16 pixels square each, side by
// side on white. White is the image list's mask, so every pixel is either
// white or full ink: a blended edge would show as a pale fringe on menus
// of any other colour.
Image24 SystemMenuGlyphs();

// The media player's glyph for one of its nine buttons (0 play ... 8 eject)
// in one of three looks: ink, greyed or coloured. Olive (128, 128, 0) is the
// background the player's painter keys out; every other pixel is full ink.
enum class PlayerGlyphLook { Enabled, Disabled, Coloured };
Image24 PlayerGlyph(int button, PlayerGlyphLook look);

// track.bmp, trackvert.bmp, ortavelmenu.bmp and the player's 27 glyphs
// (en_mpplay.bmp ... cl_mpeject.bmp).
std::vector<SkinFile> BuildBuiltinPictures();

}  // namespace skingen
