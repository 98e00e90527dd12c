// The skin description: every section and key the engine reads, with
// margins, frame counts and colours taken from the theme, so the text and
// the pictures cannot drift apart.
#include "tools/skingen/SkinPictures.h"
#include "tools/skingen/Theme.h"

#include <cmath>
#include <string>

namespace skingen {

namespace {

class IniWriter {
public:
    void Comment(const std::string& text) { text_ += "; " + text + "\r\n"; }
    void Section(const std::string& name)
    {
        if (!text_.empty()) {
            text_ += "\r\n";
        }
        text_ += "[" + name + "]\r\n";
    }
    void Key(const std::string& key, const std::string& value) { text_ += key + "=" + value + "\r\n"; }
    void Key(const std::string& key, int value) { Key(key, std::to_string(value)); }
    void Colour(const std::string& key, Rgb colour)
    {
        Key(key, std::to_string(Byte(colour.r)) + " " + std::to_string(Byte(colour.g)) + " " +
                     std::to_string(Byte(colour.b)));
    }
    // The three keys KeyR, KeyG and KeyB.
    void ColourKeys(const std::string& prefix, Rgb colour)
    {
        Key(prefix + "R", Byte(colour.r));
        Key(prefix + "G", Byte(colour.g));
        Key(prefix + "B", Byte(colour.b));
    }
    void Margins(const skingen::Margins& margins)
    {
        Key("LeftWidth", margins.left);
        Key("TopHeight", margins.top);
        Key("RightWidth", margins.right);
        Key("BottomHeight", margins.bottom);
    }
    // A nine-sliced element of the generic kind.
    void Element(const std::string& section, const std::string& image, int frames,
                 const skingen::Margins& margins, bool keyed, bool tiled = false)
    {
        Section(section);
        Key("Image", image);
        Key("Frame", frames);
        Margins(margins);
        Key("Trans", keyed ? 1 : 0);
        Key("Tile", tiled ? 1 : 0);
    }
    const std::string& Text() const { return text_; }

private:
    static int Byte(double value) { return static_cast<int>(std::lround(value)); }
    std::string text_;
};

struct Describer : Theme {
    void Borders(IniWriter& ini) const
    {
        const auto side = [&](const std::string& name, const std::string& image, int fixedStart,
                              int fixedEnd) {
            ini.Key(name, image);
            ini.Key(name + "TopHeight", fixedStart);
            ini.Key(name + "BotHeight", fixedEnd);
            ini.Key(name + "Frame", 2);  // 1 active window, 2 inactive
            ini.Key(name + "Stretch", 1);
            ini.Key(name + "Trans", 1);
        };
        side("Left", "frameleft.bmp", TitleHeight, SideBottom);
        side("Right", "frameright.bmp", TitleHeight, SideBottom);
        side("Top", "frametop.bmp", TopEnd, TopEnd);
        side("Bottom", "framebottom.bmp", 0, 0);
    }

    void Caption(IniWriter& ini) const
    {
        ini.Key("TextShift", TextShift());
        ini.Key("TextShiftVert", 0);
        ini.Key("TextRightClip", TextRightClip());
        ini.Key("TextAlignment", 0);
        if (PaintsEveryElement) {
            ini.Comment("a plate under the caption text: active above, inactive below");
            ini.Key("TextBack", "textback.bmp");
            ini.Key("Textbackground", 1);
            ini.Key("TXTBackleft", PlateEnd);
            ini.Key("TXTBackRight", PlateEnd);
        } else {
            ini.Key("Textbackground", 0);
            ini.Key("TXTBackleft", 0);
            ini.Key("TXTBackRight", 0);
        }
        ini.ColourKeys("ActiveText", TitleTextActive);
        ini.ColourKeys("InActiveText", TitleTextNoActive);
    }

    void MenuBar(IniWriter& ini) const
    {
        ini.Comment("the menu bar: active above, inactive below");
        ini.Key("menuBar", "menubar.bmp");
        ini.Key("TileMenu", 1);
        ini.Key("TileLeftMenu", MenubarEnd);
        ini.Key("TileRightMenu", MenubarEnd);
    }

    void Colours(IniWriter& ini) const
    {
        ini.Section("Colours");
        ini.Colour("WindowText", WindowText);
        ini.Colour("ButtonFace", ButtonFace);
        ini.Colour("Scrollbar", ScrollbarColour);
        ini.Colour("HilightText", HilightText);
        ini.Colour("Hilight", Hilight);
        ini.Colour("Menubar", Menubar);
        ini.Colour("Menu", Menu);
        ini.Colour("MenuText", MenuText);
        ini.Colour("ButtonText", ButtonText);
        ini.Colour("ButtonHilight", ButtonHilight);
        ini.Colour("Buttonlight", Buttonlight);
        ini.Colour("ButtonShadow", ButtonShadow);
        ini.Colour("ButtonDkShadow", ButtonDkShadow);
        ini.Colour("MenuBarText", MenuBarText);
        ini.Colour("TitleTextActive", TitleTextActive);
        ini.Colour("TitleTextNoActive", TitleTextNoActive);
    }

    void Buttons(IniWriter& ini) const
    {
        ini.Section("Buttons");
        ini.Comment("frames: normal, pressed, disabled, hot, focused");
        ini.Key("Bitmap", "buttons.bmp");
        ini.Key("Frame", 5);
        ini.Margins(PushButtonMargins);
        ini.Key("Trans", 1);
        ini.Key("Tile", 0);
        ini.Colour("NormalColour2", ButtonText);
        ini.Colour("MouseOverColour2", HotText);
        ini.Colour("PressedColour2", ButtonText);
        ini.Comment("check box: unchecked, checked, mixed; each normal, hot, pressed, disabled");
        ini.Key("CheckButton", "checkbox.bmp");
        ini.Key("CheckButtonFrame", CheckBoxFrames);
        ini.Comment("radio button: unchecked, checked; each normal, hot, pressed, disabled");
        ini.Key("RadioButton", "radiobutton.bmp");
        ini.Key("RadioButtonFrame", RadioFrames);
    }

    void CaptionButtons(IniWriter& ini) const
    {
        // Cells: normal, pressed, hover, inactive window. Align 1 counts from
        // the window's right edge; Visibility 1 maximised only, 2 not maximised.
        struct Button {
            const char* image;
            int action;
            int fromRight;
            int visibility;
        };
        const Button buttons[] = {
            {"closebutton.bmp", 0, CloseFromRight(), 0},
            {"maxbutton.bmp", 1, MaximiseFromRight(), 2},
            {"minbutton.bmp", 2, MinimiseFromRight(), 0},
            {"restrorebutton.bmp", 1, MaximiseFromRight(), 1},
        };
        int index = 0;
        for (const Button& button : buttons) {
            ini.Section("Button" + std::to_string(index++));
            ini.Key("ButtonImage", button.image);
            ini.Key("Action", button.action);
            ini.Key("Align", 1);
            ini.Key("Xcoord", button.fromRight);
            ini.Key("Ycoord", CaptionButtonTop());
            ini.Key("Visibility", button.visibility);
            ini.Key("frame", 4);
        }
        ini.Section("Button" + std::to_string(index));
        ini.Comment("the window icon, drawn from the window itself");
        ini.Key("Action", 3);
        ini.Key("Align", 0);
        ini.Key("Xcoord", IconLeft);
        ini.Key("Ycoord", IconTop());
        ini.Key("Visibility", 0);
        if (PaintsEveryElement) {
            ini.Section("Button" + std::to_string(index + 1));
            ini.Comment("the seal: an action of the program's own, told by SKM_CUSTOMBUTTON");
            ini.Key("ButtonImage", "sealbutton.bmp");
            ini.Key("Action", CustomAction);
            ini.Key("Align", 1);
            ini.Key("Xcoord", CustomFromRight());
            ini.Key("Ycoord", CaptionButtonTop());
            ini.Key("Visibility", 0);
            ini.Key("frame", 4);
        }
    }

    void Controls(IniWriter& ini) const
    {
        ini.Section("Progress");
        ini.Comment("frames: track, done part");
        ini.Key("Bitmap", "progress.bmp");
        ini.Key("Style", 0);
        ini.Margins(ProgressMargins);
        ini.Key("Trans", 1);
        ini.Key("Tile", 0);

        ini.Element("Progress.Chunk", "progresschunk.bmp", 1, {}, false, true);

        ini.Element("Tabs", "tab.bmp", 5, TabMargins, true);
        ini.Key("Border", "tabsheet.bmp");
        ini.Key("Style", 0);
        ini.Colour("NormalColour2", TabText);
        ini.Colour("MouseOverColour2", TabTextCurrent);

        ini.Element("Tab.Pane", "tabsheet.bmp", 1, TabPaneMargins, false);

        ini.Element("StatusBarEdges", "statusbar.bmp", 3, StatusMargins, false);
        ini.Colour("NormalColour2", StatusText);

        ini.Element("ComboButton", "comboboxbtn.bmp", 4, {}, true);
        if (PaintsEveryElement) {
            ini.Comment("the sunk edge and the button cell make one picture (style 2)");
            ini.Key("Style", 2);
        } else {
            ini.Comment("style 1: a flat field with the button cell inside its edge");
            ini.Key("Style", 1);
        }

        ini.Element("ExtraImages", "extraimages.bmp", 5, {}, true);
        ini.Element("Headerbar", "header.bmp", 2, HeaderMargins, false);
    }

    void PlainlessControls(IniWriter& ini) const
    {
        ini.Comment("frames: normal, disabled");
        ini.Element("GroupBoxEdge", "groupboxedge.bmp", 2, GroupEdgeMargins, true);
        ini.Comment("the plate under a group box's caption");
        ini.Element("GroupBox", "groupbox.bmp", 1, GroupLabelMargins, true);
        ini.Key("BackgroundAlignment", 0);
        ini.Key("BackgroundLeftShift", 2);
        ini.Key("BackgroundRightShift", 2);
        ini.Colour("NormalColour2", WindowText);
        ini.Comment("frames: normal, pressed, disabled, hot or focused");
        ini.Element("SunkEdge", "sunkedge.bmp", 4, SunkMargins, false);
    }

    void Menus(IniWriter& ini) const
    {
        ini.Element("MenuItem", "menuitem.bmp", 5, MenuItemMargins, true);
        ini.Element("MenuBackground", "menubackground.bmp", 1, MenuBackgroundMargins, false);
    }

    void ScrollBars(IniWriter& ini) const
    {
        ini.Element("Scrollbar", "scrollbararrow.bmp", 23, {}, false);
        ini.Element("HorzScroll", "scrollbarhbar.bmp", 4, HorzTrackMargins, false);
        ini.Element("VertScroll", "scrollbarvbar.bmp", 4, VertTrackMargins, false);
        ini.Element("HorzScrollThumb", "scrollbarhthumb.bmp", 3, {ThumbEnd, 0, ThumbEnd, 0}, true);
        ini.Key("FrameCount", 3);
        ini.Element("VertScrollThumb", "scrollbarvthumb.bmp", 3, {0, ThumbEnd, 0, ThumbEnd}, true);
        ini.Key("FrameCount", 3);
    }

    void TrackAndSpin(IniWriter& ini) const
    {
        ini.Element("Trackbar.ThumbHorz", "trackthumbh.bmp", 5, {}, true);
        if (PaintsEveryElement) {
            ini.Comment("thumbs of vertical bars and of bars with pointed thumbs");
            ini.Element("Trackbar.ThumbVert", "trackthumbv.bmp", 5, {}, true);
            ini.Element("Trackbar.ThumbLeft", "trackthumbl.bmp", 5, {}, true);
            ini.Element("Trackbar.ThumbRight", "trackthumbr.bmp", 5, {}, true);
            ini.Element("Trackbar.ThumbUp", "trackthumbu.bmp", 5, {}, true);
            ini.Element("Trackbar.ThumbDown", "trackthumbd.bmp", 5, {}, true);
        }
        ini.Element("Track", "trackbot.bmp", 1, {TrackChannelEnd, 0, TrackChannelEnd, 0}, false);
        if (PaintsEveryElement) {
            ini.Element("TRACKVERT", "trackvert.bmp", 1, {0, TrackChannelEnd, 0, TrackChannelEnd}, false);
        }
        ini.Element("UpDown.Vert", "spin.bmp", 8, {}, true);
        ini.Key("GlyphImage", "spinarrow.bmp");
        ini.Element("UpDown.Horz", "spinh.bmp", 8, {}, true);
        ini.Key("GlyphImage", "spinharrow.bmp");
    }

    std::string Describe() const
    {
        IniWriter ini;
        ini.Comment(Description);
        ini.Comment("Generated by tools/skingen; change Theme.h there, not this file.");
        ini.Section("TitlebarSkin");
        ini.Key("SkinName", SkinName);

        ini.Section("Personality");
        Borders(ini);
        Caption(ini);
        if (PaintsEveryElement) {
            MenuBar(ini);
        }

        Colours(ini);
        Buttons(ini);
        CaptionButtons(ini);

        ini.Section("MDICONTROLS");
        ini.Comment("minimise, restore, close; cells normal, pressed, inactive, hover");
        ini.Key("Image", "mdibutton.bmp");

        ini.Section("Fonts");
        ini.Key("FontHeight", 12);

        Controls(ini);
        if (PaintsEveryElement) {
            PlainlessControls(ini);
        }
        Menus(ini);
        ScrollBars(ini);
        TrackAndSpin(ini);

        ini.Section("Skins");
        ini.Key("Count", 1);
        ini.Key("Skin1", SkinName);

        ini.Section("MinCaption");
        ini.Key("Image", "mincaption.bmp");
        ini.Key("Frame", 2);
        ini.Key("LeftWidth", 8);
        ini.Key("RightWidth", 8);
        return ini.Text();
    }
};

}  // namespace

std::string DescribeSkin(const Theme& theme) { return Describer{theme}.Describe(); }

}  // namespace skingen
