#include "skin/load/SkinPackage.h"

#include <algorithm>
#include <string>

namespace {

std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Calls onLine for every line of text, by the rule of SplitSkinNameList;
// stops early when onLine returns false.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine&& onLine)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
        if (!onLine(line))
            return;
    }
}

std::string Describe(std::size_t value)
{
    return std::to_string(value);
}

} // namespace

TSkinPackageHeader ReadSkinPackageHeader(std::span<const std::uint8_t> package)
{
    if (package.size() < SKIN_PACKAGE_HEADER_SIZE) {
        throw ESkinPackageError("skin package has " + Describe(package.size()) +
                                " bytes, fewer than its 16-byte header");
    }
    return {ReadLe32(package, 0), ReadLe32(package, 4), ReadLe32(package, 8), ReadLe32(package, 12)};
}

std::vector<std::string> SplitSkinNameList(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

TSkinPackageLayout ParseSkinPackage(std::span<const std::uint8_t> package)
{
    TSkinPackageLayout layout;
    layout.header = ReadSkinPackageHeader(package);
    const auto nameListLength = static_cast<std::int32_t>(layout.header[1]);
    const std::size_t available = package.size() - SKIN_PACKAGE_HEADER_SIZE;
    if (nameListLength < 0)
        throw ESkinPackageError("skin package name list length is negative (" + std::to_string(nameListLength) + ")");
    if (static_cast<std::size_t>(nameListLength) > available) {
        throw ESkinPackageError("skin package name list (" + std::to_string(nameListLength) +
                                " bytes) runs past the " + Describe(available) + " bytes after the header");
    }

    const std::string_view nameList(reinterpret_cast<const char*>(package.data()) + SKIN_PACKAGE_HEADER_SIZE,
                                    static_cast<std::size_t>(nameListLength));
    // Counted before anything is stored, so that a name list of millions of
    // empty lines costs no memory.
    std::size_t count = 0;
    ForEachLine(nameList, [&](std::string_view) { return ++count <= SKIN_PACKAGE_MAX_ENTRIES; });
    if (count > SKIN_PACKAGE_MAX_ENTRIES) {
        throw ESkinPackageError("skin package names more than " + Describe(SKIN_PACKAGE_MAX_ENTRIES) + " entries");
    }
    layout.names = SplitSkinNameList(nameList);

    const std::size_t sizesOffset = SKIN_PACKAGE_HEADER_SIZE + nameList.size();
    const std::size_t sizeTableBytes = 4 * count;
    if (sizeTableBytes > package.size() - sizesOffset) {
        throw ESkinPackageError("skin package size table (" + Describe(count) + " entries) runs past the data");
    }
    layout.contentsOffset = sizesOffset + sizeTableBytes;
    const std::size_t contentsAvailable = package.size() - layout.contentsOffset;
    // At most 1001 sizes below 2^32 each: the sum fits 64 bits.
    std::uint64_t total = 0;
    layout.sizes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t size = ReadLe32(package, sizesOffset + 4 * i);
        layout.sizes.push_back(size);
        total += size;
    }
    if (total > contentsAvailable) {
        throw ESkinPackageError("skin package entries add up to " + std::to_string(total) + " bytes, but only " +
                                Describe(contentsAvailable) + " follow the size table");
    }
    layout.contentsSize = static_cast<std::size_t>(total);
    layout.trailingSize = contentsAvailable - layout.contentsSize;
    return layout;
}

std::vector<std::uint8_t> BuildSkinPackage(std::span<const TSkinPackageFile> files)
{
    if (files.size() > SKIN_PACKAGE_MAX_ENTRIES) {
        throw ESkinPackageError("a skin package holds at most " + Describe(SKIN_PACKAGE_MAX_ENTRIES) +
                                " entries, not " + Describe(files.size()));
    }
    std::string nameList;
    std::uint64_t total = SKIN_PACKAGE_HEADER_SIZE;
    for (const TSkinPackageFile& file : files) {
        if (file.name.empty())
            throw ESkinPackageError("a skin package entry needs a name");
        if (file.name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            throw ESkinPackageError("entry name \"" + file.name + "\" holds a line break or NUL");
        nameList += file.name;
        nameList += "\r\n";
        total += 4 + file.data.size();
    }
    total += nameList.size();
    if (total > SKIN_PACKAGE_MAX_SIZE) {
        throw ESkinPackageError("skin package would be " + std::to_string(total) + " bytes, more than " +
                                Describe(SKIN_PACKAGE_MAX_SIZE));
    }

    std::vector<std::uint8_t> package;
    package.reserve(static_cast<std::size_t>(total));
    AppendLe32(package, SKIN_PACKAGE_VERSION);
    AppendLe32(package, static_cast<std::uint32_t>(nameList.size()));
    AppendLe32(package, 0);
    AppendLe32(package, 0);
    package.insert(package.end(), nameList.begin(), nameList.end());
    for (const TSkinPackageFile& file : files)
        AppendLe32(package, static_cast<std::uint32_t>(file.data.size()));
    for (const TSkinPackageFile& file : files)
        package.insert(package.end(), file.data.begin(), file.data.end());
    return package;
}
