// TSkinData: the non-visual component a window carries to be skinned. It
// keeps the stored skin (a compressed skin stream, streamed in form data as
// "SkinStream"), unpacks it into the element model, exposes elements,
// colours and fonts to every painter, decides per window whether it is
// skinned, and switches skinning on and off through the skin manager.
#pragma once

#include "skin/model/SkinElements.h"
#include "ui/Component.h"
#include "ui/Events.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/Sets.h"
#include "ui/Strings.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TControl;
class TImageList;
class TMemoryStream;
class TQuickIni;
class TSkinReader;
class TStream;
namespace ui {
struct TEnumInfo;
template <class T>
class TPublisher;
} // namespace ui

// Kinds of skinning that can be switched on and off (bit n is member n).
enum TSkinControlType : unsigned {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport, // present: windows whose class name begins "Tfr" stay unskinned
};
using TSkinControlTypes = TSet<TSkinControlType>;

enum TSkinOption : unsigned {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview, // absent: windows whose class name contains "preview" stay unskinned
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoMDIChildBorder,
    xoMenuBG,
};
using TSkinOptions = TSet<TSkinOption>;

enum TSkinFormType : unsigned {
    sfMainform,     // the application's component: installs the hook, skins every window
    sfOnlyThisForm, // skins only the window that owns it
    sfDialog,       // used for dialog and message windows
    sfDLL,
};

namespace ui {
extern const TEnumInfo SkinControlTypeInfo;
extern const TEnumInfo SkinOptionInfo;
extern const TEnumInfo SkinFormTypeInfo;
} // namespace ui

class TSkinData;
// (Sender, class name, var DoSkin)
using TOnFormSkin = TEvent<TObject*, std::string, bool&>;
// (Sender, SkinData, Form, Control, ControlClass, var SkinnedControl)
using TOnSkinControl = TEvent<TComponent*, TSkinData*, TControl*, TControl*, std::string, TComponent*&>;

inline constexpr std::string_view SkinDataVersion = "3.97.02.16";

// Control sets a new component starts with: every kind but xcMenuItem and xcFastReport.
TSkinControlTypes DefaultSkinControls();
// The 116 class-name-to-kind lines a new component's Skin3rd holds.
const std::vector<std::string_view>& DefaultSkin3rdLines();

class TSkinData : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    // Active, DisableTag, SkinControls, Options, Skin3rd, SkinFile, SkinStore,
    // SkinFormtype, Version, MenuUpdate, MenuMerge, the three events, and the
    // binary SkinStream (32-bit count, then the compressed skin).
    static void Publish(ui::TPublisher<TSkinData>& p);

    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // ---- published properties
    bool Active() const { return active_; }
    // Switches skinning on or off through the manager, 250 ms later.
    void SetActive(bool value);
    std::int32_t DisableTag = 99;
    TSkinControlTypes SkinControls = DefaultSkinControls();
    TSkinOptions Options{xoPreview, xoToolbarBK};
    TStrings& Skin3rd() { return *skin3rd_; }
    const TStrings& Skin3rd() const { return *skin3rd_; }
    void SetSkin3rd(const TStrings& lines);
    const std::string& SkinFile() const { return skinFile_; }
    // Loads and applies the skin file (the same bytes as the stored stream) when it exists.
    void SetSkinFile(std::string_view name);
    // A design-time list of a skin store; "(none)" at run time, and writing does nothing.
    static std::string_view SkinStore() { return "(none)"; }
    static std::string_view Version() { return SkinDataVersion; }
    TSkinFormType SkinFormtype = sfMainform;
    bool MenuUpdate = true;
    bool MenuMerge = false;
    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // ---- the stored skin
    TMemoryStream& SkinStream() { return *skinStream_; }
    // True until a skin has been applied completely; a component whose skin
    // failed to load never activates.
    bool SkinNotLoaded() const { return skinNotLoaded_; }
    // Unpacks SkinStream and applies its description; false (the elements
    // of an earlier skin left as they were) when the stream is not a valid skin.
    bool LoadSkinFromStream();
    // Fills every element slot, the colours and the face brush from an
    // unpacked skin and its parsed description.
    void ApplySkinDescription(const TSkinReader& reader, const TQuickIni& ini);

    // ---- what the manager and the painters ask
    void Loaded() override;
    // The skin's frame colour: a pixel of the top border, or the face colour.
    TColor SampleFrameColour();
    void BuildCaptionFont();
    // The application's small icon drawn on magenta, for skinned title bars.
    void ApplyAppIcon();
    // Whether the window of that class is skinned: OnFormSkin decides when
    // assigned; else month calendars and (with xcFastReport) "Tfr" windows are not.
    void DecideFormSkin(HWND window, std::string_view className, bool& doSkin);
    void NotifySkinChanged();
    // After a new skin was applied: skinned forms drop their title-bar
    // buttons now and are re-skinned 250 ms later.
    void ApplyToSkinnedForms();

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
    std::unique_ptr<TDataSkinObject> ComboxArrow; // made on the first application, then reused
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
    std::vector<TColor> SectionColours;   // one per [COLOUR...] section
    std::array<TColor, 10> CustomColours{}; // [Customcolors] Color0 ... Color9
    TColor FrameColour = clSystemColor | COLOR_BTNFACE;

    // A solid brush of ButtonFaceColour, made anew with each skin; null before the first.
    HBRUSH FaceBrush() const { return faceBrush_.get(); }
    TFont& CaptionFont() { return *captionFont_; }
    TBitmap AppIconBitmap;
    // The skinned system menu's glyphs: restore, maximise, minimise, close.
    TImageList& MenuGlyphs() { return *menuGlyphs_; }
    int MaximizedWidth = 0;
    int MaximizedHeight = 0;
    HWND CurrentWindow = nullptr; // the window DecideFormSkin saw last

private:
    // The parsed description and unpacked package while a skin is applied.
    struct TSkinSource {
        const TSkinReader& reader;
        const TQuickIni& ini;
        std::vector<std::string> sections;
    };

    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream) const;

    // Loaders: each reads one section of the description.
    void LoadSkinBitmap(const TSkinSource& source, TBitmap& bitmap, std::string_view fileName) const;
    void ReadRgbKeys(const TSkinSource& source, std::string_view section, std::string_view prefix,
                     TColor& colour) const;
    void LoadElement(const TSkinSource& source, std::unique_ptr<TDataSkinObject>& slot,
                     std::string_view section) const;
    void LoadElementWithGlyph(const TSkinSource& source, std::unique_ptr<TDataSkinBorder>& slot,
                              std::string_view section, std::string_view glyphKey) const;
    void LoadProgressElement(const TSkinSource& source, std::unique_ptr<TDataSkinBorder>& slot,
                             std::string_view section) const;
    void LoadBoxLabel(const TSkinSource& source, std::unique_ptr<TDataSkinBoxLabel>& slot,
                      std::string_view section) const;
    void LoadMenuBarElement(const TSkinSource& source, std::unique_ptr<TDataSkinObject>& slot,
                            std::string_view section) const;
    void LoadBuiltinElement(std::unique_ptr<TDataSkinObject>& slot, const char* resourceName) const;
    void LoadBorders(const TSkinSource& source);
    void LoadColours(const TSkinSource& source);
    void LoadCaptionButtons(const TSkinSource& source);
    void LoadMdiButtons(const TSkinSource& source);
    void LoadButtons(const TSkinSource& source);
    void LoadTitle(const TSkinSource& source);
    void FixFrameCounts(const TSkinSource& source);
    // Synthesised elements.
    void BuildComboElements();
    void BuildComboArrow();
    void BuildToolbarElement();
    // An element of class E made from the common keys of a section.
    template <class E>
    std::unique_ptr<E> ReadElement(const TSkinSource& source, std::string_view section, bool readFrame) const;

    bool active_ = false;
    bool skinNotLoaded_ = true;
    std::string skinFile_;
    std::unique_ptr<TStrings> skin3rd_;
    std::unique_ptr<TMemoryStream> skinStream_;
    std::unique_ptr<TFont> captionFont_;
    std::unique_ptr<TImageList> menuGlyphs_;
    ui::UniqueBrush faceBrush_;
};
