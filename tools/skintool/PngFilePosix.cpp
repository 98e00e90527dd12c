#include "tools/skintool/PngFile.h"

#include <png.h>

#include <stdexcept>
#include <string>

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != std::size_t(width) * std::size_t(height) * 3) {
        throw std::invalid_argument("PNG: the pixels do not fill " + std::to_string(width) + " x " +
                                    std::to_string(height));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const auto stride = static_cast<png_int_32>(width * 3);
    // The first call measures, the second writes.
    png_alloc_size_t size = 0;
    std::vector<std::uint8_t> file;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), stride, nullptr) != 0) {
        file.resize(size);
        if (png_image_write_to_memory(&image, file.data(), &size, 0, rgb.data(), stride, nullptr) != 0) {
            file.resize(size);
            return file;
        }
    }
    const std::string message = image.message;
    png_image_free(&image);
    throw std::runtime_error("PNG: " + message);
}
