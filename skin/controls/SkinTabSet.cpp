#include "skin/controls/SkinTabSet.h"

#include "skin/controls/SkinUpDown.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Handles.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <utility>

constinit const TClassInfo TSkinTab31::ClassInfo = ui::ClassOf<TSkinTab31>("TSkinTab31", TSkinControl::ClassInfo);

namespace tabsetface {

std::vector<RECT> Layout(const std::vector<int>& textWidths, int first, int width, int height, int scrollerLeft)
{
    std::vector<RECT> tabs;
    const bool scroller = scrollerLeft >= 0;
    int available = width - kEndMargin - (scroller ? kScrollerRoom : kPlainRoom);
    if (scroller)
        available = std::min(available, scrollerLeft);
    int left = kStartMargin;
    for (std::size_t i = static_cast<std::size_t>(std::max(first, 0)); i < textWidths.size(); ++i) {
        const int right = left + textWidths[i] + kTabPadding;
        if (right > available)
            break;
        tabs.push_back(RECT{left, 0, right, height});
        left = right;
    }
    return tabs;
}

std::vector<RECT> PaintTabSet(HDC dc, const RECT& rect, const TSetLook& look, const TSetPicture& picture,
                              const RECT& scroller, TBitmap& work)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return {};
    work.SetSize(width, height);
    const HDC canvas = work.Canvas().Handle();
    std::vector<RECT> tabs;
    {
        const ui::ScopedSaveDC saved(canvas);
        const RECT whole{0, 0, width, height};
        const ui::UniqueBrush face(CreateSolidBrush(ui::ColorToRGB(look.Face)));
        FillRect(canvas, &whole, face.get());
        if (look.Font)
            SelectObject(canvas, look.Font);
        SetBkMode(canvas, TRANSPARENT);
        std::vector<int> widths;
        widths.reserve(look.Texts.size());
        for (const std::wstring& text : look.Texts) {
            RECT measured{0, 0, 0, 0};
            DrawTextWide(canvas, text, measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
            widths.push_back(measured.right - measured.left);
        }
        tabs = Layout(widths, look.First, width, height,
                      IsRectEmpty(&scroller) ? -1 : static_cast<int>(scroller.left - rect.left));
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            const int index = look.First + static_cast<int>(i);
            const bool selected = index == look.Selected;
            if (picture.Tab && !picture.Tab->Empty() && picture.Transparent)
                DrawSkinElement(canvas, tabs[i], *picture.Tab, false, picture.Tile, true, picture.Frames,
                                selected ? 2 : 1, picture.Margins);
            else if (picture.Tab && !picture.Tab->Empty())
                DrawSkinFrame(canvas, tabs[i], *picture.Tab, picture.Margins, false, picture.Tile, picture.Frames,
                              selected ? 2 : 1);
            SetTextColor(canvas, look.Enabled ? ui::ColorToRGB(selected ? look.SelectedText : look.NormalText)
                                              : GetSysColor(COLOR_BTNSHADOW));
            RECT text = tabs[i];
            DrawTextWide(canvas, look.Texts[static_cast<std::size_t>(index)], text,
                         DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_VCENTER);
        }
    }
    const ui::ScopedSaveDC saved(dc);
    if (!IsRectEmpty(&scroller))
        ExcludeClipRect(dc, scroller.left, scroller.top, scroller.right, scroller.bottom);
    BitBlt(dc, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);
    for (RECT& tab : tabs)
        OffsetRect(&tab, rect.left, rect.top);
    return tabs;
}

} // namespace tabsetface

namespace {

constexpr int kTextLength = 80;

TColor OrText(TColor colour) { return colour == NoElementColour ? (clSystemColor | COLOR_BTNTEXT) : colour; }

std::wstring TabText(HWND control, int index)
{
    std::array<char, kTextLength + 1> text{};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    item.cchTextMax = kTextLength;
    if (!SendMessageA(control, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return {};
    return AnsiToWide(text.data());
}

} // namespace

TSkinTab31::TSkinTab31(TComponent* owner) : TSkinControl(owner) {}

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    PrepareImage();
    AttachScroller();
}

void TSkinTab31::PrepareImage()
{
    FTabImage.SetSize(0, 0);
    TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
    if (!tabs || !tabs->HasBitmap())
        return;
    CopyBitmap(tabs->Bitmap, FTabImage);
    FlipVertical(FTabImage);
}

void TSkinTab31::AttachScroller()
{
    if (FUpDown && (FUpDown->Status() == TSkinStatus::WindowDestroyed || !IsWindow(FScroller) ||
                    GetParent(FScroller) != FHandle)) {
        delete std::exchange(FUpDown, nullptr);
        FScroller = nullptr;
    }
    if (FUpDown || !FHandle)
        return;
    if (const HWND scroller = FindWindowExA(FHandle, nullptr, UPDOWN_CLASSA, nullptr)) {
        FScroller = scroller;
        FUpDown = new TSkinUpDown(this);
        FUpDown->SetHorizontal(1);
        FUpDown->InitHandle(scroller, FSkinData, nullptr, FCanvas);
    }
}

int TSkinTab31::FirstVisible(int count) const
{
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (SendMessageA(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) &&
            item.left >= 0)
            return i;
    }
    return 0;
}

void TSkinTab31::AimAtDrawnTab(TMessage& message) const
{
    const POINT point{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    for (std::size_t i = 0; i < FDrawn.size(); ++i) {
        if (!PtInRect(&FDrawn[i], point))
            continue;
        RECT item{};
        const auto index = static_cast<WPARAM>(FFirst + static_cast<int>(i));
        if (SendMessageA(FHandle, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)))
            message.LParam = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        return;
    }
}

bool TSkinTab31::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        PaintWindow(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        AimAtDrawnTab(message);
        break;
    default:
        break;
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinTab31::PaintControl(HDC dc, const RECT& rect)
{
    if (!FHandle)
        return;
    AttachScroller();
    tabsetface::TSetLook look;
    const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        look.Texts.push_back(TabText(FHandle, i));
    look.First = FirstVisible(count);
    look.Selected = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
    look.Face = SkinFaceColor();
    look.Enabled = FEnabled;
    look.Font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    RECT scroller{};
    if (FScroller && IsWindowVisible(FScroller)) {
        RECT outer{};
        GetWindowRect(FScroller, &scroller);
        GetWindowRect(FHandle, &outer);
        OffsetRect(&scroller, -outer.left, -outer.top);
    }
    tabsetface::TSetPicture picture;
    if (TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr) {
        look.NormalText = OrText(tabs->NormalColour2);
        look.SelectedText = OrText(tabs->MouseOverColour2);
        picture.Tab = &FTabImage;
        picture.Frames = std::max(tabs->FrameCount, 1);
        const RECT margins = tabs->Margins();
        picture.Margins = RECT{margins.left, margins.bottom, margins.right, margins.top};
        picture.Tile = tabs->Tile == 1;
        picture.Transparent = tabs->Trans == 1;
    }
    FFirst = look.First;
    FDrawn = tabsetface::PaintTabSet(dc, rect, look, picture, scroller, FWork);
}

void TSkinTab31::SkinChanged()
{
    PrepareImage();
    TSkinControl::SkinChanged();
}
