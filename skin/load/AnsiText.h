// Case rules for the program's single-byte and GBK text.
#pragma once

#include <string>
#include <string_view>

// Lower-cases the ASCII letters A to Z byte by byte and leaves every other
// byte alone, GBK trail bytes included: names compared this way must be
// lower-cased the same way on both sides.
std::string LowerCaseAscii(std::string_view text);
std::string UpperCaseAscii(std::string_view text);

// True when the two texts are equal ignoring case by the rules of the
// system locale. Windows builds ask the system; the portable build uses
// GbkSameText.
bool AnsiSameText(std::string_view a, std::string_view b);

// Equality ignoring the case of ASCII letters and of the GBK letters that
// have one (full-width Latin, Greek, Cyrillic, Roman numerals), decoding
// GBK so that a trail byte is never mistaken for an ASCII letter. Built in
// every tree, so that Windows tests can hold it against the system's rule.
bool GbkSameText(std::string_view a, std::string_view b);
