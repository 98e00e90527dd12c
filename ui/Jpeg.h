// TJPEGImage: a JPEG picture, decoded with libjpeg-turbo into a 24-bit
// bitmap when it is loaded. The file's own bytes are kept, so saving writes
// the same file back instead of compressing the pixels a second time.
#pragma once

#include "ui/Bitmap.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TJPEGImage : public TGraphic {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TJPEGImage();
    ~TJPEGImage() override;

    int Width() const override;
    int Height() const override;
    // True when the file holds a single grey channel.
    bool Grayscale() const noexcept { return grayscale_; }
    // The decoded pixels (24 bits per pixel); empty before anything is loaded.
    const TBitmap& Bitmap() const noexcept { return *bitmap_; }

    void Assign(const TPersistent& source) override;
    // Raises EInvalidGraphic for data libjpeg cannot decode; a file cut short
    // decodes as far as it goes, like in every picture viewer.
    void LoadFromBytes(std::span<const std::uint8_t> data) override;
    std::vector<std::uint8_t> SaveToBytes() const override { return data_; }

protected:
    void Draw(TCanvas& canvas, const RECT& rect) override;

private:
    std::vector<std::uint8_t> data_;
    std::unique_ptr<TBitmap> bitmap_;
    bool grayscale_ = false;
};

namespace ui {
// Decodes a JPEG file into a new 24-bit bitmap. Raises EInvalidGraphic.
std::unique_ptr<TBitmap> DecodeJpeg(std::span<const std::uint8_t> data, bool* grayscale = nullptr);
} // namespace ui
