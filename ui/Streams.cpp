#include "ui/Streams.h"

#include "ui/Exceptions.h"

#include <algorithm>
#include <climits>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

std::int64_t Target(std::int64_t offset, TSeekOrigin origin, std::int64_t current, std::int64_t size)
{
    std::int64_t base = 0;
    switch (origin) {
    case soBeginning:
        break;
    case soCurrent:
        base = current;
        break;
    case soEnd:
        base = size;
        break;
    }
    const std::int64_t target = base + offset;
    if (target < 0) {
        throw EStreamError("Invalid stream position");
    }
    return target;
}

} // namespace

constinit const TClassInfo TStream::ClassInfo = ui::ClassOf<TStream>("TStream", TObject::ClassInfo);
constinit const TClassInfo TCustomMemoryStream::ClassInfo =
    ui::ClassOf<TCustomMemoryStream>("TCustomMemoryStream", TStream::ClassInfo);
constinit const TClassInfo TMemoryStream::ClassInfo =
    ui::ClassOf<TMemoryStream>("TMemoryStream", TCustomMemoryStream::ClassInfo);
constinit const TClassInfo TFileStream::ClassInfo = ui::ClassOf<TFileStream>("TFileStream", TStream::ClassInfo);

std::int64_t TStream::Remaining()
{
    return std::max<std::int64_t>(0, Size() - Position());
}

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (count != 0 && Read(buffer, count) != count) {
        throw EReadError("Stream read error");
    }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count)
{
    if (count != 0 && Write(buffer, count) != count) {
        throw EWriteError("Stream write error");
    }
}

std::int32_t TStream::ReadInt32()
{
    unsigned char bytes[4];
    ReadBuffer(bytes, sizeof(bytes));
    const std::uint32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void TStream::WriteInt32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
        static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    WriteBuffer(bytes, sizeof(bytes));
}

std::vector<std::byte> TStream::ReadCountedBytes()
{
    const std::int32_t count = ReadInt32();
    if (count <= 0) {
        return {};
    }
    if (count > Remaining()) {
        throw EReadError("Stream read error");
    }
    std::vector<std::byte> bytes(static_cast<std::size_t>(count));
    ReadBuffer(bytes);
    return bytes;
}

void TStream::WriteCountedBytes(std::span<const std::byte> bytes)
{
    WriteInt32(static_cast<std::int32_t>(bytes.size()));
    WriteBuffer(bytes);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::byte buffer[16384];
    std::int64_t left = count;
    while (left > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(left, sizeof(buffer)));
        source.ReadBuffer(buffer, chunk);
        WriteBuffer(buffer, chunk);
        left -= static_cast<std::int64_t>(chunk);
    }
    return count;
}

std::size_t TCustomMemoryStream::Read(void* buffer, std::size_t count)
{
    if (position_ >= size_) {
        return 0;
    }
    const std::size_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

std::size_t TCustomMemoryStream::Write(const void*, std::size_t)
{
    return 0;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t target = Target(offset, origin, static_cast<std::int64_t>(position_), Size());
    position_ = static_cast<std::size_t>(target);
    return target;
}

void TCustomMemoryStream::SetSize(std::int64_t)
{
    throw EStreamError("Cannot resize a read-only memory stream");
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const
{
    stream.WriteBuffer(data_, size_);
}

void TCustomMemoryStream::SaveToFile(std::string_view fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TCustomMemoryStream::SetPointer(const std::byte* data, std::size_t size)
{
    data_ = data;
    size_ = size;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0) {
        return 0;
    }
    const std::size_t end = position_ + count;
    if (end > buffer_.size()) {
        buffer_.resize(end);
    }
    std::memcpy(buffer_.data() + position_, buffer, count);
    position_ = end;
    Sync();
    return count;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    if (size < 0) {
        throw EStreamError("Invalid stream size");
    }
    buffer_.resize(static_cast<std::size_t>(size));
    position_ = std::min(position_, buffer_.size());
    Sync();
}

void TMemoryStream::Clear()
{
    buffer_.clear();
    buffer_.shrink_to_fit();
    position_ = 0;
    Sync();
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
    stream.SetPosition(0);
    const std::int64_t size = stream.Size();
    SetSize(size);
    stream.ReadBuffer(buffer_.data(), buffer_.size());
    position_ = 0;
}

void TMemoryStream::LoadFromFile(std::string_view fileName)
{
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::Sync()
{
    SetPointer(buffer_.data(), buffer_.size());
}

TFileStream::TFileStream(std::string_view fileName, TFileMode mode) : fileName_(fileName)
{
    const char* how = "rb";
    switch (mode) {
    case fmCreate:
        how = "w+b";
        canRead_ = canWrite_ = true;
        break;
    case fmOpenRead:
        how = "rb";
        canRead_ = true;
        break;
    case fmOpenWrite:
        how = "r+b";
        canWrite_ = true;
        break;
    case fmOpenReadWrite:
        how = "r+b";
        canRead_ = canWrite_ = true;
        break;
    }
    file_ = std::fopen(fileName_.c_str(), how);
    if (file_ == nullptr) {
        throw EFOpenError((mode == fmCreate ? "Cannot create file \"" : "Cannot open file \"") + fileName_ + "\"");
    }
}

TFileStream::~TFileStream()
{
    std::fclose(file_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    if (!canRead_ || count == 0) {
        return 0;
    }
    // C streams need a positioning call between a write and a read.
    std::fseek(file_, 0, SEEK_CUR);
    return std::fread(buffer, 1, count, file_);
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count)
{
    if (!canWrite_ || count == 0) {
        return 0;
    }
    std::fseek(file_, 0, SEEK_CUR);
    return std::fwrite(buffer, 1, count, file_);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t target = Target(offset, origin, std::ftell(file_), Size());
    if (target > LONG_MAX || std::fseek(file_, static_cast<long>(target), SEEK_SET) != 0) {
        throw EStreamError("Invalid stream position");
    }
    return target;
}

std::int64_t TFileStream::Size() const
{
    const long current = std::ftell(file_);
    std::fseek(file_, 0, SEEK_END);
    const long size = std::ftell(file_);
    std::fseek(file_, current, SEEK_SET);
    return size;
}

void TFileStream::SetSize(std::int64_t size)
{
    std::fflush(file_);
#ifdef _WIN32
    const bool ok = size >= 0 && _chsize_s(_fileno(file_), size) == 0;
#else
    const bool ok = size >= 0 && ftruncate(fileno(file_), static_cast<off_t>(size)) == 0;
#endif
    if (!ok) {
        throw EWriteError("Cannot set the size of \"" + fileName_ + "\"");
    }
    if (Position() > size) {
        SetPosition(size);
    }
}

namespace ui {

std::vector<std::byte> ReadFileBytes(std::string_view fileName)
{
    TFileStream file(fileName, fmOpenRead);
    std::vector<std::byte> bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

} // namespace ui
