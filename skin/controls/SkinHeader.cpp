#include "skin/controls/SkinHeader.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Handles.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

constinit const TClassInfo TSkinHeader::ClassInfo = ui::ClassOf<TSkinHeader>("TSkinHeader", TSkinControl::ClassInfo);

namespace {

constexpr int kDefaultHeaderFrames = 5;
constexpr int kItemInset = 3;
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;

int HeaderFrames(const TDataSkinObject& element)
{
    return element.FrameCount > 0 ? element.FrameCount : kDefaultHeaderFrames;
}

} // namespace

namespace headerface {

void DrawCaptionWithImage(HDC dc, const RECT& rect, TCaptionAlign align, std::wstring_view text, int index,
                          HIMAGELIST images, bool enabled)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int cx = 0;
    int cy = 0;
    if (images)
        ImageList_GetIconSize(images, &cx, &cy);
    RECT image{};
    const bool hasImage = index != -1 && images && cx < width;
    if (hasImage)
        image = RECT{0, 0, cx, cy};
    else
        cx = 0;
    RECT textRect = rect;
    if (text.empty())
        textRect.right = textRect.left;
    else
        DrawTextWide(dc, text, textRect, kCaptionFormat | DT_CALCRECT | DT_NOCLIP);
    const int textWidth = textRect.right - textRect.left;
    OffsetRect(&image, rect.left, rect.top);
    int dx = 3;
    if (align == TCaptionAlign::Centre)
        dx = (width - cx - textWidth) / 2;
    else if (align == TCaptionAlign::Right)
        dx = width - cx - textWidth - 2;
    if (dx < 2)
        dx = 1;
    OffsetRect(&image, dx, (height - cx) / 2);
    OffsetRect(&textRect, rect.left - textRect.left + dx + cx,
               rect.top - textRect.top + (height - (textRect.bottom - textRect.top)) / 2);
    if (hasImage)
        ImageList_Draw(images, index, dc, image.left, image.top, ILD_TRANSPARENT);
    if (text.empty())
        return;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    textRect.left = std::max(textRect.left, rect.left);
    textRect.right = std::min(textRect.right, rect.right);
    DrawTextWide(dc, text, textRect, kCaptionFormat);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void DrawSortArrow(HDC dc, const RECT& rect, bool ascending, COLORREF colour)
{
    constexpr int kHalf = 4;
    const int centreX = rect.right - 2 * kHalf - 2;
    const int centreY = (rect.top + rect.bottom) / 2;
    if (centreX - kHalf < rect.left)
        return;
    const int tip = ascending ? centreY - kHalf / 2 : centreY + kHalf / 2;
    const int base = ascending ? centreY + kHalf / 2 : centreY - kHalf / 2;
    const std::array<POINT, 3> points{POINT{centreX - kHalf, base}, POINT{centreX + kHalf, base},
                                      POINT{centreX, tip}};
    const ui::UniqueBrush brush(CreateSolidBrush(colour));
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    const ui::ScopedSelect selectBrush(dc, brush.get());
    const ui::ScopedSelect selectPen(dc, pen.get());
    Polygon(dc, points.data(), static_cast<int>(points.size()));
}

} // namespace headerface

TSkinHeader::TSkinHeader(TComponent* owner) : TSkinControl(owner) {}

TSkinHeader::~TSkinHeader() { *FAlive = false; }

void TSkinHeader::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    FHotItem = -1;
}

void TSkinHeader::InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    TSkinControl::InitHandle(handle, skinData, form, canvas);
    FHotItem = -1;
}

bool TSkinHeader::SkinPaints() const
{
    return FSkinData && FSkinData->Headerbar && FSkinData->Headerbar->HasBitmap();
}

bool TSkinHeader::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!SkinPaints())
            return TSkinControl::BeforeProc(message);
        PaintWindow(message);
        return false;
    case WM_ERASEBKGND:
        if (!SkinPaints())
            return true;
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(message);
    }
}

void TSkinHeader::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        for (std::size_t i = 0; i < FItemRects.size(); ++i)
            if (PtInRect(&FItemRects[i], point) && static_cast<int>(i) != FHotItem) {
                FHotItem = static_cast<int>(i);
                Repaint();
            }
        TrackLeave();
        break;
    }
    case WM_MOUSELEAVE:
        FHotItem = -1;
        Repaint();
        break;
    case WM_PAINT:
        if (!SkinPaints())
            TSkinControl::AfterProc(message);
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}

void TSkinHeader::PaintControl(HDC dc, const RECT& rect)
{
    if (!SkinPaints() || !FHandle)
        return;
    TDataSkinObject& element = *FSkinData->Headerbar;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    FBitmap.SetSize(width, height);
    const HDC canvas = FBitmap.Canvas().Handle();
    const ui::ScopedSaveDC saved(canvas);
    if (const auto font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0)))
        SelectObject(canvas, font);
    SetTextColor(canvas, GetSysColor(COLOR_BTNTEXT));
    FEnabled = true;
    SetBkMode(canvas, TRANSPARENT);
    const int count = std::max(0, Header_GetItemCount(FHandle));
    FItemRects.assign(static_cast<std::size_t>(count), RECT{});
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!Header_GetItemRect(FHandle, i, &item))
            continue;
        DrawItem(canvas, element, i, item);
        FItemRects[static_cast<std::size_t>(i)] = RECT{item.left + kItemInset, item.top, item.right - kItemInset,
                                                       item.bottom};
        right = std::max(right, static_cast<int>(item.right));
    }
    if (right < rect.right) {
        const RECT rest{right, 0, width, height};
        if (const auto strip = RenderSkinFrame(rest, element.Bitmap, element.Margins(), false, element.Tile == 1,
                                               HeaderFrames(element), headerface::kNormalFrame))
            BitBlt(canvas, right, 0, rest.right - rest.left, height, strip->Canvas().Handle(), 0, 0, SRCCOPY);
    }
    BitBlt(dc, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawItem(HDC dc, TDataSkinObject& element, int index, const RECT& item)
{
    std::array<wchar_t, headerface::kMaxCaption + 1> text{};
    HDITEMW info{};
    info.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    info.pszText = text.data();
    info.cchTextMax = static_cast<int>(text.size());
    if (!SendMessageW(FHandle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)))
        return;
    const RECT local{0, 0, item.right - item.left, item.bottom - item.top};
    if (local.right <= 0 || local.bottom <= 0)
        return;
    const auto frame = RenderSkinFrame(local, element.Bitmap, element.Margins(), false, element.Tile == 1,
                                       HeaderFrames(element),
                                       index == FHotItem ? headerface::kHotFrame : headerface::kNormalFrame);
    if (!frame)
        return;
    const HDC face = frame->Canvas().Handle();
    const std::wstring_view caption(text.data(), std::wcslen(text.data()));
    if (!caption.empty()) {
        const ui::ScopedSelect font(face, GetCurrentObject(dc, OBJ_FONT));
        SetTextColor(face, GetTextColor(dc));
        const int justify = info.fmt & HDF_JUSTIFYMASK;
        const auto align = justify == HDF_RIGHT    ? headerface::TCaptionAlign::Right
                           : justify == HDF_CENTER ? headerface::TCaptionAlign::Centre
                                                   : headerface::TCaptionAlign::Left;
        const int image = (info.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? info.iImage : -1;
        const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, HDM_GETIMAGELIST, 0, 0));
        headerface::DrawCaptionWithImage(face, local, align, caption, image, images, FEnabled);
    }
    if (info.fmt & (HDF_SORTUP | HDF_SORTDOWN))
        headerface::DrawSortArrow(face, local, (info.fmt & HDF_SORTUP) != 0, GetTextColor(dc));
    BitBlt(dc, item.left, item.top, local.right, local.bottom, face, 0, 0, SRCCOPY);
}
