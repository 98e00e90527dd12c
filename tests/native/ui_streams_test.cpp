// Streams: exact reads and writes, seeking, growth, views over foreign
// memory, files and copying.
#include "ui/Exceptions.h"
#include "ui/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<std::byte> Bytes(std::string_view text)
{
    std::vector<std::byte> bytes;
    for (const char c : text) {
        bytes.push_back(static_cast<std::byte>(c));
    }
    return bytes;
}

TEST(MemoryStream, WritesGrowReadsStopAtTheEnd)
{
    TMemoryStream stream;
    stream.WriteBuffer("hello", 5);
    EXPECT_EQ(stream.Size(), 5);
    EXPECT_EQ(stream.Position(), 5);
    stream.SetPosition(1);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 4u);
    EXPECT_EQ(std::string_view(buffer, 4), "ello");
    EXPECT_EQ(stream.Read(buffer, 8), 0u);
    stream.SetPosition(2);
    EXPECT_THROW(stream.ReadBuffer(buffer, 4), EReadError);
    // Writing past the end fills the gap with zeros.
    stream.Seek(2, soEnd);
    stream.WriteBuffer("!", 1);
    EXPECT_EQ(stream.Size(), 8);
    EXPECT_EQ(static_cast<int>(stream.Memory()[6]), 0);
    EXPECT_EQ(stream.Seek(-3, soCurrent), 5);
    EXPECT_THROW(stream.Seek(-1, soBeginning), EStreamError);
}

TEST(MemoryStream, LittleEndianCountsAndSizeChanges)
{
    TMemoryStream stream;
    stream.WriteInt32(29205);
    stream.WriteInt32(-2);
    EXPECT_EQ(stream.Bytes()[0], std::byte{0x15});
    EXPECT_EQ(stream.Bytes()[1], std::byte{0x72});
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt32(), 29205);
    EXPECT_EQ(stream.ReadInt32(), -2);
    EXPECT_THROW(stream.ReadInt32(), EReadError);
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_EQ(stream.Remaining(), 0);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_THROW(stream.SetSize(-1), EStreamError);
}

TEST(CustomMemoryStream, ReadsForeignBytesAndRefusesWrites)
{
    const std::vector<std::byte> data = Bytes("abcdef");
    TCustomMemoryStream view(data);
    EXPECT_EQ(view.Size(), 6);
    view.Seek(-2, soEnd);
    char tail[2];
    view.ReadBuffer(tail, 2);
    EXPECT_EQ(std::string_view(tail, 2), "ef");
    EXPECT_EQ(view.Write("x", 1), 0u);
    EXPECT_THROW(view.WriteBuffer("x", 1), EWriteError);
    EXPECT_THROW(view.SetSize(1), EStreamError);
    EXPECT_EQ(view.Memory(), data.data());
}

TEST(Stream, CopyFromCopiesACountOrTheWholeSource)
{
    const std::vector<std::byte> data = Bytes("0123456789");
    TCustomMemoryStream source(data);
    TMemoryStream target;
    source.SetPosition(4);
    EXPECT_EQ(target.CopyFrom(source, 3), 3);
    EXPECT_EQ(target.Bytes().size(), 3u);
    EXPECT_EQ(target.Bytes()[0], std::byte{'4'});
    EXPECT_EQ(target.CopyFrom(source, 0), 10); // the whole source from its start
    EXPECT_EQ(target.Size(), 13);
    source.SetPosition(8);
    EXPECT_THROW(target.CopyFrom(source, 5), EReadError);
}

TEST(FileStream, CreatesReadsWritesAndResizes)
{
    const std::string path = (std::filesystem::path(testing::TempDir()) / "ui_stream_test.bin").string();
    {
        TFileStream file(path, fmCreate);
        file.WriteBuffer("abcdef", 6);
        EXPECT_EQ(file.Size(), 6);
        file.SetPosition(1);
        char two[2];
        file.ReadBuffer(two, 2);
        EXPECT_EQ(std::string_view(two, 2), "bc");
        file.WriteBuffer("XY", 2);
        file.SetSize(5);
        EXPECT_EQ(file.Size(), 5);
    }
    EXPECT_EQ(ui::ReadFileBytes(path), Bytes("abcXY"));
    {
        TFileStream file(path, fmOpenRead);
        EXPECT_EQ(file.Write("z", 1), 0u);
        TMemoryStream copy;
        copy.LoadFromStream(file);
        EXPECT_EQ(copy.Size(), 5);
    }
    {
        TFileStream file(path, fmOpenWrite);
        char c;
        EXPECT_EQ(file.Read(&c, 1), 0u);
        file.Seek(0, soEnd);
        file.WriteBuffer("!", 1);
    }
    TMemoryStream loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Size(), 6);
    loaded.SaveToFile(path);
    std::filesystem::remove(path);
    EXPECT_THROW(TFileStream(path, fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(path + "/no/such/dir", fmCreate), EFOpenError);
}

} // namespace
