#include "ui/AnsiText.h"

#include <algorithm>
#include <utility>

#if __has_include(<iconv.h>) && !defined(_WIN32)
#include <cerrno>
#include <iconv.h>
#define ZEL_UI_HAVE_ICONV 1
#endif

namespace {

#ifdef ZEL_UI_HAVE_ICONV
// Converts with iconv, replacing each unconvertible unit by one replacement unit.
template <class Out, class In>
Out Iconv(const char* to, const char* from, std::basic_string_view<In> text, typename Out::value_type replacement)
{
    Out result;
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return result;
    }
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(In);
    typename Out::value_type buffer[256];
    while (inLeft > 0) {
        char* out = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof(buffer);
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        result.append(buffer, (sizeof(buffer) - outLeft) / sizeof(buffer[0]));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            result.push_back(replacement);
            const std::size_t skip = std::min(inLeft, sizeof(In));
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return result;
}
#endif

std::wstring BuiltInToWide(std::string_view text)
{
#ifdef ZEL_UI_HAVE_ICONV
    return Iconv<std::wstring>("WCHAR_T", "GBK", text, L'?');
#else
    std::wstring result;
    for (const char c : text) {
        result.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'?');
    }
    return result;
#endif
}

std::string BuiltInToAnsi(std::wstring_view text)
{
#ifdef ZEL_UI_HAVE_ICONV
    return Iconv<std::string>("GBK", "WCHAR_T", text, '?');
#else
    std::string result;
    for (const wchar_t c : text) {
        result.push_back(static_cast<unsigned>(c) < 0x80 ? static_cast<char>(c) : '?');
    }
    return result;
#endif
}

ui::TAnsiCodec& Codec()
{
    static ui::TAnsiCodec codec{BuiltInToWide, BuiltInToAnsi};
    return codec;
}

} // namespace

namespace ui {

void SetAnsiCodec(TAnsiCodec codec)
{
    Codec().ToWide = codec.ToWide ? std::move(codec.ToWide) : BuiltInToWide;
    Codec().ToAnsi = codec.ToAnsi ? std::move(codec.ToAnsi) : BuiltInToAnsi;
}

std::wstring AnsiToWide(std::string_view text)
{
    return Codec().ToWide(text);
}

std::string WideToAnsi(std::wstring_view text)
{
    return Codec().ToAnsi(text);
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = AsciiLower(c);
    }
    return result;
}

bool SameText(std::string_view a, std::string_view b)
{
    return CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::size_t TextCaseHash::operator()(std::string_view text) const
{
    // FNV-1a over the folded bytes.
    std::size_t hash = 14695981039346656037ull & static_cast<std::size_t>(-1);
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(AsciiLower(c));
        hash *= static_cast<std::size_t>(1099511628211ull);
    }
    return hash;
}

} // namespace ui
