// Shared by the skin data tests: the packed test skins, variants of them
// repacked on the fly, and pixel reading.
#pragma once

#include "skin/load/LzhEncoder.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/SkinRead.h"
#include "skin/load/WinConvert.h"
#include "skin/model/WinSkinData.h"
#include "tests/win/skins/EdgeSkin.h"
#include "ui/Bitmap.h"
#include "ui/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace skintest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBinaryFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file the build made, by its path below the build tree.
inline Bytes BuiltFile(const std::string& relativePath)
{
    const char* binary = std::getenv("ZEL_BINARY_DIR");
    if (!binary)
        throw std::runtime_error("ZEL_BINARY_DIR is not set");
    return ReadBinaryFile(std::string(binary) + "/" + relativePath);
}

inline const Bytes& EdgeSkin()
{
    static const Bytes skin = BuiltFile("test-skins/edge.skin");
    return skin;
}

// The skin repacked: its description passed through editIni, the entry
// named `dropped` (if any) left out, the package stamped with version.
inline Bytes RepackSkin(const Bytes& skin, const std::function<std::string(std::string)>& editIni,
                        std::uint32_t version = SKIN_PACKAGE_VERSION, const std::string& dropped = {})
{
    TSkinReader reader;
    if (!reader.LoadSkin(skin))
        throw std::runtime_error("the test skin does not load");
    std::vector<std::string> names;
    std::vector<Bytes> contents;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[static_cast<std::size_t>(i)];
        if (name == dropped)
            continue;
        const std::span<const std::uint8_t> entry = reader.Entry(i);
        names.push_back(name);
        contents.emplace_back(entry.begin(), entry.end());
        if (name.find(".ini") != std::string::npos) {
            const std::string edited = editIni(std::string(contents.back().begin(), contents.back().end()));
            contents.back().assign(edited.begin(), edited.end());
        }
    }
    if (!dropped.empty() && names.size() == static_cast<std::size_t>(reader.Count()))
        throw std::logic_error(dropped + " is not in the test skin");
    std::vector<TSkinPackageFile> files;
    for (std::size_t i = 0; i < names.size(); ++i)
        files.push_back({names[i], contents[i]});
    Bytes package = BuildSkinPackage(files);
    for (int i = 0; i < 4; ++i)
        package[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(version >> (8 * i));
    return CompressSkinStream(package);
}

// The skin repacked without its package entry `file`.
inline Bytes RepackSkinWithout(const Bytes& skin, const std::string& file)
{
    return RepackSkin(skin, [](std::string ini) { return ini; }, SKIN_PACKAGE_VERSION, file);
}

// The skin with its package cut in half: the size table promises more
// than follows. (A cut compressed stream would still decode: missing input
// reads as zeros.)
inline Bytes CutPackageSkin(const Bytes& skin)
{
    Bytes package = DecompressSkinStream(skin);
    package.resize(package.size() / 2);
    return CompressSkinStream(package);
}

// The description without the lines from the one starting with `from` up to
// the next blank line (a section, or one key when `from` is a key line).
inline std::string WithoutLines(std::string ini, const std::string& from)
{
    const std::size_t start = ini.find(from);
    if (start == std::string::npos)
        throw std::logic_error(from + " is not in the test skin's description");
    const std::size_t end = from.front() == '[' ? ini.find("\n\n", start) + 1 : ini.find('\n', start) + 1;
    return ini.erase(start, end - start);
}

inline bool LoadSkinBytes(TSkinData& skinData, std::span<const std::uint8_t> skin)
{
    skinData.SkinStream().SetSize(0);
    skinData.SkinStream().WriteBuffer(skin.data(), skin.size());
    return skinData.LoadSkinFromStream();
}

constexpr TColor ToColour(edgeskin::Rgb rgb)
{
    return static_cast<TColor>(rgb.r) | static_cast<TColor>(rgb.g) << 8 | static_cast<TColor>(rgb.b) << 16;
}

// The pixel as 0x00BBGGRR, from a 24- or 32-bit bitmap.
inline TColor PixelOf(const TBitmap& bitmap, int x, int y)
{
    const int bytesPerPixel = bitmap.PixelFormat() == pf32bit ? 4 : 3;
    if (bitmap.PixelFormat() != pf24bit && bitmap.PixelFormat() != pf32bit)
        ADD_FAILURE() << "a skin bitmap of pixel format " << bitmap.PixelFormat();
    const std::uint8_t* p = bitmap.ScanLine(y) + x * bytesPerPixel;
    return static_cast<TColor>(p[2]) | static_cast<TColor>(p[1]) << 8 | static_cast<TColor>(p[0]) << 16;
}

} // namespace skintest
