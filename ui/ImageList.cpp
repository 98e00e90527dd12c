#include "ui/ImageList.h"

#include "ui/Bitmap.h"
#include "ui/DcGuards.h"
#include "ui/Icon.h"
#include "ui/Properties.h"
#include "ui/Streams.h"

#include <cstring>
#include <limits>
#include <vector>

constinit const TClassInfo TImageList::ClassInfo = ui::ClassOf<TImageList>("TImageList", TComponent::ClassInfo);

namespace {

constexpr std::string_view drawingStyleNames[] = {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"};
constexpr ui::TEnumInfo drawingStyleInfo{"TDrawingStyle", drawingStyleNames};

// Raster operation: where the source is white paint the brush, elsewhere keep the destination.
constexpr DWORD ropBrushWhereSourceSet = 0x00E20746;

COLORREF ListColour(TColor color) { return color == clNone ? CLR_NONE : ui::ColorToRGB(color); }

ui::UniqueDC NewMemoryDC()
{
    ui::UniqueDC dc(CreateCompatibleDC(nullptr));
    if (!dc)
        throw EOutOfResources("Out of system resources");
    return dc;
}

// A bitmap selected into a DC of its own for the length of one drawing.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP bitmap) : dc_(NewMemoryDC()), selected_(dc_.get(), bitmap) {}
    HDC get() const noexcept { return dc_.get(); }

private:
    ui::UniqueDC dc_;
    ui::ScopedSelect selected_;
};

std::vector<std::uint8_t> ReadBlock(TStream& stream)
{
    const std::int32_t size = stream.ReadInt32();
    if (size < 0 || size > stream.Remaining())
        throw EReadError("Stream read error");
    std::vector<std::uint8_t> block(static_cast<std::size_t>(size));
    stream.ReadBuffer(block.data(), block.size());
    return block;
}

void WriteBlock(TStream& stream, const std::vector<std::uint8_t>& block)
{
    if (block.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EWriteError("Stream write error");
    stream.WriteInt32(static_cast<std::int32_t>(block.size()));
    stream.WriteBuffer(block.data(), block.size());
}

} // namespace

void TImageList::Publish(ui::TPublisher<TImageList>& p)
{
    p.Colour("BkColor", &TImageList::BkColor, &TImageList::SetBkColor).Default(clNone);
    p.Enum("DrawingStyle", drawingStyleInfo, &TImageList::DrawingStyle, &TImageList::SetDrawingStyle).Default(dsNormal);
    p.Integer("Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
    p.Boolean("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(1);
    p.Integer("Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
    // After the sizes: reading the images must not be undone by a later size change.
    p.Binary("Bitmap", &TImageList::ReadData, &TImageList::WriteData).Stored([](const TImageList& list) {
        return list.Count() > 0;
    });
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int width)
{
    if (width != width_ && width > 0) {
        width_ = width;
        Recreate();
    }
}

void TImageList::SetHeight(int height)
{
    if (height != height_ && height > 0) {
        height_ = height;
        Recreate();
    }
}

void TImageList::SetMasked(bool masked)
{
    if (masked != masked_) {
        masked_ = masked;
        Recreate();
    }
}

void TImageList::SetBkColor(TColor color)
{
    bkColor_ = color;
    if (handle_)
        ImageList_SetBkColor(handle_.get(), ListColour(color));
}

void TImageList::Recreate()
{
    const bool had = handle_ && ImageList_GetImageCount(handle_.get()) > 0;
    handle_.reset();
    if (had)
        Changed();
}

HIMAGELIST TImageList::Handle()
{
    if (!handle_) {
        const UINT flags = ILC_COLOR32 | (masked_ ? ILC_MASK : 0);
        handle_.reset(ImageList_Create(width_, height_, flags, 4, 4));
        if (!handle_)
            throw EOutOfResources("Out of system resources");
        ImageList_SetBkColor(handle_.get(), ListColour(bkColor_));
    }
    return handle_.get();
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.get()) : 0; }

int TImageList::Add(TBitmap& image, TBitmap* mask)
{
    // The system may change the bitmaps it is given; it gets copies.
    TBitmap imageCopy;
    imageCopy.Assign(image);
    TBitmap maskCopy;
    if (mask)
        maskCopy.Assign(*mask);
    const int index = ImageList_Add(Handle(), imageCopy.Handle(), mask ? maskCopy.Handle() : nullptr);
    if (index >= 0)
        Changed();
    return index;
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor)
{
    TBitmap imageCopy;
    imageCopy.Assign(image);
    const TColor key = maskColor == clDefault ? image.TransparentColor() : maskColor;
    const int index = ImageList_AddMasked(Handle(), imageCopy.Handle(), ui::ColorToRGB(key));
    if (index >= 0)
        Changed();
    return index;
}

int TImageList::AddIcon(TIcon& icon)
{
    if (!icon.Handle())
        return -1;
    const int index = ImageList_AddIcon(Handle(), icon.Handle());
    if (index >= 0)
        Changed();
    return index;
}

void TImageList::Replace(int index, TBitmap& image, TBitmap* mask)
{
    TBitmap imageCopy;
    imageCopy.Assign(image);
    TBitmap maskCopy;
    if (mask)
        maskCopy.Assign(*mask);
    if (ImageList_Replace(Handle(), index, imageCopy.Handle(), mask ? maskCopy.Handle() : nullptr))
        Changed();
}

void TImageList::Delete(int index)
{
    if (index >= 0 && index < Count() && ImageList_Remove(handle_.get(), index))
        Changed();
}

void TImageList::Clear()
{
    if (Count() > 0 && ImageList_Remove(handle_.get(), -1))
        Changed();
}

bool TImageList::GetInstRes(HINSTANCE instance, const char* name, int width, bool loadTransparent, TColor maskColor)
{
    const UINT flags = LR_CREATEDIBSECTION | (loadTransparent ? LR_LOADTRANSPARENT : 0);
    ui::UniqueImageList list(
        ImageList_LoadImageA(instance, name, width, 4, ListColour(maskColor), IMAGE_BITMAP, flags));
    if (!list)
        return false;
    int w = 0;
    int h = 0;
    ImageList_GetIconSize(list.get(), &w, &h);
    handle_ = std::move(list);
    width_ = w;
    height_ = h;
    masked_ = maskColor != clNone;
    ImageList_SetBkColor(handle_.get(), ListColour(bkColor_));
    Changed();
    return true;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled)
{
    if (index < 0 || index >= Count())
        return;
    const HDC dc = canvas.Handle();
    if (!enabled) {
        DrawDisabled(dc, x, y, index);
        return;
    }
    UINT style = ILD_NORMAL;
    switch (drawingStyle_) {
    case dsFocus: style = ILD_FOCUS; break;
    case dsSelected: style = ILD_SELECTED; break;
    case dsTransparent: style = ILD_TRANSPARENT; break;
    case dsNormal: break;
    }
    ImageList_DrawEx(handle_.get(), index, dc, x, y, 0, 0, ListColour(bkColor_), CLR_DEFAULT, style);
}

void TImageList::DrawDisabled(HDC dc, int x, int y, int index)
{
    // The image over black and its mask tell which pixels show; of those, the
    // dark ones form the silhouette, as in the classic disabled look.
    TBitmap image(width_, height_, pf32bit);
    TBitmap mask(width_, height_, pf32bit);
    {
        const SelectedBitmap imageDC(image.Handle());
        PatBlt(imageDC.get(), 0, 0, width_, height_, BLACKNESS);
        ImageList_DrawEx(handle_.get(), index, imageDC.get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
        const SelectedBitmap maskDC(mask.Handle());
        SetTextColor(maskDC.get(), RGB(0, 0, 0));
        ::SetBkColor(maskDC.get(), RGB(255, 255, 255));
        PatBlt(maskDC.get(), 0, 0, width_, height_, WHITENESS);
        if (masked_)
            ImageList_DrawEx(handle_.get(), index, maskDC.get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
        else
            PatBlt(maskDC.get(), 0, 0, width_, height_, BLACKNESS);
    }

    // A monochrome silhouette: bit 1 where the pixel is ink.
    const int stride = (width_ + 15) / 16 * 2;
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height_), 0);
    for (int row = 0; row < height_; ++row) {
        const std::uint8_t* pixels = image.ScanLine(row);
        const std::uint8_t* shows = mask.ScanLine(row);
        for (int col = 0; col < width_; ++col) {
            const std::uint8_t* p = pixels + 4 * col;
            const int luminance = (p[2] * 30 + p[1] * 59 + p[0] * 11) / 100;
            if (shows[4 * col] == 0 && luminance < 192)
                bits[static_cast<std::size_t>(row * stride + col / 8)] |= static_cast<std::uint8_t>(0x80 >> (col % 8));
        }
    }
    const ui::UniqueBitmap silhouette(CreateBitmap(width_, height_, 1, 1, bits.data()));
    if (!silhouette)
        throw EOutOfResources("Out of system resources");
    const SelectedBitmap silhouetteDC(silhouette.get());

    const ui::UniqueBrush highlight(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
    const ui::UniqueBrush shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    // Colours and brush go back before the brushes are deleted.
    const ui::ScopedSaveDC saved(dc);
    // Ink bits (1) expand to white, the rest to black; the raster operation
    // then paints the brush only where the source is white.
    SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    SelectObject(dc, highlight.get());
    BitBlt(dc, x + 1, y + 1, width_, height_, silhouetteDC.get(), 0, 0, ropBrushWhereSourceSet);
    SelectObject(dc, shadow.get());
    BitBlt(dc, x, y, width_, height_, silhouetteDC.get(), 0, 0, ropBrushWhereSourceSet);
}

void TImageList::GetBitmap(int index, TBitmap& image)
{
    image.SetSize(width_, height_);
    if (index < 0 || index >= Count())
        return;
    image.Canvas().FillRect({0, 0, width_, height_});
    ImageList_DrawEx(handle_.get(), index, image.Canvas().Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    image.SetModified(true);
}

void TImageList::ReadData(TStream& stream)
{
    const std::int32_t count = stream.ReadInt32();
    const auto imageFile = ReadBlock(stream);
    const auto maskFile = ReadBlock(stream);
    handle_.reset();
    if (count <= 0) {
        Changed();
        return;
    }
    TBitmap strip;
    strip.LoadFromBytes(imageFile);
    TBitmap mask;
    if (!maskFile.empty())
        mask.LoadFromBytes(maskFile);
    if (strip.Width() != count * width_ || strip.Height() != height_)
        throw EInvalidGraphic("Image list data does not match its size");
    ImageList_Add(Handle(), strip.Handle(), maskFile.empty() ? nullptr : mask.Handle());
    Changed();
}

void TImageList::WriteData(TStream& stream) const
{
    const int count = Count();
    stream.WriteInt32(count);
    if (count <= 0) {
        WriteBlock(stream, {});
        WriteBlock(stream, {});
        return;
    }
    // The strip holds the images side by side; the mask strip is white where transparent.
    TBitmap strip(count * width_, height_);
    TBitmap mask(count * width_, height_, pf1bit);
    {
        const SelectedBitmap stripDC(strip.Handle());
        const SelectedBitmap maskDC(mask.Handle());
        SetTextColor(maskDC.get(), RGB(0, 0, 0));
        ::SetBkColor(maskDC.get(), RGB(255, 255, 255));
        PatBlt(maskDC.get(), 0, 0, count * width_, height_, WHITENESS);
        for (int i = 0; i < count; ++i) {
            ImageList_DrawEx(handle_.get(), i, stripDC.get(), i * width_, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_IMAGE);
            if (masked_)
                ImageList_DrawEx(handle_.get(), i, maskDC.get(), i * width_, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
        }
    }
    WriteBlock(stream, strip.SaveToBytes());
    WriteBlock(stream, masked_ ? mask.SaveToBytes() : std::vector<std::uint8_t>{});
}

void TImageList::Changed() { OnChange(this); }
