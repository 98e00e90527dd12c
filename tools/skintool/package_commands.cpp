// The package half of skintool: packing a skin folder into a compressed
// skin, taking one apart, listing it and checking it.
#include "tools/skintool/SkinCheck.h"
#include "tools/skintool/SkinTool.h"

#include "skin/load/AnsiText.h"
#include "skin/load/SkinFolder.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/WinConvert.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

int Pack(std::span<const std::string> arguments)
{
    TPackedSkinFolder packed;
    try {
        packed = PackSkinFolder(arguments[0], [](const std::string& name) {
            std::fprintf(stderr, "skintool pack: %s is not in %s, not packed\n", name.c_str(),
                         SKIN_FOLDER_ORDER_FILE.data());
        });
    } catch (const ESkinFolderError& error) {
        throw ToolError(error.what());
    }
    WriteFileAtomically(arguments[1], packed.stream);
    std::printf("%s: %zu entries, %zu bytes unpacked, %zu bytes compressed\n", arguments[1].c_str(),
                packed.entryCount, packed.packageSize, packed.stream.size());
    return 0;
}

// The package inside a compressed skin, its layout checked.
struct OpenedSkin {
    Bytes package;
    TSkinPackageLayout layout;
};

OpenedSkin OpenSkin(const std::string& path)
{
    OpenedSkin skin;
    try {
        skin.package = DecompressSkinStream(ReadFileBytes(path), SKIN_PACKAGE_MAX_SIZE);
        skin.layout = ParseSkinPackage(skin.package);
    } catch (const ESkinStreamError& error) {
        throw ToolError(path + ": " + error.what());
    } catch (const ESkinPackageError& error) {
        throw ToolError(path + ": " + error.what());
    }
    return skin;
}

std::span<const std::uint8_t> EntryBytes(const OpenedSkin& skin, std::size_t index)
{
    std::size_t offset = skin.layout.contentsOffset;
    for (std::size_t i = 0; i < index; ++i)
        offset += skin.layout.sizes[i];
    return std::span<const std::uint8_t>(skin.package).subspan(offset, skin.layout.sizes[index]);
}

int List(std::span<const std::string> arguments)
{
    const OpenedSkin skin = OpenSkin(arguments[0]);
    std::size_t width = 4;
    for (const std::string& name : skin.layout.names)
        width = std::max(width, name.size());
    for (std::size_t i = 0; i < skin.layout.names.size(); ++i)
        std::printf("%-*s %10u\n", static_cast<int>(width), skin.layout.names[i].c_str(), skin.layout.sizes[i]);
    std::printf("%zu entries, %zu bytes, package version %u\n", skin.layout.names.size(), skin.layout.contentsSize,
                skin.layout.header[0]);
    return 0;
}

// A name that is safe to create inside the target folder on every system.
bool SafeFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ')
        return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    // Device names open the device, whatever their extension.
    const std::string stem = LowerCaseAscii(name.substr(0, name.find('.')));
    static const std::set<std::string> devices = {"con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4",
                                                  "com5", "com6", "com7", "com8", "com9", "lpt1", "lpt2", "lpt3",
                                                  "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
    return devices.count(stem) == 0;
}

int Unpack(std::span<const std::string> arguments)
{
    const OpenedSkin skin = OpenSkin(arguments[0]);
    if (skin.layout.header[0] != SKIN_PACKAGE_VERSION) {
        throw ToolError(arguments[0] + ": package version " + std::to_string(skin.layout.header[0]) + ", not " +
                        std::to_string(SKIN_PACKAGE_VERSION));
    }
    const std::vector<std::string>& names = skin.layout.names;
    std::set<std::string> seen;
    for (const std::string& name : names) {
        if (!SafeFileName(name))
            throw ToolError(arguments[0] + ": entry name \"" + name + "\" is not a safe file name");
        if (!seen.insert(LowerCaseAscii(name)).second)
            throw ToolError(arguments[0] + ": entry name \"" + name + "\" occurs twice");
    }
    const bool needsOrder = DefaultSkinFolderOrder(names) != names;
    if (needsOrder && seen.count(std::string(SKIN_FOLDER_ORDER_FILE)) != 0)
        throw ToolError(arguments[0] + ": an entry is named " + std::string(SKIN_FOLDER_ORDER_FILE) +
                        ", which the order needs");

    // A fresh folder: stale files would end up in the next pack.
    const fs::path dir = arguments[1];
    std::error_code error;
    if (fs::exists(dir, error) && !fs::is_empty(dir, error))
        throw ToolError(dir.string() + " exists and is not empty");
    fs::create_directories(dir, error);
    if (error)
        throw ToolError("cannot create " + dir.string() + ": " + error.message());

    for (std::size_t i = 0; i < names.size(); ++i)
        WriteFileAtomically((dir / names[i]).string(), EntryBytes(skin, i));
    if (needsOrder) {
        std::string order;
        for (const std::string& name : names)
            order += name + "\n";
        WriteFileAtomically((dir / SKIN_FOLDER_ORDER_FILE).string(),
                            std::span(reinterpret_cast<const std::uint8_t*>(order.data()), order.size()));
    }
    std::printf("%s: %zu entries%s\n", dir.string().c_str(), names.size(),
                needsOrder ? ", order in order.txt" : "");
    return 0;
}

int Check(std::span<const std::string> arguments)
{
    const Bytes stream = ReadFileBytes(arguments[0]);
    std::string summary;
    const std::vector<std::string> problems = CheckSkin(stream, summary);
    for (const std::string& problem : problems)
        std::printf("%s: %s\n", arguments[0].c_str(), problem.c_str());
    if (!problems.empty()) {
        std::printf("%s: %zu problem%s\n", arguments[0].c_str(), problems.size(), problems.size() == 1 ? "" : "s");
        return 1;
    }
    std::printf("%s: ok, %s\n", arguments[0].c_str(), summary.c_str());
    return 0;
}

constexpr std::array commands = {
    SkinToolCommand{"pack", "DIR OUT", "pack a skin folder into a compressed skin", 2, Pack},
    SkinToolCommand{"unpack", "IN DIR", "write the entries of a skin into a new folder", 2, Unpack},
    SkinToolCommand{"list", "IN", "list a skin's entries and sizes in package order", 1, List},
    SkinToolCommand{"check", "IN", "verify container, description and every bitmap it names", 1, Check},
};

} // namespace

std::span<const SkinToolCommand> PackageCommands()
{
    return commands;
}
