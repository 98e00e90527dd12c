#include "tests/support/HostileSkins.h"

#include "skin/load/LzhEncoder.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/WinConvert.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace hostile {

namespace {

// splitmix64: tiny, and its output is fixed by its definition rather than by
// a library version.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform enough in [0, n) for test data; n > 0.
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool Percent(unsigned p) { return Below(100) < p; }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) { return items[Below(N)]; }

private:
    std::uint64_t state_;
};

struct TFile {
    std::string name;
    std::vector<std::uint8_t> data;
};

bool EndsWithNoCase(std::string_view text, std::string_view tail)
{
    if (text.size() < tail.size())
        return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[text.size() - tail.size() + i]);
        if (std::tolower(a) != static_cast<unsigned char>(tail[i]))
            return false;
    }
    return true;
}

bool ContainsNoCase(std::string_view text, std::string_view part)
{
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

std::string Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool IsSection(const std::string& line) { return Trim(line).starts_with('['); }

// A value made only of numbers, signs, separators and hexadecimal marks.
bool IsNumericValue(const std::string& line)
{
    const auto eq = line.find('=');
    if (eq == std::string::npos || Trim(line).starts_with(';'))
        return false;
    const std::string value = Trim(std::string_view(line).substr(eq + 1));
    bool digit = false;
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isdigit(u))
            digit = true;
        else if (!std::isxdigit(u) && c != '-' && c != '+' && c != ' ' && c != ',' && c != '$' && c != 'x' && c != 'X')
            return false;
    }
    return digit;
}

std::string KeyOf(const std::string& line) { return Trim(std::string_view(line).substr(0, line.find('='))); }

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

// File and info header of a bottom-up 24-bit picture as declared; the
// caller appends as many pixel bytes as it likes.
std::vector<std::uint8_t> BmpHeader(std::int32_t width, std::int32_t height, std::uint32_t pixelBytes)
{
    std::vector<std::uint8_t> out{'B', 'M'};
    PutLe32(out, 54 + pixelBytes);
    PutLe32(out, 0);
    PutLe32(out, 54);
    PutLe32(out, 40);
    PutLe32(out, static_cast<std::uint32_t>(width));
    PutLe32(out, static_cast<std::uint32_t>(height));
    PutLe16(out, 1);
    PutLe16(out, 24);
    PutLe32(out, 0);
    PutLe32(out, pixelBytes);
    PutLe32(out, 2835);
    PutLe32(out, 2835);
    PutLe32(out, 0);
    PutLe32(out, 0);
    return out;
}

// A complete, well-formed 24-bit picture in random colours, magenta among them.
std::vector<std::uint8_t> Bmp(TRandom& random, int width, int height)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<std::uint8_t> out = BmpHeader(width, height, stride * static_cast<std::uint32_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint64_t bits = random.Next();
            const bool magenta = (bits & 7) == 0;
            out.push_back(magenta ? 0xFF : static_cast<std::uint8_t>(bits >> 8));
            out.push_back(magenta ? 0x00 : static_cast<std::uint8_t>(bits >> 16));
            out.push_back(magenta ? 0xFF : static_cast<std::uint8_t>(bits >> 24));
        }
        out.resize(out.size() + (stride - static_cast<std::uint32_t>(width) * 3), 0);
    }
    return out;
}

class TMutator {
public:
    TMutator(TRandom& random, std::vector<TFile> files, HostileSkin& skin)
        : random_(random), files_(std::move(files)), skin_(skin)
    {
        for (std::size_t i = 0; i < files_.size(); ++i) {
            if (EndsWithNoCase(files_[i].name, ".ini") && ini_ == kNone)
                ini_ = i;
        }
        if (ini_ != kNone)
            SplitLines(files_[ini_].data);
    }

    void Apply(Kind kind)
    {
        switch (kind) {
        case Kind::BadNumbers: return BadNumbers();
        case Kind::SectionRemoved: return RemoveSection();
        case Kind::BitmapRemoved: return RemoveBitmap();
        case Kind::BitmapTiny: return ReplaceBitmap(kind);
        case Kind::BitmapOddSize: return ReplaceBitmap(kind);
        case Kind::BitmapHugeHeader: return ReplaceBitmap(kind);
        case Kind::BitmapNotBitmap: return ReplaceBitmap(kind);
        case Kind::GarbageLines: return Garbage();
        default: return;
        }
    }

    std::vector<std::uint8_t> Package()
    {
        if (ini_ != kNone) {
            std::string text;
            for (const std::string& line : lines_)
                text += line + "\r\n";
            files_[ini_].data.assign(text.begin(), text.end());
        }
        std::vector<TSkinPackageFile> files;
        for (const TFile& file : files_)
            files.push_back({file.name, file.data});
        return BuildSkinPackage(files);
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void SplitLines(const std::vector<std::uint8_t>& data)
    {
        std::string line;
        for (std::size_t i = 0; i < data.size(); ++i) {
            const char c = static_cast<char>(data[i]);
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
                    ++i;
                lines_.push_back(std::move(line));
                line.clear();
            } else {
                line += c;
            }
        }
        if (!line.empty())
            lines_.push_back(std::move(line));
    }

    void Note(std::string text)
    {
        if (!skin_.note.empty())
            skin_.note += "; ";
        skin_.note += text;
    }

    std::string SectionOf(std::size_t line) const
    {
        for (std::size_t i = line + 1; i-- > 0;) {
            if (IsSection(lines_[i]))
                return Trim(lines_[i]);
        }
        return "(top)";
    }

    std::string HostileNumber()
    {
        static constexpr std::array<const char*, 18> kValues{
            "0", "-1", "-7", "-2147483648", "2147483647", "2147483648", "65535", "100000", "$7FFFFFFF",
            "0x80000000", "-0", "999 999 999", "-1 -1 -1", "1e9", "", "$", "0x", "+-3"};
        if (random_.Percent(25))
            return std::to_string(static_cast<std::int64_t>(random_.Below(200001)) - 100000);
        return random_.Pick(kValues);
    }

    void BadNumbers()
    {
        std::vector<std::size_t> numeric;
        std::vector<std::size_t> frames;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (!IsNumericValue(lines_[i]))
                continue;
            numeric.push_back(i);
            if (ContainsNoCase(KeyOf(lines_[i]), "frame"))
                frames.push_back(i);
        }
        if (numeric.empty())
            return;
        const std::size_t changes = 1 + random_.Below(6);
        for (std::size_t n = 0; n < changes; ++n) {
            const bool frame = !frames.empty() && random_.Percent(40);
            const std::size_t line = frame ? frames[random_.Below(frames.size())] : numeric[random_.Below(numeric.size())];
            const std::string value = HostileNumber();
            Note(SectionOf(line) + " " + KeyOf(lines_[line]) + "=" + value);
            lines_[line] = KeyOf(lines_[line]) + "=" + value;
        }
    }

    void RemoveSection()
    {
        std::vector<std::size_t> headers;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (IsSection(lines_[i]))
                headers.push_back(i);
        }
        if (headers.empty())
            return;
        const std::size_t first = headers[random_.Below(headers.size())];
        std::size_t last = first + 1;
        while (last < lines_.size() && !IsSection(lines_[last]))
            ++last;
        Note("removed " + Trim(lines_[first]));
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.begin() + static_cast<std::ptrdiff_t>(last));
    }

    std::size_t PickBitmap()
    {
        std::vector<std::size_t> bitmaps;
        for (std::size_t i = 0; i < files_.size(); ++i) {
            if (EndsWithNoCase(files_[i].name, ".bmp"))
                bitmaps.push_back(i);
        }
        return bitmaps.empty() ? kNone : bitmaps[random_.Below(bitmaps.size())];
    }

    void RemoveBitmap()
    {
        const std::size_t index = PickBitmap();
        if (index == kNone)
            return;
        Note("dropped " + files_[index].name);
        files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(index));
        if (ini_ != kNone && ini_ > index)
            --ini_;
    }

    void ReplaceBitmap(Kind kind)
    {
        const std::size_t index = PickBitmap();
        if (index == kNone)
            return;
        std::vector<std::uint8_t>& data = files_[index].data;
        std::string what;
        switch (kind) {
        case Kind::BitmapTiny:
            data = Bmp(random_, 1, 1);
            what = "1x1";
            break;
        case Kind::BitmapOddSize: {
            static constexpr std::array<int, 14> kWidths{2, 3, 5, 7, 11, 13, 17, 19, 22, 29, 31, 37, 97, 101};
            const int width = random_.Pick(kWidths);
            const int height = 1 + static_cast<int>(random_.Below(40));
            data = Bmp(random_, width, height);
            what = std::to_string(width) + "x" + std::to_string(height);
            break;
        }
        case Kind::BitmapHugeHeader: {
            static constexpr std::array<std::pair<std::int32_t, std::int32_t>, 6> kSizes{
                {{30000, 30000}, {32768, 1}, {1, 32768}, {20000, -20000}, {0x7FFFFFFF, 2}, {4000, 4000}}};
            const auto [width, height] = random_.Pick(kSizes);
            data = BmpHeader(width, height, 0x7FFFFFFF);
            data.resize(data.size() + 64, 0x5A);
            what = "declares " + std::to_string(width) + "x" + std::to_string(height);
            break;
        }
        default: {
            data.resize(random_.Below(300));
            for (std::uint8_t& byte : data)
                byte = static_cast<std::uint8_t>(random_.Next());
            if (data.size() >= 2 && random_.Percent(50)) {
                data[0] = 'B';
                data[1] = 'M';
            }
            what = std::to_string(data.size()) + " bytes of noise";
            break;
        }
        }
        Note(files_[index].name + " " + what);
    }

    void Garbage()
    {
        static constexpr std::array<const char*, 16> kLines{
            "=", "=orphan value", "[", "[]", "[   ]", "]Buttons[", "a key without a value", "Frame==3",
            "[Buttons]", "Bitmap=nowhere.bmp", "Image=..\\..\\outside.bmp", "Image=C:\\skin\\abs.bmp",
            "[Scrollbar]\tImage=buttons.bmp", "; only a comment", "Image=.bmp", "[BUTTON9]"};
        const std::size_t count = 1 + random_.Below(5);
        for (std::size_t n = 0; n < count; ++n) {
            std::string line;
            switch (random_.Below(4)) {
            case 0:
                line = random_.Pick(kLines);
                break;
            case 1:
                for (std::size_t k = random_.Below(80) + 1; k > 0; --k) {
                    char c = static_cast<char>(1 + random_.Below(255));
                    line += (c == '\r' || c == '\n') ? ' ' : c;
                }
                break;
            case 2:
                line = std::string(random_.Percent(50) ? "TextShift" : "LeftWidth") + "=" + std::string(5000 + random_.Below(5000), '9');
                break;
            default:
                line = "[" + std::string(3000, static_cast<char>('A' + random_.Below(26))) + "]";
                break;
            }
            const std::size_t at = lines_.empty() ? 0 : random_.Below(lines_.size() + 1);
            Note("line " + std::to_string(at) + ": " + line.substr(0, 24));
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
        }
    }

    TRandom& random_;
    std::vector<TFile> files_;
    HostileSkin& skin_;
    std::size_t ini_ = kNone;
    std::vector<std::string> lines_;
};

bool ChangesPackage(Kind kind) { return static_cast<int>(kind) <= static_cast<int>(Kind::GarbageLines); }

Kind WeightedKind(TRandom& random)
{
    // Damaged contents reach the model builder and the painters, damaged
    // streams only the decoder, so contents come four times as often.
    static constexpr std::array<Kind, 20> kKinds{
        Kind::BadNumbers, Kind::BadNumbers, Kind::BadNumbers, Kind::BadNumbers,
        Kind::SectionRemoved, Kind::SectionRemoved, Kind::BitmapRemoved, Kind::BitmapRemoved,
        Kind::BitmapTiny, Kind::BitmapTiny, Kind::BitmapOddSize, Kind::BitmapOddSize,
        Kind::BitmapHugeHeader, Kind::BitmapNotBitmap, Kind::GarbageLines, Kind::GarbageLines,
        Kind::TruncatedBody, Kind::TruncatedHeader, Kind::WrongLength, Kind::Empty};
    return random.Pick(kKinds);
}

Kind ContentKind(TRandom& random)
{
    return static_cast<Kind>(random.Below(static_cast<std::size_t>(Kind::GarbageLines) + 1));
}

void Add(HostileSkin& skin, Kind kind)
{
    if (!skin.Has(kind))
        skin.kinds.push_back(kind);
}

std::vector<std::uint8_t> Damage(TRandom& random, Kind kind, std::vector<std::uint8_t> stream, HostileSkin& skin)
{
    std::string note;
    switch (kind) {
    case Kind::TruncatedBody: {
        const std::size_t keep = 4 + random.Below(stream.size() - 4);
        stream.resize(keep);
        note = "cut to " + std::to_string(keep) + " bytes";
        break;
    }
    case Kind::TruncatedHeader:
        stream.resize(1 + random.Below(3));
        note = "cut to " + std::to_string(stream.size()) + " bytes";
        break;
    case Kind::WrongLength: {
        const std::uint32_t real = static_cast<std::uint32_t>(stream[0]) | (static_cast<std::uint32_t>(stream[1]) << 8) |
                                   (static_cast<std::uint32_t>(stream[2]) << 16) | (static_cast<std::uint32_t>(stream[3]) << 24);
        const std::array<std::uint32_t, 12> lengths{0, 1, 15, 16, real / 2, real - 1, real + 1, real + 1000,
                                                    real * 2, 0xFFFFFFFFu, 0x80000000u, SKIN_STREAM_MAX_LENGTH + 1};
        const std::uint32_t length = random.Pick(lengths);
        for (int i = 0; i < 4; ++i)
            stream[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
        note = "length word " + std::to_string(length) + " for " + std::to_string(real);
        break;
    }
    default:
        stream.clear();
        note = "empty";
        break;
    }
    skin.note += skin.note.empty() ? note : "; " + note;
    return stream;
}

} // namespace

std::string_view KindName(Kind kind)
{
    static constexpr std::array<std::string_view, kKindCount> kNames{
        "bad-numbers", "section-removed", "bitmap-removed", "bitmap-tiny", "bitmap-odd-size",
        "bitmap-huge-header", "bitmap-not-bitmap", "garbage-lines", "truncated-body",
        "truncated-header", "wrong-length", "empty"};
    const auto index = static_cast<std::size_t>(kind);
    return index < kNames.size() ? kNames[index] : "?";
}

bool HostileSkin::Has(Kind kind) const { return std::find(kinds.begin(), kinds.end(), kind) != kinds.end(); }

std::vector<HostileSkin> MakeHostileSkins(std::span<const std::uint8_t> stream, std::uint64_t seed, int count)
{
    const std::vector<std::uint8_t> package = DecompressSkinStream(stream);
    const TSkinPackageLayout layout = ParseSkinPackage(package);
    std::vector<TFile> files;
    std::size_t offset = layout.contentsOffset;
    for (std::size_t i = 0; i < layout.names.size(); ++i) {
        const auto begin = package.begin() + static_cast<std::ptrdiff_t>(offset);
        files.push_back({layout.names[i], std::vector<std::uint8_t>(begin, begin + layout.sizes[i])});
        offset += layout.sizes[i];
    }

    TRandom random(seed);
    std::vector<HostileSkin> skins;
    for (int i = 0; i < count; ++i) {
        HostileSkin skin;
        const Kind first = i < kKindCount ? static_cast<Kind>(i) : WeightedKind(random);
        const bool streamOnly = first == Kind::TruncatedHeader || first == Kind::Empty;
        if (ChangesPackage(first)) {
            Add(skin, first);
            if (random.Percent(40))
                Add(skin, ContentKind(random));
            if (random.Percent(15))
                Add(skin, ContentKind(random));
        } else if (!streamOnly && random.Percent(30)) {
            Add(skin, ContentKind(random));
        }
        std::vector<std::uint8_t> bytes(stream.begin(), stream.end());
        if (!skin.kinds.empty()) {
            TMutator mutator(random, files, skin);
            for (const Kind kind : skin.kinds)
                mutator.Apply(kind);
            bytes = CompressSkinStream(mutator.Package());
        }
        Kind last = first;
        if (ChangesPackage(first) && random.Percent(10))
            last = random.Percent(50) ? Kind::TruncatedBody : Kind::WrongLength;
        if (!ChangesPackage(last)) {
            Add(skin, last);
            bytes = Damage(random, last, std::move(bytes), skin);
        }
        skin.stream = std::move(bytes);
        skins.push_back(std::move(skin));
    }
    return skins;
}

} // namespace hostile
