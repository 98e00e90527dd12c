// The skin package: the unpacked contents of a compressed skin stream.
// Little-endian: version, name list length L (signed), two reserved words,
// L bytes of names (one per line), one 32-bit size per name, then the
// entries' bytes concatenated in name order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint32_t SKIN_PACKAGE_VERSION = 20000;
inline constexpr std::size_t SKIN_PACKAGE_HEADER_SIZE = 16;
inline constexpr std::size_t SKIN_PACKAGE_MAX_ENTRIES = 1001;
// The largest package a skin stream may unpack to; larger claims are corrupt.
inline constexpr std::uint32_t SKIN_PACKAGE_MAX_SIZE = 64u << 20;

// A package whose layout does not fit its data; the message says what.
class ESkinPackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The four header words as stored.
using TSkinPackageHeader = std::array<std::uint32_t, 4>;

// Where everything lies inside one package buffer, checked against its size.
struct TSkinPackageLayout {
    TSkinPackageHeader header{};
    std::vector<std::string> names; // as stored, not lower-cased
    std::vector<std::uint32_t> sizes;
    std::size_t contentsOffset = 0; // first byte of the first entry
    std::size_t contentsSize = 0;   // sum of the sizes
    std::size_t trailingSize = 0;   // bytes after the last entry, ignored
};

// One file to be packed.
struct TSkinPackageFile {
    std::string name;
    std::span<const std::uint8_t> data;
};

// The 16-byte header. Throws ESkinPackageError when the package is shorter.
TSkinPackageHeader ReadSkinPackageHeader(std::span<const std::uint8_t> package);

// Cuts a name list into lines: CR LF, a lone CR and a lone LF each end one
// line; text after the last line end is a line too.
std::vector<std::string> SplitSkinNameList(std::string_view text);

// Locates names, sizes and contents without looking at the version.
// Throws ESkinPackageError when the name list length is negative or runs
// past the data, when there are more than SKIN_PACKAGE_MAX_ENTRIES names,
// or when the size table or the sizes' sum run past the data.
TSkinPackageLayout ParseSkinPackage(std::span<const std::uint8_t> package);

// A version-20000 package holding the files in the given order, names
// ended by CR LF. Throws ESkinPackageError for a name that is empty or
// holds CR, LF or NUL, for more than SKIN_PACKAGE_MAX_ENTRIES files, or
// for a result larger than SKIN_PACKAGE_MAX_SIZE.
std::vector<std::uint8_t> BuildSkinPackage(std::span<const TSkinPackageFile> files);
