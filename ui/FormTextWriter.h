// Writes live components as form text that FormTextReader reads back to the
// same form: the root's published properties, those of nested objects,
// string lists, collections, event handlers bound by name, binary data in
// hexadecimal, and the root's components nested under their parents.
//
// Left out: read-only properties, properties whose Stored says no, ordinal
// values equal to their Default, unassigned objects and events, events bound
// in code, and references to components outside the root.
#pragma once

#include <string>
#include <string_view>

class TComponent;
class TStream;

namespace ui {

std::string WriteFormText(const TComponent& root);
void WriteForm(const TComponent& root, TStream& stream);

// Form text of a byte string: quoted runs, control characters as #code.
std::string QuoteFormString(std::string_view bytes);
// Wide text: characters the ANSI code page holds are written as GBK bytes, others as #code.
std::string QuoteFormWideString(std::wstring_view text);

} // namespace ui
