// The codec half of skintool: a compressed skin stream is the 32-bit
// little-endian unpacked length followed by the LZHUF-coded data.
#include "tools/skintool/SkinTool.h"

#include "skin/load/LzhEncoder.h"
#include "skin/load/WinConvert.h"

#include <array>
#include <cstdio>

namespace {

int Compress(std::span<const std::string> arguments)
{
    const std::vector<std::uint8_t> data = ReadFileBytes(arguments[0]);
    const std::vector<std::uint8_t> stream = CompressSkinStream(data);
    WriteFileAtomically(arguments[1], stream);
    std::printf("%s: %zu bytes -> %zu bytes\n", arguments[1].c_str(), data.size(), stream.size());
    return 0;
}

int Decompress(std::span<const std::string> arguments)
{
    const std::vector<std::uint8_t> stream = ReadFileBytes(arguments[0]);
    std::vector<std::uint8_t> data;
    try {
        data = DecompressSkinStream(stream);
    } catch (const ESkinStreamError& error) {
        throw ToolError(arguments[0] + ": " + error.what());
    }
    WriteFileAtomically(arguments[1], data);
    std::printf("%s: %zu bytes -> %zu bytes\n", arguments[1].c_str(), stream.size(), data.size());
    return 0;
}

constexpr std::array commands = {
    SkinToolCommand{"compress", "IN OUT", "compress any file into a skin stream", 2, Compress},
    SkinToolCommand{"decompress", "IN OUT", "unpack a skin stream into its raw bytes", 2, Decompress},
};

}  // namespace

std::span<const SkinToolCommand> CodecCommands() { return commands; }
