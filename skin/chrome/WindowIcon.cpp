#include "skin/chrome/WindowIcon.h"

#include "skin/model/ImgUtil.h"

namespace {

// The window's icons belong to the window; only copies are ours.
HICON IconOf(HWND window)
{
    for (const WPARAM which : {WPARAM{ICON_SMALL}, WPARAM{ICON_BIG}}) {
        const LRESULT icon = SendMessageA(window, WM_GETICON, which, 0);
        if (icon != 0)
            return reinterpret_cast<HICON>(icon);
    }
    return nullptr;
}

} // namespace

void TWindowIcon::Render(HWND window)
{
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    picture_.SetPixelFormat(pf24bit);
    picture_.SetSize(width, height);
    TCanvas& canvas = picture_.Canvas();
    canvas.Brush().SetColor(SkinKeyColour);
    canvas.FillRect({0, 0, width, height});

    icon_.reset();
    if (const HICON icon = IconOf(window))
        icon_.reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE)));
    if (icon_)
        DrawIconEx(canvas.Handle(), 0, 0, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
}

void TWindowIcon::Draw(HDC dc, const RECT& rect)
{
    if (icon_) {
        DrawIconEx(dc, rect.left, rect.top, icon_.get(), GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                   0, nullptr, DI_NORMAL);
        return;
    }
    if (!picture_.Empty())
        DrawTransparent(dc, rect, picture_, SkinKeyColour);
}
