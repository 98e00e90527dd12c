// TSkinReader: unpacks a compressed skin stream and hands out the entries
// of the skin package inside it, by name or by a fragment of a name.
#pragma once

#include "skin/load/SkinPackage.h"
#include "skin/load/WinConvert.h" // ESkinStreamError and ElzhException, which LoadSkin throws

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* SKIN_OLDER_VERSION_MESSAGE = "This is Older Skin File\rPlease update to new version !";

class TSkinReader {
public:
    // Unpacks and indexes a compressed skin stream (32-bit unpacked length,
    // then LZHUF data). Returns false, after telling the user through
    // ShowMessageDialog, for a package of another version than 20000.
    // Throws ESkinStreamError for a stream shorter than its length word or
    // declaring more than SKIN_PACKAGE_MAX_SIZE bytes (before reserving
    // any), ESkinPackageError for a package whose layout does not fit its
    // data, and ElzhException from the codec. After a false result or an
    // exception the reader holds no entries.
    bool LoadSkin(std::span<const std::uint8_t> stream);

    // The same for a package that is already unpacked.
    bool LoadPackage(std::vector<std::uint8_t> package);

    // Replaces target with the entry whose name equals name after ASCII
    // lower-casing; leaves it empty when there is none. Returns whether
    // the entry was found.
    bool GetEntry(std::string_view name, std::vector<std::uint8_t>& target) const;

    // Replaces target with the first entry whose name contains fragment
    // (byte for byte: stored names are lower-case, so is what finds them)
    // and sets foundName to that name. Without a match target is left
    // empty and foundName unchanged.
    bool FindEntry(std::string_view fragment, std::vector<std::uint8_t>& target, std::string& foundName) const;

    int Count() const { return static_cast<int>(FNames.size()); }
    const std::vector<std::string>& Names() const { return FNames; } // lower-cased, package order
    const std::vector<std::uint32_t>& Sizes() const { return FSizes; }
    const TSkinPackageHeader& Header() const { return FHeader; }
    // The bytes of entry index (0-based, package order).
    std::span<const std::uint8_t> Entry(int index) const;

private:
    void Clear();

    std::vector<std::string> FNames;
    std::vector<std::uint32_t> FSizes;
    std::vector<std::size_t> FOffsets; // each entry's start inside FPackage
    TSkinPackageHeader FHeader{};
    std::vector<std::uint8_t> FPackage; // the whole unpacked package
};
