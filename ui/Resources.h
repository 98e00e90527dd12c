// Data compiled into the program as resources: a read-only stream over one
// resource, and the naming rule that lets a form file's "@file 'path'"
// references find the files the build embedded beside it (see
// FormResources.cmake, which applies the same rule).
#pragma once

#include "ui/Exceptions.h"
#include "ui/FormTextReader.h"
#include "ui/Streams.h"

#include <windows.h>

#include <string>
#include <string_view>

class EResNotFound : public Exception {
    using Exception::Exception;
};

// Reads a resource in place; the bytes stay in the module's image.
class TResourceStream : public TCustomMemoryStream {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // instance null means the program itself. Raises EResNotFound when missing.
    TResourceStream(HINSTANCE instance, std::string_view name, LPCSTR type = RT_RCDATA);
    TResourceStream(HINSTANCE instance, int id, LPCSTR type = RT_RCDATA);

    static bool Exists(HINSTANCE instance, std::string_view name, LPCSTR type = RT_RCDATA);
};

namespace ui {
// The resource name of a file a form refers to: letters upper-cased, digits
// kept, everything else '_', prefixed "FILE_" ("skins/a.skin" -> FILE_SKINS_A_SKIN).
std::string ResourceNameForFile(std::string_view path);
// Resolves "@file" references of form text from the program's resources.
TFileResolver ResourceFileResolver(HINSTANCE instance = nullptr);
} // namespace ui
