#include "ui/CoolBar.h"

#include "ui/Exceptions.h"
#include "ui/Graphics.h"
#include "ui/Properties.h"

#include <commctrl.h>

#include <algorithm>

constinit const TClassInfo TCoolBand::ClassInfo = ui::ClassOf<TCoolBand>("TCoolBand", TCollectionItem::ClassInfo);
constinit const TClassInfo TCoolBands::ClassInfo = ui::ClassOf<TCoolBands>("TCoolBands", TOwnedCollection::ClassInfo);
constinit const TClassInfo TCoolBar::ClassInfo = ui::ClassOf<TCoolBar>("TCoolBar", TWinControl::ClassInfo);

namespace {

REBARBANDINFOA BandInfo(const TCoolBar& bar, const TCoolBand& band, std::string& text)
{
    text = band.Text();
    REBARBANDINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_SIZE | RBBIM_CHILDSIZE | RBBIM_COLORS | RBBIM_CHILD;
    info.fStyle = RBBS_CHILDEDGE | (band.Break() ? RBBS_BREAK : 0);
    info.lpText = text.data();
    info.clrFore = GetSysColor(COLOR_BTNTEXT);
    info.clrBack = ui::ColorToRGB(band.Color());
    // Only a window of the bar's own can sit in a band.
    TWinControl* control = band.Control();
    info.hwndChild = control != nullptr && control->Parent() == &bar ? control->Handle() : nullptr;
    info.cyMinChild = static_cast<UINT>(band.MinHeight());
    info.cx = static_cast<UINT>(band.Width());
    return info;
}

} // namespace

// ============================================================ TCoolBand

void TCoolBand::Publish(ui::TPublisher<TCoolBand>& p)
{
    p.Text("Text", &TCoolBand::Text, &TCoolBand::SetText);
    p.Object("Control", &TCoolBand::Control, &TCoolBand::SetControl);
    p.Integer("Width", &TCoolBand::Width, &TCoolBand::SetWidth).Default(120);
    p.Integer("MinHeight", &TCoolBand::MinHeight, &TCoolBand::SetMinHeight).Default(25);
    p.Boolean("Break", &TCoolBand::Break, &TCoolBand::SetBreak).Default(1);
    p.Colour("Color", &TCoolBand::Color, &TCoolBand::SetColor).Default(clBtnFace);
}

TCoolBand::TCoolBand(TCollection* collection) : TCollectionItem(collection)
{
    // The collection announced the band before this part existed; show it now.
    if (TCoolBar* bar = Bar(); bar != nullptr && bar->HandleAllocated())
        bar->InsertBand(Index(), *this);
}

TCoolBar* TCoolBand::Bar() const
{
    const auto* bands = ui::As<TCoolBands>(Collection());
    return bands != nullptr ? ui::As<TCoolBar>(bands->GetOwner()) : nullptr;
}

void TCoolBand::SetText(std::string_view value)
{
    text_ = std::string(value);
    Changed(false);
}

void TCoolBand::SetControl(TWinControl* value)
{
    if (value == control_)
        return;
    control_ = value;
    if (TCoolBar* bar = Bar(); bar != nullptr && value != nullptr)
        value->FreeNotification(bar);
    Changed(false);
}

void TCoolBand::SetWidth(int value)
{
    width_ = std::max(value, 0);
    Changed(false);
}

void TCoolBand::SetMinHeight(int value)
{
    minHeight_ = std::max(value, 0);
    Changed(false);
}

void TCoolBand::SetBreak(bool value)
{
    break_ = value;
    Changed(false);
}

void TCoolBand::SetColor(TColor value)
{
    color_ = value;
    Changed(false);
}

void TCoolBand::Assign(const TPersistent& source)
{
    if (const auto* band = ui::As<TCoolBand>(&source)) {
        text_ = band->text_;
        width_ = band->width_;
        minHeight_ = band->minHeight_;
        break_ = band->break_;
        color_ = band->color_;
        SetControl(band->control_);
        Changed(false);
        return;
    }
    TCollectionItem::Assign(source);
}

// ============================================================ TCoolBands

TCoolBands::TCoolBands(TCoolBar& owner) : TOwnedCollectionOf(&owner), bar_(owner) {}

void TCoolBands::Update(TCollectionItem* item)
{
    if (!bar_.HandleAllocated())
        return;
    // A band being added is announced before its own fields exist.
    const int shown = bar_.ShownBands();
    if (item != nullptr) {
        if (item->Index() < shown)
            bar_.UpdateBand(item->Index(), static_cast<const TCoolBand&>(*item));
        return;
    }
    for (int i = 0; i < Count() && i < shown; ++i)
        bar_.UpdateBand(i, *Items(i));
}

void TCoolBands::Notify(TCollectionItem* item, TCollectionNotification action)
{
    if (action != cnAdded && bar_.HandleAllocated())
        SendMessageA(bar_.WindowHandle(), RB_DELETEBAND, static_cast<WPARAM>(item->Index()), 0);
}

// ============================================================ TCoolBar

void TCoolBar::Publish(ui::TPublisher<TCoolBar>& p)
{
    p.Object("Bands", &TCoolBar::BandsObject);
    p.Enum("Align", ui::AlignInfo, &TCoolBar::Align, &TCoolBar::SetAlign).Default(alTop);
}

TCoolBar::TCoolBar(TComponent* owner)
    : TWinControl(owner), bands_(std::make_unique<TCoolBands>(*this)), dock_(*this, alTop)
{
    ui::LoadCommonControls(ICC_COOL_CLASSES);
    UpdateStoredBounds(0, 0, 150, 75);
}

void TCoolBar::SetParent(TWinControl* parent)
{
    TWinControl::SetParent(parent);
    dock_.ParentChanged();
}

void TCoolBar::BoundsChanged()
{
    TWinControl::BoundsChanged();
    dock_.Apply();
}

TCoolBar::~TCoolBar()
{
    // The window goes while the bands it shows still exist.
    Destroying();
    DestroyComponents();
    DestroyHandle();
}

void TCoolBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = REBARCLASSNAMEA;
    params.OwnClass = false;
    // The framework places the bar; the system would move it on every size.
    params.Style |= CCS_NOPARENTALIGN | CCS_NODIVIDER | RBS_VARHEIGHT | RBS_BANDBORDERS | WS_CLIPCHILDREN;
}

void TCoolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    for (int i = 0; i < bands_->Count(); ++i)
        InsertBand(i, *bands_->Items(i));
}

void TCoolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != opRemove || bands_ == nullptr)
        return;
    for (int i = 0; i < bands_->Count(); ++i) {
        TCoolBand* band = bands_->Items(i);
        if (band->control_ == component) {
            band->control_ = nullptr;
            if (HandleAllocated() && i < ShownBands())
                UpdateBand(i, *band);
        }
    }
}

int TCoolBar::ShownBands() const { return static_cast<int>(SendMessageA(WindowHandle(), RB_GETBANDCOUNT, 0, 0)); }

void TCoolBar::InsertBand(int index, const TCoolBand& band)
{
    std::string text;
    REBARBANDINFOA info = BandInfo(*this, band, text);
    if (SendMessageA(WindowHandle(), RB_INSERTBANDA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)) == 0)
        throw EOutOfResources("The cool bar cannot take more bands");
}

void TCoolBar::UpdateBand(int index, const TCoolBand& band)
{
    std::string text;
    REBARBANDINFOA info = BandInfo(*this, band, text);
    SendMessageA(WindowHandle(), RB_SETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}
