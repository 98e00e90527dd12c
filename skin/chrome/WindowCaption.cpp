#include "skin/chrome/WindowCaption.h"

#include "skin/model/ImgUtil.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t textBufferBytes = 1000;

std::wstring AnsiWindowText(HWND window)
{
    std::array<char, textBufferBytes> buffer{};
    const LRESULT copied = SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    const auto length = std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(buffer.size() - 1));
    return AnsiToWide(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

// Blank: nothing but characters of code 32 or less.
bool IsBlank(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c <= L' '; });
}

} // namespace

std::wstring CaptionTextOf(HWND window, std::string_view className, std::string_view formText)
{
    std::wstring text =
        className.find(".UnicodeClass") != std::string_view::npos ? WideWindowText(window) : AnsiWindowText(window);
    if (IsBlank(text) && !formText.empty())
        text = AnsiToWide(formText);
    return L" " + text + L"  ";
}

std::wstring WideWindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
    return text;
}

int CaptionWidth(TFont& font, std::wstring_view text)
{
    if (text.empty())
        return 0;
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    if (!screen)
        return 0;
    const HGDIOBJ previous = SelectObject(screen.get(), font.Handle());
    RECT measured{0, 0, 0, 0};
    DrawTextWide(screen.get(), text, measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(screen.get(), previous);
    return measured.right - measured.left;
}
