#include "skin/load/SkinFolder.h"

#include "skin/load/AnsiText.h"
#include "skin/load/LzhEncoder.h"
#include "skin/load/SkinPackage.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string Extension(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : LowerCaseAscii(name.substr(dot));
}

Bytes ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ESkinFolderError("cannot open " + path.string());
    Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw ESkinFolderError("cannot read " + path.string());
    return bytes;
}

// FNV-1a: cheap, and any edit changes it.
std::uint64_t ContentHash(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::uint64_t hash = 14695981039346656037ull;
    char chunk[16384];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            hash ^= static_cast<unsigned char>(chunk[i]);
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

std::string TrimLine(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = line.find_last_not_of(" \t\r\n");
    return std::string(line.substr(first, last - first + 1));
}

std::vector<std::string> ReadOrderFile(const fs::path& path)
{
    const Bytes bytes = ReadWholeFile(path);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::string> names;
    for (const std::string& raw : SplitSkinNameList(text)) {
        std::string line = TrimLine(raw);
        if (!line.empty() && line.front() != '#')
            names.push_back(std::move(line));
    }
    return names;
}

std::vector<std::string> RegularFiles(const fs::path& dir)
{
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error)
        throw ESkinFolderError("cannot read folder " + dir.string() + ": " + error.message());
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : it) {
        if (entry.is_regular_file(error))
            names.push_back(entry.path().filename().string());
    }
    return names;
}

std::vector<std::string> PackOrder(const fs::path& dir, const TSkinFolderUnlisted& unlisted)
{
    std::vector<std::string> files = RegularFiles(dir);
    const std::string orderFile(SKIN_FOLDER_ORDER_FILE);
    if (std::find(files.begin(), files.end(), orderFile) != files.end()) {
        std::vector<std::string> order = ReadOrderFile(dir / orderFile);
        for (const std::string& name : order) {
            if (std::find(files.begin(), files.end(), name) == files.end())
                throw ESkinFolderError(orderFile + " names " + name + ", which is not a file in " + dir.string());
        }
        for (const std::string& name : files) {
            if (name != orderFile && std::find(order.begin(), order.end(), name) == order.end() && unlisted)
                unlisted(name);
        }
        return order;
    }
    std::vector<std::string> order = DefaultSkinFolderOrder(files);
    if (order.empty() && !files.empty()) {
        throw ESkinFolderError("only .bmp and .ini files have a default place in a package; list the entries of " +
                               dir.string() + " in " + orderFile);
    }
    return order;
}

} // namespace

std::vector<std::string> DefaultSkinFolderOrder(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const bool aIni = Extension(a) == ".ini";
        const bool bIni = Extension(b) == ".ini";
        return aIni != bIni ? bIni : a < b;
    });
    const bool allKnown = std::all_of(names.begin(), names.end(), [](const std::string& name) {
        const std::string extension = Extension(name);
        return extension == ".bmp" || extension == ".ini";
    });
    return allKnown ? names : std::vector<std::string>();
}

TPackedSkinFolder PackSkinFolder(const fs::path& dir, const TSkinFolderUnlisted& unlisted)
{
    const std::vector<std::string> order = PackOrder(dir, unlisted);
    // The reader lower-cases names, so these would shadow each other.
    std::set<std::string> seen;
    for (const std::string& name : order) {
        if (!seen.insert(LowerCaseAscii(name)).second)
            throw ESkinFolderError("entry " + name + " occurs twice, ignoring case");
    }
    std::vector<Bytes> contents;
    contents.reserve(order.size());
    std::vector<TSkinPackageFile> files;
    for (const std::string& name : order) {
        contents.push_back(ReadWholeFile(dir / name));
        files.push_back({name, contents.back()});
    }
    Bytes package;
    try {
        package = BuildSkinPackage(files);
    } catch (const ESkinPackageError& error) {
        throw ESkinFolderError(error.what());
    }
    TPackedSkinFolder packed;
    packed.stream = CompressSkinStream(package);
    packed.entryCount = files.size();
    packed.packageSize = package.size();
    return packed;
}

std::vector<TSkinFolderFile> ListSkinFolder(const fs::path& dir)
{
    std::vector<TSkinFolderFile> listing;
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error)
        return listing;
    for (const fs::directory_entry& entry : it) {
        // A file removed between the scan and the question is simply not listed.
        TSkinFolderFile file;
        if (!entry.is_regular_file(error))
            continue;
        file.size = entry.file_size(error);
        if (error)
            continue;
        file.written = entry.last_write_time(error);
        if (error)
            continue;
        file.contentHash = ContentHash(entry.path());
        file.name = entry.path().filename().string();
        listing.push_back(std::move(file));
    }
    std::sort(listing.begin(), listing.end(),
              [](const TSkinFolderFile& a, const TSkinFolderFile& b) { return a.name < b.name; });
    return listing;
}
