#include "skin/controls/SkinComBox.h"

#include "skin/controls/SkinScrollbar.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/User32Entries.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

#include <memory>

constinit const TClassInfo TSkinComBox::ClassInfo = ui::ClassOf<TSkinComBox>("TSkinComBox", TSkinControl::ClassInfo);

namespace {

constexpr int kSimpleStyle = 1;
constexpr int kWholeStyle = 2;

int FramesOf(const TDataSkinObject& element, int fallback)
{
    return element.FrameCount > 0 ? element.FrameCount : fallback;
}

bool Usable(const TDataSkinObject* element) { return element && element->HasBitmap(); }

// Style 1: a flat frame in the DC's brush, the button zone filled with it,
// the button's picture at the side, the shadow colour around everything.
void PaintSimple(HDC dc, const RECT& rect, TDataSkinBorder& button, int frame, bool left, TColor shadow)
{
    const int frames = comboface::kButtonFrames;
    const int cellWidth = button.Bitmap.Width() / frames;
    const int cellHeight = button.Bitmap.Height();
    const int zoneWidth = GetSystemMetrics(SM_CYVTHUMB);
    const auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, brush);
    InflateRect(&inner, -1, -1);
    RECT zone = inner;
    RECT glyph = inner;
    if (left) {
        zone.right = zone.left + zoneWidth;
        glyph.right = glyph.left + cellWidth;
    } else {
        zone.left = zone.right - zoneWidth;
        glyph.left = glyph.right - cellWidth;
    }
    FillRect(dc, &zone, brush);
    if (cellHeight < zoneWidth)
        glyph.bottom = glyph.top + cellHeight;
    const ui::UniqueBrush shadowBrush(CreateSolidBrush(ui::ColorToRGB(shadow)));
    FrameRect(dc, &rect, shadowBrush.get());
    DrawFrameStretched(dc, glyph, button.Bitmap, true, frames, frame);
}

// Style 2: one picture over the whole box.
void PaintWhole(HDC dc, const RECT& rect, const comboface::TComboParts& parts, int frame, bool left)
{
    TDataSkinObject& element = left && Usable(parts.Edge) ? *parts.Edge : *parts.Button;
    DrawSkinElement(dc, rect, element.Bitmap, false, false, true, comboface::kButtonFrames, frame, element.Margins());
}

// Any other style: the sunken edge around the control's own inside, the
// button stretched beside it and the arrow centred on the button.
void PaintEdged(HDC dc, const RECT& rect, const comboface::TComboParts& parts, int frame, bool left)
{
    const int scroll = GetSystemMetrics(SM_CXHSCROLL);
    const ui::ScopedSaveDC saved(dc);
    RECT button{};
    RECT glyph{};
    TBitmap* picture = &parts.Button->Bitmap;
    if (left) {
        ExcludeClipRect(dc, scroll + rect.left + 4, rect.top + 2, rect.right - 2, rect.bottom - 2);
        button = RECT{rect.left, rect.top, rect.left + scroll + 2, rect.bottom};
        glyph = RECT{2, rect.top, scroll + 2, rect.bottom};
        if (!parts.Button->Bitmap2.Empty())
            picture = &parts.Button->Bitmap2;
    } else {
        ExcludeClipRect(dc, rect.left + 2, rect.top + 2, rect.right - scroll - 4, rect.bottom - 2);
        button = RECT{rect.right - scroll - 2, rect.top, rect.right, rect.bottom};
        glyph = RECT{rect.right - scroll - 2, rect.top, rect.right - 2, rect.bottom};
    }
    if (Usable(parts.Edge))
        DrawSkinElement(dc, rect, parts.Edge->Bitmap, false, parts.Edge->Tile == 1, parts.Edge->Trans == 1,
                        comboface::kEdgeFrames, frame, parts.Edge->Margins());
    DrawFrameStretched(dc, button, *picture, true, comboface::kButtonFrames, frame);
    if (!Usable(parts.Arrow))
        return;
    const int frames = FramesOf(*parts.Arrow, comboface::kArrowFrames);
    const int cellWidth = parts.Arrow->Bitmap.Width() / frames;
    const int cellHeight = parts.Arrow->Bitmap.Height();
    const int x = glyph.left + (glyph.right - glyph.left - cellWidth) / 2;
    const int y = glyph.top + (glyph.bottom - glyph.top - cellHeight) / 2;
    DrawFrameStretched(dc, RECT{x, y, x + cellWidth, y + cellHeight}, parts.Arrow->Bitmap, true, frames, frame);
}

} // namespace

namespace comboface {

int ButtonFrame(std::uint8_t state, bool enabled, bool focused)
{
    if (!enabled)
        return 3;
    if (state & ssDown)
        return 2;
    return focused || (state & ssHot) ? 4 : 1;
}

bool CanPaint(const TDataSkinBorder* button) { return button && button->Bitmap.Width() >= kButtonFrames; }

bool PaintCombo(HDC dc, const RECT& rect, const TComboParts& parts, int frame, bool buttonOnLeft, TColor shadow)
{
    if (!CanPaint(parts.Button))
        return false;
    switch (parts.Button->Style) {
    case kSimpleStyle:
        PaintSimple(dc, rect, *parts.Button, frame, buttonOnLeft, shadow);
        break;
    case kWholeStyle:
        PaintWhole(dc, rect, parts, frame, buttonOnLeft);
        break;
    default:
        PaintEdged(dc, rect, parts, frame, buttonOnLeft);
        break;
    }
    return true;
}

} // namespace comboface

// ============================================================ TSkinComBox

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) { FInfo.cbSize = sizeof(FInfo); }

TSkinComBox::~TSkinComBox()
{
    *FAlive = false;
    FComboWatch.Reset();
    UnhookEdit();
    FListScroll.reset();
}

void TSkinComBox::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    if (!Initialized())
        return;
    Attach();
    if (auto* const windowed = ui::As<TWinControl>(FControl))
        FComboWatch = windowed->WatchWindow([this](TWinControl& control, ui::WindowChange change) {
            if (change == ui::WindowChange::Destroying) {
                UnhookEdit();
                FListScroll.reset();
                FListHandle = nullptr;
            } else if (Status() == TSkinStatus::Attached) {
                FStyle = static_cast<DWORD>(GetWindowLongPtrA(control.WindowHandle(), GWL_STYLE));
                if ((FStyle & 3) != CBS_SIMPLE) {
                    if (!FUnicode)
                        HookEdit(control.WindowHandle());
                } else if (CallGetComboBoxInfo(control.WindowHandle(), FInfo)) {
                    FListHandle = FInfo.hwndList;
                    SkinList();
                }
            }
        });
}

void TSkinComBox::InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitHandle(handle, skinData, form, canvas);
    if (Initialized())
        Attach();
}

void TSkinComBox::Attach()
{
    FStyle = static_cast<DWORD>(GetLong(FHandle, GWL_STYLE));
    FListHandle = nullptr;
    if ((FStyle & 3) != CBS_SIMPLE) {
        // Only an ANSI edit is subclassed with an ANSI procedure.
        if (!FUnicode)
            HookEdit(FHandle);
    } else if (CallGetComboBoxInfo(FHandle, FInfo)) {
        FListHandle = FInfo.hwndList;
        SkinList();
    }
}

void TSkinComBox::SkinList()
{
    FListScroll.reset();
    if (!FListHandle)
        return;
    // Only a list that lies inside the box; a drop-down list is skinned where it drops.
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(FListHandle, GWL_STYLE));
    if ((style & WS_POPUP) || !(style & WS_CHILD) || GetParent(FListHandle) == GetDesktopWindow())
        return;
    FListScroll = std::make_unique<TSkinScrollbarH>(nullptr);
    FListScroll->InitHandle(FListHandle, FSkinData, nullptr, nullptr);
}

void TSkinComBox::HookEdit(HWND combo)
{
    UnhookEdit();
    const HWND child = GetTopWindow(combo);
    if (!child)
        return;
    if (FEditSubclass.Install(child, [this](TMessage& message) { EditProc(message); }))
        FEditHandle = child;
}

void TSkinComBox::UnhookEdit() noexcept
{
    FEditSubclass.Remove();
    FEditHandle = nullptr;
}

void TSkinComBox::ShowPress(bool down)
{
    if (down)
        FState |= ssDown;
    else
        FState &= static_cast<std::uint8_t>(~ssDown);
    Repaint();
}

void TSkinComBox::EditProc(TMessage& message)
{
    const std::shared_ptr<bool> alive = FAlive;
    FEditSubclass.CallPrevious(message);
    if (!*alive || !FActive)
        return;
    switch (message.Msg) {
    case WM_PAINT:
        PaintFrame(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        ShowPress(message.Msg != WM_LBUTTONUP);
        break;
    default:
        break;
    }
}

void TSkinComBox::Unskin()
{
    TSkinControl::Unskin();
    UnhookEdit();
    FListScroll.reset();
}

void TSkinComBox::SkinChanged()
{
    TSkinControl::SkinChanged();
    if (FListScroll)
        FListScroll->SkinChanged();
}

void TSkinComBox::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_DRAWITEM:
    case CN_DRAWITEM:
    case WM_NCPAINT:
        // Drawn straight over: a repaint asked for from inside the box's own
        // paint (an owner-drawn item) would only come back here.
        PaintFrame(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        ShowPress(message.Msg != WM_LBUTTONUP);
        break;
    case WM_COMMAND:
        // The edit inside took or lost the focus: the button shows it.
        if (FEditHandle && reinterpret_cast<HWND>(message.LParam) == FEditHandle &&
            (HIWORD(message.WParam) == EN_SETFOCUS || HIWORD(message.WParam) == EN_KILLFOCUS))
            Repaint();
        break;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == CBN_CLOSEUP && (FState & ssDown)) {
            FState &= static_cast<std::uint8_t>(~ssDown);
            Repaint();
        }
        break;
    // Hover changes the state only; the hot look waits for the next paint.
    case CM_MOUSEENTER:
        if (FEnabled && !(FState & ssHot)) {
            FState |= ssHot;
            if (FForm)
                FForm->WatchHover(*this);
        }
        break;
    case WM_MOUSEMOVE:
        if (!FControl && FEnabled && !(FState & ssHot)) {
            FState |= ssHot;
            if (FForm)
                FForm->WatchHover(*this);
        }
        if (!FControl)
            TrackLeave();
        break;
    case WM_MOUSELEAVE:
        if (FControl)
            break;
        [[fallthrough]];
    case CM_MOUSELEAVE:
        if (FEnabled && (FState & ssHot)) {
            FState &= static_cast<std::uint8_t>(~ssHot);
            Repaint();
        }
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}

void TSkinComBox::PaintControl(HDC dc, const RECT& rect)
{
    TDataSkinBorder* const button = FSkinData ? FSkinData->ComboButton.get() : nullptr;
    if (!FHandle || !comboface::CanPaint(button))
        return;
    FStyle = static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_STYLE));
    FExStyle = static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_EXSTYLE));
    if (CallGetComboBoxInfo(FHandle, FInfo) && (FInfo.stateButton & STATE_SYSTEM_INVISIBLE))
        return;
    const HWND focus = GetFocus();
    FFocused = focus && (focus == FHandle || IsChild(FHandle, focus));
    FEnabled = (FStyle & WS_DISABLED) == 0;
    const comboface::TComboParts parts{button, FSkinData->SunkEdge.get(), FSkinData->ExtraImages.get()};
    comboface::PaintCombo(dc, rect, parts, comboface::ButtonFrame(FState, FEnabled, FFocused), ButtonOnLeft(),
                          FSkinData->ButtonShadowColour);
}
