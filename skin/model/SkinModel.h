// TSkinModel: everything one loaded skin consists of, as the painters read
// it: the element slots, the colour table, the caption font, the face brush
// and the pictures made from other elements. A skin is built as a whole
// model of its own (SkinModelBuilder.h) and replaces the current one only
// once it is complete, so a skin that fails to load halfway leaves nothing
// of itself behind.
#pragma once

#include "skin/model/SkinElements.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TSkinModelBuilder;

// Told the name of each piece of a model as soon as it is built: the
// description, then the element slots and colours by their member names,
// then the pieces made from them. An observer that throws ends the build.
using TSkinBuildObserver = std::function<void(std::string_view piece)>;

class TSkinModel {
public:
    // The standard look: no skin loaded, the always-present elements empty,
    // every colour the system's, the framework's default caption font.
    TSkinModel();
    ~TSkinModel();
    // Moving hands the elements over; nothing is copied.
    TSkinModel(TSkinModel&&) noexcept;
    TSkinModel& operator=(TSkinModel&&) noexcept;

    // True until a skin has been loaded completely; a component whose skin
    // failed to load never activates.
    bool SkinNotLoaded() const { return skinNotLoaded_; }

    // ---- element slots (empty until a skin provides them)
    std::string SkinName;
    std::unique_ptr<TDataSkinBorder> BorderLeft, BorderRight, BorderTop, BorderBottom; // always present
    std::vector<std::unique_ptr<TDataSkinSysButton>> CaptionButtons;
    std::unique_ptr<TDataSkinButton> ButtonsElement; // always present
    std::unique_ptr<TDataSkinTitle> TitleElement;    // always present
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz;
    std::unique_ptr<TDataSkinObject> TrackbarThumbVert;
    std::unique_ptr<TDataSkinObject> TrackbarThumbLeft;
    std::unique_ptr<TDataSkinObject> TrackbarThumbRight;
    std::unique_ptr<TDataSkinObject> TrackbarThumbUp;
    std::unique_ptr<TDataSkinObject> TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;
    std::unique_ptr<TDataSkinObject> Track;
    std::unique_ptr<TDataSkinObject> TrackVert;
    std::unique_ptr<TDataSkinObject> ComboxArrow; // made with every loaded skin
    std::unique_ptr<TDataSkinObject> Toolbar;     // likewise

    // ---- colours ([Colours]; defaults are system colours)
    TColor WindowTextColour = clSystemColor | COLOR_WINDOWTEXT;
    TColor ButtonFaceColour = clSystemColor | COLOR_BTNFACE;
    TColor ScrollbarColour = clSystemColor | COLOR_SCROLLBAR;
    TColor HilightTextColour = clSystemColor | COLOR_HIGHLIGHTTEXT;
    TColor HilightColour = clSystemColor | COLOR_HIGHLIGHT;
    TColor MenubarColour = clSystemColor | COLOR_BTNFACE;
    TColor MenuColour = clSystemColor | COLOR_MENU;
    TColor MenuTextColour = clSystemColor | COLOR_MENUTEXT;
    TColor ButtonTextColour = clSystemColor | COLOR_BTNTEXT;
    TColor ButtonHilightColour = clSystemColor | COLOR_BTNHIGHLIGHT;
    TColor ButtonlightColour = clSystemColor | COLOR_BTNHIGHLIGHT;
    TColor ButtonShadowColour = clSystemColor | COLOR_BTNSHADOW;
    TColor ButtonDkShadowColour = clSystemColor | COLOR_3DDKSHADOW;
    TColor MenuBarTextColour = clSystemColor | COLOR_MENUTEXT;
    TColor TitleTextActiveColour = clSystemColor | COLOR_CAPTIONTEXT;
    TColor TitleTextNoActiveColour = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
    std::vector<TColor> SectionColours;     // one per [COLOUR...] section
    std::array<TColor, 10> CustomColours{}; // [Customcolors] Color0 ... Color9
    TColor FrameColour = clSystemColor | COLOR_BTNFACE;

    // The skin's frame colour: a pixel of the top border, or the face colour.
    TColor SampleFrameColour();
    // A solid brush of ButtonFaceColour, made with each skin; null before the first.
    HBRUSH FaceBrush() const { return faceBrush_.get(); }
    TFont& CaptionFont() { return *captionFont_; }
    // Makes the caption font anew from the system's caption font.
    void BuildCaptionFont();

private:
    friend class TSkinModelBuilder;

    bool skinNotLoaded_ = true;
    std::unique_ptr<TFont> captionFont_;
    ui::UniqueBrush faceBrush_;
};
