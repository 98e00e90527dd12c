#include "ui/PageControl.h"

#include "ui/ImageList.h"
#include "ui/Properties.h"

#include <commctrl.h>

#include <algorithm>

constinit const TClassInfo TCustomTabControl::ClassInfo =
    ui::ClassOf<TCustomTabControl>("TCustomTabControl", TWinControl::ClassInfo);
constinit const TClassInfo TTabControl::ClassInfo = ui::ClassOf<TTabControl>("TTabControl", TCustomTabControl::ClassInfo);
constinit const TClassInfo TTabSheet::ClassInfo = ui::ClassOf<TTabSheet>("TTabSheet", TWinControl::ClassInfo);
constinit const TClassInfo TPageControl::ClassInfo =
    ui::ClassOf<TPageControl>("TPageControl", TCustomTabControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kTabPositionNames[] = {"tpTop", "tpBottom", "tpLeft", "tpRight"};
constexpr std::string_view kTabStyleNames[] = {"tsTabs", "tsButtons", "tsFlatButtons"};
} // namespace
constinit const TEnumInfo TabPositionInfo{"TTabPosition", kTabPositionNames};
constinit const TEnumInfo TabStyleInfo{"TTabStyle", kTabStyleNames};
} // namespace ui

// ============================================================ TCustomTabControl

void TCustomTabControl::Publish(ui::TPublisher<TCustomTabControl>& p)
{
    p.Enum("TabPosition", ui::TabPositionInfo, &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition)
        .Default(tpTop);
    p.Enum("Style", ui::TabStyleInfo, &TCustomTabControl::Style, &TCustomTabControl::SetStyle).Default(tsTabs);
    p.Boolean("MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine).Default(0);
    p.Object("Images", &TCustomTabControl::Images, &TCustomTabControl::SetImages);
    p.Boolean("TabStop", &TCustomTabControl::TabStop, &TCustomTabControl::SetTabStop).Default(1);
    p.Event("OnChange", &TCustomTabControl::OnChange);
    p.Event("OnChanging", &TCustomTabControl::OnChanging);
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner)
{
    ui::LoadCommonControls(ICC_TAB_CLASSES);
    SetTabStop(true);
    UpdateStoredBounds(0, 0, 289, 193);
}

TCustomTabControl::~TCustomTabControl()
{
    if (images_)
        images_->RemoveFreeNotification(this);
}

void TCustomTabControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = WC_TABCONTROLA;
    params.OwnClass = false;
    params.Style |= WS_CLIPCHILDREN;
    switch (tabPosition_) {
    case tpBottom:
        params.Style |= TCS_BOTTOM;
        break;
    case tpLeft:
        params.Style |= TCS_VERTICAL | TCS_MULTILINE;
        break;
    case tpRight:
        params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
        break;
    default:
        break;
    }
    if (style_ != tsTabs)
        params.Style |= TCS_BUTTONS;
    if (style_ == tsFlatButtons)
        params.Style |= TCS_FLATBUTTONS;
    if (multiLine_)
        params.Style |= TCS_MULTILINE;
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    if (images_)
        SendMessageA(WindowHandle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    RebuildTabs();
}

void TCustomTabControl::DestroyWnd()
{
    selected_ = SelectedTab();
    TWinControl::DestroyWnd();
}

void TCustomTabControl::RebuildTabs()
{
    if (!HandleAllocated())
        return;
    const int selected = selected_;
    SendMessageA(WindowHandle(), TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < TabCount(); ++i)
        InsertTab(i);
    selected_ = selected;
    SelectTab(selected);
}

void TCustomTabControl::InsertTab(int index)
{
    if (!HandleAllocated())
        return;
    std::string caption = TabCaption(index);
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption.data();
    item.iImage = TabImage(index);
    SendMessageA(WindowHandle(), TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TCustomTabControl::DeleteTab(int index)
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::UpdateTab(int index)
{
    if (!HandleAllocated() || index < 0 || index >= TabCount())
        return;
    std::string caption = TabCaption(index);
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption.data();
    item.iImage = TabImage(index);
    SendMessageA(WindowHandle(), TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int TCustomTabControl::SelectedTab() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0));
    return selected_ < TabCount() ? selected_ : -1;
}

void TCustomTabControl::SelectTab(int index)
{
    selected_ = index >= 0 && index < TabCount() ? index : -1;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() { OnChange(this); }

void TCustomTabControl::SelectNextTab(bool forward)
{
    const int count = TabCount();
    if (count < 2)
        return;
    const int current = SelectedTab();
    const int next = current < 0 ? (forward ? 0 : count - 1) : (current + (forward ? 1 : count - 1)) % count;
    if (!CanChange())
        return;
    SelectTab(next);
    Change();
}

bool TCustomTabControl::ContainsFocus() const
{
    const HWND focus = GetFocus();
    return HandleAllocated() && focus && (focus == WindowHandle() || IsChild(WindowHandle(), focus));
}

RECT TCustomTabControl::DisplayRect() const
{
    RECT r = ClientRect();
    if (HandleAllocated()) {
        SendMessageA(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Near enough for a control that has no window yet to measure with.
    constexpr int kTabs = 24;
    InflateRect(&r, -4, -4);
    switch (tabPosition_) {
    case tpBottom:
        r.bottom -= kTabs;
        break;
    case tpLeft:
        r.left += kTabs;
        break;
    case tpRight:
        r.right -= kTabs;
        break;
    default:
        r.top += kTabs;
        break;
    }
    return r;
}

void TCustomTabControl::SetTabPosition(TTabPosition value)
{
    if (value == tabPosition_)
        return;
    tabPosition_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool value)
{
    if (value == multiLine_)
        return;
    multiLine_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetImages(TImageList* value)
{
    if (!ReplaceReference(images_, value))
        return;
    if (HandleAllocated()) {
        SendMessageA(WindowHandle(), TCM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
        Invalidate();
    }
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
        if (HandleAllocated())
            SendMessageA(WindowHandle(), TCM_SETIMAGELIST, 0, 0);
    }
}

void TCustomTabControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY:
        // Long parameters below 64 KiB are never pointers.
        if (static_cast<ULONG_PTR>(message.LParam) >= 0x10000) {
            const UINT code = reinterpret_cast<const NMHDR*>(message.LParam)->code;
            if (code == static_cast<UINT>(TCN_SELCHANGING)) {
                message.Result = CanChange() ? FALSE : TRUE;
                return;
            }
            if (code == static_cast<UINT>(TCN_SELCHANGE)) {
                selected_ = SelectedTab();
                Change();
                return;
            }
        }
        break;
    case CM_DIALOGKEY:
        if (message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && ContainsFocus()) {
            SelectNextTab(GetKeyState(VK_SHIFT) >= 0);
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ============================================================ TTabControl

void TTabControl::Publish(ui::TPublisher<TTabControl>& p)
{
    p.Object("Tabs", &TTabControl::TabsObject);
    p.Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Default(-1);
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner), tabs_(std::make_unique<TStringList>())
{
    tabs_->OnChange = TNotifyEvent([this](TObject*) { RebuildTabs(); });
}

TTabControl::~TTabControl()
{
    // The window goes while the texts it shows still exist.
    Destroying();
    DestroyComponents();
    DestroyHandle();
}

// ============================================================ TTabSheet

void TTabSheet::Publish(ui::TPublisher<TTabSheet>& p)
{
    p.Text("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
    p.Object("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl).Stored(false);
    p.Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
    p.Integer("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(-1);
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet()
{
    if (pageControl_)
        pageControl_->RemovePage(*this);
}

void TTabSheet::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* parent)
{
    TPageControl* old = pageControl_;
    auto* now = ui::As<TPageControl>(parent);
    if (old && old != now) {
        pageControl_ = nullptr;
        old->RemovePage(*this);
    }
    TWinControl::SetParent(parent);
    if (now && now != old) {
        pageControl_ = now;
        now->InsertPage(*this);
    }
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value)
{
    if (pageControl_)
        pageControl_->MovePage(*this, value);
}

void TTabSheet::SetImageIndex(int value)
{
    imageIndex_ = value;
    if (pageControl_)
        pageControl_->UpdateTab(PageIndex());
}

void TTabSheet::TextChanged()
{
    TWinControl::TextChanged();
    if (pageControl_)
        pageControl_->UpdateTab(PageIndex());
}

// ============================================================ TPageControl

void TPageControl::Publish(ui::TPublisher<TPageControl>& p)
{
    p.Object("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    p.Integer("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex).Stored(false);
    p.Integer("PageCount", &TPageControl::PageCount).Stored(false);
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl()
{
    // The pages outlive this part of the control: they go with the window's children.
    Destroying();
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

void TPageControl::CreateWnd()
{
    TCustomTabControl::CreateWnd();
    SelectTab(ActivePageIndex());
    LayoutPages();
}

void TPageControl::Loaded()
{
    TCustomTabControl::Loaded();
    LayoutPages();
}

void TPageControl::BoundsChanged()
{
    TCustomTabControl::BoundsChanged();
    LayoutPages();
}

void TPageControl::InsertPage(TTabSheet& page)
{
    pages_.push_back(&page);
    InsertTab(PageCount() - 1);
    if (!activePage_)
        SetActivePage(&page);
    else
        LayoutPages();
}

void TPageControl::RemovePage(TTabSheet& page)
{
    const auto it = std::find(pages_.begin(), pages_.end(), &page);
    if (it == pages_.end())
        return;
    const int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    DeleteTab(index);
    if (activePage_ == &page) {
        activePage_ = nullptr;
        if (!pages_.empty())
            SetActivePage(pages_[static_cast<std::size_t>(std::min(index, PageCount() - 1))]);
    } else {
        SelectTab(ActivePageIndex());
    }
}

void TPageControl::MovePage(TTabSheet& page, int index)
{
    const auto it = std::find(pages_.begin(), pages_.end(), &page);
    if (it == pages_.end())
        return;
    pages_.erase(it);
    index = std::clamp(index, 0, PageCount());
    pages_.insert(pages_.begin() + index, &page);
    RebuildTabs();
    SelectTab(ActivePageIndex());
}

int TPageControl::ActivePageIndex() const
{
    const auto it = std::find(pages_.begin(), pages_.end(), activePage_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int value)
{
    SetActivePage(value >= 0 && value < PageCount() ? Pages(value) : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->pageControl_ != this)
        return;
    activePage_ = page;
    SelectTab(ActivePageIndex());
    LayoutPages();
}

void TPageControl::Change()
{
    const int index = SelectedTab();
    activePage_ = index >= 0 && index < PageCount() ? Pages(index) : nullptr;
    LayoutPages();
    TCustomTabControl::Change();
}

void TPageControl::LayoutPages()
{
    const RECT r = DisplayRect();
    for (TTabSheet* page : pages_) {
        page->SetBoundsRect(r);
        page->SetVisible(page == activePage_);
    }
}
