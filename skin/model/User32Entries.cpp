#include "skin/model/User32Entries.h"

namespace {

using GetScrollBarInfoProc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using GetComboBoxInfoProc = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);

// Holds user32 while the program runs; the entries are looked up once.
class TUser32Entries {
public:
    TUser32Entries() : library_(LoadLibraryA("user32.dll"))
    {
        if (library_ != nullptr) {
            getScrollBarInfo = Resolve<GetScrollBarInfoProc>("GetScrollBarInfo");
            trackMouseEvent = Resolve<TrackMouseEventProc>("TrackMouseEvent");
            getComboBoxInfo = Resolve<GetComboBoxInfoProc>("GetComboBoxInfo");
        }
    }
    ~TUser32Entries()
    {
        if (library_ != nullptr) {
            FreeLibrary(library_);
        }
    }
    TUser32Entries(const TUser32Entries&) = delete;
    TUser32Entries& operator=(const TUser32Entries&) = delete;

    GetScrollBarInfoProc getScrollBarInfo = nullptr;
    TrackMouseEventProc trackMouseEvent = nullptr;
    GetComboBoxInfoProc getComboBoxInfo = nullptr;

private:
    template <class Proc>
    Proc Resolve(const char* name) const
    {
        // GetProcAddress hands out a generic pointer; the cast through void
        // keeps -Wcast-function-type quiet about the known signature.
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    }

    HMODULE library_;
};

const TUser32Entries& Entries()
{
    static const TUser32Entries entries;
    return entries;
}

} // namespace

bool HasGetScrollBarInfo() { return Entries().getScrollBarInfo != nullptr; }

bool CallGetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info)
{
    const auto proc = Entries().getScrollBarInfo;
    return proc != nullptr && proc(window, objectId, &info) != FALSE;
}

bool TrackMouseLeave(HWND window)
{
    const auto proc = Entries().trackMouseEvent;
    if (proc == nullptr) {
        return false;
    }
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof(request); // 16 bytes on the shipped 32-bit build
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    return proc(&request) != FALSE;
}

bool HasGetComboBoxInfo() { return Entries().getComboBoxInfo != nullptr; }

bool CallGetComboBoxInfo(HWND window, COMBOBOXINFO& info)
{
    const auto proc = Entries().getComboBoxInfo;
    if (proc == nullptr) {
        return false;
    }
    info.cbSize = sizeof(info); // 52 bytes on the shipped 32-bit build
    return proc(window, &info) != FALSE;
}
