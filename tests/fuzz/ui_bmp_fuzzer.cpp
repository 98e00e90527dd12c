// Feeds arbitrary bytes to the bitmap file decoder. Whatever decodes must
// hold exactly the pixel bytes its size and layout need, and must come back
// unchanged through the writer.
// Run from the fuzz tree, new inputs going to a scratch folder:
//   mkdir -p build/fuzz/corpus/ui_bmp
//   build/fuzz/tests/fuzz/ui_bmp_fuzzer build/fuzz/corpus/ui_bmp tests/fuzz/corpus/ui_bmp -max_total_time=600
#include "ui/BmpFormat.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ui::bmp::Image image;
    try {
        image = ui::bmp::Decode(std::span(data, size));
    } catch (const ui::bmp::FormatError&) {
        return 0;
    }
    const std::size_t stride = ui::bmp::Stride(image.width, image.layout);
    Check(image.pixels.size() == stride * static_cast<std::size_t>(image.height));
    const int bits = ui::bmp::BitsPerPixel(image.layout);
    Check(bits > 8 ? image.palette.empty() : image.palette.size() == (std::size_t{1} << bits));

    const auto file = ui::bmp::Encode({image.width, image.height, image.layout, image.palette, image.pixels});
    const ui::bmp::Image again = ui::bmp::Decode(file);
    Check(again.width == image.width && again.height == image.height && again.layout == image.layout);
    Check(again.palette == image.palette && again.pixels == image.pixels);
    return 0;
}
