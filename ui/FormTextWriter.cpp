#include "ui/FormTextWriter.h"

#include "ui/AnsiText.h"
#include "ui/Collection.h"
#include "ui/Component.h"
#include "ui/Properties.h"
#include "ui/Streams.h"
#include "ui/Strings.h"

#include <string_view>

namespace ui {

namespace {

constexpr std::size_t kHexBytesPerLine = 32;

class Writer {
public:
    explicit Writer(const TComponent& root) : root_(root) {}

    std::string Write()
    {
        Object(root_, 0);
        return std::move(out_);
    }

private:
    void Line(int indent, std::string_view text)
    {
        out_.append(static_cast<std::size_t>(indent) * 2, ' ');
        out_ += text;
        out_ += '\n';
    }

    void Object(const TComponent& component, int indent)
    {
        const std::string className(component.ClassName());
        Line(indent, "object " + (component.Name().empty() ? className : component.Name() + ": " + className));
        Properties(component, "", indent + 1);
        component.GetChildren([&](TComponent& child) { Object(child, indent + 1); }, root_);
        Line(indent, "end");
    }

    void Properties(const TObject& object, const std::string& prefix, int indent)
    {
        for (const TPropInfo& info : PropertiesOf(object.ClassType()).Properties()) {
            if (info.IsStored && !info.IsStored(object)) {
                continue;
            }
            Property(object, info, prefix + info.Name, indent);
        }
    }

    void Property(const TObject& object, const TPropInfo& info, const std::string& name, int indent)
    {
        switch (info.Kind) {
        case TPropKind::Text:
            if (info.SetText) {
                Line(indent, name + " = " + QuoteFormString(info.GetText(object)));
            }
            return;
        case TPropKind::WideText:
            if (info.SetWide) {
                Line(indent, name + " = " + QuoteFormWideString(info.GetWide(object)));
            }
            return;
        case TPropKind::Event: {
            const std::string& handler = info.EventSlot(const_cast<TObject&>(object))->HandlerName();
            if (!handler.empty()) {
                Line(indent, name + " = " + handler);
            }
            return;
        }
        case TPropKind::Binary:
            Binary(object, info, name, indent);
            return;
        case TPropKind::Object:
            ObjectValue(object, info, name, indent);
            return;
        default: {
            if (!info.SetOrdinal) {
                return;
            }
            const std::int64_t value = info.GetOrdinal(object);
            if (info.Default && *info.Default == value) {
                return;
            }
            Line(indent, name + " = " + FormatOrdinal(info, value));
            return;
        }
        }
    }

    void ObjectValue(const TObject& object, const TPropInfo& info, const std::string& name, int indent)
    {
        const TObject* value = info.GetObjectValue(object);
        if (info.ObjectClass->InheritsFrom(TComponent::ClassInfo)) {
            const auto* component = As<TComponent>(value);
            if (info.SetObject && component != nullptr && !component->Name().empty() &&
                (component == &root_ || component->Owner() == &root_)) {
                Line(indent, name + " = " + component->Name());
            }
            return;
        }
        if (value == nullptr) {
            return;
        }
        if (const auto* strings = As<TStrings>(value)) {
            if (strings->Count() == 0) {
                Line(indent, name + " = ()");
                return;
            }
            Line(indent, name + " = (");
            for (int i = 0; i < strings->Count(); ++i) {
                Line(indent + 1, QuoteFormString(strings->Get(i)));
            }
            Line(indent, ")");
            return;
        }
        if (const auto* collection = As<TCollection>(value)) {
            if (collection->Count() == 0) {
                Line(indent, name + " = <>");
                return;
            }
            Line(indent, name + " = <");
            for (const TCollectionItem* item : collection->ItemList()) {
                Line(indent + 1, "item");
                Properties(*item, "", indent + 2);
                Line(indent + 1, "end");
            }
            Line(indent, ">");
            return;
        }
        Properties(*value, name + ".", indent);
    }

    void Binary(const TObject& object, const TPropInfo& info, const std::string& name, int indent)
    {
        TMemoryStream stream;
        info.WriteData(object, stream);
        const std::span<const std::byte> bytes = stream.Bytes();
        if (bytes.empty()) {
            Line(indent, name + " = {}");
            return;
        }
        Line(indent, name + " = {");
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (std::size_t start = 0; start < bytes.size(); start += kHexBytesPerLine) {
            std::string hex;
            for (std::size_t i = start; i < bytes.size() && i < start + kHexBytesPerLine; ++i) {
                const auto b = static_cast<unsigned>(bytes[i]);
                hex += kHex[b >> 4];
                hex += kHex[b & 15];
            }
            Line(indent + 1, hex);
        }
        Line(indent, "}");
    }

    const TComponent& root_;
    std::string out_;
};

// Appends bytes to a form string, opening a quoted run when needed.
void AppendQuoted(std::string& out, bool& quoted, std::string_view bytes)
{
    for (const char c : bytes) {
        if (!quoted) {
            out += '\'';
            quoted = true;
        }
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
}

void AppendCode(std::string& out, bool& quoted, std::uint32_t code)
{
    if (quoted) {
        out += '\'';
        quoted = false;
    }
    out += '#';
    out += std::to_string(code);
}

} // namespace

std::string WriteFormText(const TComponent& root)
{
    return Writer(root).Write();
}

void WriteForm(const TComponent& root, TStream& stream)
{
    const std::string text = WriteFormText(root);
    stream.WriteBuffer(text.data(), text.size());
}

std::string QuoteFormString(std::string_view bytes)
{
    if (bytes.empty()) {
        return "''";
    }
    std::string out;
    bool quoted = false;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < ' ' || u == 0x7F) {
            AppendCode(out, quoted, u);
        } else {
            AppendQuoted(out, quoted, std::string_view(&c, 1));
        }
    }
    if (quoted) {
        out += '\'';
    }
    return out;
}

std::string QuoteFormWideString(std::wstring_view text)
{
    if (text.empty()) {
        return "''";
    }
    std::string out;
    bool quoted = false;
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code >= ' ' && code < 0x7F) {
            AppendQuoted(out, quoted, std::string(1, static_cast<char>(code)));
            continue;
        }
        if (code >= 0x80) {
            // Kept readable when the code page holds the character both ways.
            const std::string bytes = WideToAnsi(std::wstring_view(&c, 1));
            if (!bytes.empty() && static_cast<unsigned char>(bytes[0]) >= 0x80 && AnsiToWide(bytes) == std::wstring(1, c)) {
                AppendQuoted(out, quoted, bytes);
                continue;
            }
        }
        AppendCode(out, quoted, code);
    }
    if (quoted) {
        out += '\'';
    }
    return out;
}

} // namespace ui
