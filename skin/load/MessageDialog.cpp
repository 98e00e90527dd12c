#include "skin/load/MessageDialog.h"

#include <cstdio>
#include <utility>

namespace {

TMessageDialogHook& CurrentHook()
{
    static TMessageDialogHook hook;
    return hook;
}

} // namespace

TMessageDialogHook SetMessageDialogHook(TMessageDialogHook hook)
{
    return std::exchange(CurrentHook(), std::move(hook));
}

void ShowMessageDialog(std::string_view text)
{
    if (const TMessageDialogHook& hook = CurrentHook()) {
        hook(text);
        return;
    }
    for (char c : text)
        std::fputc(c == '\r' ? '\n' : c, stderr);
    std::fputc('\n', stderr);
}
