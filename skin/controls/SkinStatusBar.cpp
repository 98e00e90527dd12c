#include "skin/controls/SkinStatusBar.h"

#include "skin/chrome/ScratchBitmap.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Handles.h"
#include "ui/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

constinit const TClassInfo TSkinStatusBar::ClassInfo =
    ui::ClassOf<TSkinStatusBar>("TSkinStatusBar", TSkinControl::ClassInfo);
constinit const TClassInfo TSkinSizer::ClassInfo = ui::ClassOf<TSkinSizer>("TSkinSizer", TSkinControl::ClassInfo);

namespace statusface {

namespace {

void PlainEdge(HDC dc, const RECT& cell, TEdge edge)
{
    if (edge == TEdge::None)
        return;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF topLeft = edge == TEdge::Lowered ? shadow : light;
    const COLORREF bottomRight = edge == TEdge::Lowered ? light : shadow;
    const ui::UniqueBrush first(CreateSolidBrush(topLeft));
    const ui::UniqueBrush second(CreateSolidBrush(bottomRight));
    const RECT top{cell.left, cell.top, cell.right, cell.top + 1};
    const RECT left{cell.left, cell.top, cell.left + 1, cell.bottom};
    const RECT bottom{cell.left, cell.bottom - 1, cell.right, cell.bottom};
    const RECT right{cell.right - 1, cell.top, cell.right, cell.bottom};
    FillRect(dc, &top, first.get());
    FillRect(dc, &left, first.get());
    FillRect(dc, &bottom, second.get());
    FillRect(dc, &right, second.get());
}

} // namespace

void PaintStatus(HDC dc, const RECT& rect, const TStatusLook& look, TDataSkinObject* edges, TDataSkinObject* extras)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    const TScratchBitmapUse scratch;
    TBitmap& picture = scratch.Bitmap();
    picture.SetSize(width, height);
    const HDC work = picture.Canvas().Handle();
    const ui::ScopedSaveDC saved(work);
    const RECT whole{0, 0, width, height};
    const ui::UniqueBrush face(CreateSolidBrush(ui::ColorToRGB(look.Face)));
    FillRect(work, &whole, face.get());
    if (look.Font)
        SelectObject(work, look.Font);
    SetBkMode(work, TRANSPARENT);
    SetTextColor(work, ui::ColorToRGB(look.TextColour));
    const bool skinnedEdges = edges && edges->HasBitmap();
    for (const TCell& cell : look.Cells) {
        RECT box = cell.Rect;
        OffsetRect(&box, -rect.left, -rect.top);
        if (skinnedEdges)
            DrawSkinElement(work, box, edges->Bitmap, false, edges->Tile == 1, edges->Trans == 1, 3,
                            static_cast<int>(cell.Edge), edges->Margins());
        else
            PlainEdge(work, box, cell.Edge);
        if (cell.OwnerDraw)
            continue;
        RECT text = box;
        InflateRect(&text, -2, 0);
        DrawTextWide(work, cell.Text.empty() ? std::wstring(L" ") : cell.Text, text,
                     cell.Align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (look.SizeGrip) {
        if (extras && extras->HasBitmap()) {
            const int frames = std::max(extras->FrameCount, 1);
            const int cellWidth = extras->Bitmap.Width() / frames;
            const int cellHeight = extras->Bitmap.Height();
            DrawFrameStretched(work, RECT{width - cellWidth, height - cellHeight, width, height}, extras->Bitmap, true,
                               frames, 5);
        } else {
            const int size = GetSystemMetrics(SM_CXVSCROLL);
            RECT grip{width - size, height - size, width, height};
            DrawFrameControl(work, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        }
    }
    BitBlt(dc, rect.left, rect.top, width, height, work, 0, 0, SRCCOPY);
}

} // namespace statusface

namespace {

UINT AlignFormat(TAlignment alignment, bool rightToLeft)
{
    switch (alignment) {
    case taCenter:
        return DT_CENTER;
    case taRightJustify:
        return rightToLeft ? DT_LEFT : DT_RIGHT;
    default:
        return rightToLeft ? DT_RIGHT : DT_LEFT;
    }
}

statusface::TEdge EdgeOf(TStatusPanelBevel bevel)
{
    switch (bevel) {
    case pbRaised:
        return statusface::TEdge::Raised;
    case pbNone:
        return statusface::TEdge::None;
    default:
        return statusface::TEdge::Lowered;
    }
}

// A bare bar's part text as the system keeps it: a tab before centres, two tabs right-align.
void SplitAlignment(std::wstring& text, UINT& align)
{
    int tabs = 0;
    while (tabs < 2 && !text.empty() && text.front() == L'\t') {
        text.erase(0, 1);
        ++tabs;
    }
    align = tabs == 0 ? DT_LEFT : tabs == 1 ? DT_CENTER : DT_RIGHT;
}

// The bar's font without bold, italic, underline or strike-out; null keeps the DC's.
ui::UniqueFont PlainFont(HFONT font)
{
    LOGFONTW description{};
    if (!font || GetObjectW(font, sizeof description, &description) != sizeof description)
        return ui::UniqueFont();
    description.lfWeight = FW_NORMAL;
    description.lfItalic = description.lfUnderline = description.lfStrikeOut = FALSE;
    return ui::UniqueFont(CreateFontIndirectW(&description));
}

std::wstring PartText(HWND bar, int index, WORD& type)
{
    const auto answer = static_cast<DWORD>(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0));
    type = HIWORD(answer);
    std::wstring text(LOWORD(answer) + 1u, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

} // namespace

statusface::TStatusLook TSkinStatusBar::Look(const RECT& rect, ui::UniqueFont& font) const
{
    statusface::TStatusLook look;
    look.Face = SkinFaceColor();
    if (FSkinData && FSkinData->StatusBarEdges && FSkinData->StatusBarEdges->NormalColour2 != NoElementColour)
        look.TextColour = FSkinData->StatusBarEdges->NormalColour2;
    const LONG_PTR style = GetLong(FHandle, GWL_STYLE);
    look.SizeGrip = (style & SBARS_SIZEGRIP) != 0;
    const bool rightToLeft = (GetLong(FHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
    auto* const bar = ui::As<TStatusBar>(FControl);
    font = PlainFont(bar ? bar->Font().Handle() : reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0)));
    look.Font = font.get();

    const bool simple = bar ? bar->SimplePanel() || bar->Panels().Count() == 0
                            : SendMessageA(FHandle, SB_ISSIMPLE, 0, 0) != 0;
    if (simple) {
        statusface::TCell cell;
        cell.Rect = rect;
        cell.Align = rightToLeft ? DT_RIGHT : DT_LEFT;
        if (bar) {
            cell.Text = AnsiToWide(bar->SimpleText());
        } else {
            WORD type = 0;
            cell.Text = PartText(FHandle, 255, type);
        }
        look.Cells.push_back(std::move(cell));
        return look;
    }
    const int count = bar ? bar->Panels().Count() : static_cast<int>(SendMessageA(FHandle, SB_GETPARTS, 0, 0));
    for (int i = 0; i < count; ++i) {
        statusface::TCell cell;
        if (!SendMessageA(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&cell.Rect)))
            continue;
        cell.Rect.right += 2;
        if (i == count - 1)
            cell.Rect.right = rect.right;
        if (bar) {
            const TStatusPanel* panel = bar->Panels().Items(i);
            cell.Edge = EdgeOf(panel->Bevel());
            cell.Align = AlignFormat(panel->Alignment(), rightToLeft);
            cell.OwnerDraw = panel->Style() == psOwnerDraw;
            cell.Text = AnsiToWide(panel->Text());
        } else {
            WORD type = 0;
            cell.Text = PartText(FHandle, i, type);
            SplitAlignment(cell.Text, cell.Align);
            cell.Edge = (type & SBT_NOBORDERS)  ? statusface::TEdge::None
                        : (type & SBT_POPOUT) ? statusface::TEdge::Raised
                                              : statusface::TEdge::Lowered;
            cell.OwnerDraw = (type & SBT_OWNERDRAW) != 0;
        }
        cell.Part = static_cast<UINT>(i);
        look.Cells.push_back(std::move(cell));
    }
    return look;
}

bool TSkinStatusBar::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintWindow(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(message);
    }
}

void TSkinStatusBar::PaintControl(HDC dc, const RECT& rect)
{
    if (!FHandle)
        return;
    ui::UniqueFont font;
    const statusface::TStatusLook look = Look(rect, font);
    statusface::PaintStatus(dc, rect, look, FSkinData ? FSkinData->StatusBarEdges.get() : nullptr,
                            FSkinData ? FSkinData->ExtraImages.get() : nullptr);
    if (auto* const windowed = ui::As<TWinControl>(FControl))
        windowed->PaintControls(dc, nullptr);
    DrawOwnerPanels(dc, look);
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc, const statusface::TStatusLook& look)
{
    auto* const bar = ui::As<TStatusBar>(FControl);
    if (!bar) {
        // A bare bar's owner-drawn parts are drawn by its parent, as the system asks it to.
        const HWND parent = GetParent(FHandle);
        const auto id = static_cast<UINT>(GetWindowLongPtrA(FHandle, GWLP_ID));
        for (std::size_t i = 0; i < look.Cells.size() && parent; ++i) {
            const statusface::TCell& cell = look.Cells[i];
            if (!cell.OwnerDraw)
                continue;
            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_STATIC;
            item.CtlID = id;
            item.itemID = cell.Part;
            item.hwndItem = FHandle;
            item.hDC = dc;
            item.rcItem = cell.Rect;
            InflateRect(&item.rcItem, -2, -2);
            item.itemData = static_cast<ULONG_PTR>(SendMessageA(FHandle, SB_GETTEXTA, cell.Part, 0));
            SendMessageA(parent, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
        }
        return;
    }
    if (!bar->OnDrawPanel || bar->SimplePanel())
        return;
    const ui::ScopedCanvasBinding binding(bar->Canvas(), dc);
    bar->Canvas().SetFont(bar->Font());
    for (int i = 0; i < bar->Panels().Count(); ++i) {
        TStatusPanel* const panel = bar->Panels().Items(i);
        RECT cell{};
        if (panel->Style() != psOwnerDraw ||
            !SendMessageA(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&cell)))
            continue;
        InflateRect(&cell, -2, -2);
        const std::shared_ptr<bool> alive = FAlive;
        bar->OnDrawPanel(bar, panel, cell);
        if (!*alive)
            return;
    }
}

void TSkinSizer::PaintControl(HDC dc, const RECT& rect) { FillSkinColor(dc, rect); }
