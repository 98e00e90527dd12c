#include "ui/Icon.h"

#include "ui/Properties.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>

constinit const TClassInfo TIcon::ClassInfo = ui::ClassOf<TIcon>("TIcon", TGraphic::ClassInfo);

namespace {

constexpr const char* invalidIcon = "Icon image is not valid";
constexpr std::size_t directorySize = 6;
constexpr std::size_t entrySize = 16;
// Version of the icon resource format CreateIconFromResourceEx expects.
constexpr DWORD iconFormatVersion = 0x00030000;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) { return static_cast<std::uint32_t>(U16(p)) | static_cast<std::uint32_t>(U16(p + 2)) << 16; }

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {};
    // GetIconInfo hands us copies of both bitmaps.
    const ui::UniqueBitmap colour(info.hbmColor);
    const ui::UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    if (colour && GetObjectA(colour.get(), sizeof bitmap, &bitmap))
        return {bitmap.bmWidth, bitmap.bmHeight};
    // A monochrome icon's mask holds the AND mask above the XOR mask.
    if (mask && GetObjectA(mask.get(), sizeof bitmap, &bitmap))
        return {bitmap.bmWidth, bitmap.bmHeight / 2};
    return {};
}

// Bottom-up rows of a bitmap read as 32 or 1 bits per pixel.
std::vector<std::uint8_t> ReadBits(HBITMAP bitmap, int width, int height, int bits, int firstRow = 0)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(height));
    const auto screen = ui::UniqueWindowDC::Client(nullptr);
    GetDIBits(screen.get(), bitmap, static_cast<UINT>(firstRow), static_cast<UINT>(height), rows.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    return rows;
}

// An .ico file with one 32-bit image made from an icon handle.
std::vector<std::uint8_t> IconFile(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        throw EInvalidGraphic(invalidIcon);
    const ui::UniqueBitmap colour(info.hbmColor);
    const ui::UniqueBitmap mask(info.hbmMask);
    const SIZE size = IconSize(icon);
    const int w = size.cx;
    const int h = size.cy;
    if (w <= 0 || h <= 0 || !mask)
        throw EInvalidGraphic(invalidIcon);

    std::vector<std::uint8_t> andMask;
    std::vector<std::uint8_t> pixels;
    if (colour) {
        pixels = ReadBits(colour.get(), w, h, 32);
        andMask = ReadBits(mask.get(), w, h, 1);
    } else {
        // Monochrome: the mask bitmap is AND over XOR, 2h rows; bottom-up row 0 is the XOR's last row.
        const std::vector<std::uint8_t> both = ReadBits(mask.get(), w, 2 * h, 1);
        const std::size_t stride1 = (static_cast<std::size_t>(w) + 31) / 32 * 4;
        andMask.assign(both.begin() + static_cast<std::ptrdiff_t>(stride1 * h), both.end());
        pixels.assign(static_cast<std::size_t>(w) * 4 * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (both[stride1 * y + x / 8] & (0x80 >> (x % 8)))
                    std::memset(&pixels[(static_cast<std::size_t>(y) * w + x) * 4], 0xFF, 3);
    }

    const std::uint32_t imageSize = static_cast<std::uint32_t>(40 + pixels.size() + andMask.size());
    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, 1);  // one image
    file.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
    file.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
    file.push_back(0);
    file.push_back(0);
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, imageSize);
    Put32(file, directorySize + entrySize);
    Put32(file, 40);
    Put32(file, static_cast<std::uint32_t>(w));
    Put32(file, static_cast<std::uint32_t>(2 * h));
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, BI_RGB);
    Put32(file, static_cast<std::uint32_t>(pixels.size() + andMask.size()));
    for (int i = 0; i < 4; ++i)
        Put32(file, 0);
    file.insert(file.end(), pixels.begin(), pixels.end());
    file.insert(file.end(), andMask.begin(), andMask.end());
    return file;
}

} // namespace

TIcon::TIcon() = default;

TIcon::~TIcon() = default;

SIZE TIcon::ImageSize(int index) const
{
    if (index < 0 || index >= ImageCount())
        return {};
    return {entries_[static_cast<std::size_t>(index)].width, entries_[static_cast<std::size_t>(index)].height};
}

std::size_t TIcon::BestEntry(std::span<const Entry> entries, int width, int height)
{
    // Exact size first, then the smallest larger image (shrinking looks better
    // than enlarging), then the largest; at equal size the deepest colours.
    auto rank = [&](const Entry& e) {
        const bool exact = e.width == width && e.height == height;
        const bool larger = e.width >= width && e.height >= height;
        const int category = exact ? 0 : larger ? 1 : 2;
        const int distance = category == 1 ? e.width * e.height : -(e.width * e.height);
        return std::tuple(category, category == 0 ? 0 : distance, -e.bits);
    };
    std::size_t best = 0;
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (rank(entries[i]) < rank(entries[best]))
            best = i;
    return best;
}

ui::UniqueIcon TIcon::MakeIcon(const std::vector<std::uint8_t>& data, const Entry& entry, int width, int height) const
{
    // The system only reads the image; the parameter is not const for history's sake.
    auto* bits = const_cast<std::uint8_t*>(data.data() + entry.offset);
    return ui::UniqueIcon(CreateIconFromResourceEx(bits, static_cast<DWORD>(entry.size), TRUE, iconFormatVersion,
                                                   width, height, LR_DEFAULTCOLOR));
}

void TIcon::LoadFromBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty()) {
        data_.clear();
        entries_.clear();
        handle_.reset();
        sized_.reset();
        width_ = height_ = 0;
        Changed();
        return;
    }
    if (bytes.size() < directorySize || U16(bytes.data()) != 0 || U16(bytes.data() + 2) != 1)
        throw EInvalidGraphic(invalidIcon);
    const std::size_t count = U16(bytes.data() + 4);
    if (count == 0 || bytes.size() < directorySize + count * entrySize)
        throw EInvalidGraphic(invalidIcon);

    std::vector<Entry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = bytes.data() + directorySize + i * entrySize;
        Entry entry;
        entry.width = e[0] ? e[0] : 256;
        entry.height = e[1] ? e[1] : 256;
        entry.bits = U16(e + 6);
        entry.size = U32(e + 8);
        entry.offset = U32(e + 12);
        // Skip images that lie outside the file or are too small to hold a header.
        if (entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset || entry.size < 40)
            continue;
        // Some writers leave the depth 0; the image's own header knows it (PNG images say nothing).
        if (entry.bits == 0 && U32(bytes.data() + entry.offset) == 40)
            entry.bits = U16(bytes.data() + entry.offset + 14);
        entries.push_back(entry);
    }
    if (entries.empty())
        throw EInvalidGraphic(invalidIcon);

    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    const int large = GetSystemMetrics(SM_CXICON);
    const Entry own = entries[BestEntry(entries, large, large)];
    ui::UniqueIcon handle = MakeIcon(data, own, own.width, own.height);
    if (!handle)
        throw EInvalidGraphic(invalidIcon);
    data_ = std::move(data);
    entries_ = std::move(entries);
    handle_ = std::move(handle);
    sized_.reset();
    width_ = own.width;
    height_ = own.height;
    Changed();
}

std::vector<std::uint8_t> TIcon::SaveToBytes() const
{
    if (!data_.empty())
        return data_;
    if (!handle_)
        return {};
    return IconFile(handle_.get());
}

void TIcon::SetHandle(ui::UniqueIcon icon)
{
    const SIZE size = icon ? IconSize(icon.get()) : SIZE{};
    data_.clear();
    entries_.clear();
    sized_.reset();
    handle_ = std::move(icon);
    width_ = size.cx;
    height_ = size.cy;
    Changed();
}

void TIcon::Assign(const TPersistent& source)
{
    const TIcon* icon = ui::As<TIcon>(&source);
    if (!icon) {
        TGraphic::Assign(source);
        return;
    }
    if (icon == this)
        return;
    if (!icon->data_.empty()) {
        LoadFromBytes(icon->data_);
    } else if (icon->handle_) {
        SetHandle(ui::UniqueIcon(CopyIcon(icon->handle_.get())));
    } else {
        LoadFromBytes({});
    }
}

HICON TIcon::IconFor(int width, int height)
{
    if ((width == width_ && height == height_) || entries_.empty())
        return handle_.get();
    if (!sized_ || sizedAt_.cx != width || sizedAt_.cy != height) {
        sized_ = MakeIcon(data_, entries_[BestEntry(entries_, width, height)], width, height);
        sizedAt_ = {width, height};
    }
    return sized_ ? sized_.get() : handle_.get();
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect)
{
    if (!handle_)
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    DrawIconEx(canvas.Handle(), rect.left, rect.top, IconFor(width, height), width, height, 0, nullptr, DI_NORMAL);
}
