#include "skin/model/ImgUtil.h"

#include "ui/Control.h"
#include "ui/DcGuards.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

bool Inverted(const RECT& r) noexcept { return r.right < r.left || r.bottom < r.top; }

// Where one frame lies in its bitmap.
struct Frame {
    int sx = 0;
    int sy = 0;
    int fw = 0;
    int fh = 0;
};

std::optional<Frame> FrameOf(const TBitmap& bitmap, bool vertical, int frameCount, int frameIndex)
{
    if (bitmap.Empty())
        return std::nullopt;
    const int count = std::max(frameCount, 1);
    const int index = std::clamp(frameIndex, 1, count);
    Frame f;
    if (vertical) {
        f.fw = bitmap.Width();
        f.fh = bitmap.Height() / count;
        f.sy = f.fh * (index - 1);
    } else {
        f.fw = bitmap.Width() / count;
        f.fh = bitmap.Height();
        f.sx = f.fw * (index - 1);
    }
    if (f.fw < 1 || f.fh < 1)
        return std::nullopt;
    return f;
}

// The frame to draw into a rectangle; none when the rectangle has no area to draw into.
std::optional<Frame> FrameForArea(const TBitmap& bitmap, const RECT& destRect, bool vertical, int frameCount,
                                  int frameIndex)
{
    if (Inverted(destRect) || destRect.right == destRect.left || destRect.bottom == destRect.top)
        return std::nullopt;
    return FrameOf(bitmap, vertical, frameCount, frameIndex);
}

struct Margins {
    int l = 0;
    int t = 0;
    int r = 0;
    int b = 0;
};

// Opposite margins that do not fit together in `width` (`height`) both drop to 0.
Margins Fit(Margins m, int width, int height) noexcept
{
    m.l = std::max(m.l, 0);
    m.t = std::max(m.t, 0);
    m.r = std::max(m.r, 0);
    m.b = std::max(m.b, 0);
    if (static_cast<long long>(m.l) + m.r > width)
        m.l = m.r = 0;
    if (static_cast<long long>(m.t) + m.b > height)
        m.t = m.b = 0;
    return m;
}

Margins FromRect(const RECT& r) noexcept
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

TPixelFormat WorkFormat(const TBitmap& source) noexcept
{
    return source.PixelFormat() == pf32bit ? pf32bit : pf24bit;
}

// Copies (scaling when the sizes differ) one rectangle given as x, y, width, height.
void Blit(HDC dest, int dx, int dy, int dw, int dh, HDC source, int sx, int sy, int sw, int sh) noexcept
{
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    if (dw == sw && dh == sh)
        BitBlt(dest, dx, dy, dw, dh, source, sx, sy, SRCCOPY);
    else
        StretchBlt(dest, dx, dy, dw, dh, source, sx, sy, sw, sh, SRCCOPY);
}

// Keeps a DC's stretch mode at COLORONCOLOR for a while: averaging would blend
// the magenta key into its neighbours.
class ColorOnColor {
public:
    explicit ColorOnColor(HDC dc) noexcept : dc_(dc), previous_(SetStretchBltMode(dc, COLORONCOLOR)) {}
    ColorOnColor(const ColorOnColor&) = delete;
    ColorOnColor& operator=(const ColorOnColor&) = delete;
    ~ColorOnColor()
    {
        if (previous_ != 0)
            SetStretchBltMode(dc_, previous_);
    }

private:
    HDC dc_;
    int previous_;
};

// A finished work bitmap onto the target: keyed on magenta or copied.
void Put(HDC dc, int x, int y, TBitmap& work, bool transparent)
{
    const int w = work.Width();
    const int h = work.Height();
    if (transparent)
        DrawTransparent(dc, {x, y, x + w, y + h}, work, SkinKeyColour);
    else
        BitBlt(dc, x, y, w, h, work.Canvas().Handle(), 0, 0, SRCCOPY);
}

// Pixels readable as 3 or 4 bytes each: the bitmap itself when it is 24 or 32
// bits, else a 24-bit copy, so the caller's bitmap keeps its format.
class TrueColourView {
public:
    explicit TrueColourView(TBitmap& bitmap) : bitmap_(&bitmap)
    {
        if (bitmap.PixelFormat() != pf24bit && bitmap.PixelFormat() != pf32bit) {
            copy_ = std::make_unique<TBitmap>();
            copy_->Assign(bitmap);
            copy_->SetPixelFormat(pf24bit);
            bitmap_ = copy_.get();
        }
        bytesPerPixel_ = bitmap_->PixelFormat() == pf32bit ? 4 : 3;
    }
    const std::uint8_t* Row(int y) const { return std::as_const(*bitmap_).ScanLine(y); }
    int BytesPerPixel() const noexcept { return bytesPerPixel_; }

private:
    TBitmap* bitmap_;
    std::unique_ptr<TBitmap> copy_;
    int bytesPerPixel_ = 3;
};

TColor PlainColour(TColor colour) noexcept { return ui::ColorToRGB(colour) & 0xFFFFFF; }

// Copies w x h pixels of source from (sx, sy) to (x, y) of dc, leaving the
// destination untouched exactly where the source has the key colour.
void KeyedCopy(HDC dc, int x, int y, int w, int h, TBitmap& source, int sx, int sy, TColor keyColour)
{
    // Monochrome mask, 1 where the key is: rows of whole 16-bit words, leftmost pixel in the top bit.
    const TColor key = PlainColour(keyColour);
    const std::uint8_t kr = RedOf(key);
    const std::uint8_t kg = GreenOf(key);
    const std::uint8_t kb = BlueOf(key);
    const std::size_t stride = (static_cast<std::size_t>(w) + 15) / 16 * 2;
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(h));
    {
        const TrueColourView pixels(source);
        const int bpp = pixels.BytesPerPixel();
        for (int row = 0; row < h; ++row) {
            const std::uint8_t* p = pixels.Row(sy + row) + static_cast<std::ptrdiff_t>(sx) * bpp;
            std::uint8_t* out = bits.data() + stride * static_cast<std::size_t>(row);
            for (int col = 0; col < w; ++col, p += bpp)
                if (p[0] == kb && p[1] == kg && p[2] == kr)
                    out[col / 8] |= static_cast<std::uint8_t>(0x80u >> (col % 8));
        }
    }
    const ui::UniqueBitmap mask(CreateBitmap(w, h, 1, 1, bits.data()));
    if (!mask)
        return;
    const HDC from = source.Canvas().Handle();
    if (GetLayout(dc) != 0 || GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE) {
        // Key pixels (mask 1) keep the destination; all others copy the source.
        constexpr DWORD keepDestination = 0x00AA0029;
        MaskBlt(dc, x, y, w, h, from, sx, sy, mask.get(), 0, 0, MAKEROP4(keepDestination, SRCCOPY));
        return;
    }
    // The same in one blit without the work DCs MaskBlt makes: the mask as a
    // pattern brush, its 1 bits (the key) in the background colour white and
    // its 0 bits in the text colour black, picks (D & P) | (S & ~P).
    const ui::UniqueBrush pattern(CreatePatternBrush(mask.get()));
    if (!pattern)
        return;
    constexpr DWORD destinationWherePattern = 0x00AC0744;
    POINT origin{x, y};
    LPtoDP(dc, &origin, 1);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, origin.x, origin.y, &oldOrigin);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    {
        const ui::ScopedSelect brush(dc, pattern.get());
        BitBlt(dc, x, y, w, h, from, sx, sy, destinationWherePattern);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void EnsureTrueColour24(TBitmap& bitmap)
{
    if (bitmap.PixelFormat() != pf24bit)
        bitmap.SetPixelFormat(pf24bit);
}

} // namespace

void DrawSkinElement(HDC dc, const RECT& destRect, TBitmap& bitmap, bool vertical, bool tile, bool transparent,
                     int frameCount, int frameIndex, const RECT& margins)
{
    if (Inverted(destRect) || destRect.right == destRect.left || destRect.bottom == destRect.top ||
        !FrameOf(bitmap, vertical, frameCount, frameIndex))
        return;
    const auto frame = RenderSkinFrame(destRect, bitmap, margins, vertical, tile, frameCount, frameIndex);
    Put(dc, destRect.left, destRect.top, *frame, transparent);
}

void DrawSkinFrame(HDC dc, const RECT& destRect, TBitmap& bitmap, const RECT& margins, bool vertical, bool tile,
                   int frameCount, int frameIndex)
{
    const auto frame = FrameForArea(bitmap, destRect, vertical, frameCount, frameIndex);
    if (!frame)
        return;
    const int W = destRect.right - destRect.left;
    const int H = destRect.bottom - destRect.top;
    const auto [sx, sy, fw, fh] = *frame;
    const auto [L, T, R, B] = Fit(Fit(FromRect(margins), fw, fh), W, H);
    const int x = destRect.left;
    const int y = destRect.top;

    const HDC src = bitmap.Canvas().Handle();
    const ColorOnColor mode(dc);
    Blit(dc, x, y, L, T, src, sx, sy, L, T);                                            // top-left
    Blit(dc, x, y + H - B, L, B, src, sx, sy + fh - B, L, B);                           // bottom-left
    Blit(dc, x + W - R, y, R, T, src, sx + fw - R, sy, R, T);                           // top-right
    Blit(dc, x, y + T, L, H - T - B, src, sx, sy + T, L, fh - T - B);                   // left edge
    Blit(dc, x + L, y, W - L - R, T, src, sx + L, sy, fw - L - R, T);                   // top edge
    if (tile) {
        // The last column and row are cut at the centre's edges, where the right and bottom parts begin.
        const int cw = fw - L - R;
        const int ch = fh - T - B;
        if (cw > 0 && ch > 0)
            for (int cx = L; cx < W - R; cx += cw)
                for (int cy = T; cy < H - B; cy += ch)
                    BitBlt(dc, x + cx, y + cy, std::min(cw, W - R - cx), std::min(ch, H - B - cy), src, sx + L,
                           sy + T, SRCCOPY);
    } else {
        Blit(dc, x + L, y + T, W - L - R, H - T - B, src, sx + L, sy + T, fw - L - R, fh - T - B);
    }
    Blit(dc, x + W - R, y + H - B, R, B, src, sx + fw - R, sy + fh - B, R, B);         // bottom-right
    Blit(dc, x + W - R, y + T, R, H - T - B, src, sx + fw - R, sy + T, R, fh - T - B);  // right edge
    Blit(dc, x + L, y + H - B, W - L - R, B, src, sx + L, sy + fh - B, fw - L - R, B);  // bottom edge
}

std::unique_ptr<TBitmap> RenderSkinFrame(const RECT& destRect, TBitmap& bitmap, const RECT& margins, bool vertical,
                                         bool tile, int frameCount, int frameIndex)
{
    if (Inverted(destRect))
        return std::make_unique<TBitmap>();
    const int W = destRect.right - destRect.left;
    const int H = destRect.bottom - destRect.top;
    auto result = std::make_unique<TBitmap>(W, H, WorkFormat(bitmap));
    if (W > 0 && H > 0)
        DrawSkinFrame(result->Canvas().Handle(), {0, 0, W, H}, bitmap, margins, vertical, tile, frameCount,
                      frameIndex);
    return result;
}

void TileRect(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, const RECT& srcRect)
{
    if (Inverted(destRect) || bitmap.Empty())
        return;
    const RECT whole{0, 0, bitmap.Width(), bitmap.Height()};
    RECT src;
    if (Inverted(srcRect) || !IntersectRect(&src, &srcRect, &whole))
        return;
    const int sw = src.right - src.left;
    const int sh = src.bottom - src.top;
    const HDC from = bitmap.Canvas().Handle();
    const HDC to = canvas.Handle();
    for (LONG x = destRect.left; x < destRect.right; x += sw)
        for (LONG y = destRect.top; y < destRect.bottom; y += sh)
            BitBlt(to, x, y, sw, sh, from, src.left, src.top, SRCCOPY);
}

void DrawThreeSlice(HDC dc, const RECT& destRect, TBitmap& bitmap, bool vertical, int frameCount, int frameIndex,
                    const RECT& margins)
{
    const auto frame = FrameOf(bitmap, vertical, frameCount, frameIndex);
    if (Inverted(destRect) || !frame)
        return;
    const auto [sx, sy, fw, fh] = *frame;
    const Margins m = Fit({static_cast<int>(margins.left), 0, static_cast<int>(margins.right), 0}, fw, fh);
    const int W = destRect.right - destRect.left;
    const int H = destRect.bottom - destRect.top;
    const HDC src = bitmap.Canvas().Handle();
    const ColorOnColor mode(dc);
    if (fw > W) {
        Blit(dc, destRect.left, destRect.top, W, H, src, sx, sy, fw, fh);
        return;
    }
    Blit(dc, destRect.left, destRect.top, m.l, H, src, sx, sy, m.l, fh);
    Blit(dc, destRect.left + m.l, destRect.top, W - m.l - m.r, H, src, sx + m.l, sy, fw - m.l - m.r, fh);
    Blit(dc, destRect.right - m.r, destRect.top, m.r, H, src, sx + fw - m.r, sy, m.r, fh);
}

void DrawThreeSliceTiled(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, bool vertical, bool transparent,
                         int frameCount, int frameIndex, const RECT& margins)
{
    const auto frame = FrameForArea(bitmap, destRect, vertical, frameCount, frameIndex);
    if (!frame)
        return;
    const int W = destRect.right - destRect.left;
    const int H = destRect.bottom - destRect.top;
    const auto [sx, sy, fw, fh] = *frame;
    const Margins m = Fit({static_cast<int>(margins.left), 0, static_cast<int>(margins.right), 0}, fw, fh);
    const int middle = fw - m.l - m.r;

    TBitmap work(W, H, WorkFormat(bitmap));
    const HDC src = bitmap.Canvas().Handle();
    const HDC dst = work.Canvas().Handle();
    SetStretchBltMode(dst, COLORONCOLOR);
    Blit(dst, 0, 0, m.l, H, src, sx, sy, m.l, fh);
    if (middle > 0)
        for (int x = m.l; x < W - m.r; x += middle)
            Blit(dst, x, 0, middle, H, src, sx + m.l, sy, middle, fh);
    Blit(dst, W - m.r, 0, m.r, H, src, sx + fw - m.r, sy, m.r, fh);

    // Keyed the same exact way as every other routine here.
    Put(canvas.Handle(), destRect.left, destRect.top, work, transparent);
}

void DrawFrameStretched(HDC dc, const RECT& destRect, TBitmap& bitmap, bool transparent, int frameCount,
                        int frameIndex)
{
    const auto frame = FrameForArea(bitmap, destRect, false, frameCount, frameIndex);
    if (!frame)
        return;
    const int W = destRect.right - destRect.left;
    const int H = destRect.bottom - destRect.top;
    const auto [sx, sy, fw, fh] = *frame;
    if (W == fw && H == fh) {
        // Unscaled: straight from the frame, without a work bitmap.
        if (transparent)
            KeyedCopy(dc, destRect.left, destRect.top, W, H, bitmap, sx, sy, SkinKeyColour);
        else
            BitBlt(dc, destRect.left, destRect.top, W, H, bitmap.Canvas().Handle(), sx, sy, SRCCOPY);
        return;
    }
    TBitmap work(W, H, WorkFormat(bitmap));
    const HDC dst = work.Canvas().Handle();
    SetStretchBltMode(dst, COLORONCOLOR);
    Blit(dst, 0, 0, W, H, bitmap.Canvas().Handle(), sx, sy, fw, fh);
    Put(dc, destRect.left, destRect.top, work, transparent);
}

void DrawFrameCentered(HDC dc, const RECT& destRect, TBitmap& bitmap, bool transparent, int frameCount,
                       int frameIndex)
{
    const auto frame = FrameOf(bitmap, false, frameCount, frameIndex);
    if (Inverted(destRect) || !frame)
        return;
    const auto [sx, sy, fw, fh] = *frame;
    TBitmap work(fw, fh, WorkFormat(bitmap));
    BitBlt(work.Canvas().Handle(), 0, 0, fw, fh, bitmap.Canvas().Handle(), sx, sy, SRCCOPY);
    const int left = destRect.left + (destRect.right - destRect.left - fw) / 2;
    const int top = destRect.top + (destRect.bottom - destRect.top - fh) / 2;
    Put(dc, left, top, work, transparent);
}

void DrawTransparent(HDC dc, const RECT& destRect, TBitmap& bitmap, TColor keyColour)
{
    if (Inverted(destRect) || bitmap.Empty())
        return;
    const int w = std::min<int>(destRect.right - destRect.left, bitmap.Width());
    const int h = std::min<int>(destRect.bottom - destRect.top, bitmap.Height());
    if (w > 0 && h > 0)
        KeyedCopy(dc, destRect.left, destRect.top, w, h, bitmap, 0, 0, keyColour);
}

ui::UniqueRegion RegionFromColourKey(TBitmap& bitmap, int dx, int dy, int tolBlue, int tolGreen, int tolRed,
                                     TColor keyColour)
{
    ui::UniqueRegion result(CreateRectRgn(0, 0, 0, 0));
    if (!result || bitmap.Empty())
        return result;

    const TColor key = PlainColour(keyColour);
    const auto within = [](int value, int low, int tolerance) {
        return value >= low && value <= std::min(255, low + tolerance);
    };
    const int kr = RedOf(key);
    const int kg = GreenOf(key);
    const int kb = BlueOf(key);

    // Rectangles go to the system in batches of this many; the buffer grows by a fifth of it.
    constexpr std::size_t batch = 2000;
    constexpr std::size_t growth = 500;
    std::vector<RECT> rects;
    rects.reserve(growth);
    RECT bounds{};
    const auto resetBounds = [&bounds] { bounds = {2147483647, 2147483647, 0, 0}; };
    resetBounds();
    const auto flush = [&] {
        if (rects.empty())
            return;
        std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.capacity() * sizeof(RECT));
        RGNDATAHEADER header{};
        header.dwSize = sizeof(RGNDATAHEADER);
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(rects.size());
        header.rcBound = bounds;
        std::memcpy(data.data(), &header, sizeof header);
        std::memcpy(data.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
        const ui::UniqueRegion part(
            ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
        if (part)
            CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
        rects.clear();
        resetBounds();
    };

    const TrueColourView pixels(bitmap);
    const int bpp = pixels.BytesPerPixel();
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = pixels.Row(y);
        const auto transparent = [&](int x) {
            const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * bpp;
            return within(p[2], kr, tolRed) && within(p[1], kg, tolGreen) && within(p[0], kb, tolBlue);
        };
        int x = 0;
        while (x < width) {
            while (x < width && transparent(x))
                ++x;
            const int x0 = x;
            while (x < width && !transparent(x))
                ++x;
            if (x > x0) {
                if (rects.size() == rects.capacity())
                    rects.reserve(rects.capacity() + growth);
                const RECT r{x0 + dx, y + dy, x + dx, y + dy + 1};
                rects.push_back(r);
                bounds.left = std::min(bounds.left, r.left);
                bounds.top = std::min(bounds.top, r.top);
                bounds.right = std::max(bounds.right, r.right);
                bounds.bottom = std::max(bounds.bottom, r.bottom);
                if (rects.size() == batch)
                    flush();
            }
        }
    }
    flush();
    return result;
}

void PaintParentBackground(TControl& control, HDC dc)
{
    TWinControl* const parent = control.Parent();
    if (!parent)
        return;
    // The DC goes back to its state even when a handler throws.
    const ui::ScopedSaveDC saved(dc);
    const int left = control.Left();
    const int top = control.Top();
    OffsetViewportOrgEx(dc, -left, -top, nullptr);
    RECT clip = control.ClientRect();
    OffsetRect(&clip, left, top);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    parent->Perform(WM_ERASEBKGND, wParam, 0);
    parent->Perform(WM_PAINT, wParam, 0);
}

TColor MixColor(TColor c1, TColor c2, int weight)
{
    return MixColor(c1, c2, weight, [](TColor colour) { return static_cast<TColor>(GetSysColor(colour & 0xFF)); });
}

void GradientFill(HDC dc, const RECT& rect, TColor from, TColor to, bool vertical)
{
    if (Inverted(rect) || !RectVisible(dc, &rect))
        return;
    const TColor c1 = PlainColour(from);
    const TColor c2 = PlainColour(to);
    const int count = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    if (count <= 0)
        return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR)
        return;
    const int origin = vertical ? rect.top : rect.left;
    const int first = std::max(0, static_cast<int>(vertical ? clip.top : clip.left) - origin);
    const int last = std::min(count, static_cast<int>(vertical ? clip.bottom : clip.right) - origin) - 1;
    const int slot = GetGradient(count, c1, c2);
    const auto table = GradientTable(slot);
    for (int i = first; i <= last; ++i) {
        const ui::UniqueBrush brush(CreateSolidBrush(table[static_cast<std::size_t>(i)]));
        const RECT band = vertical ? RECT{rect.left, origin + i, rect.right, origin + i + 1}
                                   : RECT{origin + i, rect.top, origin + i + 1, rect.bottom};
        FillRect(dc, &band, brush.get());
    }
}

void GrayScale(TBitmap& bitmap)
{
    EnsureTrueColour24(bitmap);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            const auto grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = grey;
        }
    }
    bitmap.SetModified(true);
}

void ReplaceMagenta(TBitmap& bitmap, TColor colour)
{
    EnsureTrueColour24(bitmap);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            if (p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF) {
                p[0] = BlueOf(colour);
                p[1] = GreenOf(colour);
                p[2] = RedOf(colour);
            }
        }
    }
    bitmap.SetModified(true);
}

void MirrorHorizontal(TBitmap& bitmap)
{
    EnsureTrueColour24(bitmap);
    const int w = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w / 2; ++x)
            std::swap_ranges(row + 3 * x, row + 3 * x + 3, row + 3 * (w - 1 - x));
    }
    bitmap.SetModified(true);
}

void FlipVertical(TBitmap& bitmap)
{
    EnsureTrueColour24(bitmap);
    const auto bytes = static_cast<std::size_t>(bitmap.Width()) * 3;
    for (int y = 0; y < bitmap.Height() / 2; ++y)
        std::swap_ranges(bitmap.ScanLine(y), bitmap.ScanLine(y) + bytes, bitmap.ScanLine(bitmap.Height() - 1 - y));
    bitmap.SetModified(true);
}

namespace {

// Both quarter turns: the new bitmap is H x W and new pixel (X, Y) comes from
// old pixel source(X, Y).
template <typename Source>
void Rotate(TBitmap& bitmap, Source source)
{
    EnsureTrueColour24(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (w == 0 || h == 0)
        return;
    const auto rowBytes = static_cast<std::size_t>(w) * 3;
    std::vector<std::uint8_t> old(rowBytes * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(old.data() + rowBytes * static_cast<std::size_t>(y), bitmap.ScanLine(y), rowBytes);
    bitmap.SetSize(h, w);
    for (int y = 0; y < w; ++y) {
        std::uint8_t* out = bitmap.ScanLine(y);
        for (int x = 0; x < h; ++x, out += 3) {
            const POINT from = source(x, y, w, h);
            std::memcpy(out, old.data() + rowBytes * static_cast<std::size_t>(from.y) + 3 * static_cast<std::size_t>(from.x), 3);
        }
    }
    bitmap.SetModified(true);
}

} // namespace

void RotateLeft(TBitmap& bitmap)
{
    Rotate(bitmap, [](int x, int y, int w, int) { return POINT{w - 1 - y, x}; });
}

void RotateRight(TBitmap& bitmap)
{
    Rotate(bitmap, [](int x, int y, int, int h) { return POINT{y, h - 1 - x}; });
}

void CopyBitmap(TBitmap& source, TBitmap& dest)
{
    if (&source == &dest)
        return;
    dest.SetPixelFormat(source.PixelFormat());
    dest.SetSize(source.Width(), source.Height());
    if (!source.Empty())
        dest.Canvas().Draw(0, 0, source);
}

std::wstring AnsiToWide(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
    return wide;
}

int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format)
{
    // The text is read-only here, so DrawTextW may not write an ellipsis into it.
    return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format & ~UINT{DT_MODIFYSTRING});
}
