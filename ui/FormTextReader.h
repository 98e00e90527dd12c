// Reads form text into live components: creates owned components by their
// registered class, sets properties, binds events to the root's published
// methods, lets binary properties stream themselves, resolves component
// references, and calls Loaded on every component once all is read (the
// root first, then the others in the order they were read).
//
// A component the root already owns under a name in the text (created in
// the root's constructor) is reused when its class matches. Failures raise
// EFormError naming the line, the component and the property; errors a
// setter raises are reported the same way.
#pragma once

#include "ui/FormText.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TComponent;
class TObject;
class TStream;

namespace ui {

struct TPropInfo;

// The bytes of a file named by @file or @sizedfile.
using TFileResolver = std::function<std::vector<std::byte>(std::string_view path)>;

struct TFormReadOptions {
    // Without one, file references are an error.
    TFileResolver ResolveFile;
};

// Files relative to directory; absolute paths and ".." are refused.
TFileResolver FilesUnder(std::string directory);

// Reads into an existing root whose class is the one the text names or a
// descendant of it. An unnamed root takes the text's name.
void ReadFormText(TComponent& root, std::string_view text, const TFormReadOptions& options = {});
// The text is the rest of the stream.
void ReadForm(TComponent& root, TStream& stream, const TFormReadOptions& options = {});
// Creates the root from the registered class the text names; owner (if
// any) owns it, else the caller does.
TComponent* CreateFormFromText(std::string_view text, TComponent* owner, const TFormReadOptions& options = {});

class TFormReader {
public:
    TFormReader(TComponent& root, const TFormReadOptions& options);
    void Read(const TFormObject& form);

private:
    struct Fixup {
        TObject* Target;
        const TPropInfo* Property;
        std::string Name;
        int Line;
    };

    void ReadRoot(const TFormObject& form);
    void ReadChild(const TFormObject& node, TComponent& parent);
    void ReadBody(TComponent& component, const TFormObject& node);
    // where names target in messages ("Button1", "ListView1.Columns[2]").
    void ApplyProperty(TObject& target, const std::string& where, const TFormProperty& property);
    void SetValue(TObject& target, const std::string& where, const TPropInfo& info, const TFormValue& value);
    void SetObjectValue(TObject& target, const std::string& where, const TPropInfo& info, const TFormValue& value);
    void SetBinaryValue(TObject& target, const TPropInfo& info, const TFormValue& value);
    void BindEvent(TObject& target, const TPropInfo& info, const TFormValue& value);
    void ResolveFixups();
    void Begin(TComponent& component);
    void Finish(bool succeeded);

    TComponent& root_;
    const TFormReadOptions& options_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
};

} // namespace ui
