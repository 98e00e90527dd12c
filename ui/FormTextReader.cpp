#include "ui/FormTextReader.h"

#include "ui/AnsiText.h"
#include "ui/Collection.h"
#include "ui/Component.h"
#include "ui/Properties.h"
#include "ui/Streams.h"
#include "ui/Strings.h"

#include <typeinfo>

namespace ui {

namespace {

bool IsOrdinalKind(TPropKind kind)
{
    return kind == TPropKind::Integer || kind == TPropKind::Boolean || kind == TPropKind::Enumeration ||
           kind == TPropKind::Set || kind == TPropKind::Colour;
}

// The value as the property's text form: "[a, b]" for sets.
std::string OrdinalText(const TFormValue& value)
{
    if (value.Kind != TFormValueKind::Set) {
        return value.Text;
    }
    std::string text = "[";
    for (std::size_t i = 0; i < value.Members.size(); ++i) {
        text += (i > 0 ? ", " : "") + value.Members[i];
    }
    return text + "]";
}

std::string Join(const std::string& where, std::string_view name)
{
    return where.empty() ? std::string(name) : where + "." + std::string(name);
}

} // namespace

TFileResolver FilesUnder(std::string directory)
{
    return [directory = std::move(directory)](std::string_view path) {
        const bool absolute = path.starts_with('/') || path.starts_with('\\') || path.find(':') != std::string_view::npos;
        const std::string p(path);
        const bool climbs = p == ".." || p.starts_with("../") || p.starts_with("..\\") ||
                            p.find("/../") != std::string::npos || p.find("\\..\\") != std::string::npos ||
                            p.ends_with("/..") || p.ends_with("\\..");
        if (absolute || climbs) {
            throw EFOpenError("Refusing file reference outside the form's folder: '" + p + "'");
        }
        return ReadFileBytes(directory + "/" + p);
    };
}

void ReadFormText(TComponent& root, std::string_view text, const TFormReadOptions& options)
{
    const TFormObject form = ParseFormText(text);
    TFormReader(root, options).Read(form);
}

void ReadForm(TComponent& root, TStream& stream, const TFormReadOptions& options)
{
    std::string text(static_cast<std::size_t>(stream.Remaining()), '\0');
    stream.ReadBuffer(text.data(), text.size());
    ReadFormText(root, text, options);
}

TComponent* CreateFormFromText(std::string_view text, TComponent* owner, const TFormReadOptions& options)
{
    const TFormObject form = ParseFormText(text);
    const TClassInfo* info = GetClass(form.ClassName);
    if (info == nullptr) {
        throw EFormError(form.Line, "Class " + form.ClassName + " not found");
    }
    if (info->CreateComponent == nullptr) {
        throw EFormError(form.Line, "Class " + form.ClassName + " is not a component class");
    }
    TComponent* root = info->CreateComponent(owner);
    try {
        TFormReader(*root, options).Read(form);
    } catch (...) {
        delete root;
        throw;
    }
    return root;
}

TFormReader::TFormReader(TComponent& root, const TFormReadOptions& options) : root_(root), options_(options) {}

void TFormReader::Read(const TFormObject& form)
{
    try {
        ReadRoot(form);
        ResolveFixups();
    } catch (...) {
        Finish(false);
        throw;
    }
    Finish(true);
}

void TFormReader::ReadRoot(const TFormObject& form)
{
    if (!root_.ClassType().InheritsFrom(form.ClassName)) {
        throw EFormError(form.Line, "The form describes a " + form.ClassName + ", not a " + std::string(root_.ClassName()));
    }
    Begin(root_);
    if (root_.Name().empty() && !form.Name.empty()) {
        // A second instance of a form keeps the owner's names unique.
        std::string name = form.Name;
        for (int suffix = 1; root_.Owner() != nullptr && root_.Owner()->FindComponent(name) != nullptr; ++suffix) {
            name = form.Name + "_" + std::to_string(suffix);
        }
        root_.SetName(name);
    }
    ReadBody(root_, form);
}

void TFormReader::ReadChild(const TFormObject& node, TComponent& parent)
{
    const TClassInfo* info = GetClass(node.ClassName);
    if (info == nullptr) {
        throw EFormError(node.Line, "Class " + node.ClassName + " not found");
    }
    if (!info->InheritsFrom(TComponent::ClassInfo) || info->CreateComponent == nullptr) {
        throw EFormError(node.Line, "Class " + node.ClassName + " is not a component class");
    }
    TComponent* component = root_.FindComponent(node.Name);
    if (component != nullptr && &component->ClassType() != info) {
        throw EFormError(node.Line, "A component named " + node.Name + " already exists");
    }
    try {
        if (component == nullptr) {
            component = info->CreateComponent(&root_);
            Begin(*component);
            component->SetName(node.Name);
        } else {
            Begin(*component);
        }
        if (component->HasParent()) {
            component->SetParentComponent(&parent);
        }
    } catch (const EFormError&) {
        throw;
    } catch (const Exception& e) {
        throw EFormError(node.Line, node.Name + ": " + e.Message());
    }
    ReadBody(*component, node);
}

void TFormReader::ReadBody(TComponent& component, const TFormObject& node)
{
    const std::string where = component.Name().empty() ? std::string(component.ClassName()) : component.Name();
    for (const TFormProperty& property : node.Properties) {
        ApplyProperty(component, where, property);
    }
    for (const TFormObject& child : node.Children) {
        ReadChild(child, component);
    }
}

void TFormReader::ApplyProperty(TObject& target, const std::string& where, const TFormProperty& property)
{
    try {
        TObject* object = &target;
        std::string_view path = property.Path;
        std::string place = where;
        for (std::size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
            const std::string_view name = path.substr(0, dot);
            const TPropInfo* info = FindPropInfo(object, name);
            if (info == nullptr || info->Kind != TPropKind::Object) {
                throw EFormError(property.Line, Join(place, name) + " is not an object property");
            }
            object = info->GetObjectValue(*object);
            place = Join(place, name);
            if (object == nullptr) {
                throw EFormError(property.Line, place + " is not assigned");
            }
            path.remove_prefix(dot + 1);
        }
        const TPropInfo* info = FindPropInfo(object, path);
        if (info == nullptr) {
            throw EFormError(property.Line, "Property " + Join(place, path) + " does not exist");
        }
        SetValue(*object, place, *info, property.Value);
    } catch (const EFormError&) {
        throw;
    } catch (const Exception& e) {
        throw EFormError(property.Line, Join(where, property.Path) + ": " + e.Message());
    }
}

void TFormReader::SetValue(TObject& target, const std::string& where, const TPropInfo& info, const TFormValue& value)
{
    const std::string name = Join(where, info.Name);
    const auto invalid = [&]() { return EFormError(value.Line, "Invalid value for property " + name); };
    const auto readOnly = [&]() { return EFormError(value.Line, "Property " + name + " is read-only"); };

    if (IsOrdinalKind(info.Kind)) {
        const bool textual = value.Kind == TFormValueKind::Integer || value.Kind == TFormValueKind::Identifier ||
                             value.Kind == TFormValueKind::Set;
        const std::optional<std::int64_t> ordinal = textual ? ParseOrdinal(info, OrdinalText(value)) : std::nullopt;
        if (!ordinal) {
            throw invalid();
        }
        if (!info.SetOrdinal) {
            throw readOnly();
        }
        info.SetOrdinal(target, *ordinal);
        return;
    }
    switch (info.Kind) {
    case TPropKind::Text: {
        const std::optional<std::string> bytes =
            value.Kind == TFormValueKind::String ? value.String.ToBytes() : std::nullopt;
        if (!bytes) {
            throw invalid();
        }
        if (!info.SetText) {
            throw readOnly();
        }
        info.SetText(target, *bytes);
        return;
    }
    case TPropKind::WideText:
        if (value.Kind != TFormValueKind::String) {
            throw invalid();
        }
        if (!info.SetWide) {
            throw readOnly();
        }
        info.SetWide(target, value.String.ToWide());
        return;
    case TPropKind::Object:
        SetObjectValue(target, where, info, value);
        return;
    case TPropKind::Event:
        BindEvent(target, info, value);
        return;
    case TPropKind::Binary:
        SetBinaryValue(target, info, value);
        return;
    default:
        throw invalid();
    }
}

void TFormReader::SetObjectValue(TObject& target, const std::string& where, const TPropInfo& info, const TFormValue& value)
{
    const std::string name = Join(where, info.Name);
    if (value.Kind == TFormValueKind::Identifier && info.ObjectClass->InheritsFrom(TComponent::ClassInfo)) {
        if (!info.SetObject) {
            throw EFormError(value.Line, "Property " + name + " is read-only");
        }
        fixups_.push_back({&target, &info, value.Text, value.Line});
        return;
    }
    TObject* object = info.GetObjectValue(target);
    if (object == nullptr) {
        throw EFormError(value.Line, name + " is not assigned");
    }
    if (auto* strings = As<TStrings>(object); strings != nullptr && value.Kind == TFormValueKind::List) {
        strings->BeginUpdate();
        try {
            strings->Clear();
            for (const TFormString& line : value.Strings) {
                const std::optional<std::string> bytes = line.ToBytes();
                if (!bytes) {
                    throw EFormError(value.Line, "Invalid value for property " + name);
                }
                strings->Add(*bytes);
            }
        } catch (...) {
            strings->EndUpdate();
            throw;
        }
        strings->EndUpdate();
        return;
    }
    if (auto* collection = As<TCollection>(object); collection != nullptr && value.Kind == TFormValueKind::Collection) {
        collection->BeginUpdate();
        try {
            collection->Clear();
            for (const TFormItem& formItem : value.Items) {
                TCollectionItem* item = collection->Add();
                const std::string place = name + "[" + std::to_string(item->Index()) + "]";
                for (const TFormProperty& property : formItem.Properties) {
                    ApplyProperty(*item, place, property);
                }
            }
        } catch (...) {
            collection->EndUpdate();
            throw;
        }
        collection->EndUpdate();
        return;
    }
    throw EFormError(value.Line, "Invalid value for property " + name);
}

void TFormReader::SetBinaryValue(TObject& target, const TPropInfo& info, const TFormValue& value)
{
    std::vector<std::byte> bytes;
    if (value.Kind == TFormValueKind::Binary) {
        bytes = value.Bytes;
    } else if (value.Kind == TFormValueKind::File) {
        if (!options_.ResolveFile) {
            throw EFormError(value.Line, "No way to load the file '" + value.Text + "'");
        }
        const std::vector<std::byte> contents = options_.ResolveFile(value.Text);
        if (value.Sized) {
            const auto size = static_cast<std::uint32_t>(contents.size());
            for (int shift = 0; shift < 32; shift += 8) {
                bytes.push_back(static_cast<std::byte>(size >> shift));
            }
        }
        bytes.insert(bytes.end(), contents.begin(), contents.end());
    } else {
        throw EFormError(value.Line, "Binary data expected for property " + info.Name);
    }
    TCustomMemoryStream stream(bytes);
    try {
        info.ReadData(target, stream);
    } catch (const EStreamError& e) {
        throw EFormError(value.Line, "Binary data of " + info.Name + " (" + std::to_string(bytes.size()) +
                                         " bytes) is truncated or malformed: " + e.Message());
    }
    if (stream.Remaining() > 0) {
        throw EFormError(value.Line, "Binary data of " + info.Name + " has " + std::to_string(stream.Remaining()) +
                                         " bytes more than its reader takes");
    }
}

void TFormReader::BindEvent(TObject& target, const TPropInfo& info, const TFormValue& value)
{
    if (value.Kind != TFormValueKind::Identifier) {
        throw EFormError(value.Line, "Method name expected for event " + info.Name);
    }
    const TMethodInfo* method = PropertiesOf(root_.ClassType()).FindMethod(value.Text);
    if (method == nullptr) {
        throw EFormError(value.Line, "Method " + value.Text + " not found in " + std::string(root_.ClassName()));
    }
    if (*method->EventType != *info.EventType) {
        throw EFormError(value.Line, "Method " + value.Text + " does not match event " + info.Name);
    }
    method->Bind(root_, *info.EventSlot(target));
}

void TFormReader::ResolveFixups()
{
    for (const Fixup& fixup : fixups_) {
        // The root's own components first: the writer names them, and one may share the root's name.
        TComponent* component = root_.FindComponent(fixup.Name);
        if (component == nullptr && SameText(fixup.Name, root_.Name())) {
            component = &root_;
        }
        if (component == nullptr && !SameText(fixup.Name, "nil")) {
            throw EFormError(fixup.Line, "Component " + fixup.Name + " not found");
        }
        try {
            fixup.Property->SetObject(*fixup.Target, component);
        } catch (const Exception& e) {
            throw EFormError(fixup.Line, fixup.Property->Name + ": " + e.Message());
        }
    }
}

void TFormReader::Begin(TComponent& component)
{
    component.SetState(csLoading, true);
    component.SetState(csReading, true);
    loaded_.push_back(&component);
}

void TFormReader::Finish(bool succeeded)
{
    for (TComponent* component : loaded_) {
        if (IsLive(component)) {
            component->SetState(csReading, false);
            if (!succeeded) {
                component->SetState(csLoading, false);
            }
        }
    }
    if (succeeded) {
        for (TComponent* component : loaded_) {
            if (IsLive(component)) {
                component->Loaded();
            }
        }
    }
}

} // namespace ui
