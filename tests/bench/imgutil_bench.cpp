// Nine-slice rendering under Wine: median time to draw a 521 x 30 title band
// and a 75 x 25 button face from 5-frame strips, opaque and magenta-keyed.
#include "skin/model/ImgUtil.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A strip of five frames of w x h with a shaded face, a darker rim and
// magenta corners, like the skin's own title and button bitmaps.
void PaintStrip(TBitmap& strip, int w, int h)
{
    strip.SetSize(5 * w, h);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* p = strip.ScanLine(y);
        for (int x = 0; x < 5 * w; ++x, p += 3) {
            const int fx = x % w;
            const bool corner = (fx < 2 || fx >= w - 2) && (y < 2 || y >= h - 2);
            const bool rim = fx == 0 || fx == w - 1 || y == 0 || y == h - 1;
            const auto shade = static_cast<std::uint8_t>(120 + 100 * y / h + 20 * (x / w));
            p[0] = corner ? 0xFF : rim ? 60 : shade;
            p[1] = corner ? 0x00 : rim ? 40 : shade;
            p[2] = corner ? 0xFF : rim ? 30 : static_cast<std::uint8_t>(shade / 2);
        }
    }
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median of `runs` timings in microseconds, after a few warm-up runs.
double MedianMicroseconds(const std::function<void(int)>& work, int runs)
{
    for (int i = 0; i < 20; ++i)
        work(i);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        work(i);
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Seconds(start, end, frequency) * 1e6);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

} // namespace

int main()
{
    constexpr int runs = 1000;
    TBitmap title;
    PaintStrip(title, 120, 30);
    TBitmap button;
    PaintStrip(button, 23, 21);
    TBitmap screen(640, 60, pf32bit);
    const HDC dc = screen.Canvas().Handle();
    const RECT titleMargins{40, 4, 40, 4};
    const RECT buttonMargins{4, 4, 4, 4};
    const RECT titleBand{0, 0, 521, 30};
    const RECT buttonFace{0, 30, 75, 55};

    struct Case {
        const char* name;
        std::function<void(int)> work;
    };
    const Case cases[] = {
        {"title 521x30, stretched centre, opaque",
         [&](int i) { DrawSkinElement(dc, titleBand, title, false, false, false, 5, i % 5 + 1, titleMargins); }},
        {"title 521x30, tiled centre, opaque",
         [&](int i) { DrawSkinElement(dc, titleBand, title, false, true, false, 5, i % 5 + 1, titleMargins); }},
        {"title 521x30, stretched centre, magenta-keyed",
         [&](int i) { DrawSkinElement(dc, titleBand, title, false, false, true, 5, i % 5 + 1, titleMargins); }},
        {"button 75x25, stretched centre, opaque",
         [&](int i) { DrawSkinElement(dc, buttonFace, button, false, false, false, 5, i % 5 + 1, buttonMargins); }},
        {"button 75x25, tiled centre, opaque",
         [&](int i) { DrawSkinElement(dc, buttonFace, button, false, true, false, 5, i % 5 + 1, buttonMargins); }},
        {"button 75x25, stretched centre, magenta-keyed",
         [&](int i) { DrawSkinElement(dc, buttonFace, button, false, false, true, 5, i % 5 + 1, buttonMargins); }},
    };
    std::printf("nine-slice DrawSkinElement, median of %d runs\n", runs);
    for (const Case& c : cases)
        std::printf("  %-48s %8.1f us\n", c.name, MedianMicroseconds(c.work, runs));
    return 0;
}
