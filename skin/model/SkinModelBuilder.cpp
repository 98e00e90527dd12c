#include "skin/model/SkinModelBuilder.h"

#include "skin/load/SkinRead.h"
#include "skin/model/ImgUtil.h"

#include <cstdint>
#include <utility>

TSkinModel BuildSkinModel(const TSkinReader& reader, const TSkinBuildObserver& observer)
{
    return TSkinModelBuilder(reader, observer).Build();
}

TSkinModelBuilder::TSkinModelBuilder(const TSkinReader& reader, const TSkinBuildObserver& observer)
    : reader_(reader), observer_(observer)
{
}

void TSkinModelBuilder::Built(std::string_view piece) const
{
    if (observer_) {
        observer_(piece);
    }
}

TSkinModel TSkinModelBuilder::Build()
{
    // A package without a description builds the standard elements and default colours.
    std::vector<std::uint8_t> description;
    std::string descriptionName;
    reader_.FindEntry(".ini", description, descriptionName);
    ini_.LoadFromStream(description);
    ini_.ReadSections(sections_);
    Built("Description");

    TSkinModel& m = model_;
    m.SkinName = ini_.ReadString("TitlebarSkin", "SkinName");
    Built("SkinName");
    LoadBorders();
    Built("Borders");
    LoadColours();
    Built("Colours");
    LoadCaptionButtons();
    Built("CaptionButtons");
    LoadButtons();
    Built("ButtonsElement");
    LoadTitle();
    Built("TitleElement");
    LoadProgressElement(m.Progress, "Progress");
    Built("Progress");
    LoadElement(m.ProgressChunk, "Progress.Chunk");
    Built("ProgressChunk");
    LoadMenuBarElement(m.MenuBar, "Personality");
    Built("MenuBar");
    LoadElement(m.GroupBoxEdge, "GroupBoxEdge");
    Built("GroupBoxEdge");
    LoadBoxLabel(m.GroupBox, "GroupBox");
    Built("GroupBox");
    LoadElementWithGlyph(m.Tabs, "Tabs", "Border");
    Built("Tabs");
    LoadElement(m.StatusBarEdges, "StatusBarEdges");
    Built("StatusBarEdges");
    LoadElement(m.TabPane, "Tab.Pane");
    if (m.TabPane) {
        // A tab pane's edge is at most four pixels, whatever the picture says.
        for (std::int32_t* margin :
             {&m.TabPane->LeftWidth, &m.TabPane->TopHeight, &m.TabPane->RightWidth, &m.TabPane->BottomHeight}) {
            if (*margin > 4) {
                *margin = 4;
            }
        }
    }
    Built("TabPane");
    LoadElement(m.ToolBars, "ToolBars");
    Built("ToolBars");
    LoadElementWithGlyph(m.ComboButton, "ComboButton", "****");
    if (m.ComboButton && m.ComboButton->HasBitmap()) {
        // The loaded button, mirrored, for right-to-left combo boxes.
        CopyBitmap(m.ComboButton->Bitmap, m.ComboButton->Bitmap2);
        MirrorHorizontal(m.ComboButton->Bitmap2);
    }
    Built("ComboButton");
    LoadElement(m.SunkEdge, "SunkEdge");
    Built("SunkEdge");
    LoadElement(m.ExtraImages, "ExtraImages");
    Built("ExtraImages");
    LoadElement(m.Headerbar, "Headerbar");
    Built("Headerbar");
    LoadElement(m.MenuItem, "MenuItem");
    Built("MenuItem");
    LoadElement(m.MenuBackground, "MenuBackground");
    Built("MenuBackground");
    LoadElement(m.Scrollbar, "Scrollbar");
    Built("Scrollbar");
    LoadElement(m.HorzScroll, "HorzScroll");
    Built("HorzScroll");
    LoadElement(m.VertScroll, "VertScroll");
    Built("VertScroll");
    LoadElement(m.HorzScrollThumb, "HorzScrollThumb");
    Built("HorzScrollThumb");
    LoadElement(m.VertScrollThumb, "VertScrollThumb");
    Built("VertScrollThumb");
    LoadElement(m.TrackbarThumbHorz, "Trackbar.ThumbHorz");
    Built("TrackbarThumbHorz");
    LoadElement(m.TrackbarThumbVert, "Trackbar.ThumbVert");
    Built("TrackbarThumbVert");
    LoadElement(m.TrackbarThumbLeft, "Trackbar.ThumbLeft");
    Built("TrackbarThumbLeft");
    LoadElement(m.TrackbarThumbRight, "Trackbar.ThumbRight");
    Built("TrackbarThumbRight");
    LoadElement(m.TrackbarThumbUp, "Trackbar.ThumbUp");
    Built("TrackbarThumbUp");
    LoadElement(m.TrackbarThumbDown, "Trackbar.ThumbDown");
    Built("TrackbarThumbDown");
    LoadElementWithGlyph(m.UpDownHorz, "UpDown.Horz", "GlyphImage");
    Built("UpDownHorz");
    LoadElementWithGlyph(m.UpDownVert, "UpDown.Vert", "GlyphImage");
    Built("UpDownVert");
    // A skin without track pictures gets the program's own.
    LoadElement(m.Track, "Track");
    if (!m.Track) {
        LoadBuiltinElement(m.Track, "TRACK");
    }
    Built("Track");
    LoadElement(m.TrackVert, "TRACKVERT");
    if (!m.TrackVert) {
        LoadBuiltinElement(m.TrackVert, "TRACKVERT");
    }
    Built("TrackVert");

    FixFrameCounts();
    Built("FrameCounts");
    BuildComboElements();
    Built("ComboElements");
    BuildComboArrow();
    Built("ComboxArrow");
    BuildToolbarElement();
    Built("Toolbar");
    m.FrameColour = m.SampleFrameColour();
    Built("FrameColour");
    m.faceBrush_ = ui::UniqueBrush(CreateSolidBrush(ui::ColorToRGB(m.ButtonFaceColour)));
    Built("FaceBrush");
    m.BuildCaptionFont();
    Built("CaptionFont");

    m.skinNotLoaded_ = false;
    return std::move(model_);
}
