#include "tools/skintool/SkinTool.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string Reason() { return std::strerror(errno); }

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (!path_.empty()) {
            std::remove(path_.c_str());
        }
    }
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

std::string TemporaryNameFor(const std::string& path)
{
    std::random_device random;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    return path + suffix;
}

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path)
{
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw ToolError("cannot open " + path + ": " + Reason());
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) {
        throw ToolError("cannot read " + path + ": " + Reason());
    }
    return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    TemporaryFile temporary(TemporaryNameFor(path));
    {
        const File file(std::fopen(temporary.Path().c_str(), "wb"));
        if (!file) {
            temporary.Keep();  // nothing was created
            throw ToolError("cannot write " + path + ": " + Reason());
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
            std::fflush(file.get()) != 0) {
            throw ToolError("cannot write " + path + ": " + Reason());
        }
    }
    const std::string failure = MoveIntoPlace(temporary.Path(), path);
    if (!failure.empty()) {
        throw ToolError("cannot write " + path + ": " + failure);
    }
    temporary.Keep();
}
