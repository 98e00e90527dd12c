// skingen OUTDIR: writes the default skin's source folder, its 34 bitmaps,
// its description and order.txt, the entry order `skintool pack` follows.
// The output depends on nothing but this program, so every build makes
// the same bytes.
#include "tools/skingen/SkinPictures.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n");
        return 2;
    }
    try {
        const fs::path dir = argv[1];
        fs::create_directories(dir);
        const std::vector<skingen::SkinFile> files = skingen::BuildDefaultSkin();
        std::string order = "# Package order of the default skin, written by skingen.\n";
        for (const skingen::SkinFile& file : files) {
            WriteFile(dir / file.name, file.bytes);
            order += file.name + "\n";
        }
        WriteFile(dir / "order.txt", std::vector<std::uint8_t>(order.begin(), order.end()));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skingen: %s\n", error.what());
        return 1;
    }
}
