// skingen OUTDIR: writes the default skin's source folder, its 34 bitmaps,
// its description and order.txt, the entry order `skintool pack` follows.
// skingen builtin OUTDIR: writes the engine's own bitmaps, which the
// programs carry as resources.
// The output depends on nothing but this program, so every build makes
// the same bytes.
#include "tools/skingen/BuiltinPictures.h"
#include "tools/skingen/SkinPictures.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

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

void WriteDefaultSkin(const fs::path& dir)
{
    fs::create_directories(dir);
    const std::vector<skingen::SkinFile> files = skingen::BuildDefaultSkin();
    std::string order = "# Package order of the default skin, written by skingen.\n";
    for (const skingen::SkinFile& file : files) {
        WriteFile(dir / file.name, file.bytes);
        order += file.name + "\n";
    }
    WriteFile(dir / "order.txt", std::vector<std::uint8_t>(order.begin(), order.end()));
}

void WriteBuiltinPictures(const fs::path& dir)
{
    fs::create_directories(dir);
    for (const skingen::SkinFile& file : skingen::BuildBuiltinPictures()) {
        WriteFile(dir / file.name, file.bytes);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // "builtin" alone is a forgotten folder, not a folder to fill with the skin.
    const bool builtin = argc > 1 && std::string_view(argv[1]) == "builtin";
    if (argc != (builtin ? 3 : 2)) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n       skingen builtin OUTDIR\n");
        return 2;
    }
    try {
        if (builtin) {
            WriteBuiltinPictures(argv[2]);
        } else {
            WriteDefaultSkin(argv[1]);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skingen: %s\n", error.what());
        return 1;
    }
}
