#include "skin/controls/SkinTab.h"

#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Handles.h"
#include "ui/PageControl.h"
#include "ui/Picture.h"
#include "ui/Properties.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

constinit const TClassInfo TSkinTab::ClassInfo = ui::ClassOf<TSkinTab>("TSkinTab", TSkinControl::ClassInfo);
constinit const TClassInfo TSkinTabSheet::ClassInfo =
    ui::ClassOf<TSkinTabSheet>("TSkinTabSheet", TSkinControl::ClassInfo);

namespace tabface {

TSide SideOf(LONG_PTR style) noexcept
{
    const bool bottom = (style & TCS_BOTTOM) != 0;
    const bool vertical = (style & TCS_VERTICAL) != 0;
    if (vertical)
        return bottom ? TSide::Right : TSide::Left;
    return bottom ? TSide::Bottom : TSide::Top;
}

RECT PaneRect(const RECT& display, TSide side) noexcept
{
    RECT pane = display;
    InflateRect(&pane, 4, 4);
    switch (side) {
    case TSide::Top:
        ++pane.top;
        break;
    case TSide::Bottom:
        --pane.bottom;
        break;
    case TSide::Left:
        ++pane.left;
        break;
    case TSide::Right:
        --pane.right;
        break;
    }
    return pane;
}

RECT StripRect(const RECT& rect, const RECT& pane, TSide side) noexcept
{
    switch (side) {
    case TSide::Bottom:
        return RECT{rect.left, std::max(pane.bottom, rect.top), rect.right, rect.bottom};
    case TSide::Left:
        return RECT{rect.left, rect.top, std::min(pane.left, rect.right), rect.bottom};
    case TSide::Right:
        return RECT{std::max(pane.right, rect.left), rect.top, rect.right, rect.bottom};
    case TSide::Top:
        break;
    }
    return RECT{rect.left, rect.top, rect.right, std::min(pane.top, rect.bottom)};
}

SIZE StripPictureSize(const RECT& strip, TSide side) noexcept
{
    const LONG width = strip.right - strip.left;
    const LONG height = strip.bottom - strip.top;
    if (side == TSide::Left || side == TSide::Right)
        return SIZE{height, width};
    return SIZE{width, height};
}

RECT ToStrip(const RECT& tab, const RECT& strip, TSide side) noexcept
{
    RECT local = tab;
    OffsetRect(&local, -strip.left, -strip.top);
    const LONG width = strip.right - strip.left;
    const LONG height = strip.bottom - strip.top;
    RECT lying = local;
    switch (side) {
    case TSide::Top:
    case TSide::Bottom:
        break;
    case TSide::Left:
        // Turned back clockwise: the strip's outer edge is the picture's top.
        lying = RECT{height - local.bottom, local.left, height - local.top, local.right};
        break;
    case TSide::Right:
        lying = RECT{local.top, width - local.right, local.bottom, width - local.left};
        break;
    }
    // One pixel towards the pane, so that the selected tab runs into it.
    OffsetRect(&lying, 0, side == TSide::Bottom ? -1 : 1);
    return lying;
}

RECT TurnMargins(const RECT& margins, TSide side) noexcept
{
    switch (side) {
    case TSide::Bottom:
        return RECT{margins.left, margins.bottom, margins.right, margins.top};
    case TSide::Left:
        return RECT{margins.top, margins.right, margins.bottom, margins.left};
    case TSide::Right:
        return RECT{margins.bottom, margins.left, margins.top, margins.right};
    case TSide::Top:
        break;
    }
    return margins;
}

void TurnForSide(TBitmap& picture, TSide side)
{
    if (picture.Empty())
        return;
    switch (side) {
    case TSide::Top:
        break;
    case TSide::Bottom:
        FlipVertical(picture);
        break;
    case TSide::Left:
        RotateLeft(picture);
        break;
    case TSide::Right:
        RotateRight(picture);
        break;
    }
}

RECT CloseMarkRect(const RECT& tab) noexcept { return RECT{tab.right - 8, tab.top + 2, tab.right - 2, tab.top + 8}; }

void DrawCloseMark(HDC dc, const RECT& tab, COLORREF colour)
{
    const RECT mark = CloseMarkRect(tab);
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    const ui::ScopedSelect selected(dc, pen.get());
    const std::array<POINT, 5> box{POINT{mark.left, mark.top}, POINT{mark.right, mark.top},
                                   POINT{mark.right, mark.bottom}, POINT{mark.left, mark.bottom},
                                   POINT{mark.left, mark.top}};
    Polyline(dc, box.data(), static_cast<int>(box.size()));
    MoveToEx(dc, mark.left, mark.top, nullptr);
    LineTo(dc, mark.right, mark.bottom);
    MoveToEx(dc, mark.right, mark.top, nullptr);
    LineTo(dc, mark.left, mark.bottom);
}

namespace {

void Fill(HDC dc, const RECT& rect, TColor colour)
{
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRGB(colour)));
    FillRect(dc, &rect, brush.get());
}

// A frame nine-sliced into dc; only a keyed one needs a picture of its own first.
void DrawFrame(HDC dc, const RECT& rect, TBitmap& picture, const RECT& margins, bool tile, bool transparent,
               int frames, int frame)
{
    if (transparent)
        DrawSkinElement(dc, rect, picture, false, tile, true, frames, frame, margins);
    else
        DrawSkinFrame(dc, rect, picture, margins, false, tile, frames, frame);
}

void PaintStrip(HDC dc, const RECT& strip, const TTabLook& look, const TTabPictures& pictures, TBitmap& work)
{
    const SIZE size = StripPictureSize(strip, look.Side);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    if (!pictures.Tab || pictures.Tab->Empty()) {
        Fill(dc, strip, look.Face);
        return;
    }
    work.SetSize(size.cx, size.cy);
    {
        const HDC canvas = work.Canvas().Handle();
        const ui::ScopedSaveDC saved(canvas);
        Fill(canvas, RECT{0, 0, size.cx, size.cy}, look.Face);
        if (look.Font)
            SelectObject(canvas, look.Font);
        SetBkMode(canvas, TRANSPARENT);
        for (const TTab& tab : look.Tabs) {
            const RECT lying = ToStrip(tab.Rect, strip, look.Side);
            DrawFrame(canvas, lying, *pictures.Tab, pictures.TabMargins, pictures.Tile, pictures.Transparent,
                      pictures.TabFrames, tab.Selected ? 2 : 1);
            SetTextColor(canvas, ui::ColorToRGB(tab.Selected ? look.SelectedText : look.NormalText));
            headerface::DrawCaptionWithImage(canvas, lying, headerface::TCaptionAlign::Centre, tab.Text, tab.Image,
                                             look.Images, look.Enabled);
        }
    }
    if (look.Side == TSide::Left)
        RotateLeft(work);
    else if (look.Side == TSide::Right)
        RotateRight(work);
    const ui::ScopedSaveDC saved(dc);
    if (!IsRectEmpty(&look.Scroller))
        ExcludeClipRect(dc, look.Scroller.left, look.Scroller.top, look.Scroller.right, look.Scroller.bottom);
    BitBlt(dc, strip.left, strip.top, work.Width(), work.Height(), work.Canvas().Handle(), 0, 0, SRCCOPY);
}

} // namespace

void PaintTabs(HDC dc, const RECT& rect, const TTabLook& look, const TTabPictures& pictures, TBitmap& strip)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    PaintStrip(dc, StripRect(rect, look.Pane, look.Side), look, pictures, strip);
    if (look.CloseMarks) {
        for (const TTab& tab : look.Tabs)
            DrawCloseMark(dc, tab.Rect, ui::ColorToRGB(tab.Selected ? look.SelectedText : look.NormalText));
    }
    if (pictures.Pane && !pictures.Pane->Empty()) {
        try {
            DrawFrame(dc, look.Pane, *pictures.Pane, pictures.PaneMargins, false, false, 1, 1);
        } catch (...) {
            // A pane that cannot be drawn leaves the strip as it is.
        }
    } else {
        Fill(dc, look.Pane, look.Face);
    }
}

} // namespace tabface

namespace {

// The pane picture's margins when it is Tabs' second picture.
constexpr RECT kTabsPaneMargins{4, 5, 4, 4};
// Tab.Pane's margins are used up to this.
constexpr LONG kMaxPaneMargin = 4;
constexpr int kTextLength = 80;

TColor OrText(TColor colour) { return colour == NoElementColour ? (clSystemColor | COLOR_BTNTEXT) : colour; }

std::wstring ItemText(HWND control, int index, bool unicode, int& image)
{
    if (unicode) {
        std::array<wchar_t, kTextLength + 1> text{};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        item.pszText = text.data();
        item.cchTextMax = kTextLength;
        if (!SendMessageW(control, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
            return {};
        image = item.iImage;
        return std::wstring(text.data());
    }
    std::array<char, kTextLength + 1> text{};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = text.data();
    item.cchTextMax = kTextLength;
    if (!SendMessageA(control, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return {};
    image = item.iImage;
    return AnsiToWide(text.data());
}

// Where the client area's origin lies in the window.
POINT ClientOrigin(HWND window)
{
    POINT origin{0, 0};
    RECT outer{};
    ClientToScreen(window, &origin);
    GetWindowRect(window, &outer);
    return POINT{origin.x - outer.left, origin.y - outer.top};
}

} // namespace

TSkinTab::TSkinTab(TComponent* owner) : TSkinControl(owner) {}

TSkinTab::~TSkinTab() = default;

void TSkinTab::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    Attached();
}

void TSkinTab::InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitHandle(handle, skinData, form, canvas);
    FFocused = GetFocus() == FHandle;
    Attached();
}

void TSkinTab::Attached()
{
    if (!Initialized() || !FHandle)
        return;
    FEnabled = (GetLong(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    const auto* pages = ui::As<TPageControl>(FControl);
    FClosable = pages && pages->Tag() == kClosableTag && !pages->MultiLine();
    PrepareImages();
    AttachScroller();
    FActive = true;
    FUnicodeTabs = IsWindowUnicode(FHandle) != FALSE;
}

void TSkinTab::PrepareImages()
{
    FTabPosition = tabface::SideOf(FHandle ? GetLong(FHandle, GWL_STYLE) : 0);
    FTabImage.SetSize(0, 0);
    FPaneImage.SetSize(0, 0);
    TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
    if (!tabs || !tabs->HasBitmap())
        return;
    CopyBitmap(tabs->Bitmap, FTabImage);
    FTabImage.SetPixelFormat(pf24bit);
    if (tabs->Style == 0 && !tabs->Bitmap2.Empty()) {
        CopyBitmap(tabs->Bitmap2, FPaneImage);
    } else if (tabs->Style == 1 && FSkinData->TabPane && FSkinData->TabPane->HasBitmap()) {
        CopyBitmap(FSkinData->TabPane->Bitmap, FPaneImage);
    }
    if (!FPaneImage.Empty())
        FPaneImage.SetPixelFormat(pf24bit);
    if (FTabPosition == tabface::TSide::Bottom)
        FlipVertical(FTabImage);
    tabface::TurnForSide(FPaneImage, FTabPosition);
}

void TSkinTab::AttachScroller()
{
    if (FUpDown && (FUpDown->Status() == TSkinStatus::WindowDestroyed || !IsWindow(FUpDown->Handle()) ||
                    GetParent(FUpDown->Handle()) != FHandle)) {
        delete std::exchange(FUpDown, nullptr);
    }
    if (FUpDown || !FHandle)
        return;
    if (const HWND scroller = FindWindowExA(FHandle, nullptr, UPDOWN_CLASSA, nullptr)) {
        // Outside the form's list: the scroller comes and goes with the tabs' width, and its skinner with this one.
        FUpDown = new TSkinUpDown(this);
        FUpDown->InitHandle(scroller, FSkinData, nullptr, FCanvas);
    }
}

bool TSkinTab::SkinPaints() const { return FSkinData && FSkinData->Tabs && FSkinData->Tabs->HasBitmap(); }

int TSkinTab::CloseMarkAt(POINT point) const
{
    for (std::size_t i = 0; i < FCloseRects.size(); ++i) {
        if (PtInRect(&FCloseRects[i], point))
            return static_cast<int>(i);
    }
    return -1;
}

void TSkinTab::RequestClose(int index)
{
    const HWND form = GetAncestor(FHandle, GA_ROOT);
    const std::shared_ptr<bool> alive = FAlive;
    const LRESULT veto = SendMessageA(form, SKM_TABCLOSE, reinterpret_cast<WPARAM>(FHandle), index);
    if (!*alive || veto != 0)
        return;
    auto* pages = ui::As<TPageControl>(FControl);
    if (pages && index < pages->PageCount()) {
        delete pages->Pages(index);
        if (*alive)
            Repaint();
    }
}

bool TSkinTab::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!SkinPaints())
            break;
        PaintWindow(message);
        return false;
    case WM_LBUTTONDOWN:
        if (FClosable && SkinPaints()) {
            const POINT point{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
            if (const int index = CloseMarkAt(point); index >= 0) {
                message.Result = 0;
                RequestClose(index);
                return false;
            }
        }
        break;
    default:
        break;
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinTab::AfterProc(TMessage& message)
{
    // A paint that reaches here is the control's own: nothing goes over it.
    if (message.Msg != WM_PAINT)
        TSkinControl::AfterProc(message);
}

void TSkinTab::PaintControl(HDC dc, const RECT& rect)
{
    if (!FHandle)
        return;
    if (tabface::SideOf(GetLong(FHandle, GWL_STYLE)) != FTabPosition)
        PrepareImages();
    AttachScroller();
    const POINT origin = ClientOrigin(FHandle);
    tabface::TTabLook look;
    look.Side = FTabPosition;
    look.Face = SkinFaceColor();
    look.Enabled = FEnabled;
    look.CloseMarks = FClosable;
    look.Font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    look.Images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
    const TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
    if (tabs) {
        look.NormalText = OrText(tabs->NormalColour2);
        look.SelectedText = OrText(tabs->MouseOverColour2);
    }
    RECT display{};
    GetClientRect(FHandle, &display);
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    OffsetRect(&display, origin.x, origin.y);
    look.Pane = tabface::PaneRect(display, FTabPosition);

    const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int current = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
    FCloseRects.assign(static_cast<std::size_t>(std::max(count, 0)), RECT{});
    for (int i = 0; i < count; ++i) {
        tabface::TTab tab;
        RECT item{};
        if (!SendMessageA(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            continue;
        tab.Text = ItemText(FHandle, i, FUnicodeTabs, tab.Image);
        tab.Selected = i == current;
        if (FClosable)
            FCloseRects[static_cast<std::size_t>(i)] = tabface::CloseMarkRect(item);
        OffsetRect(&item, origin.x, origin.y);
        tab.Rect = item;
        look.Tabs.push_back(std::move(tab));
    }
    if (FUpDown && IsWindowVisible(FUpDown->Handle())) {
        RECT scroller{};
        RECT outer{};
        GetWindowRect(FUpDown->Handle(), &scroller);
        GetWindowRect(FHandle, &outer);
        OffsetRect(&scroller, -outer.left, -outer.top);
        look.Scroller = scroller;
    }

    tabface::TTabPictures pictures;
    if (tabs) {
        pictures.Tab = &FTabImage;
        pictures.TabFrames = std::max(tabs->FrameCount, 1);
        pictures.TabMargins = FTabPosition == tabface::TSide::Bottom
                                  ? tabface::TurnMargins(tabs->Margins(), tabface::TSide::Bottom)
                                  : tabs->Margins();
        pictures.Tile = tabs->Tile == 1;
        pictures.Transparent = tabs->Trans == 1;
        pictures.Pane = &FPaneImage;
        RECT margins = kTabsPaneMargins;
        if (tabs->Style != 0 && FSkinData->TabPane) {
            margins = FSkinData->TabPane->Margins();
            margins.left = std::min(margins.left, kMaxPaneMargin);
            margins.top = std::min(margins.top, kMaxPaneMargin);
            margins.right = std::min(margins.right, kMaxPaneMargin);
            margins.bottom = std::min(margins.bottom, kMaxPaneMargin);
        }
        pictures.PaneMargins = tabface::TurnMargins(margins, FTabPosition);
    }
    tabface::PaintTabs(dc, rect, look, pictures, FStripImage);
    if (FPaintMode == 2) {
        if (auto* const windowed = ui::As<TWinControl>(FControl))
            windowed->PaintControls(dc, nullptr);
    }
}

void TSkinTab::SkinChanged()
{
    PrepareImages();
    TSkinControl::SkinChanged();
}

bool TSkinTabSheet::BeforeProc(TMessage& message)
{
    if (!TSkinControl::BeforeProc(message))
        return false;
    if (FPaintMode != 0)
        return true;
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintWindow(message);
        return false;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(FHandle, &client);
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        if (const HBRUSH face = FSkinData ? FSkinData->FaceBrush() : nullptr)
            FillRect(dc, &client, face);
        else
            FillSkinColor(dc, client);
        message.Result = 1;
        return false;
    }
    default:
        return true;
    }
}

void TSkinTabSheet::PaintControl(HDC dc, const RECT& rect)
{
    FillSkinColor(dc, rect);
    if (auto* const windowed = ui::As<TWinControl>(FControl))
        windowed->PaintControls(dc, nullptr);
}

constinit const TClassInfo TSkinAdvPage::ClassInfo = ui::ClassOf<TSkinAdvPage>("TSkinAdvPage", TSkinControl::ClassInfo);

namespace {

constexpr std::string_view kTabPicture = "TabBackGround";
constexpr std::string_view kActiveTabPicture = "TabBackGroundActive";
constexpr RECT kAdvTabSize{0, 0, 100, 21};

} // namespace

void TSkinAdvPage::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    if (!Initialized())
        return;
    if (const int published = ui::GetIntProp(FControl, "PageStyle"); published != -1)
        FPageStyle = published;
    GivePictures();
    SkinUpDown();
}

void TSkinAdvPage::GivePictures()
{
    TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
    if (FPageStyle != kPicturePageStyle || !FControl || !tabs || !tabs->HasBitmap())
        return;
    const int frames = std::max(tabs->FrameCount, 1);
    for (const auto& [name, frame] : {std::pair{kTabPicture, 1}, std::pair{kActiveTabPicture, 2}}) {
        auto* picture = ui::GetObjectPropOf<TPicture>(FControl, name);
        if (!picture)
            continue;
        const std::unique_ptr<TBitmap> rendered =
            RenderSkinFrame(kAdvTabSize, tabs->Bitmap, tabs->Margins(), false, tabs->Tile == 1, frames, frame);
        picture->Assign(*rendered);
    }
}

void TSkinAdvPage::SkinUpDown()
{
    if (FUpDown || !FHandle)
        return;
    if (const HWND inner = FindWindowExA(FHandle, nullptr, UPDOWN_CLASSA, nullptr)) {
        FUpDown = new TSkinUpDown(this);
        FUpDown->InitHandle(inner, FSkinData, nullptr, FCanvas);
    }
}

void TSkinAdvPage::Unskin()
{
    TSkinControl::Unskin();
    if (!FControl || FPageStyle != kPicturePageStyle)
        return;
    for (const std::string_view name : {kTabPicture, kActiveTabPicture}) {
        if (auto* picture = ui::GetObjectPropOf<TPicture>(FControl, name))
            picture->SetGraphic(nullptr);
    }
}

void TSkinAdvPage::PaintControl(HDC, const RECT&) { SkinUpDown(); }

void TSkinAdvPage::SkinChanged()
{
    TSkinControl::SkinChanged();
    GivePictures();
}
