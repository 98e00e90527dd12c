#include "skin/chrome/WinSkinMenu.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Handles.h"

constinit const TClassInfo TWinSkinPopMenu::ClassInfo =
    ui::ClassOf<TWinSkinPopMenu>("TWinSkinPopMenu", TObject::ClassInfo);

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData* skinData, HMENU menuHandle)
{
    if (FSubclass.Installed())
        return;
    FHandle = window;
    FSkinData = skinData;
    FMenuHandle = menuHandle;
    FSubclass.Install(window, [this](TMessage& message) { WndProc(message); });
}

void TWinSkinPopMenu::Detach() noexcept
{
    FSubclass.Remove();
    FBackground.reset();
}

void TWinSkinPopMenu::WndProc(TMessage& message)
{

    if (message.Msg == SKM_ISSKINNED) {
        message.Result = 1;
        return;
    }
    const TSkinManage* manager = SkinManager();
    if (manager == nullptr || !manager->Enabled() || FSkinData == nullptr) {
        FSubclass.CallPrevious(message);
        return;
    }
    switch (message.Msg) {
    case WM_DESTROY: {
        // Detaching takes our layer out; the window still needs its own handling.
        const WNDPROC previous = FSubclass.Previous();
        const bool unicode = FSubclass.Unicode();
        Detach();
        message.Result = ui::CallProc(previous, unicode, FHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    case WM_ERASEBKGND:
        // With xoMenuBG the items lay the skin's background themselves.
        if (!FSkinData->Options.Contains(xoMenuBG))
            FSubclass.CallPrevious(message);
        message.Result = 1;
        return;
    case WM_NCPAINT:
        if (RenderBackground()) {
            PaintBorder();
        } else {
            FSubclass.CallPrevious(message);
        }
        return;
    case WM_PAINT:
        FSubclass.CallPrevious(message);
        // Wine gives menu windows no non-client frame and draws their border
        // inside the client area as it paints the items: paint ours over it.
        if (ClientOffset().x == 0 && RenderBackground())
            PaintBorder();
        return;
    case WM_PRINT:
        PaintPrint(message);
        return;
    default:
        FSubclass.CallPrevious(message);
    }
}

bool TWinSkinPopMenu::RenderBackground()
{
    const auto& element = FSkinData->MenuBackground;
    if (FSkinData->SkinNotLoaded() || !element || !element->HasBitmap())
        return false;
    RECT bounds{};
    GetWindowRect(FHandle, &bounds);
    const RECT area{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    auto rendered = RenderSkinFrame(area, element->Bitmap, element->Margins(), false, element->Tile == 1, 1, 1);
    if (!rendered)
        return false;
    FBackground = std::move(rendered);
    return true;
}

POINT TWinSkinPopMenu::ClientOffset() const
{
    POINT origin{0, 0};
    ClientToScreen(FHandle, &origin);
    RECT bounds{};
    GetWindowRect(FHandle, &bounds);
    return POINT{origin.x - bounds.left, origin.y - bounds.top};
}

void TWinSkinPopMenu::PaintBorder()
{
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(FHandle);
    if (!dc)
        return;
    // Only the border band: the items are the system's (and the owner's) to paint.
    const int width = FBackground->Width();
    const int height = FBackground->Height();
    ExcludeClipRect(dc.get(), kMenuBorder, kMenuBorder, width - kMenuBorder, height - kMenuBorder);
    BitBlt(dc.get(), 0, 0, width, height, FBackground->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TWinSkinPopMenu::PaintPrint(TMessage& message)
{
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    if (dc == nullptr || !RenderBackground()) {
        FSubclass.CallPrevious(message);
        return;
    }
    const int width = FBackground->Width();
    const int height = FBackground->Height();
    BitBlt(dc, 0, 0, width, height, FBackground->Canvas().Handle(), 0, 0, SRCCOPY);
    // The system prints the items (owner-drawn: ours) inside the border, over the skin's background.
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    const ui::UniqueRegion clip(
        CreateRectRgn(kMenuBorder, kMenuBorder, width - kMenuBorder, height - kMenuBorder));
    SelectClipRgn(dc, clip.get());
    struct Restore {
        HDC dc;
        int saved;
        ~Restore() { RestoreDC(dc, saved); }
    } restore{dc, saved};
    FSubclass.CallPrevious(message);
}
