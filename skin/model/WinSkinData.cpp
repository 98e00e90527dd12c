#include "skin/model/WinSkinData.h"

#include "skin/load/SkinRead.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinModelBuilder.h"
#include "skin/model/User32Entries.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Exceptions.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/Properties.h"
#include "ui/Streams.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <optional>
#include <span>
#include <utility>

constinit const TClassInfo TSkinData::ClassInfo = ui::ClassOf<TSkinData>("TSkinData", TComponent::ClassInfo);

namespace {

constexpr std::string_view kSkinControlTypeNames[] = {
    "xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
    "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton",
    "xcSpin", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu", "xcFastReport"};
constexpr std::string_view kSkinOptionNames[] = {
    "xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround",
    "xoNoFocusRect", "xoToolbarBK", "xoMDIChildBorder", "xoMenuBG"};
constexpr std::string_view kSkinFormTypeNames[] = {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"};

// The glyph strip of the skinned system menu: 16-pixel cells on white.
constexpr int kMenuGlyphWidth = 16;

// The bits of every TSkinControlType member.
constexpr std::uint32_t kAllSkinControls = (std::uint32_t{1} << (xcFastReport + 1)) - 1;

// The skin of a compressed skin stream, built completely, or nothing when
// the stream is not a skin or a step of the build fails.
std::optional<TSkinModel> BuildSkinFromStream(std::span<const std::byte> stored, const TSkinBuildObserver& observer)
{
    TSkinReader reader;
    try {
        if (!reader.LoadSkin({reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()})) {
            return std::nullopt;
        }
        return BuildSkinModel(reader, observer);
    } catch (const std::exception&) {
        // Whatever was built of it is freed on the way out; the current skin stays.
        return std::nullopt;
    }
}

} // namespace

namespace ui {
constinit const TEnumInfo SkinControlTypeInfo{"TSkinControlType", kSkinControlTypeNames};
constinit const TEnumInfo SkinOptionInfo{"TSkinOption", kSkinOptionNames};
constinit const TEnumInfo SkinFormTypeInfo{"TSkinFormType", kSkinFormTypeNames};
} // namespace ui

TSkinControlTypes DefaultSkinControls()
{
    return TSkinControlTypes::FromBits(kAllSkinControls) - TSkinControlTypes{xcMenuItem, xcFastReport};
}

void TSkinData::Publish(ui::TPublisher<TSkinData>& p)
{
    p.Boolean("Active", &TSkinData::Active, &TSkinData::SetActive);
    p.Integer("DisableTag", &TSkinData::DisableTag);
    p.Set("SkinControls", ui::SkinControlTypeInfo, &TSkinData::SkinControls);
    p.Set("Options", ui::SkinOptionInfo, &TSkinData::Options);
    p.Object("Skin3rd", [](const TSkinData& d) -> const TStrings& { return d.Skin3rd(); });
    p.Text("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
    p.Text("SkinStore", [](const TSkinData&) { return SkinStore(); }, [](TSkinData&, const std::string&) {});
    p.Enum("SkinFormtype", ui::SkinFormTypeInfo, &TSkinData::SkinFormtype);
    p.Text("Version", [](const TSkinData&) { return Version(); }, [](TSkinData&, const std::string&) {});
    p.Boolean("MenuUpdate", &TSkinData::MenuUpdate);
    p.Boolean("MenuMerge", &TSkinData::MenuMerge);
    p.Event("OnFormSkin", &TSkinData::OnFormSkin);
    p.Event("OnSkinChanged", &TSkinData::OnSkinChanged);
    p.Event("OnSkinControl", &TSkinData::OnSkinControl);
    p.Binary("SkinStream", &TSkinData::ReadSkinStream, &TSkinData::WriteSkinStream);
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner),
      MaximizedWidth(GetSystemMetrics(SM_CXMAXIMIZED)),
      MaximizedHeight(GetSystemMetrics(SM_CYMAXIMIZED)),
      skin3rd_(std::make_unique<TStringList>()),
      skinStream_(std::make_unique<TMemoryStream>()),
      menuGlyphs_(std::make_unique<TImageList>(nullptr))
{
    for (const std::string_view line : DefaultSkin3rdLines()) {
        skin3rd_->Add(line);
    }
    AppIconBitmap.SetPixelFormat(pf24bit);
    menuGlyphs_->GetInstRes(GetModuleHandleA(nullptr), "ORTAVELMENU", kMenuGlyphWidth, true, clWhite);
}

TSkinData::~TSkinData()
{
    if (TSkinManage* manager = SkinManager()) {
        manager->RemoveSkinData(this);
    }
}

void TSkinData::SetSkin3rd(const TStrings& lines)
{
    skin3rd_->Assign(lines);
}

void TSkinData::ReadSkinStream(TStream& stream)
{
    const std::vector<std::byte> bytes = stream.ReadCountedBytes();
    stream.Seek(0, soEnd);
    if (bytes.empty()) {
        return;
    }
    skinStream_->SetSize(static_cast<std::int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), skinStream_->Memory());
    LoadSkinFromStream();
}

void TSkinData::WriteSkinStream(TStream& stream) const
{
    stream.WriteCountedBytes(skinStream_->Bytes());
}

bool TSkinData::LoadSkinFromStream(const TSkinBuildObserver& observer)
{
    std::optional<TSkinModel> next = BuildSkinFromStream(skinStream_->Bytes(), observer);
    if (!next) {
        return false;
    }
    ReplaceSkin(std::move(*next));
    return true;
}

void TSkinData::ReplaceSkin(TSkinModel&& next)
{
    // Every element of the previous skin is freed here. Whatever still
    // points at one (a skinned form's title-bar buttons) must let go before
    // it paints again: ApplyToSkinnedForms tells the forms.
    TSkinModel::operator=(std::move(next));
}

void TSkinData::ApplyAppIcon()
{
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    // The framework has no application window: the icon is the owner form's, or the program's own.
    HWND window = nullptr;
    if (auto* form = ui::As<TCustomForm>(Owner()); form != nullptr && form->HandleAllocated()) {
        window = form->Handle();
    }
    ui::UniqueIcon icon;
    if (window != nullptr) {
        auto shown = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
        if (shown == nullptr) {
            shown = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
        }
        if (shown != nullptr) {
            icon = ui::UniqueIcon(static_cast<HICON>(CopyImage(shown, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE)));
        }
    }
    if (!icon) {
        icon = ui::UniqueIcon(
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, width, height, 0)));
    }
    if (!icon) {
        return;
    }
    TBitmap picture(width, height);
    picture.Canvas().Brush().SetColor(SkinKeyColour);
    picture.Canvas().FillRect({0, 0, width, height});
    DrawIconEx(picture.Canvas().Handle(), 0, 0, icon.get(), width, height, 0, nullptr, DI_NORMAL);
    AppIconBitmap.Assign(picture);
    AppIconBitmap.SetTransparentColor(SkinKeyColour);
    AppIconBitmap.SetTransparent(true);
}

void TSkinData::DecideFormSkin(HWND window, std::string_view className, bool& doSkin)
{
    CurrentWindow = window;
    if (OnFormSkin) {
        OnFormSkin(this, std::string(className), doSkin);
        return;
    }
    if (className == "SysMonthCal32" || (SkinControls.Contains(xcFastReport) && className.starts_with("Tfr"))) {
        doSkin = false;
    }
}

void TSkinData::NotifySkinChanged() { OnSkinChanged(this); }

void TSkinData::Loaded()
{
    TComponent::Loaded();
    if (!HasGetScrollBarInfo()) {
        SkinControls.Exclude(xcScrollbar);
    }
    TSkinManage& manager = EnsureSkinManager();
    manager.AddSkinData(this);
    BuildCaptionFont();
    if (SkinFormtype != sfMainform) {
        // A dialog's or a single form's component switches skinning on by itself.
        manager.SetEnabled(true);
        manager.MarkActivated();
        if (auto* form = ui::As<TCustomForm>(Owner())) {
            manager.SkinWindow(form->Handle());
        }
        return;
    }
    manager.InstallHook();
    if (active_) {
        if (SkinNotLoaded()) {
            active_ = false;
        } else {
            manager.Schedule(saActivate, this);
        }
    }
    // Menu items are skinned with the main menu; without it the system menu is not.
    if (SkinControls.Contains(xcMainMenu)) {
        SkinControls.Exclude(xcMenuItem);
    } else {
        SkinControls.Exclude(xcSystemMenu);
    }
    ApplyAppIcon();
}

void TSkinData::SetActive(bool value)
{
    if (value == active_) {
        return;
    }
    active_ = value;
    if (ComponentState().Contains(csLoading)) {
        return;
    }
    const TSkinAction action = value ? saActivate : saDeactivate;
    switch (SkinFormtype) {
    case sfMainform: {
        if (value && SkinNotLoaded()) {
            return;
        }
        TSkinManage& manager = EnsureSkinManager();
        manager.Schedule(action, this);
        if (value) {
            manager.MarkActivated();
        }
        break;
    }
    case sfOnlyThisForm: {
        if (value && SkinNotLoaded()) {
            return;
        }
        EnsureSkinManager().Schedule(action, this);
        break;
    }
    case sfDialog:
    case sfDLL:
        break;
    }
}

void TSkinData::SetSkinFile(std::string_view name)
{
    skinFile_ = std::string(name);
    const DWORD attributes = skinFile_.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(skinFile_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        // Nothing to load: the current skin stays in force, loaded or not.
        return;
    }
    TMemoryStream file;
    file.LoadFromFile(skinFile_);
    UseSkin(file.Bytes());
}

bool TSkinData::UseSkin(std::span<const std::byte> bytes)
{
    std::optional<TSkinModel> next = BuildSkinFromStream(bytes, {});
    if (!next) {
        return false;
    }
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes);
    stream->SetPosition(0);
    skinStream_ = std::move(stream);
    ReplaceSkin(std::move(*next));
    if (SkinFormtype == sfMainform) {
        ApplyToSkinnedForms();
    }
    return true;
}

void TSkinData::ApplyToSkinnedForms()
{
    if (ComponentState().Contains(csLoading)) {
        return;
    }
    if (SkinManager() == nullptr) {
        Loaded();
    }
    TSkinManage& manager = EnsureSkinManager();
    manager.ReskinForms(this);
    if (manager.ActivationState() == TActivationState::Activated) {
        manager.Schedule(saReapply, this);
    }
}
