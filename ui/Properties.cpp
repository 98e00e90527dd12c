#include "ui/Properties.h"

#include "ui/AnsiText.h"

#include <charconv>
#include <limits>
#include <memory>
#include <unordered_map>

namespace ui {

namespace {

template <class Info>
Info& AddOrReplace(std::deque<Info>& list, std::unordered_map<std::string, const Info*, TextCaseHash, TextCaseEqual>& index,
    Info info)
{
    const auto it = index.find(info.Name);
    if (it != index.end()) {
        Info& existing = const_cast<Info&>(*it->second);
        existing = std::move(info);
        return existing;
    }
    Info& added = list.emplace_back(std::move(info));
    index.emplace(added.Name, &added);
    return added;
}

template <class Info>
const Info* Lookup(const std::unordered_map<std::string, const Info*, TextCaseHash, TextCaseEqual>& index,
    std::string_view name)
{
    const auto it = index.find(name);
    return it == index.end() ? nullptr : it->second;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Decimal with optional sign, or "$"/"0x" and up to eight hexadecimal digits
// taken as a 32-bit pattern (so $FFFFFFFF is -1).
std::optional<std::int64_t> ParseInteger(std::string_view text)
{
    text = Trim(text);
    std::uint32_t hex = 0;
    std::string_view digits;
    if (text.starts_with('$')) {
        digits = text.substr(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        digits = text.substr(2);
    }
    if (!digits.empty()) {
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), hex, 16);
        if (ec != std::errc() || end != digits.data() + digits.size()) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(hex);
    }
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> ParseSet(const TEnumInfo& info, std::string_view text)
{
    text = Trim(text);
    if (!text.starts_with('[') || !text.ends_with(']')) {
        return std::nullopt;
    }
    text = Trim(text.substr(1, text.size() - 2));
    std::uint32_t bits = 0;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view member = Trim(text.substr(0, comma));
        const std::optional<int> value = info.ValueOf(member);
        if (!value || *value >= 32) {
            return std::nullopt;
        }
        bits |= std::uint32_t{1} << *value;
        if (comma == std::string_view::npos) {
            break;
        }
        text = text.substr(comma + 1);
        if (Trim(text).empty()) {
            return std::nullopt;
        }
    }
    return bits;
}

bool IsOrdinal(TPropKind kind)
{
    return kind == TPropKind::Integer || kind == TPropKind::Boolean || kind == TPropKind::Enumeration ||
           kind == TPropKind::Set || kind == TPropKind::Colour;
}

[[noreturn]] void ThrowBadValue(const TPropInfo& prop, std::string_view text)
{
    throw EPropertyError("Invalid value '" + std::string(text) + "' for property " + prop.Name);
}

std::int64_t ParseOrThrow(const TPropInfo& prop, std::string_view text)
{
    const std::optional<std::int64_t> value = ParseOrdinal(prop, text);
    if (!value) {
        ThrowBadValue(prop, text);
    }
    return *value;
}

} // namespace

std::optional<int> TEnumInfo::ValueOf(std::string_view identifier) const
{
    for (std::size_t i = 0; i < Identifiers.size(); ++i) {
        if (SameText(Identifiers[i], identifier)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string_view TEnumInfo::IdentifierOf(std::int64_t value) const
{
    if (value < 0 || static_cast<std::uint64_t>(value) >= Identifiers.size()) {
        return {};
    }
    return Identifiers[static_cast<std::size_t>(value)];
}

bool TPropInfo::IsWritable() const
{
    switch (Kind) {
    case TPropKind::Text:
        return static_cast<bool>(SetText);
    case TPropKind::WideText:
        return static_cast<bool>(SetWide);
    case TPropKind::Object:
        return static_cast<bool>(SetObject);
    case TPropKind::Event:
    case TPropKind::Binary:
        return true;
    default:
        return static_cast<bool>(SetOrdinal);
    }
}

TPropInfo& TPropertyList::Add(TPropInfo info)
{
    return AddOrReplace(properties_, propertyIndex_, std::move(info));
}

void TPropertyList::AddMethod(TMethodInfo info)
{
    AddOrReplace(methods_, methodIndex_, std::move(info));
}

void TPropertyList::AddField(TFieldInfo info)
{
    AddOrReplace(fields_, fieldIndex_, std::move(info));
}

const TPropInfo* TPropertyList::Find(std::string_view name) const
{
    return Lookup(propertyIndex_, name);
}

const TMethodInfo* TPropertyList::FindMethod(std::string_view name) const
{
    return Lookup(methodIndex_, name);
}

const TFieldInfo* TPropertyList::FindField(std::string_view name) const
{
    return Lookup(fieldIndex_, name);
}

const TPropertyList& PropertiesOf(const TClassInfo& info)
{
    // Never destroyed, like the class registry: statics may look up properties late.
    static auto* lists = new std::unordered_map<const TClassInfo*, std::unique_ptr<TPropertyList>>;
    const auto it = lists->find(&info);
    if (it != lists->end()) {
        return *it->second;
    }
    auto list = std::make_unique<TPropertyList>();
    if (info.Parent != nullptr) {
        const TPropertyList& inherited = PropertiesOf(*info.Parent);
        for (const TPropInfo& prop : inherited.Properties()) {
            list->Add(prop);
        }
        for (const TMethodInfo& method : inherited.Methods()) {
            list->AddMethod(method);
        }
        for (const TFieldInfo& field : inherited.Fields()) {
            list->AddField(field);
        }
    }
    if (info.Publish != nullptr) {
        info.Publish(*list);
    }
    return *lists->emplace(&info, std::move(list)).first->second;
}

const TPropInfo* FindPropInfo(const TClassInfo& info, std::string_view name)
{
    return PropertiesOf(info).Find(name);
}

const TPropInfo* FindPropInfo(const TObject* object, std::string_view name)
{
    return object == nullptr ? nullptr : FindPropInfo(object->ClassType(), name);
}

int GetIntProp(const TObject* object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(object, name);
    if (prop == nullptr || (prop->Kind != TPropKind::Integer && prop->Kind != TPropKind::Colour)) {
        return -1;
    }
    return static_cast<int>(static_cast<std::int32_t>(prop->GetOrdinal(*object)));
}

std::string GetEnumPropText(const TObject* object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(object, name);
    if (prop == nullptr || (prop->Kind != TPropKind::Enumeration && prop->Kind != TPropKind::Boolean)) {
        return {};
    }
    return FormatOrdinal(*prop, prop->GetOrdinal(*object));
}

std::wstring GetWideTextProp(const TObject* object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(object, name);
    if (prop == nullptr) {
        return {};
    }
    if (prop->Kind == TPropKind::WideText) {
        return prop->GetWide(*object);
    }
    if (prop->Kind == TPropKind::Text) {
        return AnsiToWide(prop->GetText(*object));
    }
    return {};
}

TObject* GetObjectPropOf(const TObject* object, std::string_view name, const TClassInfo& info)
{
    const TPropInfo* prop = FindPropInfo(object, name);
    if (prop == nullptr || prop->Kind != TPropKind::Object) {
        return nullptr;
    }
    TObject* value = prop->GetObjectValue(*object);
    return value != nullptr && value->InheritsFrom(info) ? value : nullptr;
}

void SetPropText(TObject* object, std::string_view name, std::string_view value)
{
    const TPropInfo* prop = FindPropInfo(object, name);
    if (prop == nullptr || !prop->IsWritable()) {
        return;
    }
    switch (prop->Kind) {
    case TPropKind::Integer:
    case TPropKind::Colour:
    case TPropKind::Enumeration:
    case TPropKind::Boolean:
        prop->SetOrdinal(*object, ParseOrThrow(*prop, value));
        break;
    case TPropKind::Text:
        prop->SetText(*object, value);
        break;
    case TPropKind::WideText:
        prop->SetWide(*object, AnsiToWide(value));
        break;
    default:
        break;
    }
}

std::optional<std::int64_t> GetOrdProp(const TObject& object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr || !IsOrdinal(prop->Kind)) {
        return std::nullopt;
    }
    return prop->GetOrdinal(object);
}

bool SetOrdProp(TObject& object, std::string_view name, std::int64_t value)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr || !IsOrdinal(prop->Kind) || !prop->SetOrdinal) {
        return false;
    }
    prop->SetOrdinal(object, value);
    return true;
}

std::optional<std::string> GetStrProp(const TObject& object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr) {
        return std::nullopt;
    }
    if (prop->Kind == TPropKind::Text) {
        return prop->GetText(object);
    }
    if (prop->Kind == TPropKind::WideText) {
        return WideToAnsi(prop->GetWide(object));
    }
    return std::nullopt;
}

bool SetStrProp(TObject& object, std::string_view name, std::string_view value)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr || !prop->IsWritable()) {
        return false;
    }
    if (prop->Kind == TPropKind::Text) {
        prop->SetText(object, value);
        return true;
    }
    if (prop->Kind == TPropKind::WideText) {
        prop->SetWide(object, AnsiToWide(value));
        return true;
    }
    return false;
}

std::optional<std::wstring> GetWideStrProp(const TObject& object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr) {
        return std::nullopt;
    }
    if (prop->Kind == TPropKind::WideText) {
        return prop->GetWide(object);
    }
    if (prop->Kind == TPropKind::Text) {
        return AnsiToWide(prop->GetText(object));
    }
    return std::nullopt;
}

bool SetWideStrProp(TObject& object, std::string_view name, std::wstring_view value)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr || !prop->IsWritable()) {
        return false;
    }
    if (prop->Kind == TPropKind::WideText) {
        prop->SetWide(object, value);
        return true;
    }
    if (prop->Kind == TPropKind::Text) {
        prop->SetText(object, WideToAnsi(value));
        return true;
    }
    return false;
}

TObject* GetObjectProp(const TObject& object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    return prop != nullptr && prop->Kind == TPropKind::Object ? prop->GetObjectValue(object) : nullptr;
}

bool SetObjectProp(TObject& object, std::string_view name, TObject* value)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr || prop->Kind != TPropKind::Object || !prop->SetObject) {
        return false;
    }
    prop->SetObject(object, value);
    return true;
}

std::optional<std::string> GetPropValueText(const TObject& object, std::string_view name)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr) {
        return std::nullopt;
    }
    switch (prop->Kind) {
    case TPropKind::Text:
        return prop->GetText(object);
    case TPropKind::WideText:
        return WideToAnsi(prop->GetWide(object));
    case TPropKind::Event:
        return prop->EventSlot(const_cast<TObject&>(object))->HandlerName();
    case TPropKind::Object: {
        const auto* component = As<TComponent>(prop->GetObjectValue(object));
        if (component == nullptr && prop->ObjectClass->InheritsFrom(TComponent::ClassInfo)) {
            return std::string();
        }
        return component != nullptr ? std::optional<std::string>(component->Name()) : std::nullopt;
    }
    case TPropKind::Binary:
        return std::nullopt;
    default:
        return FormatOrdinal(*prop, prop->GetOrdinal(object));
    }
}

bool SetPropValueText(TObject& object, std::string_view name, std::string_view text)
{
    const TPropInfo* prop = FindPropInfo(&object, name);
    if (prop == nullptr || !prop->IsWritable()) {
        return false;
    }
    switch (prop->Kind) {
    case TPropKind::Text:
        prop->SetText(object, text);
        return true;
    case TPropKind::WideText:
        prop->SetWide(object, AnsiToWide(text));
        return true;
    case TPropKind::Object:
    case TPropKind::Event:
    case TPropKind::Binary:
        return false;
    default:
        prop->SetOrdinal(object, ParseOrThrow(*prop, text));
        return true;
    }
}

std::string FormatOrdinal(const TPropInfo& prop, std::int64_t value)
{
    switch (prop.Kind) {
    case TPropKind::Boolean:
        return value != 0 ? "True" : "False";
    case TPropKind::Enumeration: {
        const std::string_view identifier = prop.Enum->IdentifierOf(value);
        return identifier.empty() ? std::to_string(value) : std::string(identifier);
    }
    case TPropKind::Set: {
        std::string text = "[";
        for (std::size_t i = 0; i < prop.Enum->Identifiers.size() && i < 32; ++i) {
            if ((static_cast<std::uint64_t>(value) >> i) & 1) {
                if (text.size() > 1) {
                    text += ", ";
                }
                text += prop.Enum->Identifiers[i];
            }
        }
        return text + "]";
    }
    case TPropKind::Colour:
        return ColorToString(static_cast<TColor>(value));
    default:
        return std::to_string(value);
    }
}

std::optional<std::int64_t> ParseOrdinal(const TPropInfo& prop, std::string_view text)
{
    switch (prop.Kind) {
    case TPropKind::Integer:
        return ParseInteger(text);
    case TPropKind::Boolean:
        if (SameText(Trim(text), "True")) {
            return 1;
        }
        if (SameText(Trim(text), "False")) {
            return 0;
        }
        return std::nullopt;
    case TPropKind::Enumeration: {
        // A value without an identifier is written as its number.
        const std::optional<int> value = prop.Enum->ValueOf(Trim(text));
        return value ? std::optional<std::int64_t>(*value) : ParseInteger(text);
    }
    case TPropKind::Set:
        return ParseSet(*prop.Enum, text);
    case TPropKind::Colour: {
        const std::optional<TColor> color = StringToColor(Trim(text));
        return color ? std::optional<std::int64_t>(*color) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

namespace detail {

void ThrowOutOfRange(const std::string& property, std::int64_t value)
{
    throw EPropertyError("Value " + std::to_string(value) + " is out of range for property " + property);
}

void ThrowWrongClass(const std::string& property, const TClassInfo& wanted, const TObject& given)
{
    throw EPropertyError("Property " + property + " needs a " + std::string(wanted.Name) + ", not a " +
                         std::string(given.ClassName()));
}

} // namespace detail

} // namespace ui
