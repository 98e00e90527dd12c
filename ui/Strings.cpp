#include "ui/Strings.h"

#include "ui/AnsiText.h"
#include "ui/Exceptions.h"
#include "ui/Streams.h"

#include <algorithm>

constinit const TClassInfo TStrings::ClassInfo = ui::ClassOf<TStrings>("TStrings", TPersistent::ClassInfo);
constinit const TClassInfo TStringList::ClassInfo = ui::ClassOf<TStringList>("TStringList", TStrings::ClassInfo);

void TStrings::Put(int index, std::string_view text)
{
    TObject* object = Objects(index);
    Delete(index);
    InsertObject(index, text, object);
}

TObject* TStrings::Objects(int index) const
{
    CheckIndex(index, Count());
    return nullptr;
}

void TStrings::PutObject(int index, TObject*)
{
    CheckIndex(index, Count());
}

int TStrings::Add(std::string_view text)
{
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(std::string_view text, TObject* object)
{
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, std::string_view text, TObject* object)
{
    Insert(index, text);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings)
{
    BeginUpdate();
    for (int i = 0; i < strings.Count(); ++i) {
        AddObject(strings.Get(i), strings.Objects(i));
    }
    EndUpdate();
}

void TStrings::Exchange(int index1, int index2)
{
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    if (index1 == index2) {
        return;
    }
    const std::string text1 = Get(index1);
    TObject* object1 = Objects(index1);
    Put(index1, Get(index2));
    PutObject(index1, Objects(index2));
    Put(index2, text1);
    PutObject(index2, object1);
}

void TStrings::Move(int currentIndex, int newIndex)
{
    CheckIndex(currentIndex, Count());
    CheckIndex(newIndex, Count());
    if (currentIndex == newIndex) {
        return;
    }
    BeginUpdate();
    const std::string text = Get(currentIndex);
    TObject* object = Objects(currentIndex);
    Delete(currentIndex);
    InsertObject(newIndex, text, object);
    EndUpdate();
}

int TStrings::IndexOf(std::string_view text) const
{
    for (int i = 0; i < Count(); ++i) {
        if (CompareStrings(Get(i), text) == 0) {
            return i;
        }
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i) {
        if (Objects(i) == object) {
            return i;
        }
    }
    return -1;
}

std::string TStrings::Names(int index) const
{
    const std::string line = Get(index);
    const std::size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const
{
    const std::string line = Get(index);
    const std::size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

int TStrings::IndexOfName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && CompareStrings(std::string_view(line).substr(0, eq), name) == 0) {
            return i;
        }
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValue(std::string_view name, std::string_view value)
{
    const int index = IndexOfName(name);
    std::string line(name);
    line += '=';
    line += value;
    if (value.empty()) {
        if (index >= 0) {
            Delete(index);
        }
    } else if (index < 0) {
        Add(line);
    } else {
        Put(index, line);
    }
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text)
{
    BeginUpdate();
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        Add(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r') {
            ++end;
        }
        if (end < text.size() && text[end] == '\n') {
            ++end;
        }
        start = end;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        const std::string item = Get(i);
        if (i > 0) {
            text += ',';
        }
        const bool quote = item.empty() || std::any_of(item.begin(), item.end(), [](char c) {
            return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"';
        });
        if (!quote) {
            text += item;
            continue;
        }
        text += '"';
        for (const char c : item) {
            text += c;
            if (c == '"') {
                text += '"';
            }
        }
        text += '"';
    }
    return text;
}

void TStrings::SetCommaText(std::string_view text)
{
    const auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; };
    BeginUpdate();
    Clear();
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && !isSpace(text[i])) {
                item += text[i++];
            }
        }
        Add(item);
        while (i < text.size() && isSpace(text[i])) {
            ++i;
        }
        if (i < text.size() && text[i] == ',') {
            ++i;
            while (i < text.size() && isSpace(text[i])) {
                ++i;
            }
            if (i == text.size()) {
                Add("");
            }
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0) {
        SetUpdateState(true);
    }
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0) {
        SetUpdateState(false);
    }
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count()) {
        return false;
    }
    for (int i = 0; i < Count(); ++i) {
        if (Get(i) != other.Get(i)) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> TStrings::ToVector() const
{
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        result.push_back(Get(i));
    }
    return result;
}

void TStrings::Assign(const TPersistent& source)
{
    const auto* strings = ui::As<TStrings>(&source);
    if (strings == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (strings == this) {
        return;
    }
    BeginUpdate();
    Clear();
    AddStrings(*strings);
    EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream)
{
    std::string text(static_cast<std::size_t>(stream.Remaining()), '\0');
    stream.ReadBuffer(text.data(), text.size());
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const
{
    const std::string text = Text();
    stream.WriteBuffer(text.data(), text.size());
}

void TStrings::LoadFromFile(std::string_view fileName)
{
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TStrings::SaveToFile(std::string_view fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const
{
    if (caseSensitive_) {
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    }
    return ui::CompareText(a, b);
}

void TStrings::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].first;
}

void TStringList::Put(int index, std::string_view text)
{
    if (sorted_) {
        throw EListError("Operation not allowed on sorted list");
    }
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<std::size_t>(index)].first = text;
    Changed();
}

TObject* TStringList::Objects(int index) const
{
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].second;
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<std::size_t>(index)].second = object;
    Changed();
}

void TStringList::Insert(int index, std::string_view text)
{
    if (sorted_) {
        throw EListError("Operation not allowed on sorted list");
    }
    CheckIndex(index, Count() + 1);
    InsertItem(index, text, nullptr);
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty()) {
        return;
    }
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Add(std::string_view text)
{
    if (!sorted_) {
        const int index = Count();
        InsertItem(index, text, nullptr);
        return index;
    }
    int index = 0;
    if (Find(text, index)) {
        if (duplicates_ == dupIgnore) {
            return index;
        }
        if (duplicates_ == dupError) {
            throw EListError("String list does not allow duplicates");
        }
    }
    InsertItem(index, text, nullptr);
    return index;
}

int TStringList::IndexOf(std::string_view text) const
{
    if (!sorted_) {
        return TStrings::IndexOf(text);
    }
    int index = 0;
    return Find(text, index) ? index : -1;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (value == CaseSensitive()) {
        return;
    }
    TStrings::SetCaseSensitive(value);
    if (sorted_) {
        Sort();
    }
}

void TStringList::SetSorted(bool value)
{
    if (value == sorted_) {
        return;
    }
    if (value) {
        Sort();
    }
    sorted_ = value;
}

void TStringList::Sort()
{
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
        [this](const auto& a, const auto& b) { return CompareStrings(a.first, b.first) < 0; });
    Changed();
}

bool TStringList::Find(std::string_view text, int& index) const
{
    // Lower bound, so that among equal strings the first is found.
    int low = 0;
    int high = Count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (CompareStrings(items_[static_cast<std::size_t>(mid)].first, text) < 0) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    index = low;
    return low < Count() && CompareStrings(items_[static_cast<std::size_t>(low)].first, text) == 0;
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating) {
        OnChanging(this);
    } else {
        OnChange(this);
    }
}

void TStringList::Changing()
{
    if (UpdateCount() == 0) {
        OnChanging(this);
    }
}

void TStringList::Changed()
{
    if (UpdateCount() == 0) {
        OnChange(this);
    }
}

void TStringList::InsertItem(int index, std::string_view text, TObject* object)
{
    Changing();
    items_.insert(items_.begin() + index, {std::string(text), object});
    Changed();
}
