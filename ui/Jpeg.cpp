#include "ui/Jpeg.h"

#include "ui/BmpFormat.h"
#include "ui/Properties.h"

#include <csetjmp>
#include <cstdio>
#include <string>

// jpeglib.h needs FILE and size_t declared first, and windows.h before it on
// MinGW so that its boolean type agrees with the system headers.
#include <jpeglib.h>

constinit const TClassInfo TJPEGImage::ClassInfo = ui::ClassOf<TJPEGImage>("TJPEGImage", TGraphic::ClassInfo);

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return:
// it jumps back to the setjmp of the step that is running.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (corrupt data it can skip, data cut short) would go to stderr.
void IgnoreMessage(j_common_ptr) {}

struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    bool created = false;
    bool cmyk = false;

    Decoder()
    {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = ErrorExit;
        errors.base.output_message = IgnoreMessage;
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

// Each step below runs only libjpeg between its setjmp and a possible
// longjmp, so the jump skips no C++ destructor.

bool ReadHeader(Decoder& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.errors.jump))
        return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);
    // Adobe's four-channel files cannot be turned into BGR by libjpeg itself.
    d.cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = d.cmyk ? JCS_CMYK : JCS_EXT_BGR;
    return true;
}

bool StartDecompress(Decoder& d)
{
    if (setjmp(d.errors.jump))
        return false;
    jpeg_start_decompress(&d.info);
    return true;
}

void CmykToBgr(const unsigned char* cmyk, unsigned char* bgr, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        // Adobe writes the ink amounts inverted: 255 is no ink.
        const unsigned c = inverted ? cmyk[0] : 255u - cmyk[0];
        const unsigned m = inverted ? cmyk[1] : 255u - cmyk[1];
        const unsigned y = inverted ? cmyk[2] : 255u - cmyk[2];
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        bgr[0] = static_cast<unsigned char>(y * k / 255);
        bgr[1] = static_cast<unsigned char>(m * k / 255);
        bgr[2] = static_cast<unsigned char>(c * k / 255);
    }
}

bool ReadRows(Decoder& d, unsigned char* const* rows, unsigned char* scratch)
{
    if (setjmp(d.errors.jump))
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        const JDIMENSION line = d.info.output_scanline;
        JSAMPROW target = d.cmyk ? scratch : rows[line];
        // A file cut short ends in a fake end marker: the rest reads as grey.
        if (jpeg_read_scanlines(&d.info, &target, 1) != 1)
            break;
        if (d.cmyk)
            CmykToBgr(scratch, rows[line], d.info.output_width, d.info.saw_Adobe_marker);
    }
    return true;
}

[[noreturn]] void Fail(const Decoder& d)
{
    throw EInvalidGraphic(std::string("JPEG error: ") + d.errors.message);
}

} // namespace

namespace ui {

std::unique_ptr<TBitmap> DecodeJpeg(std::span<const std::uint8_t> data, bool* grayscale)
{
    if (data.empty() || data.size() > 0xFFFFFFFFu)
        throw EInvalidGraphic("JPEG error: no image data");
    Decoder d;
    if (!ReadHeader(d, data.data(), static_cast<unsigned long>(data.size())))
        Fail(d);
    if (d.info.image_width > static_cast<JDIMENSION>(bmp::MaxDimension) ||
        d.info.image_height > static_cast<JDIMENSION>(bmp::MaxDimension))
        throw EInvalidGraphic("JPEG error: image too large");
    if (!StartDecompress(d))
        Fail(d);

    auto bitmap = std::make_unique<TBitmap>(static_cast<int>(d.info.output_width),
                                            static_cast<int>(d.info.output_height), pf24bit);
    std::vector<unsigned char*> rows(d.info.output_height);
    for (JDIMENSION y = 0; y < d.info.output_height; ++y)
        rows[y] = bitmap->ScanLine(static_cast<int>(y));
    std::vector<unsigned char> scratch(d.cmyk ? static_cast<std::size_t>(d.info.output_width) * 4 : 0);
    if (!ReadRows(d, rows.data(), scratch.data()))
        Fail(d);
    if (grayscale)
        *grayscale = d.info.jpeg_color_space == JCS_GRAYSCALE;
    return bitmap;
}

} // namespace ui

// ---- TJPEGImage

TJPEGImage::TJPEGImage() : bitmap_(std::make_unique<TBitmap>()) {}

TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return bitmap_->Width(); }

int TJPEGImage::Height() const { return bitmap_->Height(); }

void TJPEGImage::Assign(const TPersistent& source)
{
    const TJPEGImage* jpeg = ui::As<TJPEGImage>(&source);
    if (!jpeg) {
        TGraphic::Assign(source);
        return;
    }
    if (jpeg == this)
        return;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(*jpeg->bitmap_);
    data_ = jpeg->data_;
    bitmap_ = std::move(bitmap);
    grayscale_ = jpeg->grayscale_;
    Changed();
}

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> data)
{
    if (data.empty()) {
        data_.clear();
        bitmap_ = std::make_unique<TBitmap>();
        grayscale_ = false;
        Changed();
        return;
    }
    bool grayscale = false;
    auto bitmap = ui::DecodeJpeg(data, &grayscale);
    data_.assign(data.begin(), data.end());
    bitmap_ = std::move(bitmap);
    grayscale_ = grayscale;
    Changed();
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& rect) { canvas.StretchDraw(rect, *bitmap_); }
