// The portable core's way to tell the user something in a modal message
// box. The Windows side installs a hook that shows a real one (captioned
// with the application title, one OK button); tests install their own to
// see what would have been shown. Without a hook the text goes to stderr.
#pragma once

#include <functional>
#include <string_view>

using TMessageDialogHook = std::function<void(std::string_view text)>;

// Installs hook (an empty one restores the default) and returns the
// previous one, so that a caller can put it back.
TMessageDialogHook SetMessageDialogHook(TMessageDialogHook hook);

// Shows text (GBK; "\r" starts a new line) and returns when it is dismissed.
void ShowMessageDialog(std::string_view text);
