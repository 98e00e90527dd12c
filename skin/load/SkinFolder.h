// An unpacked skin folder: the bitmaps and the description of a skin as
// files of their own, the form in which a skin is written and edited. It
// packs into the compressed skin stream a skin file holds, and its listing
// tells a watcher when any of its files changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Names the entries of a skin folder in package order, one per line; blank
// lines and lines starting with "#" are skipped. Without it, the folder's
// bitmaps go first in name order and its description last.
inline constexpr std::string_view SKIN_FOLDER_ORDER_FILE = "order.txt";

// A folder that cannot be packed; the message says why, naming the file.
class ESkinFolderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bitmaps in byte order of their names, then descriptions; empty when some
// name is neither, because then no default order exists.
std::vector<std::string> DefaultSkinFolderOrder(std::vector<std::string> names);

struct TPackedSkinFolder {
    std::vector<std::uint8_t> stream;  // the compressed skin stream
    std::size_t entryCount = 0;
    std::size_t packageSize = 0;  // bytes before compression
};

// Told of each file the order file leaves out, which is not packed.
using TSkinFolderUnlisted = std::function<void(const std::string& name)>;

// Packs the regular files of dir in package order; throws ESkinFolderError.
TPackedSkinFolder PackSkinFolder(const std::filesystem::path& dir, const TSkinFolderUnlisted& unlisted = {});

struct TSkinFolderFile {
    std::string name;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
    // Some systems keep write times in whole seconds, so two saves within
    // one second are told apart by what they wrote.
    std::uint64_t contentHash = 0;
    bool operator==(const TSkinFolderFile&) const = default;
};

// The regular files of dir by name, with their sizes, last-write times and
// contents' hashes: two listings differ when a file was added, removed or
// rewritten. Empty when the folder cannot be read. Reads every file, which
// for a skin's few hundred kilobytes costs next to nothing.
std::vector<TSkinFolderFile> ListSkinFolder(const std::filesystem::path& dir);
