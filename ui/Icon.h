// TIcon: an icon file (.ico) with one or more images. The icon's own size is
// that of the image nearest to the system's large-icon size; drawing at
// another size picks the image that suits that size best, so a 16-pixel
// drawing of a file with 16 and 32-pixel images uses the 16-pixel image.
// Icons are always drawn through their masks (and alpha channels).
#pragma once

#include "ui/Graphics.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TIcon : public TGraphic {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TIcon();
    ~TIcon() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    // The icon at its own size; null while empty. The icon keeps ownership.
    HICON Handle() const noexcept { return handle_.get(); }
    // Takes over an icon made elsewhere (CreateIconIndirect, CopyImage...).
    void SetHandle(ui::UniqueIcon icon);

    // Images in the loaded file, in file order.
    int ImageCount() const noexcept { return static_cast<int>(entries_.size()); }
    SIZE ImageSize(int index) const;

    void Assign(const TPersistent& source) override;
    // An .ico file. Raises EInvalidGraphic when no image in it can be used.
    void LoadFromBytes(std::span<const std::uint8_t> data) override;
    // The loaded file as it was; an icon given by handle becomes a file with
    // one 32-bit image.
    std::vector<std::uint8_t> SaveToBytes() const override;

protected:
    void Draw(TCanvas& canvas, const RECT& rect) override;

private:
    struct Entry {
        int width = 0;
        int height = 0;
        int bits = 0;
        std::size_t offset = 0;
        std::size_t size = 0;
    };

    static std::size_t BestEntry(std::span<const Entry> entries, int width, int height);
    ui::UniqueIcon MakeIcon(const std::vector<std::uint8_t>& data, const Entry& entry, int width, int height) const;
    HICON IconFor(int width, int height);

    std::vector<std::uint8_t> data_;
    std::vector<Entry> entries_;
    ui::UniqueIcon handle_;
    int width_ = 0;
    int height_ = 0;
    // The icon made for the size last drawn at, when that is not the own size.
    ui::UniqueIcon sized_;
    SIZE sizedAt_{};
};
