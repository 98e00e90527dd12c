// Form files: the text that describes one window's components. The parser
// turns it into a tree; FormTextReader applies the tree to live components
// and FormTextWriter produces the text from them.
//
//   object Form1: TForm1                  a component: name and registered class
//     Left = 100                          integer (decimal, or $hex as a 32-bit pattern)
//     Visible = False                     boolean, enumeration or colour identifier
//     Options = [xoPreview, xoMenuBG]     set
//     Caption = 'It''s '#13#10'two lines' byte text: quoted runs and #code bytes, joined by +
//     Font.Name = '宋体'                  property of a nested object
//     Lines = ('one' 'two')               string list
//     Columns = <item Caption = 'A' end>  collection items
//     SkinStream = {0300000041 4243}      binary data in hexadecimal (white space ignored)
//     DataStream = @file 'skin.bin'       binary data: a file the build produced
//     DataStream = @sizedfile 'skin.bin'  the same preceded by its size as 32 bits (little-endian)
//     OnCreate = FormCreate               event: a published method of the root
//     PopupMenu = PopupMenu1              reference to a component of the form (nil: none)
//     object Button1: TButton ... end     owned component; controls nest inside their parent
//   end
//
// The text is GBK, like every string of the program: files in the source tree
// are UTF-8 and converted when the build embeds them. Quoted runs hold bytes
// as they are; wide text takes them through the ANSI code page, and #code
// gives a character by number (up to 255 in byte text, a UTF-16 unit in wide
// text). Keywords and names ignore letter case; "//" starts a comment.
#pragma once

#include "ui/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Malformed form text, or text that does not fit the components it names.
class EFormError : public EReadError {
public:
    EFormError(int line, const std::string& message)
        : EReadError("Line " + std::to_string(line) + ": " + message), line_(line)
    {
    }
    int Line() const { return line_; }

private:
    int line_;
};

struct TFormString {
    // A quoted run of bytes, or one #code.
    struct Piece {
        std::string Bytes;
        std::optional<std::uint32_t> Code;
    };
    std::vector<Piece> Pieces;

    // Nothing when a code does not fit a byte.
    std::optional<std::string> ToBytes() const;
    std::wstring ToWide() const;
};

enum class TFormValueKind { Integer, Identifier, String, Set, List, Collection, Binary, File };

struct TFormProperty;

struct TFormItem {
    int Line = 0;
    std::vector<TFormProperty> Properties;
};

struct TFormValue {
    TFormValueKind Kind = TFormValueKind::Integer;
    int Line = 0;
    std::string Text;                 // Integer as written ("-5", "$FF"); Identifier (dotted allowed); File path
    TFormString String;               // String
    std::vector<std::string> Members; // Set
    std::vector<TFormString> Strings; // List
    std::vector<TFormItem> Items;     // Collection
    std::vector<std::byte> Bytes;     // Binary
    bool Sized = false;               // File: @sizedfile
};

struct TFormProperty {
    std::string Path; // "Caption", "Font.Name"
    int Line = 0;
    TFormValue Value;
};

struct TFormObject {
    std::string Name; // may be empty
    std::string ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// The one root object of a form text; EFormError when malformed.
TFormObject ParseFormText(std::string_view text);

} // namespace ui
