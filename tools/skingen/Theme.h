// The skins' palettes and geometry, the one place to edit their look. Each
// skin skingen paints is one Theme value, made at the end of this file; the
// painters read its names unqualified because they derive from it.
#pragma once

#include "tools/skingen/Raster.h"

#include <string>

namespace skingen {

constexpr Rgb RGB(int r, int g, int b) { return {double(r), double(g), double(b)}; }

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

struct Theme {
    // --- Identity --------------------------------------------------------
    std::string SkinName;     // ANSI (GBK) text of the description
    std::string Description;  // the first comment line of the description

    // --- Palette ---------------------------------------------------------
    // Text.
    Rgb Text;
    Rgb TextSoft;
    Rgb HotText;  // text on hovered faces
    // Faces.
    Rgb White = RGB(255, 255, 255);  // marks on accent fills, glazes
    Rgb Face;                        // dialog and button face
    Rgb MenuFace;                    // menus
    Rgb RaisedBottom;                // lower end of raised faces
    Rgb RaisedTop;                   // upper end of raised faces
    Rgb RaisedHotBottom;             // lower end of a hovered raised face
    Rgb Glaze;                       // the line along the upper inside edge of a face
    Rgb BoxTop;                      // inside of an empty check box or radio ring
    Rgb BoxBottom;
    Rgb MarkDisabled;                // tick and dot of a disabled checked box
    // Edges.
    Rgb Silver;
    Rgb SilverDark;
    Rgb SilverLight;
    Rgb SilverFaint;
    // Accent.
    Rgb Accent;
    Rgb AccentBright;
    Rgb AccentDeep;
    Rgb AccentSoft;
    Rgb AccentPale;
    Rgb AccentTint;
    // Disabled.
    Rgb DisabledFace;
    Rgb DisabledEdge;
    Rgb DisabledMark;
    // The close button.
    Rgb Cinnabar;
    Rgb CinnabarDeep;

    // Caption of the active window, with a glaze highlight.
    Rgb CaptionTop;
    Rgb CaptionBottom;
    Rgb CaptionEdge;
    Rgb CaptionHighlight;
    Rgb CaptionRim;       // the line that separates the caption from the body
    double CaptionGlaze;  // white laid over the upper half
    Rgb CaptionText;
    Rgb CaptionGlyph;
    Rgb CaptionPress;  // laid at a quarter over a pressed caption button
    // Caption of an inactive window.
    Rgb IdleCaptionTop;
    Rgb IdleCaptionBottom;
    Rgb IdleCaptionEdge;
    Rgb IdleCaptionHighlight;
    Rgb IdleCaptionRim;
    Rgb IdleCaptionText;
    Rgb IdleCaptionGlyph;
    // Window outline below the caption.
    Rgb FrameEdge;
    Rgb IdleFrameEdge;
    // What lies outside a window is unknown; soft corner pixels blend into this.
    Rgb DesktopGuess;

    // Controls.
    Rgb ProgressEdge;
    Rgb ProgressTrackTop;
    Rgb ProgressTrackBottom;
    Rgb ProgressFillTop;
    Rgb ProgressFillBottom;
    Rgb TabTop;  // a tab behind the current one
    Rgb TabBottom;
    Rgb TabHotBottom;
    Rgb TabOpenTop;  // the current tab, fading into the face
    Rgb ComboField;  // the field a combo box's button lies in
    Rgb EdgeLight;   // the light side of status bar edges and grips
    Rgb HeaderTop;
    Rgb HeaderBottom;
    Rgb HeaderHotBottom;
    Rgb TrackThumbTop;  // the resting track bar thumb
    Rgb TrackThumbBottom;
    Rgb ChannelEdge;
    Rgb ChannelFloor;
    Rgb MenuQuiet;  // selection of a disabled menu item

    // Scroll bars.
    Rgb ScrollTrack;
    Rgb ScrollTrackEdge;
    Rgb ScrollTrackIdle;
    Rgb ScrollThumb;
    Rgb ScrollThumbHot;
    Rgb ScrollThumbDown;
    Rgb ScrollArrow;
    Rgb ScrollArrowDown;  // pill under a pressed arrow
    Rgb ScrollArrowHot;

    // The [Colours] section.
    Rgb WindowText;
    Rgb ButtonFace;
    Rgb ScrollbarColour;
    Rgb HilightText;
    Rgb Hilight;
    Rgb Menubar;
    Rgb Menu;
    Rgb MenuText;
    Rgb ButtonText;
    Rgb ButtonHilight;  // frame of a hot menu-bar item
    Rgb Buttonlight;
    Rgb ButtonShadow;  // edit borders, group boxes, disabled text
    Rgb ButtonDkShadow;
    Rgb MenuBarText;
    Rgb TitleTextActive;
    Rgb TitleTextNoActive;
    Rgb TabText;
    Rgb TabTextCurrent;
    Rgb StatusText;

    // --- Elements the engine can do without ------------------------------
    // A skin that paints them has a menu bar picture, group box pictures,
    // a sunk edge for combo boxes, a plate under the caption text, a thumb
    // for every track bar orientation, a vertical channel and one custom
    // caption button; without them the engine draws its plain look.
    bool PaintsEveryElement = false;
    Rgb MenubarTop;
    Rgb MenubarBottom;
    Rgb MenubarRule;     // the line under an active window's menu bar
    Rgb IdleMenubarRule;
    Rgb SunkField;       // inside a sunk edge, where the control draws
    Rgb PlateFill;       // the caption text plate
    Rgb PlateEdge;
    Rgb IdlePlateFill;
    Rgb IdlePlateEdge;
    Rgb GroupEdge;
    Rgb GroupLabel;
    int CustomAction = 0;  // what SKM_CUSTOMBUTTON carries

    // --- Geometry --------------------------------------------------------
    // Window frame. The side borders hold the caption's ends and the rounded
    // corners; their fixed upper part is exactly the caption's height.
    int TitleHeight = 30;
    int BorderWidth = 4;
    int BottomHeight = 4;
    int TopCornerRadius = 7;
    int BottomCornerRadius = 4;
    int SideMiddle = 4;    // stretched rows of the side borders
    int SideBottom = 6;    // fixed lower rows, the bottom corner
    int TopEnd = 12;       // fixed columns at each end of the caption
    int TopMiddle = 16;    // stretched columns of the caption
    int BottomStrip = 16;  // width of the bottom border picture
    int SideHeight() const { return TitleHeight + SideMiddle + SideBottom; }

    // Caption buttons, placed from the right window edge.
    CellSize CaptionButtonCell{28, 20};
    int CaptionButtonTop() const { return (TitleHeight - CaptionButtonCell.height) / 2; }
    int CloseFromRight() const { return BorderWidth + 4 + CaptionButtonCell.width; }
    int MaximiseFromRight() const { return CloseFromRight() + CaptionButtonCell.width; }
    int MinimiseFromRight() const { return MaximiseFromRight() + CaptionButtonCell.width; }
    int CustomFromRight() const { return MinimiseFromRight() + CaptionButtonCell.width; }
    int LeftmostButtonFromRight() const { return PaintsEveryElement ? CustomFromRight() : MinimiseFromRight(); }
    int IconLeft = 8;
    int IconSize = 16;
    int IconTop() const { return (TitleHeight - IconSize) / 2; }
    // The caption text starts two pixels after the icon and ends four pixels
    // before the leftmost caption button (both measured from the caption
    // band's ends).
    int TextShift() const { return IconLeft + IconSize + 2 - BorderWidth; }
    int TextRightClip() const { return LeftmostButtonFromRight() - BorderWidth + 4; }
    // The caption text plate: rounded ends wider than the text by these.
    int PlateEnd = 10;
    int PlateMiddle = 8;
    int PlateInset = 4;  // rows above and below the plate, inside the caption

    // Controls.
    CellSize PushButtonCell{24, 24};
    Margins PushButtonMargins{5, 5, 5, 5};
    double PushButtonRadius = 4;
    CellSize CheckBoxCell{13, 13};
    int CheckBoxFrames = 12;
    int RadioFrames = 8;
    CellSize ProgressCell{24, 16};
    Margins ProgressMargins{5, 4, 5, 4};
    CellSize ProgressChunkCell{8, 12};
    CellSize TabCell{28, 22};
    Margins TabMargins{5, 5, 5, 3};
    CellSize TabPaneCell{20, 20};
    Margins TabPaneMargins{4, 4, 4, 4};
    CellSize ComboButtonCell{17, 17};
    CellSize ExtraCell{12, 12};
    CellSize StatusCell{12, 12};
    Margins StatusMargins{2, 2, 2, 2};
    CellSize HeaderCell{24, 20};
    Margins HeaderMargins{3, 4, 3, 4};
    CellSize MenuItemCell{28, 20};
    Margins MenuItemMargins{5, 4, 5, 4};
    int SeparatorRow = 15;  // low in the cell: short items use its bottom
    CellSize MenuBackgroundCell{24, 24};
    Margins MenuBackgroundMargins{3, 3, 3, 3};
    int ScrollSize = 17;  // the system's scroll bar thickness
    int ScrollTrackLength = 16;
    Margins HorzTrackMargins{2, 0, 2, 0};
    Margins VertTrackMargins{0, 2, 0, 2};
    int ThumbLength = 24;
    int ThumbEnd = 7;  // fixed ends of the thumb along the bar
    CellSize TrackThumbCell{11, 20};
    CellSize TrackChannelCell{20, 5};
    int TrackChannelEnd = 3;
    CellSize SpinCell{15, 11};
    CellSize SpinArrowCell{7, 4};
    CellSize MdiButtonCell{16, 14};
    CellSize MinCaptionCell{64, 24};
    // Elements the engine can do without.
    CellSize MenubarCell{32, 20};
    int MenubarEnd = 4;
    CellSize SunkCell{24, 21};
    Margins SunkMargins{3, 3, 3, 3};
    CellSize GroupEdgeCell{24, 24};
    Margins GroupEdgeMargins{6, 6, 6, 6};
    CellSize GroupLabelCell{24, 18};
    Margins GroupLabelMargins{6, 0, 6, 0};
};


// Celadon porcelain: a deep celadon-to-ink caption, white-jade faces, thin
// silver-grey edges, a clear celadon accent for hover and focus, and
// cinnabar for the close button.
inline Theme MakeCeladon()
{
    Theme t;
    t.SkinName = "青瓷 Celadon";
    t.Description = "Zelvorin default skin: celadon porcelain.";

    t.Text = RGB(30, 43, 42);
    t.TextSoft = RGB(61, 77, 74);
    t.HotText = RGB(26, 86, 74);
    t.Face = RGB(242, 244, 238);
    t.MenuFace = RGB(250, 251, 248);
    t.RaisedBottom = RGB(230, 235, 230);
    t.RaisedTop = t.White;
    t.RaisedHotBottom = RGB(216, 237, 229);
    t.Glaze = t.White;
    t.BoxTop = t.White;
    t.BoxBottom = RGB(240, 243, 240);
    t.MarkDisabled = RGB(248, 250, 248);
    t.Silver = RGB(164, 176, 172);
    t.SilverDark = RGB(134, 148, 144);
    t.SilverLight = RGB(204, 212, 209);
    t.SilverFaint = RGB(222, 228, 225);
    t.Accent = RGB(47, 125, 109);
    t.AccentBright = RGB(62, 150, 131);
    t.AccentDeep = RGB(31, 96, 83);
    t.AccentSoft = RGB(150, 205, 189);
    t.AccentPale = RGB(212, 234, 226);
    t.AccentTint = RGB(236, 246, 242);
    t.DisabledFace = RGB(238, 240, 237);
    t.DisabledEdge = RGB(208, 214, 211);
    t.DisabledMark = RGB(184, 194, 190);
    t.Cinnabar = RGB(196, 62, 46);
    t.CinnabarDeep = RGB(152, 40, 30);

    t.CaptionTop = RGB(56, 116, 102);
    t.CaptionBottom = RGB(22, 50, 47);
    t.CaptionEdge = RGB(16, 34, 32);
    t.CaptionHighlight = RGB(122, 176, 160);
    t.CaptionRim = RGB(170, 140, 88);  // the gilded rim of porcelain ware
    t.CaptionGlaze = 0.14;
    t.CaptionText = RGB(243, 248, 245);
    t.CaptionGlyph = RGB(222, 236, 230);
    t.CaptionPress = RGB(0, 0, 0);
    t.IdleCaptionTop = RGB(220, 228, 224);
    t.IdleCaptionBottom = RGB(192, 205, 200);
    t.IdleCaptionEdge = RGB(150, 164, 160);
    t.IdleCaptionHighlight = RGB(244, 248, 246);
    t.IdleCaptionRim = RGB(176, 188, 184);
    t.IdleCaptionText = RGB(50, 64, 61);
    t.IdleCaptionGlyph = RGB(88, 104, 100);
    t.FrameEdge = RGB(140, 154, 150);
    t.IdleFrameEdge = RGB(178, 189, 185);
    t.DesktopGuess = RGB(120, 128, 126);

    t.ProgressEdge = RGB(176, 188, 184);
    t.ProgressTrackTop = RGB(222, 229, 225);
    t.ProgressTrackBottom = RGB(238, 242, 238);
    t.ProgressFillTop = RGB(104, 182, 160);
    t.ProgressFillBottom = RGB(40, 120, 103);
    t.TabTop = RGB(238, 242, 238);
    t.TabBottom = RGB(224, 231, 226);
    t.TabHotBottom = RGB(218, 236, 229);
    t.TabOpenTop = t.White;
    t.ComboField = t.White;
    t.EdgeLight = t.White;
    t.HeaderTop = t.White;
    t.HeaderBottom = RGB(236, 240, 236);
    t.HeaderHotBottom = RGB(220, 238, 231);
    t.TrackThumbTop = RGB(96, 172, 152);
    t.TrackThumbBottom = RGB(44, 122, 105);
    t.ChannelEdge = RGB(160, 178, 172);
    t.ChannelFloor = RGB(206, 220, 214);
    t.MenuQuiet = RGB(238, 241, 239);

    t.ScrollTrack = RGB(232, 237, 233);
    t.ScrollTrackEdge = RGB(218, 225, 221);
    t.ScrollTrackIdle = RGB(242, 244, 241);
    t.ScrollThumb = RGB(178, 192, 187);
    t.ScrollThumbHot = RGB(122, 172, 157);
    t.ScrollThumbDown = RGB(70, 138, 120);
    t.ScrollArrow = RGB(112, 128, 123);
    t.ScrollArrowDown = RGB(190, 216, 206);
    t.ScrollArrowHot = RGB(216, 230, 224);

    t.WindowText = t.Text;
    t.ButtonFace = t.Face;
    t.ScrollbarColour = t.ScrollTrack;
    t.HilightText = t.Text;
    t.Hilight = t.AccentPale;
    t.Menubar = t.Face;
    t.Menu = t.MenuFace;
    t.MenuText = t.Text;
    t.ButtonText = t.Text;
    t.ButtonHilight = t.AccentBright;
    t.Buttonlight = t.White;
    t.ButtonShadow = t.SilverDark;
    t.ButtonDkShadow = RGB(96, 110, 106);
    t.MenuBarText = t.Text;
    t.TitleTextActive = t.CaptionText;
    t.TitleTextNoActive = t.IdleCaptionText;
    t.TabText = t.TextSoft;
    t.TabTextCurrent = t.Text;
    t.StatusText = t.Text;
    return t;
}

// Text: black lacquer faces, light grey text, a vermilion seal accent and a
// thin gold rim under the caption. An inactive window turns pewter, so the
// active one stands out. It paints every element the engine reads.
inline Theme MakeInk()
{
    Theme t;
    t.SkinName = "墨 Ink";
    t.Description = "Zelvorin dark skin: ink on black lacquer.";

    t.Text = RGB(222, 224, 228);
    t.TextSoft = RGB(172, 176, 184);
    t.HotText = RGB(252, 212, 198);
    t.Face = RGB(32, 34, 38);
    t.MenuFace = RGB(38, 40, 45);
    t.RaisedBottom = RGB(42, 44, 50);
    t.RaisedTop = RGB(64, 67, 75);
    t.RaisedHotBottom = RGB(70, 44, 38);
    t.Glaze = RGB(104, 108, 118);
    t.BoxTop = RGB(20, 21, 24);
    t.BoxBottom = RGB(28, 29, 33);
    t.MarkDisabled = RGB(128, 130, 136);
    t.Silver = RGB(96, 100, 110);
    t.SilverDark = RGB(78, 81, 90);
    t.SilverLight = RGB(60, 63, 70);
    t.SilverFaint = RGB(52, 54, 60);
    t.Accent = RGB(212, 74, 50);
    t.AccentBright = RGB(238, 104, 76);
    t.AccentDeep = RGB(156, 48, 32);
    t.AccentSoft = RGB(150, 70, 54);
    t.AccentPale = RGB(92, 44, 36);
    t.AccentTint = RGB(62, 40, 36);
    t.DisabledFace = RGB(36, 37, 41);
    t.DisabledEdge = RGB(54, 56, 62);
    t.DisabledMark = RGB(88, 91, 98);
    t.Cinnabar = RGB(200, 56, 40);
    t.CinnabarDeep = RGB(140, 32, 22);

    t.CaptionTop = RGB(46, 48, 54);
    t.CaptionBottom = RGB(14, 15, 18);
    t.CaptionEdge = RGB(4, 4, 6);
    t.CaptionHighlight = RGB(84, 88, 96);
    t.CaptionRim = RGB(178, 138, 72);
    t.CaptionGlaze = 0.06;
    t.CaptionText = RGB(238, 234, 226);
    t.CaptionGlyph = RGB(204, 206, 212);
    t.CaptionPress = RGB(255, 255, 255);
    t.IdleCaptionTop = RGB(168, 171, 178);
    t.IdleCaptionBottom = RGB(142, 145, 152);
    t.IdleCaptionEdge = RGB(92, 95, 102);
    t.IdleCaptionHighlight = RGB(196, 199, 205);
    t.IdleCaptionRim = RGB(110, 113, 120);
    t.IdleCaptionText = RGB(16, 17, 20);
    t.IdleCaptionGlyph = RGB(40, 42, 47);
    t.FrameEdge = RGB(62, 64, 70);
    t.IdleFrameEdge = RGB(112, 115, 122);
    t.DesktopGuess = RGB(60, 64, 70);

    t.ProgressEdge = RGB(70, 73, 80);
    t.ProgressTrackTop = RGB(20, 21, 24);
    t.ProgressTrackBottom = RGB(30, 31, 35);
    t.ProgressFillTop = RGB(236, 102, 74);
    t.ProgressFillBottom = RGB(166, 50, 32);
    t.TabTop = RGB(42, 44, 49);
    t.TabBottom = RGB(34, 36, 40);
    t.TabHotBottom = RGB(64, 42, 38);
    t.TabOpenTop = RGB(58, 61, 68);
    t.ComboField = RGB(20, 21, 24);
    t.EdgeLight = RGB(84, 88, 96);
    t.HeaderTop = RGB(52, 54, 60);
    t.HeaderBottom = RGB(38, 40, 45);
    t.HeaderHotBottom = RGB(70, 44, 40);
    t.TrackThumbTop = RGB(236, 102, 74);
    t.TrackThumbBottom = RGB(166, 50, 32);
    t.ChannelEdge = RGB(12, 12, 14);
    t.ChannelFloor = RGB(58, 61, 68);
    t.MenuQuiet = RGB(48, 50, 56);

    t.ScrollTrack = RGB(26, 27, 31);
    t.ScrollTrackEdge = RGB(42, 44, 49);
    t.ScrollTrackIdle = RGB(30, 31, 35);
    t.ScrollThumb = RGB(78, 82, 90);
    t.ScrollThumbHot = RGB(150, 78, 62);
    t.ScrollThumbDown = RGB(196, 66, 44);
    t.ScrollArrow = RGB(152, 156, 164);
    t.ScrollArrowDown = RGB(92, 48, 40);
    t.ScrollArrowHot = RGB(58, 60, 66);

    t.WindowText = t.Text;
    t.ButtonFace = t.Face;
    t.ScrollbarColour = t.ScrollTrack;
    t.HilightText = t.Text;
    t.Hilight = t.AccentPale;
    t.Menubar = RGB(28, 29, 33);
    t.Menu = t.MenuFace;
    t.MenuText = t.Text;
    t.ButtonText = t.Text;
    t.ButtonHilight = t.AccentBright;
    t.Buttonlight = RGB(92, 96, 104);
    t.ButtonShadow = RGB(112, 116, 124);
    t.ButtonDkShadow = RGB(10, 10, 12);
    t.MenuBarText = t.Text;
    t.TitleTextActive = t.CaptionText;
    t.TitleTextNoActive = t.IdleCaptionText;
    t.TabText = t.TextSoft;
    t.TabTextCurrent = t.Text;
    t.StatusText = t.Text;

    t.PaintsEveryElement = true;
    t.MenubarTop = RGB(40, 42, 47);
    t.MenubarBottom = RGB(26, 27, 31);
    t.MenubarRule = t.AccentDeep;
    t.IdleMenubarRule = RGB(70, 73, 80);
    t.SunkField = RGB(20, 21, 24);
    t.PlateFill = RGB(8, 8, 10);
    t.PlateEdge = RGB(150, 116, 62);
    t.IdlePlateFill = RGB(182, 185, 191);
    t.IdlePlateEdge = RGB(112, 115, 122);
    t.GroupEdge = RGB(96, 100, 110);
    t.GroupLabel = RGB(46, 48, 54);
    t.CustomAction = 40;
    return t;
}

// The default skin.
inline const Theme& CeladonTheme()
{
    static const Theme theme = MakeCeladon();
    return theme;
}

// The dark skin.
inline const Theme& InkTheme()
{
    static const Theme theme = MakeInk();
    return theme;
}

}  // namespace skingen
