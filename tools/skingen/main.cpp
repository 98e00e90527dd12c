// skingen OUTDIR: writes the default skin's source folder, its 34 bitmaps,
// its description and order.txt, the entry order `skintool pack` follows.
// skingen --skin ink OUTDIR: the same for the dark skin, Ink.
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

void WriteSkin(const fs::path& dir, const skingen::Theme& theme, const std::string& which)
{
    fs::create_directories(dir);
    const std::vector<skingen::SkinFile> files = skingen::BuildSkin(theme);
    std::string order = "# Package order of the " + which + " skin, written by skingen.\n";
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

int Usage()
{
    std::fprintf(stderr, "usage: skingen OUTDIR\n       skingen --skin default|ink OUTDIR\n"
                         "       skingen builtin OUTDIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    // "builtin" alone is a forgotten folder, not a folder to fill with the skin.
    const bool builtin = argc > 1 && std::string_view(argv[1]) == "builtin";
    const bool named = argc > 1 && std::string_view(argv[1]) == "--skin";
    if (argc != (builtin ? 3 : named ? 4 : 2)) {
        return Usage();
    }
    const std::string_view skin = named ? argv[2] : "default";
    if (skin != "default" && skin != "ink") {
        return Usage();
    }
    try {
        if (builtin) {
            WriteBuiltinPictures(argv[2]);
        } else if (skin == "ink") {
            WriteSkin(argv[3], skingen::InkTheme(), "Ink");
        } else {
            WriteSkin(argv[argc - 1], skingen::CeladonTheme(), "default");
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skingen: %s\n", error.what());
        return 1;
    }
}
