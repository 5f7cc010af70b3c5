// Portable helpers for UTF-16 text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvalin {

// Removes every character up to U+0020 at both ends.
std::u16string_view Trim(std::u16string_view s);

// A to Z by adding 32; other letters of the Latin, Greek and Cyrillic
// alphabets by their Unicode lower-case mapping; everything else unchanged.
char16_t LowerCaseChar(char16_t c);
std::u16string LowerCase(std::u16string_view s);
bool SameText(std::u16string_view a, std::u16string_view b);

// Splits at CR LF, LF and a lone CR. A line break at the very end adds no
// empty line; a NUL character ends the text.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string U16ToUtf8(std::u16string_view s);
// UTF-8 to UTF-16 for text the program itself produced (literals, paths);
// an invalid byte becomes U+FFFD. Strict decoding of files lives elsewhere.
std::u16string Utf8ToU16(std::string_view s);

std::u16string IntToStr(std::int64_t value);

// A caption without its accelerator marks ("&"), as it is measured.
std::u16string WithoutAmpersand(std::u16string_view caption);

// The folder part of a path up to and including its last "\\", "/" or ":"
// (empty without one), and the rest after it.
std::u16string_view ExtractFilePath(std::u16string_view path);
std::u16string_view ExtractFileName(std::u16string_view path);

using TFormatArg = std::variant<std::u16string_view, std::int64_t>;
// Replaces each "%s" and "%d" in turn by the next argument; "%%" gives "%".
std::u16string Format(std::u16string_view fmt, std::initializer_list<TFormatArg> args);

}  // namespace korvalin
