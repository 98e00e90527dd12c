#include "skin/load/SkinRead.h"

#include "skin/load/AnsiText.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/WinConvert.h"

#include <algorithm>
#include <string>
#include <utility>

bool TSkinReader::LoadSkin(std::span<const std::uint8_t> stream)
{
    Clear();
    if (stream.size() < 4) {
        throw ESkinStreamError("skin stream has " + std::to_string(stream.size()) +
                               " bytes, fewer than its 4-byte length");
    }
    const std::uint32_t unpackedLength = static_cast<std::uint32_t>(stream[0]) |
                                         static_cast<std::uint32_t>(stream[1]) << 8 |
                                         static_cast<std::uint32_t>(stream[2]) << 16 |
                                         static_cast<std::uint32_t>(stream[3]) << 24;
    // A corrupt length word must not make us reserve gigabytes.
    if (unpackedLength > SKIN_PACKAGE_MAX_SIZE) {
        throw ESkinStreamError("skin stream declares " + std::to_string(unpackedLength) +
                               " unpacked bytes, more than the " + std::to_string(SKIN_PACKAGE_MAX_SIZE) +
                               " a skin may have");
    }
    return LoadPackage(DecompressSkinStream(stream, SKIN_PACKAGE_MAX_SIZE));
}

bool TSkinReader::LoadPackage(std::vector<std::uint8_t> package)
{
    Clear();
    const TSkinPackageHeader header = ReadSkinPackageHeader(package);
    if (header[0] != SKIN_PACKAGE_VERSION) {
        ShowMessageDialog(SKIN_OLDER_VERSION_MESSAGE);
        return false;
    }
    TSkinPackageLayout layout = ParseSkinPackage(package);

    FOffsets.reserve(layout.sizes.size());
    std::size_t offset = layout.contentsOffset;
    for (std::uint32_t size : layout.sizes) {
        FOffsets.push_back(offset);
        offset += size;
    }
    FNames.reserve(layout.names.size());
    for (const std::string& name : layout.names)
        FNames.push_back(LowerCaseAscii(name));
    FSizes = std::move(layout.sizes);
    FHeader = header;
    FPackage = std::move(package);
    return true;
}

void TSkinReader::Clear()
{
    FNames.clear();
    FSizes.clear();
    FOffsets.clear();
    FHeader = {};
    FPackage.clear();
}

std::span<const std::uint8_t> TSkinReader::Entry(int index) const
{
    const auto i = static_cast<std::size_t>(index);
    return std::span<const std::uint8_t>(FPackage).subspan(FOffsets.at(i), FSizes.at(i));
}

bool TSkinReader::GetEntry(std::string_view name, std::vector<std::uint8_t>& target) const
{
    target.clear();
    const std::string wanted = LowerCaseAscii(name);
    const auto it = std::find(FNames.begin(), FNames.end(), wanted);
    if (it == FNames.end())
        return false;
    const std::span<const std::uint8_t> bytes = Entry(static_cast<int>(it - FNames.begin()));
    target.assign(bytes.begin(), bytes.end());
    return true;
}

bool TSkinReader::FindEntry(std::string_view fragment, std::vector<std::uint8_t>& target,
                            std::string& foundName) const
{
    target.clear();
    const auto it = std::find_if(FNames.begin(), FNames.end(), [&](const std::string& name) {
        return name.find(fragment) != std::string::npos;
    });
    if (it == FNames.end())
        return false;
    const std::span<const std::uint8_t> bytes = Entry(static_cast<int>(it - FNames.begin()));
    target.assign(bytes.begin(), bytes.end());
    foundName = *it;
    return true;
}
