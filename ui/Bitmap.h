// TBitmap: a device-independent bitmap (a DIB section) with a canvas.
//
// The pixels live in memory the program can address row by row (ScanLine:
// 3 bytes per pixel, blue, green, red, at 24 bits; 4 at 32), and GDI can draw
// on them through the bitmap's canvas at the same time. Files of every common
// depth load in their own pixel format; PixelFormat converts.
#pragma once

#include "ui/Graphics.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
// tmAuto takes the transparent colour from the bottom-left pixel; tmFixed uses TransparentColor.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected, made on first
// use. When the bitmap is replaced or its handle handed out, the DC lets go of
// the old picture but lives on, so that settings made on it (stretch mode,
// text alignment...) survive a resize.
class TBitmapCanvas : public TCanvas {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override;

    // Takes the bitmap's picture out of the DC; the next drawing puts the
    // current one back in.
    void ReleasePicture() noexcept;
    // Deselects everything and deletes the DC.
    void FreeContext() noexcept;

protected:
    void CreateHandle() override;

private:
    TBitmap& bitmap_;
    ui::UniqueDC dc_;
    HGDIOBJ originalBitmap_ = nullptr;
    bool pictureSelected_ = false;
};

class TBitmap : public TGraphic {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // Resizing keeps the top-left part of the picture; new area is white.
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const noexcept { return format_; }
    // Converts the pixels. pfDevice means the screen's usual depth, 32 bits.
    void SetPixelFormat(TPixelFormat format);

    TCanvas& Canvas();
    // The DIB section (null while empty). The canvas lets go of it first, so
    // the caller may select it into a DC of its own.
    HBITMAP Handle();
    // Takes over a bitmap made elsewhere: its pixels are copied into a DIB
    // section of 24 bits per pixel (32 if it had 32) and it is freed.
    void SetHandle(ui::UniqueBitmap bitmap);

    // Row `row` counted from the top; bytes as the pixel format lays them out.
    // After writing through it, call SetModified(true) so that owners repaint.
    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;
    // The colour table of a 1, 4 or 8-bit bitmap; empty for deeper ones.
    std::span<const RGBQUAD> ColorTable() const noexcept { return palette_; }

    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const noexcept { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    // Deep copy of another bitmap's pixels, format and transparency settings.
    void Assign(const TPersistent& source) override;

    // A .bmp file; an empty bitmap reads and writes as no bytes at all.
    void LoadFromBytes(std::span<const std::uint8_t> data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    // A bitmap resource (RT_BITMAP) of a module.
    void LoadFromResourceName(HINSTANCE instance, const char* name);
    void LoadFromResourceID(HINSTANCE instance, int id);

protected:
    void Draw(TCanvas& canvas, const RECT& rect) override;

private:
    friend class TBitmapCanvas;

    // Replaces the image by a new DIB section; pixels white (or zero-filled with whiteFill false).
    struct Image {
        ui::UniqueBitmap dib;
        std::uint8_t* bits = nullptr;
    };
    static Image NewImage(int width, int height, TPixelFormat format, std::span<const RGBQUAD> palette,
                          bool whiteFill);
    void TakeImage(Image image, int width, int height, TPixelFormat format, std::vector<RGBQUAD> palette);
    void ReleaseFromCanvas() noexcept;
    std::size_t Stride() const noexcept;
    TColor PixelAt(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pf24bit;
    std::vector<RGBQUAD> palette_;
    ui::UniqueBitmap dib_;
    std::uint8_t* bits_ = nullptr;
    std::unique_ptr<TBitmapCanvas> canvas_;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
};
