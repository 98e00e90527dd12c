#include "ui/FormText.h"

#include "ui/AnsiText.h"

#include <charconv>

namespace ui {

namespace {

// Deeper nesting than any window has; stops hostile text from exhausting the stack.
constexpr int kMaxDepth = 64;

enum class TokenKind { End, Identifier, Integer, String, Symbol };

struct Token {
    TokenKind Kind = TokenKind::End;
    int Line = 1;
    std::string Text;   // identifier or integer as written; the symbol character
    TFormString String; // String
};

bool IsIdentStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexValue(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    return AsciiLower(c) - 'a' + 10;
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    const Token& Peek()
    {
        if (!peeked_) {
            next_ = Scan();
            peeked_ = true;
        }
        return next_;
    }

    Token Next()
    {
        Peek();
        peeked_ = false;
        return std::move(next_);
    }

    int Line() const { return line_; }

    // The hexadecimal digits up to "}", after the "{" token.
    std::vector<std::byte> HexBlock(int startLine)
    {
        std::vector<std::byte> bytes;
        int high = -1;
        while (true) {
            if (pos_ >= text_.size()) {
                throw EFormError(startLine, "Binary data without a closing }");
            }
            const char c = text_[pos_++];
            if (c == '}') {
                break;
            }
            if (c == '\n') {
                ++line_;
            } else if (IsHexDigit(c)) {
                if (high < 0) {
                    high = HexValue(c);
                } else {
                    bytes.push_back(static_cast<std::byte>(high << 4 | HexValue(c)));
                    high = -1;
                }
            } else if (static_cast<unsigned char>(c) > ' ') {
                throw EFormError(line_, "Invalid character in binary data");
            }
        }
        if (high >= 0) {
            throw EFormError(line_, "Binary data with an odd number of hexadecimal digits");
        }
        return bytes;
    }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (static_cast<unsigned char>(c) <= ' ') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n') {
                    ++pos_;
                }
            } else {
                break;
            }
        }
    }

    Token Scan()
    {
        SkipBlanks();
        Token token;
        token.Line = line_;
        if (pos_ >= text_.size()) {
            return token;
        }
        const char c = text_[pos_];
        if (IsIdentStart(c)) {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]))) {
                ++pos_;
            }
            token.Kind = TokenKind::Identifier;
            token.Text = text_.substr(start, pos_ - start);
        } else if (IsDigit(c) || c == '$') {
            const std::size_t start = pos_++;
            while (pos_ < text_.size() && (c == '$' ? IsHexDigit(text_[pos_]) : IsDigit(text_[pos_]))) {
                ++pos_;
            }
            token.Kind = TokenKind::Integer;
            token.Text = text_.substr(start, pos_ - start);
            if (token.Text == "$") {
                throw EFormError(line_, "Hexadecimal number without digits");
            }
        } else if (c == '\'' || c == '#') {
            token.Kind = TokenKind::String;
            token.String = ScanString();
        } else {
            ++pos_;
            token.Kind = TokenKind::Symbol;
            token.Text = std::string(1, c);
        }
        return token;
    }

    // Quoted runs and #codes written next to each other form one string.
    TFormString ScanString()
    {
        TFormString result;
        while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
            if (text_[pos_] == '\'') {
                ++pos_;
                std::string bytes;
                while (true) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') {
                        throw EFormError(line_, "Unterminated string");
                    }
                    const char ch = text_[pos_++];
                    if (ch == '\'') {
                        if (pos_ < text_.size() && text_[pos_] == '\'') {
                            bytes += '\'';
                            ++pos_;
                            continue;
                        }
                        break;
                    }
                    bytes += ch;
                }
                result.Pieces.push_back({std::move(bytes), std::nullopt});
            } else {
                ++pos_;
                const bool hex = pos_ < text_.size() && text_[pos_] == '$';
                if (hex) {
                    ++pos_;
                }
                const std::size_t start = pos_;
                while (pos_ < text_.size() && (hex ? IsHexDigit(text_[pos_]) : IsDigit(text_[pos_]))) {
                    ++pos_;
                }
                std::uint32_t code = 0;
                const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, code, hex ? 16 : 10);
                if (start == pos_ || ec != std::errc() || end != text_.data() + pos_ || code > 0x10FFFF) {
                    throw EFormError(line_, "Invalid character code");
                }
                result.Pieces.push_back({std::string(), code});
            }
        }
        return result;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    Token next_;
    bool peeked_ = false;
};

bool IsKeyword(const Token& token, std::string_view keyword)
{
    return token.Kind == TokenKind::Identifier && SameText(token.Text, keyword);
}

bool IsSymbol(const Token& token, char symbol)
{
    return token.Kind == TokenKind::Symbol && token.Text[0] == symbol;
}

class Parser {
public:
    explicit Parser(std::string_view text) : lexer_(text) {}

    TFormObject Form()
    {
        TFormObject root = Object(0);
        const Token& rest = lexer_.Peek();
        if (rest.Kind != TokenKind::End) {
            throw EFormError(rest.Line, "Text after the end of the form");
        }
        return root;
    }

private:
    TFormObject Object(int depth)
    {
        if (depth > kMaxDepth) {
            throw EFormError(lexer_.Line(), "Objects nested too deeply");
        }
        const Token keyword = lexer_.Next();
        if (!IsKeyword(keyword, "object")) {
            throw EFormError(keyword.Line, "\"object\" expected");
        }
        TFormObject object;
        object.Line = keyword.Line;
        const std::string first = Identifier("Component name or class expected");
        if (IsSymbol(lexer_.Peek(), ':')) {
            lexer_.Next();
            object.Name = first;
            object.ClassName = Identifier("Class name expected");
        } else {
            object.ClassName = first;
        }
        while (true) {
            const Token& token = lexer_.Peek();
            if (IsKeyword(token, "end")) {
                lexer_.Next();
                return object;
            }
            if (IsKeyword(token, "object")) {
                object.Children.push_back(Object(depth + 1));
            } else if (token.Kind == TokenKind::Identifier) {
                object.Properties.push_back(Property(depth));
            } else {
                throw EFormError(token.Line, token.Kind == TokenKind::End ? "\"end\" expected"
                                                                           : "Property, \"object\" or \"end\" expected");
            }
        }
    }

    TFormProperty Property(int depth)
    {
        TFormProperty property;
        property.Line = lexer_.Peek().Line;
        property.Path = DottedIdentifier("Property name expected");
        const Token equals = lexer_.Next();
        if (!IsSymbol(equals, '=')) {
            throw EFormError(equals.Line, "\"=\" expected after " + property.Path);
        }
        property.Value = Value(depth);
        return property;
    }

    TFormValue Value(int depth)
    {
        TFormValue value;
        const Token token = lexer_.Next();
        value.Line = token.Line;
        switch (token.Kind) {
        case TokenKind::Integer:
            value.Kind = TFormValueKind::Integer;
            value.Text = token.Text;
            return value;
        case TokenKind::Identifier:
            value.Kind = TFormValueKind::Identifier;
            value.Text = token.Text;
            while (IsSymbol(lexer_.Peek(), '.')) {
                lexer_.Next();
                value.Text += '.' + Identifier("Name expected after \".\"");
            }
            return value;
        case TokenKind::String:
            value.Kind = TFormValueKind::String;
            value.String = Concatenation(token.String);
            return value;
        case TokenKind::End:
            throw EFormError(token.Line, "Value expected");
        case TokenKind::Symbol:
            break;
        }
        switch (token.Text[0]) {
        case '-': {
            const Token number = lexer_.Next();
            if (number.Kind != TokenKind::Integer) {
                throw EFormError(number.Line, "Number expected after \"-\"");
            }
            value.Kind = TFormValueKind::Integer;
            value.Text = "-" + number.Text;
            return value;
        }
        case '[':
            value.Kind = TFormValueKind::Set;
            if (IsSymbol(lexer_.Peek(), ']')) {
                lexer_.Next();
                return value;
            }
            while (true) {
                value.Members.push_back(Identifier("Set member expected"));
                const Token separator = lexer_.Next();
                if (IsSymbol(separator, ']')) {
                    return value;
                }
                if (!IsSymbol(separator, ',')) {
                    throw EFormError(separator.Line, "\",\" or \"]\" expected");
                }
            }
        case '(':
            value.Kind = TFormValueKind::List;
            while (true) {
                const Token item = lexer_.Next();
                if (IsSymbol(item, ')')) {
                    return value;
                }
                if (item.Kind != TokenKind::String) {
                    throw EFormError(item.Line, "String or \")\" expected");
                }
                value.Strings.push_back(Concatenation(item.String));
            }
        case '<':
            value.Kind = TFormValueKind::Collection;
            while (true) {
                const Token item = lexer_.Next();
                if (IsSymbol(item, '>')) {
                    return value;
                }
                if (!IsKeyword(item, "item")) {
                    throw EFormError(item.Line, "\"item\" or \">\" expected");
                }
                if (depth + 1 > kMaxDepth) {
                    throw EFormError(item.Line, "Objects nested too deeply");
                }
                TFormItem formItem;
                formItem.Line = item.Line;
                while (!IsKeyword(lexer_.Peek(), "end")) {
                    if (lexer_.Peek().Kind != TokenKind::Identifier) {
                        throw EFormError(lexer_.Peek().Line, "Property or \"end\" expected");
                    }
                    formItem.Properties.push_back(Property(depth + 1));
                }
                lexer_.Next();
                value.Items.push_back(std::move(formItem));
            }
        case '{':
            value.Kind = TFormValueKind::Binary;
            value.Bytes = lexer_.HexBlock(token.Line);
            return value;
        case '@': {
            const Token kind = lexer_.Next();
            if (!IsKeyword(kind, "file") && !IsKeyword(kind, "sizedfile")) {
                throw EFormError(kind.Line, "\"file\" or \"sizedfile\" expected after \"@\"");
            }
            const Token path = lexer_.Next();
            const std::optional<std::string> bytes =
                path.Kind == TokenKind::String ? path.String.ToBytes() : std::nullopt;
            if (!bytes || bytes->empty()) {
                throw EFormError(path.Line, "File name expected");
            }
            value.Kind = TFormValueKind::File;
            value.Sized = IsKeyword(kind, "sizedfile");
            value.Text = *bytes;
            return value;
        }
        default:
            throw EFormError(token.Line, "Value expected");
        }
    }

    TFormString Concatenation(TFormString first)
    {
        while (IsSymbol(lexer_.Peek(), '+')) {
            lexer_.Next();
            const Token next = lexer_.Next();
            if (next.Kind != TokenKind::String) {
                throw EFormError(next.Line, "String expected after \"+\"");
            }
            for (const TFormString::Piece& piece : next.String.Pieces) {
                first.Pieces.push_back(piece);
            }
        }
        return first;
    }

    std::string Identifier(const char* expected)
    {
        const Token token = lexer_.Next();
        if (token.Kind != TokenKind::Identifier) {
            throw EFormError(token.Line, expected);
        }
        return token.Text;
    }

    std::string DottedIdentifier(const char* expected)
    {
        std::string name = Identifier(expected);
        while (IsSymbol(lexer_.Peek(), '.')) {
            lexer_.Next();
            name += '.' + Identifier("Name expected after \".\"");
        }
        return name;
    }

    Lexer lexer_;
};

} // namespace

std::optional<std::string> TFormString::ToBytes() const
{
    std::string result;
    for (const Piece& piece : Pieces) {
        if (!piece.Code) {
            result += piece.Bytes;
        } else if (*piece.Code <= 0xFF) {
            result += static_cast<char>(*piece.Code);
        } else {
            return std::nullopt;
        }
    }
    return result;
}

std::wstring TFormString::ToWide() const
{
    std::wstring result;
    for (const Piece& piece : Pieces) {
        if (!piece.Code) {
            result += AnsiToWide(piece.Bytes);
        } else if (*piece.Code <= 0xFFFF || sizeof(wchar_t) > 2) {
            result += static_cast<wchar_t>(*piece.Code);
        } else {
            // A code beyond the basic plane becomes a surrogate pair.
            const std::uint32_t v = *piece.Code - 0x10000;
            result += static_cast<wchar_t>(0xD800 + (v >> 10));
            result += static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
        }
    }
    return result;
}

TFormObject ParseFormText(std::string_view text)
{
    return Parser(text).Form();
}

} // namespace ui
