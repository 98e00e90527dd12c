// TSkinReader on untrusted bytes. The first input byte chooses what the
// rest is: even for a compressed skin stream (LoadSkin), odd for an
// unpacked package (LoadPackage). Whatever it is, the reader accepts a
// consistent package, refuses it with its own error, or shows the version
// message; it never reads outside the data.
#include "skin/load/MessageDialog.h"
#include "skin/load/SkinRead.h"
#include "skin/load/WinConvert.h"
#include "skin/load/WinSkinIni.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <span>
#include <string>
#include <vector>

namespace {

// Streams may declare up to 64 MiB; decoding that much per input would only
// slow the search down, and the codec has a fuzzer of its own.
constexpr std::uint32_t FUZZ_UNPACKED_LIMIT = 64u << 10;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void Exercise(const TSkinReader& reader)
{
    Require(reader.Names().size() == reader.Sizes().size());
    std::vector<std::uint8_t> target;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[static_cast<std::size_t>(i)];
        Require(reader.Entry(i).size() == reader.Sizes()[static_cast<std::size_t>(i)]);
        Require(reader.GetEntry(name, target));
    }
    std::string found;
    if (reader.FindEntry(".ini", target, found)) {
        TQuickIni description;
        description.LoadFromStream(target);
        std::vector<std::string> sections;
        description.ReadSections(sections);
        for (const std::string& section : sections)
            description.ReadInteger(section, "Image", 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TMessageDialogHook quiet = SetMessageDialogHook([](std::string_view) {});
    if (size == 0)
        return 0;
    const bool raw = (data[0] & 1) != 0;
    const std::span<const std::uint8_t> body(data + 1, size - 1);
    TSkinReader reader;
    try {
        bool loaded = false;
        if (raw) {
            loaded = reader.LoadPackage(std::vector<std::uint8_t>(body.begin(), body.end()));
        } else {
            if (body.size() >= 4) {
                const std::uint32_t declared = body[0] | body[1] << 8 | body[2] << 16 |
                                               static_cast<std::uint32_t>(body[3]) << 24;
                if (declared > FUZZ_UNPACKED_LIMIT && declared <= SKIN_PACKAGE_MAX_SIZE)
                    return 0;
            }
            loaded = reader.LoadSkin(body);
        }
        if (loaded)
            Exercise(reader);
        else
            Require(reader.Count() == 0);
    } catch (const ESkinPackageError&) {
        Require(reader.Count() == 0);
    } catch (const ESkinStreamError&) {
        Require(reader.Count() == 0);
    }
    return 0;
}
