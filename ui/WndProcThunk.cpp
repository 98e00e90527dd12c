#include "ui/WndProcThunk.h"

#include "ui/ExceptionBoundary.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace ui {
namespace detail {

// State shared by a WindowSubclass and its thunk. It outlives the
// WindowSubclass while a call is still running on it or while it must stay in
// the window's chain as a pass-through.
struct SubclassRecord {
    HWND window = nullptr;
    WNDPROC previous = nullptr;
    bool unicode = false;
    WindowSubclass::Handler handler;
    unsigned char* thunk = nullptr;
    int depth = 0;           // calls in progress through this record
    bool active = true;      // the handler may still be called
    bool ownerAlive = true;  // a WindowSubclass refers to the record
    bool inChain = true;     // the window's procedure chain can still reach the thunk
};

} // namespace detail

namespace {

using detail::SubclassRecord;

// Executable memory for thunks, carved out of 64 KiB blocks. Pages are
// writable only while a slot is being written, executable otherwise.
class ThunkPool {
public:
    static constexpr std::size_t SlotSize = 32;
    static constexpr std::size_t BlockSize = 64 * 1024;

    unsigned char* Allocate(const void* data, const void* target)
    {
        if (free_.empty())
            Grow();
        unsigned char* slot = free_.back();
        free_.pop_back();
        Write(slot, Code(data, target));
        ++live_;
        return slot;
    }

    void Free(unsigned char* slot) noexcept
    {
        // A stale call into a freed slot traps instead of running someone else's code.
        std::array<unsigned char, SlotSize> trap{};
        trap.fill(0xCC);
        Write(slot, trap);
        free_.push_back(slot);
        --live_;
    }

    long Live() const noexcept { return live_; }

private:
    static std::array<unsigned char, SlotSize> Code(const void* data, const void* target) noexcept
    {
        std::array<unsigned char, SlotSize> code{};
        code.fill(0xCC);
        const auto d = reinterpret_cast<std::uintptr_t>(data);
        const auto t = reinterpret_cast<std::uintptr_t>(target);
#if defined(__x86_64__) || defined(_M_X64)
        // mov rcx, data ; mov rax, target ; jmp rax   (the window handle argument becomes the record)
        const unsigned char head[] = {0x48, 0xB9};
        std::memcpy(&code[0], head, 2);
        std::memcpy(&code[2], &d, 8);
        const unsigned char mid[] = {0x48, 0xB8};
        std::memcpy(&code[10], mid, 2);
        std::memcpy(&code[12], &t, 8);
        code[20] = 0xFF;
        code[21] = 0xE0;
#elif defined(__i386__) || defined(_M_IX86)
        // mov dword [esp+4], data ; mov eax, target ; jmp eax
        const auto d32 = static_cast<std::uint32_t>(d);
        const auto t32 = static_cast<std::uint32_t>(t);
        const unsigned char head[] = {0xC7, 0x44, 0x24, 0x04};
        std::memcpy(&code[0], head, 4);
        std::memcpy(&code[4], &d32, 4);
        code[8] = 0xB8;
        std::memcpy(&code[9], &t32, 4);
        code[13] = 0xFF;
        code[14] = 0xE0;
#else
#error "window procedure thunks exist for x86 and x86-64 only"
#endif
        return code;
    }

    static void Write(unsigned char* slot, const std::array<unsigned char, SlotSize>& code) noexcept
    {
        DWORD old = 0;
        VirtualProtect(slot, SlotSize, PAGE_READWRITE, &old);
        std::memcpy(slot, code.data(), SlotSize);
        VirtualProtect(slot, SlotSize, PAGE_EXECUTE_READ, &old);
        FlushInstructionCache(GetCurrentProcess(), slot, SlotSize);
    }

    void Grow()
    {
        void* block = VirtualAlloc(nullptr, BlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READ);
        if (!block)
            throw std::bad_alloc();
        // Blocks are kept for the life of the process: a thunk address may
        // still sit in some window's chain until that window is destroyed.
        auto* bytes = static_cast<unsigned char*>(block);
        for (std::size_t offset = BlockSize; offset >= SlotSize; offset -= SlotSize)
            free_.push_back(bytes + offset - SlotSize);
    }

    std::vector<unsigned char*> free_;
    long live_ = 0;
};

// Never destroyed: windows may outlive static destruction at process exit.
ThunkPool& Pool()
{
    static ThunkPool* const pool = new ThunkPool;
    return *pool;
}

bool ProcIsThunk(const SubclassRecord& record) noexcept
{
    const LONG_PTR current = record.unicode ? GetWindowLongPtrW(record.window, GWLP_WNDPROC)
                                            : GetWindowLongPtrA(record.window, GWLP_WNDPROC);
    return current == reinterpret_cast<LONG_PTR>(record.thunk);
}

void SetProc(const SubclassRecord& record, WNDPROC proc) noexcept
{
    const auto value = reinterpret_cast<LONG_PTR>(proc);
    if (record.unicode)
        SetWindowLongPtrW(record.window, GWLP_WNDPROC, value);
    else
        SetWindowLongPtrA(record.window, GWLP_WNDPROC, value);
}

// Takes the thunk out of the chain when nobody is layered above it.
void Unhook(SubclassRecord& record) noexcept
{
    if (!record.inChain)
        return;
    if (!IsWindow(record.window)) {
        record.inChain = false;
    } else if (ProcIsThunk(record)) {
        SetProc(record, record.previous);
        record.inChain = false;
    }
}

void FreeIfUnused(SubclassRecord* record) noexcept
{
    if (record->ownerAlive || record->depth > 0 || record->inChain)
        return;
    Pool().Free(record->thunk);
    delete record;
}

LRESULT CALLBACK RecordProc(HWND recordArgument, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* record = reinterpret_cast<SubclassRecord*>(recordArgument);
    ++record->depth;
    LRESULT result = 0;
    if (record->active) {
        // A handler that failed half-way answers 0, whatever it had stored.
        result = RunGuarded(nullptr, LRESULT{0}, [record, msg, wParam, lParam] {
            TMessage message{msg, wParam, lParam, 0};
            record->handler(message);
            return message.Result;
        });
    } else {
        result = CallProc(record->previous, record->unicode, record->window, msg, wParam, lParam);
    }
    --record->depth;
    if (msg == WM_NCDESTROY) {
        // The window is gone: nothing can reach the thunk any more.
        record->active = false;
        if (IsWindow(record->window) && ProcIsThunk(*record))
            SetProc(*record, record->previous);
        record->inChain = false;
    }
    FreeIfUnused(record);
    return result;
}

} // namespace

LRESULT CallProc(WNDPROC proc, bool unicode, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return unicode ? CallWindowProcW(proc, window, msg, wParam, lParam)
                   : CallWindowProcA(proc, window, msg, wParam, lParam);
}

long LiveThunkCount() noexcept { return Pool().Live(); }

WindowSubclass::~WindowSubclass() { Remove(); }

bool WindowSubclass::Install(HWND window, Handler handler)
{
    if (record_ || !IsWindow(window) || !handler)
        return false;
    auto* record = new SubclassRecord;
    record->window = window;
    record->unicode = IsWindowUnicode(window) != FALSE;
    record->handler = std::move(handler);
    try {
        record->thunk = Pool().Allocate(record, reinterpret_cast<const void*>(&RecordProc));
    } catch (...) {
        delete record;
        throw;
    }
    const auto value = reinterpret_cast<LONG_PTR>(record->thunk);
    record->previous = reinterpret_cast<WNDPROC>(record->unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                                                 : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
    record_ = record;
    return true;
}

void WindowSubclass::Remove() noexcept
{
    if (!record_)
        return;
    SubclassRecord* record = std::exchange(record_, nullptr);
    record->active = false;
    record->ownerAlive = false;
    Unhook(*record);
    FreeIfUnused(record);
}

HWND WindowSubclass::Window() const noexcept { return record_ ? record_->window : nullptr; }

WNDPROC WindowSubclass::Previous() const noexcept { return record_ ? record_->previous : nullptr; }

WNDPROC WindowSubclass::Proc() const noexcept
{
    return record_ ? reinterpret_cast<WNDPROC>(record_->thunk) : nullptr;
}

bool WindowSubclass::Unicode() const noexcept { return record_ && record_->unicode; }

void WindowSubclass::CallPrevious(TMessage& message) const
{
    message.Result = CallPrevious(message.Msg, message.WParam, message.LParam);
}

LRESULT WindowSubclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    if (!record_)
        return 0;
    return CallProc(record_->previous, record_->unicode, record_->window, msg, wParam, lParam);
}

} // namespace ui
