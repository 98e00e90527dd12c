#include "ui/WindowItems.h"

#include "ui/Control.h"
#include "ui/Graphics.h"

#include <algorithm>

constinit const TClassInfo TWindowItems::ClassInfo = ui::ClassOf<TWindowItems>("TWindowItems", TStrings::ClassInfo);

HWND TWindowItems::Window() const { return control_.WindowHandle(); }

TPersistent* TWindowItems::GetOwner() const { return &control_; }

void TWindowItems::CheckAdded(LRESULT result) const
{
    if (result == messages_.error || result == messages_.errorSpace)
        throw EOutOfResources(messages_.full);
}

int TWindowItems::Count() const
{
    if (const HWND window = Window())
        return static_cast<int>(SendMessageA(window, messages_.count, 0, 0));
    return saved_.Count();
}

std::string TWindowItems::Get(int index) const
{
    const HWND window = Window();
    if (!window)
        return saved_.Get(index);
    CheckIndex(index, Count());
    const auto length = SendMessageA(window, messages_.textLength, static_cast<WPARAM>(index), 0);
    std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    const auto copied =
        SendMessageA(window, messages_.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

void TWindowItems::Insert(int index, std::string_view text)
{
    const HWND window = Window();
    if (!window) {
        saved_.Insert(index, text);
        return;
    }
    CheckIndex(index, Count() + 1);
    const std::string copy(text);
    const UINT msg = Sorted() ? messages_.add : messages_.insert;
    CheckAdded(SendMessageA(window, msg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(copy.c_str())));
}

int TWindowItems::Add(std::string_view text)
{
    const HWND window = Window();
    if (!window)
        return saved_.Add(text);
    const std::string copy(text);
    const auto result = SendMessageA(window, messages_.add, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    CheckAdded(result);
    return static_cast<int>(result);
}

void TWindowItems::Delete(int index)
{
    const HWND window = Window();
    if (!window) {
        saved_.Delete(index);
        return;
    }
    CheckIndex(index, Count());
    SendMessageA(window, messages_.remove, static_cast<WPARAM>(index), 0);
}

void TWindowItems::Clear()
{
    if (const HWND window = Window())
        SendMessageA(window, messages_.reset, 0, 0);
    else
        saved_.Clear();
}

TObject* TWindowItems::Objects(int index) const
{
    const HWND window = Window();
    if (!window)
        return saved_.Objects(index);
    CheckIndex(index, Count());
    return reinterpret_cast<TObject*>(SendMessageA(window, messages_.getData, static_cast<WPARAM>(index), 0));
}

void TWindowItems::PutObject(int index, TObject* object)
{
    const HWND window = Window();
    if (!window) {
        saved_.PutObject(index, object);
        return;
    }
    CheckIndex(index, Count());
    SendMessageA(window, messages_.setData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

void TWindowItems::MoveIntoWindow()
{
    const HWND window = Window();
    for (int i = 0; i < saved_.Count(); ++i) {
        const std::string text = saved_.Get(i);
        const auto index = SendMessageA(window, messages_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0)
            SendMessageA(window, messages_.setData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(saved_.Objects(i)));
    }
    saved_.Clear();
}

void TWindowItems::MoveOutOfWindow()
{
    saved_.Clear();
    const HWND window = Window();
    if (!window)
        return;
    const int count = static_cast<int>(SendMessageA(window, messages_.count, 0, 0));
    for (int i = 0; i < count; ++i)
        saved_.AddObject(Get(i), Objects(i));
}
