// The codec commands of the skintool program, run as a separate process the
// way a user runs them.
#include "skin/load/WinConvert.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The build tree: from the environment, or else from where this test
// program lives (tests/native under the tree).
fs::path BinaryDir()
{
    if (const char* binary = std::getenv("ZEL_BINARY_DIR")) {
        return binary;
    }
    return fs::canonical("/proc/self/exe").parent_path().parent_path().parent_path();
}

struct Outcome {
    int exitCode;
    std::string errors;
};

class SkinToolCodec : public testing::Test {
protected:
    void SetUp() override
    {
        tool_ = BinaryDir() / "skintool";
        ASSERT_TRUE(fs::exists(tool_)) << tool_;
        dir_ = fs::temp_directory_path() / ("skintool_codec_" + std::to_string(std::random_device()()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Outcome Run(const std::string& arguments) const
    {
        const fs::path errors = dir_ / "stderr.txt";
        const std::string line = tool_.string() + " " + arguments + " >/dev/null 2>" + errors.string();
        const int status = std::system(line.c_str());
        std::ifstream in(errors);
        Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                        std::string(std::istreambuf_iterator<char>(in), {})};
        fs::remove(errors);
        return outcome;
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    static void Write(const std::string& path, const Bytes& bytes)
    {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    // Every file in the directory, to show that failures leave nothing behind.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path tool_;
    fs::path dir_;
};

Bytes SampleData()
{
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += "[Item" + std::to_string(i % 37) + "]\r\nvalue=" + std::to_string(i * 7919 % 1000) + "\r\n";
    }
    return Bytes(text.begin(), text.end());
}

TEST_F(SkinToolCodec, CompressThenDecompressGivesTheInputBack)
{
    const Bytes data = SampleData();
    Write(Path("in.bin"), data);
    Write(Path("back.bin"), Bytes(10, 0x55));  // replaced as a whole

    EXPECT_EQ(Run("compress " + Path("in.bin") + " " + Path("in.lzh")).exitCode, 0);
    const Bytes stream = Read(Path("in.lzh"));
    EXPECT_LT(stream.size(), data.size() / 4);
    EXPECT_EQ(DecompressSkinStream(stream), data);

    EXPECT_EQ(Run("decompress " + Path("in.lzh") + " " + Path("back.bin")).exitCode, 0);
    EXPECT_EQ(Read(Path("back.bin")), data);
    EXPECT_EQ(Files(), (std::vector<std::string>{"back.bin", "in.bin", "in.lzh"}));
}

TEST_F(SkinToolCodec, EmptyFileRoundTrips)
{
    Write(Path("empty"), {});
    EXPECT_EQ(Run("compress " + Path("empty") + " " + Path("empty.lzh")).exitCode, 0);
    EXPECT_EQ(Read(Path("empty.lzh")), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Run("decompress " + Path("empty.lzh") + " " + Path("back")).exitCode, 0);
    EXPECT_TRUE(Read(Path("back")).empty());
}

TEST_F(SkinToolCodec, FailuresReportOneLineAndLeaveNothingBehind)
{
    Write(Path("short.lzh"), {0x10, 0x00, 0x00});
    Write(Path("huge.lzh"), {0xFF, 0xFF, 0xFF, 0x7F, 0x00});
    Write(Path("kept"), {1, 2, 3});
    const std::vector<std::string> before = Files();

    const std::vector<std::string> failing = {
        "decompress " + Path("missing.lzh") + " " + Path("out"),
        "compress " + Path("missing.bin") + " " + Path("out"),
        "decompress " + Path("short.lzh") + " " + Path("out"),
        "decompress " + Path("huge.lzh") + " " + Path("out"),
        "decompress " + Path("short.lzh") + " " + Path("kept"),
        "compress " + Path("kept") + " " + Path("no/such/dir/out"),
    };
    for (const std::string& arguments : failing) {
        const Outcome outcome = Run(arguments);
        EXPECT_NE(outcome.exitCode, 0) << arguments;
        ASSERT_FALSE(outcome.errors.empty()) << arguments;
        EXPECT_EQ(outcome.errors.find('\n'), outcome.errors.size() - 1) << outcome.errors;
    }
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(Read(Path("kept")), (Bytes{1, 2, 3}));
}

TEST_F(SkinToolCodec, UsageErrors)
{
    EXPECT_EQ(Run("").exitCode, 2);
    EXPECT_EQ(Run("frobnicate a b").exitCode, 2);
    EXPECT_EQ(Run("compress onlyone").exitCode, 2);
    EXPECT_EQ(Run("decompress a b c").exitCode, 2);
    EXPECT_EQ(Run("help").exitCode, 0);
}

}  // namespace
