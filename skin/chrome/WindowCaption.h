// The text a skinned title bar shows for a window.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class TFont;

// The window's text between one blank in front and two behind. Windows of a
// class whose name contains ".UnicodeClass" are read as wide text; all others
// through WM_GETTEXT (up to 1000 bytes) and the ANSI code page. When the text
// is blank, formText (the framework form's own text; empty for a foreign
// window) is shown instead.
std::wstring CaptionTextOf(HWND window, std::string_view className, std::string_view formText = {});

// The window's text as wide text, as it is.
std::wstring WideWindowText(HWND window);

// How wide text is in font, on one line.
int CaptionWidth(TFont& font, std::wstring_view text);
