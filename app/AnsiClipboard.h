// Plain ANSI (GBK) text onto the system clipboard.
#pragma once

#include <windows.h>

#include <string_view>

namespace app {

// Empties the clipboard and puts text on it as CF_TEXT (an empty text is put
// too). False when the clipboard could not be opened or memory ran out.
bool PutClipboardText(HWND owner, std::string_view text);

} // namespace app
