#include "ui/HeaderControl.h"

#include "ui/Properties.h"

#include <commctrl.h>

#include <algorithm>

constinit const TClassInfo THeaderSection::ClassInfo =
    ui::ClassOf<THeaderSection>("THeaderSection", TCollectionItem::ClassInfo);
constinit const TClassInfo THeaderSections::ClassInfo =
    ui::ClassOf<THeaderSections>("THeaderSections", TOwnedCollection::ClassInfo);
constinit const TClassInfo THeaderControl::ClassInfo =
    ui::ClassOf<THeaderControl>("THeaderControl", TWinControl::ClassInfo);

namespace {

HDITEMA SectionItem(const THeaderSection& section, std::string& text)
{
    text = section.Text();
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = section.Width();
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    item.fmt = HDF_STRING;
    switch (section.Alignment()) {
    case taRightJustify:
        item.fmt |= HDF_RIGHT;
        break;
    case taCenter:
        item.fmt |= HDF_CENTER;
        break;
    default:
        item.fmt |= HDF_LEFT;
        break;
    }
    return item;
}

} // namespace

// ============================================================ THeaderSection

void THeaderSection::Publish(ui::TPublisher<THeaderSection>& p)
{
    p.Text("Text", &THeaderSection::Text, &THeaderSection::SetText);
    p.Integer("Width", &THeaderSection::Width, &THeaderSection::SetWidth).Default(50);
    p.Enum("Alignment", ui::AlignmentInfo, &THeaderSection::Alignment, &THeaderSection::SetAlignment)
        .Default(taLeftJustify);
}

THeaderSection::THeaderSection(TCollection* collection) : TCollectionItem(collection)
{
    // The collection announced the item before this part existed; show it now.
    if (THeaderControl* header = Header(); header && header->HandleAllocated())
        header->InsertSection(Index(), *this);
}

THeaderControl* THeaderSection::Header() const
{
    const auto* sections = ui::As<THeaderSections>(Collection());
    return sections ? ui::As<THeaderControl>(sections->GetOwner()) : nullptr;
}

void THeaderSection::SetText(std::string_view value)
{
    text_ = std::string(value);
    Changed(false);
}

void THeaderSection::SetWidth(int value)
{
    width_ = std::max(value, 0);
    Changed(false);
}

void THeaderSection::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Changed(false);
}

int THeaderSection::Left() const
{
    int left = 0;
    if (const TCollection* sections = Collection()) {
        for (int i = 0; i < Index(); ++i)
            left += static_cast<const THeaderSection*>(sections->Items(i))->Width();
    }
    return left;
}

void THeaderSection::Assign(const TPersistent& source)
{
    if (const auto* section = ui::As<THeaderSection>(&source)) {
        text_ = section->text_;
        width_ = section->width_;
        alignment_ = section->alignment_;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(source);
}

// ============================================================ THeaderSections

THeaderSections::THeaderSections(THeaderControl& owner)
    : TOwnedCollectionOf(&owner), header_(owner)
{
}

void THeaderSections::Update(TCollectionItem* item)
{
    if (!header_.HandleAllocated())
        return;
    // A section being added is announced before its own fields exist; it goes
    // into the window once made, so one the window does not show yet is left alone.
    const int shown = static_cast<int>(SendMessageA(header_.WindowHandle(), HDM_GETITEMCOUNT, 0, 0));
    if (item) {
        if (item->Index() < shown)
            header_.UpdateSection(item->Index(), static_cast<const THeaderSection&>(*item));
        return;
    }
    for (int i = 0; i < Count() && i < shown; ++i)
        header_.UpdateSection(i, *Items(i));
}

void THeaderSections::Notify(TCollectionItem* item, TCollectionNotification action)
{
    if (action != cnAdded && header_.HandleAllocated())
        SendMessageA(header_.WindowHandle(), HDM_DELETEITEM, static_cast<WPARAM>(item->Index()), 0);
}

// ============================================================ THeaderControl

void THeaderControl::Publish(ui::TPublisher<THeaderControl>& p)
{
    p.Object("Sections", &THeaderControl::SectionsObject);
    p.Boolean("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack).Default(0);
    p.Event("OnSectionClick", &THeaderControl::OnSectionClick);
    p.Event("OnSectionResize", &THeaderControl::OnSectionResize);
}

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), sections_(std::make_unique<THeaderSections>(*this))
{
    ui::LoadCommonControls(ICC_LISTVIEW_CLASSES);
    UpdateStoredBounds(0, 0, 185, 17);
}

THeaderControl::~THeaderControl()
{
    // The window goes while the sections it shows still exist.
    Destroying();
    DestroyComponents();
    DestroyHandle();
}

void THeaderControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = WC_HEADERA;
    params.OwnClass = false;
    params.Style |= HDS_HORZ | HDS_BUTTONS | HDS_FULLDRAG;
    if (hotTrack_)
        params.Style |= HDS_HOTTRACK;
}

void THeaderControl::CreateWnd()
{
    TWinControl::CreateWnd();
    for (int i = 0; i < sections_->Count(); ++i)
        InsertSection(i, *sections_->Items(i));
}

void THeaderControl::SetHotTrack(bool value)
{
    if (value == hotTrack_)
        return;
    hotTrack_ = value;
    RecreateWnd();
}

void THeaderControl::InsertSection(int index, const THeaderSection& section)
{
    std::string text;
    HDITEMA item = SectionItem(section, text);
    if (SendMessageA(WindowHandle(), HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) < 0)
        throw EOutOfResources("The header cannot take more sections");
}

void THeaderControl::UpdateSection(int index, const THeaderSection& section)
{
    std::string text;
    HDITEMA item = SectionItem(section, text);
    SendMessageA(WindowHandle(), HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

THeaderSection* THeaderControl::SectionAt(int index) const
{
    return index >= 0 && index < sections_->Count() ? sections_->Items(index) : nullptr;
}

void THeaderControl::WndProc(TMessage& message)
{
    // Long parameters below 64 KiB are never pointers; other messages share
    // this number with CN_NOTIFY.
    if (message.Msg == CN_NOTIFY && static_cast<ULONG_PTR>(message.LParam) >= 0x10000) {
        // The A and W forms differ only in the item's text pointer, which is not read.
        const auto* notice = reinterpret_cast<const NMHEADERA*>(message.LParam);
        switch (notice->hdr.code) {
        case HDN_ITEMCLICKA:
        case HDN_ITEMCLICKW:
            if (THeaderSection* section = SectionAt(notice->iItem))
                OnSectionClick(this, section);
            return;
        case HDN_ITEMCHANGEDA:
        case HDN_ITEMCHANGEDW:
            if (THeaderSection* section = SectionAt(notice->iItem);
                section && notice->pitem && (notice->pitem->mask & HDI_WIDTH))
                section->width_ = notice->pitem->cxy;
            return;
        case HDN_ENDTRACKA:
        case HDN_ENDTRACKW:
            if (THeaderSection* section = SectionAt(notice->iItem)) {
                if (notice->pitem && (notice->pitem->mask & HDI_WIDTH))
                    section->width_ = notice->pitem->cxy;
                OnSectionResize(this, section);
            }
            return;
        default:
            break;
        }
    }
    TWinControl::WndProc(message);
}
