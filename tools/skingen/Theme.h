// The default skin's palette and geometry, the one place to edit its look.
// Celadon porcelain: a deep celadon-to-ink caption, white-jade faces, thin
// silver-grey edges, a clear celadon accent for hover and focus, and
// cinnabar for the close button.
#pragma once

#include "tools/skingen/Raster.h"

namespace skingen::theme {

constexpr Rgb RGB(int r, int g, int b) { return {double(r), double(g), double(b)}; }

// --- Palette -------------------------------------------------------------
// Text.
inline constexpr Rgb Ink = RGB(30, 43, 42);
inline constexpr Rgb InkSoft = RGB(61, 77, 74);
inline constexpr Rgb CeladonInk = RGB(26, 86, 74);  // text on hovered faces
// Faces.
inline constexpr Rgb White = RGB(255, 255, 255);
inline constexpr Rgb JadeWhite = RGB(242, 244, 238);  // dialog and button face
inline constexpr Rgb JadeLight = RGB(250, 251, 248);  // menus
inline constexpr Rgb JadeShade = RGB(230, 235, 230);  // lower end of raised faces
// Edges.
inline constexpr Rgb Silver = RGB(164, 176, 172);
inline constexpr Rgb SilverDark = RGB(134, 148, 144);
inline constexpr Rgb SilverLight = RGB(204, 212, 209);
inline constexpr Rgb SilverFaint = RGB(222, 228, 225);
// Accent.
inline constexpr Rgb Accent = RGB(47, 125, 109);
inline constexpr Rgb AccentBright = RGB(62, 150, 131);
inline constexpr Rgb AccentDeep = RGB(31, 96, 83);
inline constexpr Rgb AccentSoft = RGB(150, 205, 189);
inline constexpr Rgb AccentPale = RGB(212, 234, 226);
inline constexpr Rgb AccentTint = RGB(236, 246, 242);
// Disabled.
inline constexpr Rgb DisabledFace = RGB(238, 240, 237);
inline constexpr Rgb DisabledEdge = RGB(208, 214, 211);
inline constexpr Rgb DisabledMark = RGB(184, 194, 190);
// Cinnabar, the seal red of the close button.
inline constexpr Rgb Cinnabar = RGB(196, 62, 46);
inline constexpr Rgb CinnabarDeep = RGB(152, 40, 30);

// Caption of the active window: deep celadon into ink, with a glaze highlight.
inline constexpr Rgb CaptionTop = RGB(56, 116, 102);
inline constexpr Rgb CaptionBottom = RGB(22, 50, 47);
inline constexpr Rgb CaptionEdge = RGB(16, 34, 32);
inline constexpr Rgb CaptionHighlight = RGB(122, 176, 160);
inline constexpr Rgb CaptionRim = RGB(170, 140, 88);  // the gilded rim of porcelain ware
inline constexpr double CaptionGlaze = 0.14;  // white laid over the upper half
inline constexpr Rgb CaptionText = RGB(243, 248, 245);
inline constexpr Rgb CaptionGlyph = RGB(222, 236, 230);
// Caption of an inactive window: pale jade grey.
inline constexpr Rgb IdleCaptionTop = RGB(220, 228, 224);
inline constexpr Rgb IdleCaptionBottom = RGB(192, 205, 200);
inline constexpr Rgb IdleCaptionEdge = RGB(150, 164, 160);
inline constexpr Rgb IdleCaptionHighlight = RGB(244, 248, 246);
inline constexpr Rgb IdleCaptionRim = RGB(176, 188, 184);
inline constexpr Rgb IdleCaptionText = RGB(50, 64, 61);
inline constexpr Rgb IdleCaptionGlyph = RGB(88, 104, 100);
// Window outline below the caption.
inline constexpr Rgb FrameEdge = RGB(140, 154, 150);
inline constexpr Rgb IdleFrameEdge = RGB(178, 189, 185);
// What lies outside a window is unknown; soft corner pixels blend into this.
inline constexpr Rgb DesktopGuess = RGB(120, 128, 126);

// Scroll bars.
inline constexpr Rgb ScrollTrack = RGB(232, 237, 233);
inline constexpr Rgb ScrollTrackEdge = RGB(218, 225, 221);
inline constexpr Rgb ScrollTrackIdle = RGB(242, 244, 241);
inline constexpr Rgb ScrollThumb = RGB(178, 192, 187);
inline constexpr Rgb ScrollThumbHot = RGB(122, 172, 157);
inline constexpr Rgb ScrollThumbDown = RGB(70, 138, 120);
inline constexpr Rgb ScrollArrow = RGB(112, 128, 123);

// The [Colours] section.
inline constexpr Rgb WindowText = Ink;
inline constexpr Rgb ButtonFace = JadeWhite;
inline constexpr Rgb ScrollbarColour = ScrollTrack;
inline constexpr Rgb HilightText = Ink;
inline constexpr Rgb Hilight = AccentPale;
inline constexpr Rgb Menubar = JadeWhite;
inline constexpr Rgb Menu = JadeLight;
inline constexpr Rgb MenuText = Ink;
inline constexpr Rgb ButtonText = Ink;
inline constexpr Rgb ButtonHilight = AccentBright;  // frame of a hot menu-bar item
inline constexpr Rgb Buttonlight = White;
inline constexpr Rgb ButtonShadow = SilverDark;  // edit borders, group boxes, disabled text
inline constexpr Rgb ButtonDkShadow = RGB(96, 110, 106);
inline constexpr Rgb MenuBarText = Ink;
inline constexpr Rgb TitleTextActive = CaptionText;
inline constexpr Rgb TitleTextNoActive = IdleCaptionText;
inline constexpr Rgb TabText = InkSoft;
inline constexpr Rgb TabTextCurrent = Ink;
inline constexpr Rgb StatusText = Ink;

// --- Geometry ------------------------------------------------------------
struct Margins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct CellSize {
    int width = 0;
    int height = 0;
};

// Window frame. The side borders hold the caption's ends and the rounded
// corners; their fixed upper part is exactly the caption's height.
inline constexpr int TitleHeight = 30;
inline constexpr int BorderWidth = 4;
inline constexpr int BottomHeight = 4;
inline constexpr int TopCornerRadius = 7;
inline constexpr int BottomCornerRadius = 4;
inline constexpr int SideMiddle = 4;      // stretched rows of the side borders
inline constexpr int SideBottom = 6;      // fixed lower rows, the bottom corner
inline constexpr int TopEnd = 12;         // fixed columns at each end of the caption
inline constexpr int TopMiddle = 16;      // stretched columns of the caption
inline constexpr int BottomStrip = 16;    // width of the bottom border picture
inline constexpr int SideHeight = TitleHeight + SideMiddle + SideBottom;

// Caption buttons, placed from the right window edge.
inline constexpr CellSize CaptionButtonCell{28, 20};
inline constexpr int CaptionButtonTop = (TitleHeight - CaptionButtonCell.height) / 2;
inline constexpr int CloseFromRight = BorderWidth + 4 + CaptionButtonCell.width;
inline constexpr int MaximiseFromRight = CloseFromRight + CaptionButtonCell.width;
inline constexpr int MinimiseFromRight = MaximiseFromRight + CaptionButtonCell.width;
inline constexpr int IconLeft = 8;
inline constexpr int IconSize = 16;
inline constexpr int IconTop = (TitleHeight - IconSize) / 2;
// The caption text starts two pixels after the icon and ends four pixels
// before the minimise button (both measured from the caption band's ends).
inline constexpr int TextShift = IconLeft + IconSize + 2 - BorderWidth;
inline constexpr int TextRightClip = MinimiseFromRight - BorderWidth + 4;

// Controls.
inline constexpr CellSize PushButtonCell{24, 24};
inline constexpr Margins PushButtonMargins{5, 5, 5, 5};
inline constexpr double PushButtonRadius = 4;
inline constexpr CellSize CheckBoxCell{13, 13};
inline constexpr int CheckBoxFrames = 12;
inline constexpr int RadioFrames = 8;
inline constexpr CellSize ProgressCell{24, 16};
inline constexpr Margins ProgressMargins{5, 4, 5, 4};
inline constexpr CellSize ProgressChunkCell{8, 12};
inline constexpr CellSize TabCell{28, 22};
inline constexpr Margins TabMargins{5, 5, 5, 3};
inline constexpr CellSize TabPaneCell{20, 20};
inline constexpr Margins TabPaneMargins{4, 4, 4, 4};
inline constexpr CellSize ComboButtonCell{17, 17};
inline constexpr CellSize ExtraCell{12, 12};
inline constexpr CellSize StatusCell{12, 12};
inline constexpr Margins StatusMargins{2, 2, 2, 2};
inline constexpr CellSize HeaderCell{24, 20};
inline constexpr Margins HeaderMargins{3, 4, 3, 4};
inline constexpr CellSize MenuItemCell{28, 20};
inline constexpr Margins MenuItemMargins{5, 4, 5, 4};
inline constexpr int SeparatorRow = 15;  // low in the cell: short items use its bottom
inline constexpr CellSize MenuBackgroundCell{24, 24};
inline constexpr Margins MenuBackgroundMargins{3, 3, 3, 3};
inline constexpr int ScrollSize = 17;  // the system's scroll bar thickness
inline constexpr int ScrollTrackLength = 16;
inline constexpr Margins HorzTrackMargins{2, 0, 2, 0};
inline constexpr Margins VertTrackMargins{0, 2, 0, 2};
inline constexpr int ThumbLength = 24;
inline constexpr int ThumbEnd = 7;  // fixed ends of the thumb along the bar
inline constexpr CellSize TrackThumbCell{11, 20};
inline constexpr CellSize TrackChannelCell{20, 5};
inline constexpr int TrackChannelEnd = 3;
inline constexpr CellSize SpinCell{15, 11};
inline constexpr CellSize SpinArrowCell{7, 4};
inline constexpr CellSize MdiButtonCell{16, 14};
inline constexpr CellSize MinCaptionCell{64, 24};

}  // namespace skingen::theme
