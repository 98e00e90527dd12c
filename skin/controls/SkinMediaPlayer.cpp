#include "skin/controls/SkinMediaPlayer.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/Handles.h"
#include "ui/MediaPlayer.h"
#include "ui/Properties.h"

#include <windowsx.h>

#include <cstdio>

constinit const TClassInfo TWMediaPlayer::ClassInfo =
    ui::ClassOf<TWMediaPlayer>("TWMediaPlayer", TCustomPanel::ClassInfo);
constinit const TClassInfo TSkinMP::ClassInfo = ui::ClassOf<TSkinMP>("TSkinMP", TSkinControl::ClassInfo);

namespace playerface {

namespace {

constexpr std::array<const char*, kButtonCount> kNames{"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT", "MPPREV",
                                                       "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
constexpr std::uint32_t kAllButtons = (1u << kButtonCount) - 1;

} // namespace

const char* ButtonName(int button) noexcept
{
    return button >= 0 && button < kButtonCount ? kNames[static_cast<std::size_t>(button)] : "";
}

int ButtonFrame(bool pressed, bool enabled) noexcept
{
    if (pressed)
        return kPressedFrame;
    return enabled ? kNormalFrame : kDisabledFrame;
}

std::vector<TButtonSlot> Layout(std::uint32_t visible, const RECT& client)
{
    std::vector<int> shown;
    for (int button = 0; button < kButtonCount; ++button) {
        if (visible & (1u << button))
            shown.push_back(button);
    }
    std::vector<TButtonSlot> slots;
    const auto count = static_cast<int>(shown.size());
    const int width = client.right - client.left;
    for (int slot = 0; slot < count; ++slot) {
        slots.push_back(TButtonSlot{shown[static_cast<std::size_t>(slot)],
                                    RECT{client.left + width * slot / count, client.top,
                                         client.left + width * (slot + 1) / count, client.bottom}});
    }
    return slots;
}

void PaintButton(HDC dc, const RECT& rect, TDataSkinObject* buttons, TBitmap* glyph, bool pressed, bool enabled)
{
    if (IsRectEmpty(&rect))
        return;
    const int frame = ButtonFrame(pressed, enabled);
    if (buttons && buttons->HasBitmap() && buttons->FrameCount >= kDisabledFrame &&
        buttons->Bitmap.Width() >= buttons->FrameCount) {
        if (buttons->Trans == 1)
            DrawSkinElement(dc, rect, buttons->Bitmap, false, buttons->Tile == 1, true, buttons->FrameCount, frame,
                            buttons->Margins());
        else
            DrawSkinFrame(dc, rect, buttons->Bitmap, buttons->Margins(), false, buttons->Tile == 1,
                          buttons->FrameCount, frame);
    } else {
        RECT face = rect;
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    }
    if (!glyph || glyph->Empty())
        return;
    const int shift = pressed ? 1 : 0;
    const int left = (rect.left + rect.right - glyph->Width()) / 2 + shift;
    const int top = (rect.top + rect.bottom - glyph->Height()) / 2 + shift;
    DrawTransparent(dc, RECT{left, top, left + glyph->Width(), top + glyph->Height()}, *glyph, kGlyphKey);
}

} // namespace playerface

TPlayerGlyphs::TPlayerGlyphs(HINSTANCE module)
{
    static constexpr std::array<const char*, 3> kLooks{"EN", "DI", "CL"};
    for (std::size_t look = 0; look < kLooks.size(); ++look) {
        for (int button = 0; button < playerface::kButtonCount; ++button) {
            char name[32];
            std::snprintf(name, sizeof name, "%s_%s", kLooks[look], playerface::ButtonName(button));
            ui::UniqueBitmap loaded(LoadBitmapA(module, name));
            if (!loaded)
                continue;
            FGlyphs[look][static_cast<std::size_t>(button)].SetHandle(std::move(loaded));
            ++FLoaded;
        }
    }
}

TBitmap* TPlayerGlyphs::Glyph(TLook look, int button)
{
    if (button < 0 || button >= playerface::kButtonCount)
        return nullptr;
    TBitmap& glyph = FGlyphs[static_cast<std::size_t>(look)][static_cast<std::size_t>(button)];
    return glyph.Empty() ? nullptr : &glyph;
}

TWMediaPlayer::TWMediaPlayer(TComponent* owner, TWinControl& player, TSkinData* skinData)
    : TCustomPanel(owner), FPlayer(player), FSkinData(skinData)
{
    SetBevelOuter(bvNone);
    SetParentBackground(false);
    if (skinData)
        SetTag(skinData->DisableTag);
}

TPlayerGlyphs& TWMediaPlayer::Glyphs()
{
    if (!FGlyphs)
        FGlyphs = std::make_unique<TPlayerGlyphs>(GetModuleHandleA(nullptr));
    return *FGlyphs;
}

std::uint32_t TWMediaPlayer::VisibleMask() const
{
    return static_cast<std::uint32_t>(ui::GetOrdProp(FPlayer, "VisibleButtons").value_or(0));
}

std::uint32_t TWMediaPlayer::EnabledMask() const
{
    if (!FPlayer.Enabled())
        return 0;
    auto mask = static_cast<std::uint32_t>(ui::GetOrdProp(FPlayer, "EnabledButtons").value_or(0));
    // The framework's player also greys what its device cannot do now.
    if (const auto* player = ui::As<TMediaPlayer>(&FPlayer))
        mask &= player->ActiveButtons().Bits();
    return mask;
}

std::uint32_t TWMediaPlayer::ColouredMask() const
{
    return static_cast<std::uint32_t>(ui::GetOrdProp(FPlayer, "ColoredButtons").value_or(0));
}

void TWMediaPlayer::Follow()
{
    if (FPlayer.Parent() != Parent())
        SetParent(FPlayer.Parent());
    SetBounds(FPlayer.Left(), FPlayer.Top(), FPlayer.Width(), FPlayer.Height());
    SetVisible(FPlayer.Visible());
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TWMediaPlayer::Released()
{
    if (FPressed < 0)
        return;
    FPressed = -1;
    Invalidate();
}

int TWMediaPlayer::ButtonAt(POINT point) const
{
    for (const playerface::TButtonSlot& slot : playerface::Layout(VisibleMask(), ClientRect())) {
        if (PtInRect(&slot.Rect, point))
            return slot.Button;
    }
    return -1;
}

void TWMediaPlayer::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The panel has the player's bounds: the point means the same to it.
        const int button = ButtonAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        // A disabled button does not go down: the player ignores it too.
        if (button >= 0 && (EnabledMask() & (1u << button)) != 0) {
            FPressed = button;
            Invalidate();
        }
        // Queued, as the mouse's own messages are.
        PostMessageA(FPlayer.Handle(), message.Msg, message.WParam, message.LParam);
        message.Result = 0;
        return;
    }
    case WM_LBUTTONUP: {
        const int button = ButtonAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        const bool same = FPressed >= 0 && button == FPressed;
        Released();
        if (same)
            PostMessageA(FPlayer.Handle(), message.Msg, message.WParam, message.LParam);
        message.Result = 0;
        return;
    }
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    default:
        break;
    }
    TCustomPanel::WndProc(message);
}

void TWMediaPlayer::PaintWindow(HDC dc)
{
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    if (IsRectEmpty(&client))
        return;
    if (FScratch.Width() != client.right || FScratch.Height() != client.bottom)
        FScratch.SetSize(client.right, client.bottom);
    const HDC canvas = FScratch.Canvas().Handle();
    {
        const TColor face = FSkinData ? FSkinData->ButtonFaceColour : (clSystemColor | COLOR_BTNFACE);
        const ui::UniqueBrush fill(CreateSolidBrush(ui::ColorToRGB(face)));
        FillRect(canvas, &client, fill.get());
    }
    TDataSkinObject* buttons = FSkinData ? FSkinData->ButtonsElement.get() : nullptr;
    const std::uint32_t enabled = EnabledMask();
    const std::uint32_t coloured = ColouredMask();
    for (const playerface::TButtonSlot& slot : playerface::Layout(VisibleMask(), client)) {
        const bool on = (enabled & (1u << slot.Button)) != 0;
        const TPlayerGlyphs::TLook look = !on                                   ? TPlayerGlyphs::Disabled
                                          : (coloured & (1u << slot.Button)) != 0 ? TPlayerGlyphs::Coloured
                                                                                 : TPlayerGlyphs::Enabled;
        playerface::PaintButton(canvas, slot.Rect, buttons, Glyphs().Glyph(look, slot.Button), slot.Button == FPressed,
                                on);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, canvas, 0, 0, SRCCOPY);
}

TSkinMP::~TSkinMP()
{
    delete FPlayer;
    FPlayer = nullptr;
}

void TSkinMP::Notification(TComponent* component, TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == opRemove && component == FPlayer)
        FPlayer = nullptr;
}

void TSkinMP::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    auto* player = ui::As<TWinControl>(FControl);
    if (!player || !player->Parent())
        return;
    FPlayer = new TWMediaPlayer(this, *player, skinData);
    FPlayer->Follow();
    FPlayer->Handle();
    FPlayer->Follow();
}

void TSkinMP::Unskin()
{
    TSkinControl::Unskin();
    if (FStatus == TSkinStatus::WindowDestroyed)
        return;
    delete FPlayer;
    FPlayer = nullptr;
}

void TSkinMP::AfterProc(TMessage& message)
{
    if (FPlayer) {
        switch (message.Msg) {
        case WM_WINDOWPOSCHANGED:
        case CM_VISIBLECHANGED:
            FPlayer->Follow();
            break;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            FPlayer->Released();
            break;
        case WM_PAINT:
        case WM_ENABLE:
        case CM_ENABLEDCHANGED:
            // The player drew a change of its own (buttons, mode, enabled): show it.
            FPlayer->Invalidate();
            break;
        default:
            break;
        }
    }
    TSkinControl::AfterProc(message);
}
