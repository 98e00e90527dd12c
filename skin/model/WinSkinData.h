// TSkinData: the non-visual component a window carries to be skinned. It
// keeps the stored skin (a compressed skin stream, streamed in form data as
// "SkinStream"), unpacks it into a skin model, exposes that model's
// elements, colours and fonts to every painter, decides per window whether
// it is skinned, and switches skinning on and off through the skin manager.
#pragma once

#include "skin/model/SkinModel.h"
#include "ui/Component.h"
#include "ui/Events.h"
#include "ui/Graphics.h"
#include "ui/Sets.h"
#include "ui/Strings.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TControl;
class TImageList;
class TMemoryStream;
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

// The current skin is the component's own TSkinModel part: painters read
// its elements and colours straight from the component.
class TSkinData : public TComponent, public TSkinModel {
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
    // Loads the skin file (the same bytes as the stored stream) when it exists;
    // only a file whose skin loads replaces the stored stream and the skin.
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
    // Unpacks SkinStream and builds its skin beside the current one, which
    // it replaces only when complete. False, the current skin left exactly
    // as it was, when the stream is not a skin or building it fails; the
    // observer hears of every piece as it is built.
    bool LoadSkinFromStream(const TSkinBuildObserver& observer = {});
    // Switches to the skin in bytes (a compressed skin stream, as a skin file
    // or a store item holds it): built beside the current one, it becomes the
    // stored stream and the skin, and skinned windows are re-skinned. False,
    // with everything as it was, when the bytes are not a whole skin.
    bool UseSkin(std::span<const std::byte> bytes);

    // ---- what the manager and the painters ask
    void Loaded() override;
    // The application's small icon drawn on magenta, for skinned title bars.
    void ApplyAppIcon();
    // Whether the window of that class is skinned: OnFormSkin decides when
    // assigned; else month calendars and (with xcFastReport) "Tfr" windows are not.
    void DecideFormSkin(HWND window, std::string_view className, bool& doSkin);
    void NotifySkinChanged();
    // After a new skin was applied: skinned forms drop their title-bar
    // buttons now and are re-skinned 250 ms later.
    void ApplyToSkinnedForms();

    TBitmap AppIconBitmap;
    // The skinned system menu's glyphs: restore, maximise, minimise, close.
    TImageList& MenuGlyphs() { return *menuGlyphs_; }
    int MaximizedWidth = 0;
    int MaximizedHeight = 0;
    // Skinned frames paint only while this is set; cleared while a window's
    // menu is put back and taken off again, which would paint a frame half
    // made.
    bool FramePaintingEnabled() const { return framePaintingEnabled_; }
    void SetFramePaintingEnabled(bool value) { framePaintingEnabled_ = value; }
    HWND CurrentWindow = nullptr; // the window DecideFormSkin saw last

private:
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream) const;
    // The one place where a loaded skin becomes the current one.
    void ReplaceSkin(TSkinModel&& next);

    bool active_ = false;
    bool framePaintingEnabled_ = true;
    std::string skinFile_;
    std::unique_ptr<TStrings> skin3rd_;
    std::unique_ptr<TMemoryStream> skinStream_;
    std::unique_ptr<TImageList> menuGlyphs_;
};
