#include "ui/NonClient.h"

namespace ui {

POINT ScreenToWindowPoint(HWND window, POINT screen) noexcept
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return {screen.x - bounds.left, screen.y - bounds.top};
}

NcCalcSize::NcCalcSize(WPARAM wParam, LPARAM lParam) noexcept
    : params_(wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam) : nullptr)
{
    rect_ = params_ ? &params_->rgrc[0] : reinterpret_cast<RECT*>(lParam);
}

Borrowed<HRGN> NcPaint::Region() const noexcept
{
    return Borrowed<HRGN>(WholeWindow() ? nullptr : reinterpret_cast<HRGN>(wParam_));
}

UniqueRegion NcPaint::CopyRegion() const noexcept
{
    const HRGN source = Region().get();
    if (!source)
        return {};
    UniqueRegion copy(CreateRectRgn(0, 0, 0, 0));
    if (!copy || CombineRgn(copy.get(), source, nullptr, RGN_COPY) == ERROR)
        return {};
    return copy;
}

Borrowed<HRGN> NcActivate::Region() const noexcept
{
    if (lParam_ == 0 || RepaintSuppressed())
        return {};
    return Borrowed<HRGN>(reinterpret_cast<HRGN>(lParam_));
}

} // namespace ui
