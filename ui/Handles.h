// Ownership of every GDI and USER handle the program creates.
//
// Each handle kind has one owning, move-only wrapper (UniqueBrush, UniqueDC,
// UniqueWindow, ...) that frees it with the right function. Every wrapper that
// takes a handle bumps a live counter for its kind and drops it again when it
// frees or hands the handle on, so a test can prove that a piece of code leaves
// no handle behind: GetGuiResources answers 0 under Wine and cannot do it.
//
// Handles that the program uses without owning them (stock objects, shared
// icons and cursors, a DC passed in WM_PAINT's word parameter) travel as
// Borrowed<H>, which never frees anything.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace ui {

enum class HandleKind : std::size_t {
    Brush,
    Pen,
    Font,
    Bitmap,
    Region,
    Palette,
    MemoryDC,   // CreateCompatibleDC / CreateDC, freed by DeleteDC
    WindowDC,   // GetDC / GetWindowDC / BeginPaint, given back to the window
    Icon,
    Cursor,
    ImageList,
    Menu,
    Window,
    Hook,
    Timer,
};
inline constexpr std::size_t HandleKindCount = static_cast<std::size_t>(HandleKind::Timer) + 1;

// Number of handles of a kind currently held by owning wrappers.
long LiveHandleCount(HandleKind kind) noexcept;
// Sum over all kinds.
long LiveHandleTotal() noexcept;
// Number of times a release function reported failure (e.g. DeleteObject on a
// bitmap still selected into a DC). Such a handle is counted as freed but may
// live on in the system, so leak tests check that this stays where it was.
long FailedReleaseCount() noexcept;
std::string_view HandleKindName(HandleKind kind) noexcept;

// All live counters at one moment; compare two to find what a piece of code leaked.
struct HandleSnapshot {
    std::array<long, HandleKindCount> live{};
    long failedReleases = 0;

    static HandleSnapshot Take() noexcept;
    long Total() const noexcept;
    bool operator==(const HandleSnapshot&) const = default;
};

namespace detail {
void CountTaken(HandleKind kind) noexcept;
void CountReleased(HandleKind kind) noexcept;
void CountFailedRelease() noexcept;
} // namespace detail

// A handle used but not owned. Construction is explicit so that the code shows
// where a raw handle is declared not ours.
template <typename H>
class Borrowed {
public:
    constexpr Borrowed() noexcept = default;
    constexpr explicit Borrowed(H handle) noexcept : handle_(handle) {}
    constexpr H get() const noexcept { return handle_; }
    constexpr explicit operator bool() const noexcept { return handle_ != nullptr; }

private:
    H handle_ = nullptr;
};

// The owning wrapper. Traits name the handle type, the kind and the release
// function (several kinds share a C type: HCURSOR is HICON).
template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : handle_(handle)
    {
        if (handle_)
            detail::CountTaken(Traits::kind);
    }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Type get() const noexcept { return handle_; }
    Borrowed<Type> borrow() const noexcept { return Borrowed<Type>(handle_); }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    // Frees the held handle (if any) and takes the new one.
    void reset(Type handle = nullptr) noexcept
    {
        if (handle_ == handle)
            return;
        if (handle_) {
            if (!Traits::Free(handle_))
                detail::CountFailedRelease();
            detail::CountReleased(Traits::kind);
        }
        handle_ = handle;
        if (handle_)
            detail::CountTaken(Traits::kind);
    }

    // Gives up ownership without freeing: the handle now belongs to someone
    // else (the system took it, as SetWindowRgn does with a region, or the
    // system already destroyed it, as with a window at WM_NCDESTROY).
    Type release() noexcept
    {
        if (handle_)
            detail::CountReleased(Traits::kind);
        return std::exchange(handle_, nullptr);
    }

private:
    Type handle_ = nullptr;
};

namespace traits {
template <typename H, HandleKind K>
struct GdiObject {
    using Type = H;
    static constexpr HandleKind kind = K;
    static bool Free(H h) noexcept { return DeleteObject(h) != 0; }
};
struct MemoryDC {
    using Type = HDC;
    static constexpr HandleKind kind = HandleKind::MemoryDC;
    static bool Free(HDC h) noexcept { return DeleteDC(h) != 0; }
};
struct Icon {
    using Type = HICON;
    static constexpr HandleKind kind = HandleKind::Icon;
    static bool Free(HICON h) noexcept { return DestroyIcon(h) != 0; }
};
struct Cursor {
    using Type = HCURSOR;
    static constexpr HandleKind kind = HandleKind::Cursor;
    static bool Free(HCURSOR h) noexcept { return DestroyCursor(h) != 0; }
};
struct ImageList {
    using Type = HIMAGELIST;
    static constexpr HandleKind kind = HandleKind::ImageList;
    static bool Free(HIMAGELIST h) noexcept { return ImageList_Destroy(h) != 0; }
};
struct Menu {
    using Type = HMENU;
    static constexpr HandleKind kind = HandleKind::Menu;
    static bool Free(HMENU h) noexcept { return DestroyMenu(h) != 0; }
};
struct Window {
    using Type = HWND;
    static constexpr HandleKind kind = HandleKind::Window;
    static bool Free(HWND h) noexcept { return DestroyWindow(h) != 0; }
};
struct Hook {
    using Type = HHOOK;
    static constexpr HandleKind kind = HandleKind::Hook;
    static bool Free(HHOOK h) noexcept { return UnhookWindowsHookEx(h) != 0; }
};
} // namespace traits

using UniqueBrush = UniqueHandle<traits::GdiObject<HBRUSH, HandleKind::Brush>>;
using UniquePen = UniqueHandle<traits::GdiObject<HPEN, HandleKind::Pen>>;
using UniqueFont = UniqueHandle<traits::GdiObject<HFONT, HandleKind::Font>>;
using UniqueBitmap = UniqueHandle<traits::GdiObject<HBITMAP, HandleKind::Bitmap>>;
using UniqueRegion = UniqueHandle<traits::GdiObject<HRGN, HandleKind::Region>>;
using UniquePalette = UniqueHandle<traits::GdiObject<HPALETTE, HandleKind::Palette>>;
using UniqueDC = UniqueHandle<traits::MemoryDC>;
using UniqueIcon = UniqueHandle<traits::Icon>;
using UniqueCursor = UniqueHandle<traits::Cursor>;
using UniqueImageList = UniqueHandle<traits::ImageList>;
using UniqueMenu = UniqueHandle<traits::Menu>;
// A window the program created and must destroy. When the system destroys it
// first (its parent went away), call release() from WM_NCDESTROY.
using UniqueWindow = UniqueHandle<traits::Window>;
using UniqueHook = UniqueHandle<traits::Hook>;

// A DC borrowed from a window with GetDC or GetWindowDC; ReleaseDC needs the window.
class UniqueWindowDC {
public:
    UniqueWindowDC() noexcept = default;
    // Takes a DC that GetDC(window) or GetWindowDC(window) returned.
    UniqueWindowDC(HWND window, HDC dc) noexcept;
    UniqueWindowDC(UniqueWindowDC&& other) noexcept;
    UniqueWindowDC& operator=(UniqueWindowDC&& other) noexcept;
    UniqueWindowDC(const UniqueWindowDC&) = delete;
    UniqueWindowDC& operator=(const UniqueWindowDC&) = delete;
    ~UniqueWindowDC() { reset(); }

    // GetDC(window); a null window gives the screen DC.
    static UniqueWindowDC Client(HWND window) noexcept;
    // GetWindowDC(window): the whole window, frame included.
    static UniqueWindowDC Whole(HWND window) noexcept;

    HDC get() const noexcept { return dc_; }
    HWND window() const noexcept { return window_; }
    Borrowed<HDC> borrow() const noexcept { return Borrowed<HDC>(dc_); }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    void reset() noexcept;

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// BeginPaint ... EndPaint for one WM_PAINT; counted as a window DC.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept;
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC();

    HDC get() const noexcept { return dc_; }
    const PAINTSTRUCT& info() const noexcept { return paint_; }
    Borrowed<HDC> borrow() const noexcept { return Borrowed<HDC>(dc_); }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// A timer set with SetTimer; KillTimer needs the window and the id.
class UniqueTimer {
public:
    UniqueTimer() noexcept = default;
    // Takes the timer SetTimer(window, id, ...) made; for a null window pass
    // the id SetTimer returned.
    UniqueTimer(HWND window, UINT_PTR id) noexcept;
    UniqueTimer(UniqueTimer&& other) noexcept;
    UniqueTimer& operator=(UniqueTimer&& other) noexcept;
    UniqueTimer(const UniqueTimer&) = delete;
    UniqueTimer& operator=(const UniqueTimer&) = delete;
    ~UniqueTimer() { reset(); }

    // SetTimer and take the result; empty when SetTimer fails.
    static UniqueTimer Start(HWND window, UINT_PTR id, UINT milliseconds, TIMERPROC proc = nullptr) noexcept;

    HWND window() const noexcept { return window_; }
    UINT_PTR id() const noexcept { return id_; }
    explicit operator bool() const noexcept { return id_ != 0; }
    void reset() noexcept;

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
};

// Stock objects are never freed.
inline Borrowed<HGDIOBJ> StockObject(int which) noexcept { return Borrowed<HGDIOBJ>(GetStockObject(which)); }

} // namespace ui
