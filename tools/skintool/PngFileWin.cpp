#include "tools/skintool/PngFile.h"

#include "ui/PngWriter.h"

#include <string>

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != std::size_t(width) * std::size_t(height) * 3) {
        throw std::invalid_argument("PNG: the pixels do not fill " + std::to_string(width) + " x " +
                                    std::to_string(height));
    }
    // The system's encoder takes blue first.
    std::vector<std::uint8_t> bgr(rgb.begin(), rgb.end());
    for (std::size_t i = 0; i < bgr.size(); i += 3) {
        std::swap(bgr[i], bgr[i + 2]);
    }
    try {
        return ui::EncodePngBgr(width, height, bgr, std::size_t(width) * 3);
    } catch (const ui::EPngWriteError& error) {
        throw std::runtime_error(error.what());
    }
}
