// Frame painting under Wine: median time of one full paint of a skinned
// window's frame (both sides, the bottom, the title bar with its caption,
// the menu band) into a picture of the window, with the default skin, for a
// window whose client area is 521 x 331, active and inactive, with and
// without a menu band.
#include "skin/chrome/FrameGeometry.h"
#include "skin/chrome/FrameMetrics.h"
#include "skin/chrome/FramePainter.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Bitmap.h"
#include "ui/Resources.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <vector>

namespace {

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double MedianPaintMicroseconds(TSkinData& skin, const TFrameState& state, int runs)
{
    TBitmap window(state.size.cx, state.size.cy);
    TFramePainter painter;
    const HDC dc = window.Canvas().Handle();
    for (int i = 0; i < 20; ++i)
        painter.Paint(dc, skin, state, L" 邮政编码及电话区号查询  ");
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        if (!painter.Paint(dc, skin, state, L" 邮政编码及电话区号查询  "))
            throw std::runtime_error("a frame paint failed");
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Microseconds(start, end, frequency));
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

} // namespace

int main()
{
    constexpr int runs = 2000;
    try {
        TSkinData skin(nullptr);
        const TResourceStream stored(nullptr, "FILE_SKINS_DEFAULT_SKIN");
        const auto bytes = stored.Bytes();
        skin.SkinStream().WriteBuffer(bytes.data(), bytes.size());
        if (!skin.LoadSkinFromStream())
            throw std::runtime_error("the default skin does not load");
        const TFrameMetrics metrics = SkinFrameMetrics(skin, TBorderKind::Sizeable);
        std::printf("TFramePainter::Paint, 521 x 331 client area, frame %d/%d/%d/%d, median of %d runs\n",
                    metrics.borderLeft, metrics.titleHeight, metrics.borderRight, metrics.borderBottom, runs);
        for (const int menuHeight : {0, 19})
            for (const bool active : {true, false}) {
                const TFrameState state{.size = SkinnedWindowSize({521, 331}, metrics, menuHeight),
                                        .metrics = metrics,
                                        .menuHeight = menuHeight,
                                        .active = active};
                std::printf("  %-8s %-12s %8.1f us\n", active ? "active" : "inactive",
                            menuHeight ? "menu band" : "no menu", MedianPaintMicroseconds(skin, state, runs));
            }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "frame_paint_bench: %s\n", error.what());
        return 1;
    }
    FreeSkinManager();
    return 0;
}
