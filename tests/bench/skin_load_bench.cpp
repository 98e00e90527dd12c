// Skin loading under Wine: median time of TSkinData::LoadSkinFromStream
// (decode, parse the description, build every element) for the default
// skin, which the program carries, and for a larger one: the default skin
// with one more picture that no section names.
#include "skin/load/LzhEncoder.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/SkinRead.h"
#include "skin/load/WinConvert.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Resources.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median of `runs` loads in milliseconds, after a few warm-up loads.
double MedianLoadMilliseconds(TSkinData& skinData, const Bytes& skin, int runs)
{
    skinData.SkinStream().SetSize(0);
    skinData.SkinStream().WriteBuffer(skin.data(), skin.size());
    for (int i = 0; i < 3; ++i) {
        if (!skinData.LoadSkinFromStream())
            throw std::runtime_error("the skin does not load");
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        skinData.LoadSkinFromStream();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Seconds(start, end, frequency) * 1e3);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

std::size_t UnpackedSize(const Bytes& skin) { return DecompressSkinStream(skin).size(); }

// The skin with a flat 24-bit picture of about `bytes` bytes appended.
Bytes WithExtraPicture(const Bytes& skin, std::size_t bytes)
{
    TSkinReader reader;
    if (!reader.LoadSkin(skin))
        throw std::runtime_error("the default skin does not load");
    std::vector<TSkinPackageFile> files;
    for (int i = 0; i < reader.Count(); ++i)
        files.push_back({reader.Names()[static_cast<std::size_t>(i)], reader.Entry(i)});
    const int width = 128;
    const int height = static_cast<int>(bytes / (3 * width));
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(3 * width * height);
    Bytes picture(54 + pixelBytes);
    const auto put32 = [&picture](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            picture[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    picture[0] = 'B';
    picture[1] = 'M';
    put32(2, static_cast<std::uint32_t>(picture.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put32(26, 1 | 24 << 16);
    put32(34, pixelBytes);
    for (std::size_t i = 54; i < picture.size(); ++i)
        picture[i] = static_cast<std::uint8_t>(i * 7 / 1000);
    files.insert(files.begin(), {"backdrop.bmp", picture});
    return CompressSkinStream(BuildSkinPackage(files));
}

} // namespace

int main()
{
    constexpr int runs = 50;
    try {
        const TResourceStream stored(nullptr, "FILE_SKINS_DEFAULT_SKIN");
        const auto bytes = stored.Bytes();
        const Bytes defaultSkin(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                reinterpret_cast<const std::uint8_t*>(bytes.data()) + bytes.size());
        const Bytes largerSkin = WithExtraPicture(defaultSkin, 48 * 1024);
        std::printf("TSkinData::LoadSkinFromStream, median of %d runs\n", runs);
        for (const auto& [name, skin] : {std::pair{"default skin", &defaultSkin}, std::pair{"larger skin", &largerSkin}}) {
            TSkinData skinData(nullptr);
            std::printf("  %-14s %7zu bytes stored, %7zu unpacked %8.2f ms\n", name, skin->size(), UnpackedSize(*skin),
                        MedianLoadMilliseconds(skinData, *skin, runs));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skin_load_bench: %s\n", error.what());
        return 1;
    }
    FreeSkinManager();
    return 0;
}
