// Text conversions. Inside the program every text is UTF-8; Windows calls get
// UTF-16, and the few file formats that are 8-bit (report files, logs, the
// options file) get Windows-1252.
#pragma once

#include <string>

namespace kv {

// UTF-8 to UTF-16 and back. Invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& utf16);

// UTF-8 to Windows-1252; a character that code page cannot hold becomes "?".
std::string Utf8ToWindows1252(const std::string& utf8);
// Windows-1252 to UTF-8 (the five unassigned bytes map to U+FFFD).
std::string Windows1252ToUtf8(const std::string& cp1252);

// Upper-cases the letters a to z only, as the program's name comparisons do.
std::string AsciiUpper(std::string text);

// Case-insensitive comparison the way Windows compares file and registry
// names: letters a-z, Latin-1 letters and the rest of the basic planes are
// folded through a simple upper-case map.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);
// The folded form used by EqualsIgnoringCase, for use as a map key.
std::string FoldCase(const std::string& text);

// True when text starts with prefix (exactly).
bool StartsWith(const std::string& text, const std::string& prefix);
bool EndsWith(const std::string& text, const std::string& suffix);

// Drops the last n characters (UTF-8 code points, as Windows would drop
// UTF-16 units for these names); an n at or beyond the length gives "".
std::string DropLastChars(const std::string& text, std::size_t n);
// The first n characters (code points) of text.
std::string FirstChars(const std::string& text, std::size_t n);
// The last n characters (code points) of text, all of it when shorter.
std::string LastChars(const std::string& text, std::size_t n);
// Number of characters (code points).
std::size_t CharCount(const std::string& text);

// A folder path ending with exactly the backslash a name is appended after
// (one is added when missing), and the same path without its trailing
// backslashes, a drive root ("E:\") keeping its own.
std::string WithTrailingBackslash(std::string folder);
std::string WithoutTrailingBackslash(std::string folder);

}  // namespace kv
