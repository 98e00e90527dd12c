#include "ui/DoubleBuffer.h"

#include "ui/Graphics.h"

namespace ui {
namespace {

constexpr const char* outOfResources = "Out of system resources";

UniqueDC NewDC(HDC target)
{
    UniqueDC dc(CreateCompatibleDC(target));
    if (!dc)
        throw EOutOfResources(outOfResources);
    return dc;
}

UniqueBitmap NewPicture(HDC target, const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the screen
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap picture(CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture)
        throw EOutOfResources(outOfResources);
    return picture;
}

} // namespace

DoubleBuffer::DoubleBuffer(HDC target, const RECT& area)
    : target_(target), area_(area), dc_(NewDC(target)), picture_(NewPicture(target, area)),
      selected_(dc_.get(), picture_.get())
{
    SetViewportOrgEx(dc_.get(), -area.left, -area.top, nullptr);
}

void DoubleBuffer::Present() const noexcept
{
    if (!picture_)
        return;
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_.get(), area_.left,
           area_.top, SRCCOPY);
}

} // namespace ui
