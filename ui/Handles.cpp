#include "ui/Handles.h"

#include <atomic>
#include <numeric>

namespace ui {
namespace {

// Atomic only so that a stray handle freed on another thread cannot corrupt the
// counts; the program itself creates handles on its one UI thread.
std::array<std::atomic<long>, HandleKindCount> liveCounts{};
std::atomic<long> failedReleases{0};

constexpr std::array<std::string_view, HandleKindCount> kindNames{
    "brush", "pen", "font", "bitmap", "region", "palette", "memory DC", "window DC",
    "icon", "cursor", "image list", "menu", "window", "hook", "timer",
};

std::atomic<long>& Counter(HandleKind kind) noexcept
{
    return liveCounts[static_cast<std::size_t>(kind)];
}

} // namespace

namespace detail {
void CountTaken(HandleKind kind) noexcept { Counter(kind).fetch_add(1, std::memory_order_relaxed); }
void CountReleased(HandleKind kind) noexcept { Counter(kind).fetch_sub(1, std::memory_order_relaxed); }
void CountFailedRelease() noexcept { failedReleases.fetch_add(1, std::memory_order_relaxed); }
} // namespace detail

long LiveHandleCount(HandleKind kind) noexcept { return Counter(kind).load(std::memory_order_relaxed); }

long LiveHandleTotal() noexcept { return HandleSnapshot::Take().Total(); }

long FailedReleaseCount() noexcept { return failedReleases.load(std::memory_order_relaxed); }

std::string_view HandleKindName(HandleKind kind) noexcept
{
    const auto index = static_cast<std::size_t>(kind);
    return index < kindNames.size() ? kindNames[index] : std::string_view("unknown");
}

HandleSnapshot HandleSnapshot::Take() noexcept
{
    HandleSnapshot snapshot;
    for (std::size_t i = 0; i < HandleKindCount; ++i)
        snapshot.live[i] = liveCounts[i].load(std::memory_order_relaxed);
    snapshot.failedReleases = FailedReleaseCount();
    return snapshot;
}

long HandleSnapshot::Total() const noexcept { return std::accumulate(live.begin(), live.end(), 0L); }

// ---- UniqueWindowDC

UniqueWindowDC::UniqueWindowDC(HWND window, HDC dc) noexcept : window_(window), dc_(dc)
{
    if (dc_)
        detail::CountTaken(HandleKind::WindowDC);
}

UniqueWindowDC::UniqueWindowDC(UniqueWindowDC&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr))
{
}

UniqueWindowDC& UniqueWindowDC::operator=(UniqueWindowDC&& other) noexcept
{
    if (this != &other) {
        reset();
        window_ = std::exchange(other.window_, nullptr);
        dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
}

UniqueWindowDC UniqueWindowDC::Client(HWND window) noexcept { return UniqueWindowDC(window, GetDC(window)); }

UniqueWindowDC UniqueWindowDC::Whole(HWND window) noexcept { return UniqueWindowDC(window, GetWindowDC(window)); }

void UniqueWindowDC::reset() noexcept
{
    if (dc_) {
        if (ReleaseDC(window_, dc_) == 0)
            detail::CountFailedRelease();
        detail::CountReleased(HandleKind::WindowDC);
    }
    dc_ = nullptr;
    window_ = nullptr;
}

// ---- PaintDC

PaintDC::PaintDC(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_))
{
    if (dc_)
        detail::CountTaken(HandleKind::WindowDC);
}

PaintDC::~PaintDC()
{
    // EndPaint must follow every BeginPaint, even a failed one, to validate the window.
    EndPaint(window_, &paint_);
    if (dc_)
        detail::CountReleased(HandleKind::WindowDC);
}

// ---- UniqueTimer

UniqueTimer::UniqueTimer(HWND window, UINT_PTR id) noexcept : window_(window), id_(id)
{
    if (id_)
        detail::CountTaken(HandleKind::Timer);
}

UniqueTimer::UniqueTimer(UniqueTimer&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), id_(std::exchange(other.id_, 0))
{
}

UniqueTimer& UniqueTimer::operator=(UniqueTimer&& other) noexcept
{
    if (this != &other) {
        reset();
        window_ = std::exchange(other.window_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

UniqueTimer UniqueTimer::Start(HWND window, UINT_PTR id, UINT milliseconds, TIMERPROC proc) noexcept
{
    const UINT_PTR result = SetTimer(window, id, milliseconds, proc);
    if (result == 0)
        return {};
    // Without a window SetTimer chooses the id itself.
    return UniqueTimer(window, window ? id : result);
}

void UniqueTimer::reset() noexcept
{
    if (id_) {
        if (KillTimer(window_, id_) == 0)
            detail::CountFailedRelease();
        detail::CountReleased(HandleKind::Timer);
    }
    id_ = 0;
    window_ = nullptr;
}

} // namespace ui
