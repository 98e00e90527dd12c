// What `skintool check` verifies in a compressed skin: the container, the
// description, and every bitmap the description names.
#pragma once

#include "skin/load/WinSkinIni.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A key of the description whose value names a bitmap the loader reads.
struct SkinBitmapReference {
    std::string section;
    std::string key;
    std::string value;
};

// Every bitmap reference the element loader follows, in loading order:
// fixed sections and keys, glyphs of elements that exist, and the images
// of the caption buttons that the loader keeps.
std::vector<SkinBitmapReference> DescribedBitmaps(const TQuickIni& description);

// One line per problem; empty when the skin is sound. `summary` receives a
// line describing what was checked.
std::vector<std::string> CheckSkin(std::span<const std::uint8_t> stream, std::string& summary);
