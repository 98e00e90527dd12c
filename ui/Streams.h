// Streams of bytes: the abstract TStream with exact-count reads and writes
// that raise on shortfall, memory streams (a read-only view over bytes held
// elsewhere, and a growable owned buffer) and file streams.
#pragma once

#include "ui/Object.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum TSeekOrigin : unsigned { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // Reads and writes as much as possible; the count transferred.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // The new position. A position before the start raises EStreamError; one
    // past the end is allowed (reads there give nothing, writes extend).
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size() const = 0;
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    // Bytes from the position to the end.
    std::int64_t Remaining();

    // Exactly count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
    void ReadBuffer(std::span<std::byte> bytes) { ReadBuffer(bytes.data(), bytes.size()); }
    void WriteBuffer(std::span<const std::byte> bytes) { WriteBuffer(bytes.data(), bytes.size()); }

    // Little-endian 32-bit values, the count prefix of binary form data.
    std::int32_t ReadInt32();
    void WriteInt32(std::int32_t value);

    // A block stored as a 32-bit count and that many bytes, the way components
    // stream their binary data. A count of 0 or less reads as no bytes; a count
    // past the stream's end raises EReadError before anything is allocated.
    std::vector<std::byte> ReadCountedBytes();
    void WriteCountedBytes(std::span<const std::byte> bytes);

    // Copies count bytes from source's position; count 0 copies all of
    // source from its start. Returns the count copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// Reads from bytes it does not own (a resource, a buffer of the caller's);
// writing fails.
class TCustomMemoryStream : public TStream {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TCustomMemoryStream() = default;
    explicit TCustomMemoryStream(std::span<const std::byte> bytes) : data_(bytes.data()), size_(bytes.size()) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }
    void SetSize(std::int64_t size) override;

    const std::byte* Memory() const { return data_; }
    std::span<const std::byte> Bytes() const { return {data_, size_}; }
    void SaveToStream(TStream& stream) const;
    void SaveToFile(std::string_view fileName) const;

protected:
    void SetPointer(const std::byte* data, std::size_t size);
    std::size_t position_ = 0;

private:
    const std::byte* data_ = nullptr;
    std::size_t size_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TMemoryStream() = default;

    std::size_t Write(const void* buffer, std::size_t count) override;
    void SetSize(std::int64_t size) override;

    std::byte* Memory() { return buffer_.data(); }
    void Clear();
    // Replaces the contents with all of stream, from its start; position 0.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(std::string_view fileName);

private:
    void Sync();

    std::vector<std::byte> buffer_;
};

enum TFileMode : unsigned {
    fmCreate,        // new or truncated, read and write
    fmOpenRead,      // existing, read only
    fmOpenWrite,     // existing, write only
    fmOpenReadWrite, // existing, read and write
};

class TFileStream : public TStream {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // EFOpenError when the file cannot be opened or created. Names are byte
    // text (GBK on Windows).
    TFileStream(std::string_view fileName, TFileMode mode);
    ~TFileStream() override;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override;
    void SetSize(std::int64_t size) override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    std::FILE* file_ = nullptr;
    bool canRead_ = false;
    bool canWrite_ = false;
};

namespace ui {
// The whole file, or EFOpenError.
std::vector<std::byte> ReadFileBytes(std::string_view fileName);
} // namespace ui
